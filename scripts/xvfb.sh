# lm_start_xvfb: starts Xvfb on a free display (sourced, not run); sets
# LM_XVFB_DISPLAY and LM_XVFB_PID. The caller stops it by that process id.
# Xvfb picks the display itself (-displayfd): two runs that start together
# never end up on one display, where each would move the other's focus and
# cover its windows.
lm_start_xvfb() {
  local out n i
  out=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset 3>"$out" >/dev/null 2>&1 &
  LM_XVFB_PID=$!
  # It writes the display's number, with a line break, once it takes connections.
  for i in $(seq 1 400); do
    if read -r n < "$out" && [[ $n =~ ^[0-9]+$ ]]; then
      rm -f "$out"
      LM_XVFB_DISPLAY=:$n
      return 0
    fi
    kill -0 "$LM_XVFB_PID" 2>/dev/null || break
    sleep 0.05
  done
  rm -f "$out"
  kill "$LM_XVFB_PID" 2>/dev/null || true
  lm_say "could not start Xvfb"
  return 1
}
