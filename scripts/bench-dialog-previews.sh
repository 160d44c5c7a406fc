#!/usr/bin/env bash
# One preview of the perspective and frame dialogs on a 12-megapixel picture
# (4000 x 3000), by a release win64 build under Wine on a display of its own:
#   scripts/bench-dialog-previews.sh [repeats]     (default 10)
# Prints milliseconds per preview (median and fastest) beside one copy of the
# picture, and whether each stays under the 300 ms goal.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/common.sh"
source "$here/configure.sh"

repeats=${1:-10}
"$here/setup.sh"
lm_bench_win64 bench_FramePerspectivePreview
lm_bench_display
"$here/wine-exec.sh" "$prefix" "$dir/bench/bench_FramePerspectivePreview.exe" "$repeats"
