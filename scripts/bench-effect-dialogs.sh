#!/usr/bin/env bash
# The preview of the directional, multi-parameter and colour adjustment
# dialogs on a 12-megapixel picture (a release win64 build under Wine, on a
# display of its own), beside one copy of the picture:
#   scripts/bench-effect-dialogs.sh [repeats]        (default 7)
# Prints milliseconds per preview (median and fastest); the goal is 300 ms.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/common.sh"
source "$here/configure.sh"

repeats=${1:-7}
"$here/setup.sh"
lm_bench_win64 bench_EffectDialogs
lm_bench_display
"$here/wine-exec.sh" "$prefix" "$dir/bench/bench_EffectDialogs.exe" "$repeats" | tee "$dir/effect-dialogs.txt"
