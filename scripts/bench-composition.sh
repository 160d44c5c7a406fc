#!/usr/bin/env bash
# Composition while an object is dragged: a release win64 build under Wine
# recomposes a 4000 x 3000 document with 50 rectangles (half with shadows)
# after each of STEPS drag steps, beside the raw raster-engine blend of the
# same layers in the same run, with the ratio and the difference of the two
# pictures; then a document of 50 objects of every kind, full and partial.
#   scripts/bench-composition.sh [steps]        (default 100)
# The lines go to build/bench-win64/composition.txt as well.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/common.sh"
source "$here/configure.sh"

steps=${1:-100}
"$here/setup.sh"
lm_bench_win64 bench_Composition
# The program times itself: Wine's start-up is not in its figures.
"$here/wine-exec.sh" "$prefix" "$dir/bench/bench_Composition.exe" "$steps" | tee "$dir/composition.txt"
