#!/usr/bin/env python3
"""The table of what the program is made of: every piece of the design, the
units (header and source pairs under src/) that build it and the test programs
that cover it. The map lives beside this script (parts-map.tsv: number, title,
units, tests and, optionally, what is still missing; units relative to src/
without extension, tests by program name; an empty units cell means not built
yet, a fifth cell that the piece is built in part). The page docs/PARTS.md is written
from it.
Usage: parts.py REPO_ROOT            check: every unit and test named exists,
                                     every test is named in a CMake list, the page is current
       parts.py REPO_ROOT --write    rewrite docs/PARTS.md"""
import os
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
WORD = re.compile(r'\w+')


def read_map(path):
    rows = []
    with open(path, encoding='utf-8') as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip('\n')
            if not line or line.startswith('#'):
                continue
            cells = line.split('\t')
            if len(cells) not in (4, 5):
                sys.exit('%s:%d: expected 4 or 5 tab-separated cells, found %d' % (path, number, len(cells)))
            missing = cells[4].strip() if len(cells) == 5 else ''
            rows.append((number, cells[0], cells[1], cells[2].split(), cells[3].split(), missing))
    return rows


def test_programs(root):
    """Test programs by name: the file that holds them and whether a CMake list registers them."""
    files, registered = {}, set()
    for folder, _, names in os.walk(os.path.join(root, 'tests')):
        for name in names:
            path = os.path.join(folder, name)
            if name.startswith('test_') and name.endswith('.cpp'):
                files[name[:-4]] = os.path.relpath(path, root)
            elif name == 'CMakeLists.txt':
                with open(path, encoding='utf-8') as f:
                    # Programs are registered by lm_test, by helper functions and by
                    # foreach lists of unit names: any mention counts.
                    for word in WORD.findall(f.read()):
                        registered.update((word, 'test_' + word))
    return files, registered


def page(rows):
    built = sum(1 for r in rows if r[3] and not r[5])
    partly = sum(1 for r in rows if r[3] and r[5])
    out = ['# What the program is made of', '',
           'Written by `scripts/checks/parts.py REPO --write` from `scripts/checks/parts-map.tsv`; do not edit by '
           'hand (the check `host.check_parts` fails when this page, the map, the code and the tests disagree). '
           'Each row is one piece of the design: the units under `src/` that build it and the test programs that '
           'cover it.', '',
           '%d of %d pieces built, %d in part, %d not yet.' % (built, len(rows), partly, len(rows) - built - partly),
           '', '| piece | what | units | tests | still missing |', '|---|---|---|---|---|']
    for _, num, title, units, tests, missing in rows:
        out.append('| %s | %s | %s | %s | %s |' % (num, title.replace('|', '/'),
                                                   '<br>'.join('`%s`' % u for u in units) or '**not built**',
                                                   '<br>'.join('`%s`' % t for t in tests) or '**none**',
                                                   missing.replace('|', '/')))
    return '\n'.join(out) + '\n'


def main():
    root = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else '.')
    write = '--write' in sys.argv[2:]
    rows = read_map(os.path.join(HERE, 'parts-map.tsv'))
    files, registered = test_programs(root)
    faults = []
    seen = set()
    for line, num, _, units, tests, _ in rows:
        if num in seen:
            faults.append('map line %d: %s listed twice' % (line, num))
        seen.add(num)
        for unit in units:
            if not any(os.path.isfile(os.path.join(root, 'src', unit + ext)) for ext in ('.h', '.cpp')):
                faults.append('map line %d: %s: no unit src/%s.h or .cpp' % (line, num, unit))
        for test in tests:
            if test not in files:
                faults.append('map line %d: %s: no test program %s.cpp under tests/' % (line, num, test))
            elif test not in registered:
                faults.append('map line %d: %s: %s is not named in any tests/ CMake list' % (line, num, test))
        if units and not tests:
            faults.append('map line %d: %s: built but no test named' % (line, num))
    text = page(rows)
    target = os.path.join(root, 'docs', 'PARTS.md')
    if write:
        with open(target, 'w', encoding='utf-8') as f:
            f.write(text)
    else:
        try:
            with open(target, encoding='utf-8') as f:
                current = f.read()
        except OSError:
            current = None
        if current != text:
            faults.append('docs/PARTS.md is not current: run scripts/checks/parts.py . --write')
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == '__main__':
    sys.exit(main())
