#!/usr/bin/env bash
# Builds the benchmarks in a release host build and runs each of them:
#   scripts/bench.sh [filter]      e.g. scripts/bench.sh 'BlendRow|PixmanOver'
# The filter is Google Benchmark's --benchmark_filter (a regular expression).
# LM_BENCH_JSON=folder also writes each program's results there as JSON
# (scripts/bench-report.sh reads them).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/common.sh"

# The peers the benchmarks run against, from Debian (with the C interfaces
# of libvips and ImageMagick that run in the benchmark's own process).
peers=(libpixman-1-dev libvips-tools libvips-dev imagemagick libmagickcore-dev libmagickcore-6.q16-dev
       python3-pil libjpeg-turbo-progs libturbojpeg0-dev)
missing=()
for p in "${peers[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  lm_say "installing the benchmarks' peers: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq </dev/null
  apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null >/dev/null
fi

dir=$LM_ROOT/build/bench
cmake -G Ninja -S "$LM_ROOT" -B "$dir" -DLM_BENCH=ON -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$dir" -j "${LM_JOBS:-4}"

filter=${1:-.}
status=0
while IFS= read -r exe; do
  lm_say "running ${exe#"$dir"/}"
  json=()
  if [[ -n ${LM_BENCH_JSON:-} ]]; then
    mkdir -p "$LM_BENCH_JSON"
    json=(--benchmark_out="$LM_BENCH_JSON/$(basename "$exe").json" --benchmark_out_format=json)
  fi
  "$exe" --benchmark_filter="$filter" "${json[@]}" || status=1
done < <(find "$dir/bench" -type f -name 'bench_*' -perm -u+x | sort)
exit $status
