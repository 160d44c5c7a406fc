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
lm_bench_win64 bench_Forms_EveryControl
lm_bench_display
"$here/wine-exec.sh" "$prefix" "$dir/bench/bench_Forms_EveryControl.exe" "$cycles"
