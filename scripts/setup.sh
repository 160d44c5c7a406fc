#!/usr/bin/env bash
# Installs everything the build needs, non-interactively and idempotently:
# Debian packages, and libjpeg-turbo, libpng, giflib and libdeflate cross-built for both
# mingw targets from Debian's own source packages into a versioned cache.
# A second run installs nothing and builds nothing.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=scripts/common.sh
source "$here/common.sh"

packages=(
  build-essential cmake ninja-build ccache nasm pkg-config dpkg-dev lld
  mingw-w64 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  gcc-mingw-w64-x86-64-posix gcc-mingw-w64-i686-posix libz-mingw-w64-dev
  wine wine64 xvfb xauth x11-utils xdotool imagemagick
  fonts-wine fonts-liberation fonts-wqy-microhei fonts-dejavu-core
  googletest libgtest-dev libbenchmark-dev
  zlib1g-dev libdeflate-dev libjpeg62-turbo-dev libpng-dev libgif-dev python3
  cups printer-driver-cups-pdf poppler-utils
)
# The printing tests print to a PDF queue of a cupsd that scripts/test.sh starts
# with a private configuration (scripts/cups.sh); Wine prints through CUPS.
# The benchmarks' peers are installed by scripts/bench.sh, the fuzzers' clang
# by hand (docs/DEVELOPING.md): neither is needed to build and test.

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
  lm_say "installing Debian packages: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq </dev/null
  apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null >/dev/null
fi

# The cross-built image libraries, one cache folder per source version and target.
"$here/build-deps.sh"
