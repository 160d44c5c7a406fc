#!/usr/bin/env bash
# The program's start to the first paint of its main window: a release win64
# build of Lumatra.exe started RUNS times under Wine on a display of its own,
# a first start (no tables yet) and a start over its tables, beside a process
# that shows one plain window, and a start with a 6000 x 4000 (24 megapixel)
# JPEG on the command line until it is painted:
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
# The photo of the image-file benchmarks (scripts/bench-images.sh), made here
# the same way when that has not run.
photo=$dir/images/photo.jpg
if [[ ! -f $photo ]] && command -v convert >/dev/null; then
  lm_say "making the 6000 x 4000 test photo"
  mkdir -p "$dir/images"
  convert -seed 7 -size 1500x1000 plasma:fractal -resize '6000x4000!' -attenuate 0.2 +noise Gaussian \
    -quality 92 "$photo"
fi
picture=()
if [[ -f $photo ]]; then
  picture=("$(WINEPREFIX=$prefix winepath -w "$photo" 2>/dev/null)")
else
  lm_say "no ImageMagick to make the test photo: the start with a picture is left out"
fi
"$here/wine-exec.sh" "$prefix" "$dir/bench/bench_ProgramStart.exe" "$exe" "$runs" "${picture[@]}"
