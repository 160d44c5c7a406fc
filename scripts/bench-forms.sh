#!/usr/bin/env bash
# A form with one of every control made, shown, painted and freed, CYCLES
# times, by a release win64 build under Wine on a display of its own:
#   scripts/bench-forms.sh [cycles]        (default 200)
# Prints milliseconds per cycle and per step (median and fastest).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/common.sh"
source "$here/configure.sh"

cycles=${1:-200}
"$here/setup.sh"
lm_configure bench-win64
dir=$LM_BUILD/bench-win64
lm_say "building bench_Forms_EveryControl"
cmake --build "$dir" -j "$LM_JOBS" --target bench_Forms_EveryControl >/dev/null
prefix=$dir/wineprefix
"$here/wine-prefix.sh" "$prefix"

source "$here/xvfb.sh"
lm_start_xvfb
trap 'WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true; kill "$LM_XVFB_PID" 2>/dev/null || true' EXIT
export DISPLAY=$LM_XVFB_DISPLAY
"$here/wine-exec.sh" "$prefix" "$dir/bench/bench_Forms_EveryControl.exe" "$cycles"
