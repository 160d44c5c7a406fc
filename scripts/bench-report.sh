#!/usr/bin/env bash
# Runs every benchmark once and writes the whole table (operation, size, ours,
# each peer, ratio, quality) into docs/BENCHMARKS.md:
#   scripts/bench-report.sh [repeats of the image files, default 3]
# The host programs run through scripts/bench.sh (Google Benchmark, JSON),
# the image files through scripts/bench-images.sh (Wine beside the host
# peers), composition while dragging through scripts/bench-composition.sh;
# scripts/bench-report.py composes the page. A few minutes.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/common.sh"

# On a busy machine the figures do not reproduce: refuse before the minutes of
# running (bench-report.py checks again before it writes).
load=$(cut -d' ' -f1 /proc/loadavg)
if awk -v l="$load" -v n="$(nproc)" 'BEGIN { exit !(l > n) }'; then
  lm_say "load $load above $(nproc) processors: not running; docs/BENCHMARKS.md is left as it is"
  exit 1
fi

out=$LM_BUILD/bench-report
rm -rf "$out"
mkdir -p "$out"
LM_BENCH_JSON=$out "$here/bench.sh"
"$here/bench-images.sh" "${1:-3}"
"$here/bench-composition.sh" >/dev/null
/usr/bin/python3 "$here/bench-report.py" "$out" "$LM_BUILD/bench-win64/images/results.txt" "$LM_ROOT/docs/BENCHMARKS.md" \
  "$LM_BUILD/bench-win64/composition.txt"
