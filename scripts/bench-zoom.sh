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
lm_bench_win64 bench_ZoomRepaint
lm_bench_display
"$here/wine-exec.sh" "$prefix" "$dir/bench/bench_ZoomRepaint.exe" "$repeats"
