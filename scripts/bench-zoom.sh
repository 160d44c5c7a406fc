#!/usr/bin/env bash
# The canvas view repainted at a new zoom (a 30-megapixel picture at 1 %,
# 100 % and 1600 %) by a release win64 build under Wine on a display of its own:
#   scripts/bench-zoom.sh [repeats]        (default 20)
# Prints milliseconds per repaint (median and fastest) beside the platform's stretch.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/common.sh"
source "$here/configure.sh"

repeats=${1:-20}
"$here/setup.sh"
lm_configure bench-win64
dir=$LM_BUILD/bench-win64
lm_say "building bench_ZoomRepaint"
cmake --build "$dir" -j "$LM_JOBS" --target bench_ZoomRepaint >/dev/null
prefix=$dir/wineprefix
"$here/wine-prefix.sh" "$prefix"

source "$here/xvfb.sh"
lm_start_xvfb
trap 'WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true; kill "$LM_XVFB_PID" 2>/dev/null || true' EXIT
export DISPLAY=$LM_XVFB_DISPLAY
"$here/wine-exec.sh" "$prefix" "$dir/bench/bench_ZoomRepaint.exe" "$repeats"
