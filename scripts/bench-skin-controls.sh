#!/usr/bin/env bash
# A skinned slider's thumb dragged on a form of 30 other skinned controls: a
# release win64 build under Wine on a display of its own times each of STEPS
# drag steps (handled and painted), counts the paints of the slider and of the
# others, and times the whole form repainted per step beside it. Once in the
# built-in look, once in the built-in skin "Rire". Then a menu of 10, 40 and
# 200 items opened 50 times each: the skinned engine's Popup to the first paint
# of its level beside the platform's own popup menu of the same items (same
# two looks).
# A 1,000-item skinned list box scrolled by STEPS wheel notches beside the
# platform's owner-drawn list box of the same items (same two looks).
#   scripts/bench-skin-controls.sh [steps]        (default 300)
# The lines go to build/bench-win64/skin-controls.txt as well.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/common.sh"
source "$here/configure.sh"

steps=${1:-300}
"$here/setup.sh"
lm_bench_win64 bench_SkinSliderDrag bench_SkinListScroll bench_SkinMenuPopup lm_builtin_skin
lm_bench_display
skin=$(find "$dir" -name Rire.skn | head -n 1)
{
  "$here/wine-exec.sh" "$prefix" "$dir/bench/bench_SkinSliderDrag.exe" "$steps"
  "$here/wine-exec.sh" "$prefix" "$dir/bench/bench_SkinSliderDrag.exe" "$steps" "$(WINEPREFIX=$prefix winepath -w "$skin" 2>/dev/null)"
  "$here/wine-exec.sh" "$prefix" "$dir/bench/bench_SkinListScroll.exe" "$steps"
  "$here/wine-exec.sh" "$prefix" "$dir/bench/bench_SkinListScroll.exe" "$steps" "$(WINEPREFIX=$prefix winepath -w "$skin" 2>/dev/null)"
  "$here/wine-exec.sh" "$prefix" "$dir/bench/bench_SkinMenuPopup.exe" 50
  "$here/wine-exec.sh" "$prefix" "$dir/bench/bench_SkinMenuPopup.exe" 50 "$(WINEPREFIX=$prefix winepath -w "$skin" 2>/dev/null)"
} | tee "$dir/skin-controls.txt"
