#!/usr/bin/env bash
# A pointer move while an object is dragged on the canvas: a release win64
# build under Wine drags one of 50 objects on a 6000 x 5000 picture by STEPS
# moves through the canvas's mouse handling, beside the same drag with the
# whole picture composed after every move.
#   scripts/bench-canvas-drag.sh [steps]        (default 100)
# The lines go to build/bench-win64/canvas-drag.txt as well.
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
cmake --build "$dir" -j "$LM_JOBS" --target bench_CanvasDrag >/dev/null

prefix=$dir/wineprefix
"$here/wine-prefix.sh" "$prefix"
# The program times itself: Wine's start-up is not in its figures.
"$here/wine-exec.sh" "$prefix" "$dir/bench/bench_CanvasDrag.exe" "$steps" | tee "$dir/canvas-drag.txt"
