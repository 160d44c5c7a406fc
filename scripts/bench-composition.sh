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

steps=${1:-100}
"$here/setup.sh"
dir=$LM_BUILD/bench-win64
cmake -G Ninja -S "$LM_ROOT" -B "$dir" -DLM_CONFIG=win64 -DLM_BENCH=ON \
  -DCMAKE_TOOLCHAIN_FILE="$LM_ROOT/cmake/toolchain-win64.cmake" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CXX_FLAGS_RELEASE=-O2 -DCMAKE_C_FLAGS_RELEASE=-O2 \
  -DLM_DEPS_PREFIX="$LM_DEPS_CACHE/x86_64-w64-mingw32" >/dev/null
cmake --build "$dir" -j "$LM_JOBS" --target bench_Composition >/dev/null

prefix=$dir/wineprefix
"$here/wine-prefix.sh" "$prefix"
# The program times itself: Wine's start-up is not in its figures.
"$here/wine-exec.sh" "$prefix" "$dir/bench/bench_Composition.exe" "$steps" | tee "$dir/composition.txt"
