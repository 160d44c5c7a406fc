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
source "$here/configure.sh"

steps=${1:-100}
"$here/setup.sh"
lm_bench_win64 bench_CanvasDrag
# The program times itself: Wine's start-up is not in its figures.
"$here/wine-exec.sh" "$prefix" "$dir/bench/bench_CanvasDrag.exe" "$steps" | tee "$dir/canvas-drag.txt"
