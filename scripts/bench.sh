#!/usr/bin/env bash
# Builds the benchmarks in a release host build and runs each of them:
#   scripts/bench.sh [filter]      e.g. scripts/bench.sh 'BlendRow|PixmanOver'
# The filter is Google Benchmark's --benchmark_filter (a regular expression).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/common.sh"

dir=$LM_ROOT/build/bench
cmake -G Ninja -S "$LM_ROOT" -B "$dir" -DLM_BENCH=ON -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$dir" -j "${LM_JOBS:-4}"

filter=${1:-.}
status=0
while IFS= read -r exe; do
  lm_say "running ${exe#"$dir"/}"
  "$exe" --benchmark_filter="$filter" || status=1
done < <(find "$dir/bench" -type f -name 'bench_*' -perm -u+x | sort)
exit $status
