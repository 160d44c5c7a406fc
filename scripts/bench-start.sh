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
lm_configure bench-win64
dir=$LM_BUILD/bench-win64
lm_say "building Lumatra and bench_ProgramStart"
cmake --build "$dir" -j "$LM_JOBS" --target Lumatra bench_ProgramStart >/dev/null
prefix=$dir/wineprefix
"$here/wine-prefix.sh" "$prefix"

source "$here/xvfb.sh"
lm_start_xvfb
trap 'WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true; kill "$LM_XVFB_PID" 2>/dev/null || true' EXIT
export DISPLAY=$LM_XVFB_DISPLAY
exe=$(WINEPREFIX=$prefix winepath -w "$dir/src/app/Lumatra.exe" 2>/dev/null)
"$here/wine-exec.sh" "$prefix" "$dir/bench/bench_ProgramStart.exe" "$exe" "$runs"
