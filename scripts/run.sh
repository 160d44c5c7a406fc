#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it under Wine:
#   scripts/run.sh [image-file]
# Uses the current X display; without one it starts Xvfb and says how to look.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/common.sh"
source "$here/configure.sh"

# A picture that is not there stops here, before anything is built or started.
if (($#)) && [[ ! -f $1 ]]; then
  lm_say "no such file: $1"
  exit 1
fi

"$here/setup.sh"
lm_configure win64
lm_say "building Lumatra.exe"
cmake --build "$LM_BUILD/win64" -j "$LM_JOBS" --target Lumatra

prefix=$LM_BUILD/win64/wineprefix
"$here/wine-prefix.sh" "$prefix"

xvfb_pid=
if [[ -z ${DISPLAY:-} ]]; then
  source "$here/xvfb.sh"
  lm_start_xvfb
  xvfb_pid=$LM_XVFB_PID
  export DISPLAY=$LM_XVFB_DISPLAY
  trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT
  lm_say "no display: started Xvfb on $DISPLAY (1280x800)."
  lm_say "look at the window with: DISPLAY=$DISPLAY import -window root screenshot.png"
fi

args=()
if (($#)); then
  args+=("$(WINEPREFIX=$prefix winepath -w "$(realpath -- "$1")" 2>/dev/null)")
fi
export WINEPREFIX=$prefix WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
lm_say "starting Lumatra.exe"
wine "$LM_BUILD/win64/src/app/Lumatra.exe" "${args[@]}"
