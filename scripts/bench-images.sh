#!/usr/bin/env bash
# Image files on a 6000 x 4000 photo: the program's decoder, writers and
# thumbnails (a release win64 build under Wine) against djpeg, cjpeg and
# vipsthumbnail on the same files in the same run, with the ratios.
#   scripts/bench-images.sh [repeats]        (default 5; medians are compared)
# Whole operations, files in and out; the picture is made once (ImageMagick)
# and kept in the build folder.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/common.sh"

repeats=${1:-5}
"$here/setup.sh"
# The reference tools run in the same benchmark: djpeg/cjpeg and vipsthumbnail.
peers=(libjpeg-turbo-progs libvips-tools imagemagick)
missing=()
for p in "${peers[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  lm_say "installing the reference tools: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq </dev/null
  apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null >/dev/null
fi

dir=$LM_BUILD/bench-win64
if [[ ! -f $dir/build.ninja ]]; then
  lm_say "configuring $dir"
  cmake -G Ninja -S "$LM_ROOT" -B "$dir" -DLM_CONFIG=win64 -DLM_BENCH=ON \
    -DCMAKE_TOOLCHAIN_FILE="$LM_ROOT/cmake/toolchain-win64.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CXX_FLAGS_RELEASE=-O2 -DCMAKE_C_FLAGS_RELEASE=-O2 \
    -DLM_DEPS_PREFIX="$LM_DEPS_CACHE/x86_64-w64-mingw32" >/dev/null
fi
cmake --build "$dir" -j "$LM_JOBS" --target bench_HyFileUtils_Image >/dev/null

work=$dir/images
mkdir -p "$work/out"
if [[ ! -f $work/photo.png ]]; then
  lm_say "making the 6000 x 4000 test photo"
  # A smooth fractal landscape with a little grain: compresses like a photo.
  convert -seed 7 -size 1500x1000 plasma:fractal -resize '6000x4000!' -attenuate 0.2 +noise Gaussian \
    -quality 92 "$work/photo.jpg"
  djpeg -outfile "$work/photo.ppm" "$work/photo.jpg"
  convert "$work/photo.ppm" "$work/photo.png"
fi

if [[ ! -f $work/photo36.jpg ]]; then
  lm_say "making the 7200 x 5000 (36 megapixel) test photo"
  convert -seed 11 -size 1800x1250 plasma:fractal -resize '7200x5000!' -attenuate 0.2 +noise Gaussian \
    -quality 92 "$work/photo36.jpg"
fi

prefix=$dir/wineprefix
"$here/wine-prefix.sh" "$prefix"
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineserver -p  # a warm server: the timings below are the program's own anyway

# Median and fastest wall time in ms of a command run $repeats times.
time_tool() {
  local name=$1; shift
  local ms=()
  for ((i = 0; i < repeats; i++)); do
    local t0 t1
    t0=$(date +%s%N)
    "$@" >/dev/null 2>&1
    t1=$(date +%s%N)
    ms+=($(((t1 - t0) / 1000)))
  done
  printf '%s\n' "${ms[@]}" | sort -n | awk -v n="$name" '{v[NR] = $1} END {printf "%-28s %9.1f %9.1f\n", n, v[int((NR + 1) / 2)] / 1000, v[1] / 1000}'
}

results=$work/results.txt
{
  wine "$dir/bench/bench_HyFileUtils_Image.exe" "$(winepath -w "$work/photo.jpg")" \
    "$(winepath -w "$work/photo.png")" "$(winepath -w "$work/out")" "$repeats" \
    "$(winepath -w "$work/photo36.jpg")" </dev/null
  time_tool ref_djpeg djpeg -outfile /dev/null "$work/photo.jpg"
  time_tool ref_cjpeg_q80 cjpeg -quality 80 -outfile "$work/out/cjpeg.jpg" "$work/photo.ppm"
  time_tool ref_vipsthumbnail vipsthumbnail "$work/photo.jpg" -s 160x120 -o "$work/out/vips.jpg"
  time_tool ref_djpeg_36mp djpeg -outfile /dev/null "$work/photo36.jpg"
  time_tool ref_vipsthumbnail_36mp vipsthumbnail "$work/photo36.jpg" -s 160x120 -o "$work/out/vips36.jpg"
} | tee "$results"
wineserver -k || true

# Ratios of the medians: ours over the reference tool doing the same work.
awk '
  !/^#/ { t[$1] = $2 }
  END {
    printf "\nratios (median, ours / reference):\n"
    printf "  open JPEG          %5.2f x djpeg  (goal 1.5)\n", t["decode_jpeg"] / t["ref_djpeg"]
    printf "  open JPEG, GDI+    %5.2f x djpeg\n", t["decode_jpeg_gdiplus"] / t["ref_djpeg"]
    printf "  save JPEG q80      %5.2f x cjpeg\n", t["save_jpeg_q80"] / t["ref_cjpeg_q80"]
    printf "  thumbnail, full    %5.2f x vipsthumbnail\n", t["thumbnail_160x120_full"] / t["ref_vipsthumbnail"]
    printf "  thumbnail, quick   %5.2f x vipsthumbnail\n", t["thumbnail_160x120_quick"] / t["ref_vipsthumbnail"]
    printf "  open JPEG 36 MP    %5.2f x djpeg\n", t["decode_jpeg_36mp"] / t["ref_djpeg_36mp"]
    printf "  thumbnail 36 MP    %5.2f x vipsthumbnail\n", t["thumbnail_36mp_full"] / t["ref_vipsthumbnail_36mp"]
  }' "$results"
