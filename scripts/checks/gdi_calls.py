#!/usr/bin/env python3
"""Checks that code outside the units that own GDI handles never creates,
deletes or releases brushes, pens and contexts itself: everything else draws
through the scoped types of Graphics (docs/design/graphics.md, "Scoped GDI").

  gdi_calls.py [repository root]

Exits non-zero and lists each offending line. Run by ctest as
host.check_gdi_calls."""
import fnmatch
import os
import re
import sys

# The only files that may make these calls (patterns relative to src/).
ALLOWED = [
    'framework/graphics/win/Graphics.h',            # the scoped types, drawing objects, pictures
    'framework/graphics/win/Graphics.cpp',
    'framework/graphics/win/Metafile.cpp',          # a picture class of the graphics layer
    'Component/Raster32/win/Ras32_Backends_GDI.cpp',  # owns its DIB section and its context
    'framework/controls/win/Printers.cpp',          # owns the printer's context
    'gdiplus/win/*',                                 # GDI+'s own ReleaseDC method
]
CALLS = ('CreateSolidBrush', 'CreatePen', 'CreatePenIndirect', 'ExtCreatePen', 'CreateBrushIndirect',
         'CreateHatchBrush', 'CreatePatternBrush', 'CreateDIBPatternBrushPt', 'DeleteObject', 'DeleteDC',
         'ReleaseDC')
# A call of the platform's function; a member of that name (obj.X(, p->X(, T::X() is not one.
CALL = re.compile(r'(?:^|[^.>:\w])(?:::)?(' + '|'.join(CALLS) + r')\s*\(')

def main():
    root = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else
                           os.path.join(os.path.dirname(__file__), '..', '..'))
    src = os.path.join(root, 'src')
    bad = []
    for dp, _, fn in os.walk(src):
        for f in sorted(fn):
            if not f.endswith(('.h', '.cpp', '.inc')):
                continue
            path = os.path.join(dp, f)
            rel = os.path.relpath(path, src).replace(os.sep, '/')
            if any(fnmatch.fnmatch(rel, a) for a in ALLOWED):
                continue
            with open(path, encoding='utf-8', errors='replace') as fh:
                for no, line in enumerate(fh, 1):
                    code = line.split('//', 1)[0]  # comments may name the calls
                    m = CALL.search(code)
                    if m:
                        bad.append(f'src/{rel}:{no}: {m.group(1)} outside the scoped types of Graphics: '
                                   f'{line.strip()}')
    for b in bad:
        print(b)
    if bad:
        print('Use TSolidBrush, TSolidPen, TPaintDC, TClientDC, TWindowDC, TMemoryDC, TSavedDC, '
              f'TSelectedObject, TRegion or TGdiObject, or list the file in {__file__}.')
    print(f'gdi_calls: {len(bad)} problem(s)')
    return 1 if bad else 0

if __name__ == '__main__':
    sys.exit(main())
