#!/usr/bin/env bash
# Image files on a 6000 x 4000 photo: the program's decoder, writers and
# thumbnails (a release win64 build under Wine) against the peers in memory
# on the host in the same run (TurboJPEG, libvips, Pillow: peers_Images),
# with the ratios.
#   scripts/bench-images.sh [repeats]        (default 5; medians are compared)
# The picture is made once (ImageMagick) and kept in the build folder. The
# lines go to build/bench-win64/images/results.txt as well (read by
# scripts/bench-report.sh).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/common.sh"

repeats=${1:-5}
"$here/setup.sh"
# The peers run in a host program; Pillow in Debian's Python.
peers=(libturbojpeg0-dev libvips-dev python3-pil imagemagick libjpeg-turbo-progs libvips-tools time)
missing=()
for p in "${peers[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  lm_say "installing the peers: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq </dev/null
  apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null >/dev/null
fi

dir=$LM_BUILD/bench-win64
cmake -G Ninja -S "$LM_ROOT" -B "$dir" -DLM_CONFIG=win64 -DLM_BENCH=ON \
  -DCMAKE_TOOLCHAIN_FILE="$LM_ROOT/cmake/toolchain-win64.cmake" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CXX_FLAGS_RELEASE=-O2 -DCMAKE_C_FLAGS_RELEASE=-O2 \
  -DLM_DEPS_PREFIX="$LM_DEPS_CACHE/x86_64-w64-mingw32" >/dev/null
cmake --build "$dir" -j "$LM_JOBS" --target bench_HyFileUtils_Image >/dev/null
host=$LM_BUILD/bench
cmake -G Ninja -S "$LM_ROOT" -B "$host" -DLM_BENCH=ON -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$host" -j "$LM_JOBS" --target peers_Images >/dev/null

work=$dir/images
mkdir -p "$work/out"
if [[ ! -f $work/photo36.jpg ]]; then
  lm_say "making the 7200 x 5000 (36 megapixel) test photo"
  convert -seed 11 -size 1800x1250 plasma:fractal -resize '7200x5000!' -attenuate 0.2 +noise Gaussian \
    -quality 92 "$work/photo36.jpg"
fi
if [[ ! -f $work/photo.png ]]; then
  lm_say "making the 6000 x 4000 test photo"
  # A smooth fractal landscape with a little grain: compresses like a photo.
  convert -seed 7 -size 1500x1000 plasma:fractal -resize '6000x4000!' -attenuate 0.2 +noise Gaussian \
    -quality 92 "$work/photo.jpg"
  convert "$work/photo.jpg" "$work/photo.png"
fi

prefix=$dir/wineprefix
"$here/wine-prefix.sh" "$prefix"
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineserver -p  # a warm server: the timings below are the program's own anyway

# Median and fastest wall time in ms of a command run $repeats times (the
# command-line peers of the 36-megapixel rows: djpeg, vipsthumbnail).
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
  # Peak memory from outside: the system's largest resident size of a run
  # that makes the thumbnail, and of one that opens the whole picture, less
  # that of a run that only starts and ends (Wine's own share).
  peak_kb() { /usr/bin/time -f %M wine "$dir/bench/bench_HyFileUtils_Image.exe" --peak "$1" \
    "$(winepath -w "$work/photo36.jpg")" </dev/null 2>&1 >/dev/null | tail -n1; }
  awk -v b="$(peak_kb none)" -v t="$(peak_kb thumbnail)" -v w="$(peak_kb open)" 'BEGIN {
    printf "peak_mb_thumbnail_36mp %.1f\npeak_mb_open_36mp %.1f\n", (t - b) / 1024, (w - b) / 1024 }'
  time_tool ref_djpeg_36mp djpeg -outfile /dev/null "$work/photo36.jpg"
  time_tool ref_vipsthumbnail_36mp vipsthumbnail "$work/photo36.jpg" -s 160x120 -o "$work/out/vips36.jpg"
  "$host/bench/foundation/peers_Images" "$work/photo.jpg" "$work/photo.png" "$repeats"
} | tee "$results"
wineserver -k || true

# The PNG the program wrote must open elsewhere with the same pixels.
if /usr/bin/python3 - "$work/photo.jpg" "$work/out/out.png" <<'PY'
import sys
from PIL import Image
a = Image.open(sys.argv[1]).convert('RGB')
b = Image.open(sys.argv[2]); b.load()
sys.exit(0 if b.mode == 'RGB' and a.tobytes() == b.tobytes() else 1)
PY
then echo "png_check_pillow same_pixels" | tee -a "$results"; else echo "png_check_pillow DIFFERENT" | tee -a "$results"; fi
if [[ $(compare -metric AE "$work/photo.jpg" "$work/out/out.png" null: 2>&1) == 0 ]]; then
  echo "png_check_imagemagick same_pixels" | tee -a "$results"
else
  echo "png_check_imagemagick DIFFERENT" | tee -a "$results"
fi

# Ratios of the medians: ours over the peer doing the same work.
awk '
  !/^#/ { t[$1] = $2; b[$1] = $4 }
  END {
    printf "\nratios (median, ours / peer; below 1 is faster):\n"
    printf "  open JPEG (file, new bitmap) %5.2f x TurboJPEG (memory, new buffer)  (goal 1.2)\n", t["open_jpeg"] / t["peer_turbojpeg_new_buffer"]
    printf "  JPEG decode, reused memory   %5.2f x TurboJPEG (memory, reused buffer)\n", t["jpeg_memory_reused_bitmap"] / t["peer_turbojpeg_reused_buffer"]
    printf "  save JPEG q80 (file)         %5.2f x TurboJPEG encode (memory)\n", t["save_jpeg_q80"] / t["peer_turbojpeg_encode_q80"]
    printf "  PNG level 6, 1 thread        %5.2f x Pillow default (level 6)  (goal 1)\n", t["png_memory_level6_1_thread"] / t["pillow_png_level6"]
    printf "  PNG level 6, all threads     %5.2f x Pillow default  (goal 0.25)\n", t["png_memory_level6_all_threads"] / t["pillow_png_level6"]
    printf "  save PNG (file, default)     %5.2f x Pillow default\n", t["save_png"] / t["pillow_png_level6"]
    split(b["png_memory_level6_1_thread"], s, "=")
    printf "  PNG size at level 6          %5.3f x Pillow default\n", s[2] / t["pillow_png_level6_bytes"]
    printf "  thumbnail 160x120            %5.2f x vips_thumbnail (one process, 1 thread)\n", t["thumbnail_160x120_full"] / t["peer_vips_thumbnail_1_thread"]
    printf "  open JPEG 36 MP (file)       %5.2f x djpeg (file)\n", t["open_jpeg_36mp"] / t["ref_djpeg_36mp"]
    printf "  thumbnail 36 MP (file)       %5.2f x vipsthumbnail (file)\n", t["thumbnail_36mp_full"] / t["ref_vipsthumbnail_36mp"]
  }' "$results"
