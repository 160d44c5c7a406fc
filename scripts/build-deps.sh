#!/usr/bin/env bash
# Cross-builds libjpeg-turbo, libpng, giflib and libdeflate as static libraries for both
# mingw targets, from Debian's source packages, into $LM_DEPS_CACHE/<triplet>.
# zlib comes from Debian's own mingw package. Reused when already complete.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/common.sh"

cache=$LM_DEPS_CACHE
[[ -f $cache/.complete ]] && exit 0

lm_say "building the image libraries for mingw into $cache"

# apt-get source needs deb-src entries; Debian 12 keeps them in deb822 files.
if ! grep -rqsE '^(Types:.*deb-src|deb-src )' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  lm_say "enabling Debian source packages"
  if [[ -f /etc/apt/sources.list.d/debian.sources ]]; then
    sed -i -E 's/^Types: deb$/Types: deb deb-src/' /etc/apt/sources.list.d/debian.sources
  else
    sed -n -E 's/^deb (.*)$/deb-src \1/p' /etc/apt/sources.list > /etc/apt/sources.list.d/lumatra-src.list
  fi
  apt-get update -qq </dev/null
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
# A mirror may lack the newest version of a source package: take the newest
# one that downloads.
fetch_source() {
  local pkg=$1 ver
  for ver in $(apt-cache showsrc "$pkg" | sed -n 's/^Version: //p' | sort -rV | uniq); do
    apt-get source -qq "$pkg=$ver" </dev/null >/dev/null 2>&1 && return 0
    rm -rf "./${pkg}"[-_]*
  done
  lm_say "cannot fetch the source package $pkg"
  return 1
}
lm_say "fetching the source packages of libjpeg-turbo, libpng, giflib and libdeflate"
for pkg in libjpeg-turbo libpng1.6 giflib libdeflate; do fetch_source "$pkg"; done
jpeg_src=$(find . -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n1)
png_src=$(find . -maxdepth 1 -type d -name 'libpng1.6-*' | head -n1)
gif_src=$(find . -maxdepth 1 -type d -name 'giflib-*' | head -n1)
deflate_src=$(find . -maxdepth 1 -type d -name 'libdeflate-*' | head -n1)
[[ -n $jpeg_src && -n $png_src && -n $gif_src && -n $deflate_src ]] || { lm_say "source packages missing"; exit 1; }

for bits in 64 32; do
  tc=$LM_ROOT/cmake/toolchain-win$bits.cmake
  if [[ $bits == 64 ]]; then triplet=x86_64-w64-mingw32; else triplet=i686-w64-mingw32; fi
  prefix=$cache/$triplet
  mkdir -p "$prefix/lib" "$prefix/include"
  lm_say "building them for $triplet (about 20 s)"

  # -Wno-dev: the libraries' CMake files warn their own developers, and a
  # first run would show that as if it were ours.
  cmake -G Ninja -Wno-dev -S "$jpeg_src" -B "jpeg-$bits" -DCMAKE_TOOLCHAIN_FILE="$tc" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_JPEG8=ON \
    -DCMAKE_POSITION_INDEPENDENT_CODE=OFF >/dev/null
  cmake --build "jpeg-$bits" -j "$LM_JOBS" >/dev/null
  cmake --install "jpeg-$bits" >/dev/null

  cmake -G Ninja -Wno-dev -S "$png_src" -B "png-$bits" -DCMAKE_TOOLCHAIN_FILE="$tc" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
    -DZLIB_ROOT=/usr/$triplet >/dev/null
  cmake --build "png-$bits" -j "$LM_JOBS" >/dev/null
  cmake --install "png-$bits" >/dev/null

  mkdir -p "gif-$bits"
  for c in dgif_lib egif_lib gifalloc gif_err gif_font gif_hash openbsd-reallocarray quantize; do
    [[ -f $gif_src/$c.c ]] && $triplet-gcc-posix -O2 -c "$gif_src/$c.c" -o "gif-$bits/$c.o"
  done
  $triplet-ar rcs "$prefix/lib/libgif.a" gif-$bits/*.o
  cp "$gif_src/gif_lib.h" "$prefix/include/"

  # libdeflate (the PNG writer's deflate): its library sources, the x86
  # routines chosen at run time included.
  mkdir -p "deflate-$bits"
  for c in "$deflate_src"/lib/*.c "$deflate_src"/lib/x86/*.c; do
    $triplet-gcc-posix -O2 -I"$deflate_src" -c "$c" -o "deflate-$bits/$(basename "${c%.c}").o"
  done
  $triplet-ar rcs "$prefix/lib/libdeflate.a" deflate-$bits/*.o
  cp "$deflate_src/libdeflate.h" "$prefix/include/"
done

{
  echo "libjpeg-turbo ${jpeg_src#./libjpeg-turbo-}"
  echo "libpng ${png_src#./libpng1.6-}"
  echo "giflib ${gif_src#./giflib-}"
  echo "libdeflate ${deflate_src#./libdeflate-}"
} > "$cache/VERSIONS"
touch "$cache/.complete"
lm_say "image libraries ready: $(tr '\n' ' ' < "$cache/VERSIONS")"
