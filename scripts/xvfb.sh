# lm_start_xvfb: starts Xvfb on a free display (sourced, not run); sets
# LM_XVFB_DISPLAY and LM_XVFB_PID. The caller stops it by that process id.
lm_start_xvfb() {
  local n
  for n in $(seq 90 199); do
    [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
    Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp -noreset >/dev/null 2>&1 &
    LM_XVFB_PID=$!
    local i
    for i in $(seq 1 100); do
      [[ -e /tmp/.X11-unix/X$n ]] && { LM_XVFB_DISPLAY=:$n; return 0; }
      kill -0 "$LM_XVFB_PID" 2>/dev/null || break
      sleep 0.05
    done
    kill "$LM_XVFB_PID" 2>/dev/null || true
  done
  lm_say "could not start Xvfb"
  return 1
}
