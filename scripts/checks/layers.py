#!/usr/bin/env python3
"""Checks the layering of src/: every #include that crosses from one component
to another must follow an allowed edge, and Windows-only code stays in win/
folders.

  layers.py [repository root]

Exits non-zero and lists each offending line. Run by ctest as
host.check_layers."""
import os
import re
import sys

# Components, lowest first. A component may include itself and what its row
# lists (and, transitively, nothing else: list every edge it uses).
ALLOWED = {
    'framework/runtime':  [],
    'framework/graphics': ['framework/runtime'],
    'framework/controls': ['framework/runtime', 'framework/graphics'],
    'Component/Raster32': ['framework/runtime', 'framework/graphics', 'framework/controls'],
    'document/base':      ['framework/runtime', 'Component/Raster32'],
    'filters':            ['framework/runtime', 'Component/Raster32', 'document/base'],
    'gdiplus':            ['framework/runtime', 'framework/graphics', 'Component/Raster32'],
    'foundation/crypto':  ['framework/runtime'],
    'foundation':         ['framework/runtime', 'framework/graphics', 'framework/controls',
                           'Component/Raster32', 'filters', 'gdiplus', 'foundation/crypto',
                           'document/base'],
    'document':           ['framework/runtime', 'framework/graphics', 'framework/controls',
                           'Component/Raster32', 'filters', 'gdiplus', 'foundation',
                           'foundation/crypto', 'document/base'],
    'skin/model':         ['framework/runtime', 'framework/graphics', 'framework/controls',
                           'Component/Raster32', 'filters', 'gdiplus', 'foundation',
                           'foundation/crypto'],
    'skin/controls':      ['framework/runtime', 'framework/graphics', 'framework/controls',
                           'Component/Raster32', 'filters', 'gdiplus', 'foundation',
                           'foundation/crypto', 'skin/model'],
    'skin/frame':         ['framework/runtime', 'framework/graphics', 'framework/controls',
                           'Component/Raster32', 'filters', 'gdiplus', 'foundation',
                           'foundation/crypto', 'skin/model', 'skin/controls'],
    'dialogs':            ['framework/runtime', 'framework/graphics', 'framework/controls',
                           'Component/Raster32', 'filters', 'gdiplus', 'foundation',
                           'foundation/crypto', 'document/base', 'document', 'skin/model',
                           'skin/controls', 'skin/frame'],
    'shell':              ['framework/runtime', 'framework/graphics', 'framework/controls',
                           'Component/Raster32', 'filters', 'gdiplus', 'foundation',
                           'foundation/crypto', 'document/base', 'document', 'skin/model',
                           'skin/controls', 'skin/frame', 'dialogs'],
    'app':                ['framework/runtime', 'framework/graphics', 'framework/controls',
                           'Component/Raster32', 'filters', 'gdiplus', 'foundation',
                           'foundation/crypto', 'document/base', 'document', 'skin/model',
                           'skin/controls', 'skin/frame', 'dialogs', 'shell'],
}
# The build-time tools are programs of their own, compiled from portable sources.
TOOLS = {'foundation/langtool': 'foundation', 'foundation/packtool': 'foundation', 'skin/skintool': 'skin/model'}

# System headers that only exist on Windows.
WINDOWS_HEADERS = re.compile(
    r'^(windows|winsock2|ws2tcpip|wincrypt|winspool|commctrl|commdlg|shlobj|shellapi|shlwapi|'
    r'objidl|ole2|oleidl|olectl|unknwn|uxtheme|dwmapi|gdiplus.*|wininet|mmsystem|richedit|'
    r'winuser|wingdi|winbase|tlhelp32|psapi|process|io|direct|intrin\.h.*)\.h$', re.I)

def component(rel):
    """The component of a path relative to src/ (or None for a file at the top)."""
    for tool, owner in TOOLS.items():
        if rel.startswith(tool + '/'):
            return tool
    parts = rel.split('/')
    for n in (2, 1):
        key = '/'.join(parts[:n])
        if key in ALLOWED and len(parts) > n:
            return key
    return None

def in_win(rel):
    return '/win/' in '/' + rel

def main():
    root = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else
                           os.path.join(os.path.dirname(__file__), '..', '..'))
    src = os.path.join(root, 'src')
    bad = []
    inc = re.compile(r'^\s*#\s*include\s+([<"])([^>"]+)[>"]')
    cond = re.compile(r'^\s*#\s*(if|ifdef|ifndef|elif|else|endif)\b(.*)')
    for dp, _, fn in os.walk(src):
        for f in sorted(fn):
            if not f.endswith(('.h', '.cpp', '.inc')):
                continue
            path = os.path.join(dp, f)
            rel = os.path.relpath(path, src).replace(os.sep, '/')
            comp = component(rel)
            if comp is None:
                bad.append(f'{rel}: not in a known component (add it to {__file__})')
                continue
            stack = []  # True for each open #if that only holds on Windows
            with open(path, encoding='utf-8', errors='replace') as fh:
                for no, line in enumerate(fh, 1):
                    c = cond.match(line)
                    if c:
                        kw, rest = c.group(1), c.group(2)
                        if kw in ('if', 'ifdef', 'ifndef'):
                            stack.append(kw != 'ifndef' and '_WIN32' in rest and '!' not in rest)
                        elif kw in ('else', 'elif') and stack:
                            stack[-1] = False
                        elif kw == 'endif' and stack:
                            stack.pop()
                        continue
                    m = inc.match(line)
                    if not m:
                        continue
                    kind, target = m.groups()
                    guarded = any(stack)
                    where = f'{rel}:{no}: #include {kind}{target}{">" if kind == "<" else kind}'
                    if kind == '<':
                        if WINDOWS_HEADERS.match(os.path.basename(target)) and not in_win(rel) \
                                and not guarded and comp != 'app':
                            bad.append(where + ' (a Windows header outside a win/ folder)')
                        continue
                    if '/' not in target:
                        continue  # a header beside the file (the tools' own)
                    tcomp = component(target)
                    if tcomp is None:
                        continue  # not a path under src/
                    if in_win(target) and not in_win(rel) and not guarded and comp != 'app':
                        bad.append(where + ' (a portable unit includes a Windows-only unit)')
                    if comp in TOOLS:
                        if in_win(target):
                            bad.append(where + ' (a build tool includes a Windows-only unit)')
                        comp_check = TOOLS[comp]
                    else:
                        comp_check = comp
                    if tcomp != comp_check and tcomp not in ALLOWED[comp_check] and tcomp not in TOOLS:
                        bad.append(where + f' ({comp_check} may not include {tcomp})')
    for b in bad:
        print(b)
    print(f'layers: {len(bad)} problem(s)')
    return 1 if bad else 0

if __name__ == '__main__':
    sys.exit(main())
