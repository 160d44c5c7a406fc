#!/usr/bin/env bash
# The program's start to the first paint of its main window: a release win64
# build of Lumatra.exe started RUNS times under Wine on a display of its own,
# a first start (no tables yet) and a start over its tables, beside a process
# that shows one plain window:
#   scripts/bench-start.sh [runs]        (default 10)
# Prints the median and fastest milliseconds of each.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/common.sh"
source "$here/configure.sh"

runs=${1:-10}
"$here/setup.sh"
lm_bench_win64 Lumatra bench_ProgramStart
lm_bench_display
exe=$(WINEPREFIX=$prefix winepath -w "$dir/src/app/Lumatra.exe" 2>/dev/null)
"$here/wine-exec.sh" "$prefix" "$dir/bench/bench_ProgramStart.exe" "$exe" "$runs"
