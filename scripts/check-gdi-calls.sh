#!/usr/bin/env bash
# Fails when code outside the units that own GDI handles creates, deletes or
# releases brushes, pens and contexts itself: everything else draws through
# the scoped types of Graphics (docs/CONVENTIONS.md, "Scoped GDI").
#   scripts/check-gdi-calls.sh [source root]      (ctest: check_GdiCalls)
set -euo pipefail
root=${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
cd "$root"

# The only files that may make these calls, as patterns relative to the root.
allowed=(
  'src/framework/*Graphics.h'                       # the scoped types, drawing objects, pictures
  'src/framework/*Graphics.cpp'
  'src/Component/Raster32/*Ras32_Backends_GDI.cpp'  # owns its DIB section and its context
  'src/gdiplus/*'                                   # GDI+'s own ReleaseDC method
)
calls='CreateSolidBrush|CreatePen|CreatePenIndirect|ExtCreatePen|CreateBrushIndirect|CreateHatchBrush|CreatePatternBrush|CreateDIBPatternBrushPt|DeleteObject|DeleteDC|ReleaseDC'
# A call of the platform's function (a member of that name, obj.X( or T::X(, is not one).
pattern="(^|[^.>:[:alnum:]_])(::)?($calls)[[:space:]]*\("

failed=0
while IFS= read -r hit; do
  file=${hit%%:*}
  rest=${hit#*:}
  line=${rest%%:*}
  code=${rest#*:}
  skip=0
  for a in "${allowed[@]}"; do
    # shellcheck disable=SC2053
    [[ $file == $a ]] && skip=1 && break
  done
  ((skip)) && continue
  # Comments may name the calls.
  grep -qE "$pattern" <<<"${code%%//*}" || continue
  echo "$file:$line: GDI handle made or freed outside the scoped types: $code"
  failed=1
done < <(grep -rnE --include='*.cpp' --include='*.h' --include='*.inc' "$pattern" src || true)

if ((failed)); then
  echo "Use the scoped types of Graphics (TSolidBrush, TSolidPen, TClientDC, TWindowDC, TPaintDC," \
       "TSavedDC, TSelectedObject, TRegion, TGdiObject) or list the file in $0."
  exit 1
fi
echo "GDI calls: only in the allowed files"
