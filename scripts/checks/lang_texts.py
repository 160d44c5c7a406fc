#!/usr/bin/env python3
"""Every language text the program asks for by literal (group, number) --
GetLangText(g, n) calls and the Lang(g, n)/LangColon(g, n) entries of the
shell's text tables -- must be in resources/lang/texts.tsv, in both languages.
GetLangText raises on a missing entry, so a gap would be an error at run time.
Usage: lang_texts.py REPO_ROOT"""
import os
import re
import sys

CALL = re.compile(r'\b(?:GetLangText|Lang|LangColon)\(\s*(\d+)\s*,\s*(\d+)\s*[,)]')
# A unit's own one-argument helper over one group, e.g.
#   String Lang(Integer Index) { return GetLangText(1, Index); }
HELPER = re.compile(r'\bString\s+(\w+)\s*\(\s*Integer\s+(\w+)\s*\)\s*\{\s*return\s+GetLangText\(\s*(\d+)\s*,\s*\2\s*\)')


def texts(root):
    have = {}
    with open(os.path.join(root, 'resources', 'lang', 'texts.tsv'), encoding='utf-8') as f:
        for line in f:
            line = line.rstrip('\n')
            if not line or line.startswith('#'):
                continue
            cells = line.split('\t')
            if len(cells) >= 4:
                have[(int(cells[0]), int(cells[1]))] = cells[2] != '' and cells[3] != ''
    return have


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else '.'
    have = texts(root)
    missing = []
    for folder, _, files in os.walk(os.path.join(root, 'src')):
        for name in files:
            if not name.endswith(('.cpp', '.h')):
                continue
            path = os.path.join(folder, name)
            with open(path, encoding='utf-8', errors='replace') as f:
                lines = f.readlines()
            helpers = [(re.compile(r'(?<![\w.>:])' + h.group(1) + r'\(\s*(\d+)\s*\)'), int(h.group(3)))
                       for h in HELPER.finditer(''.join(lines))]
            for number, line in enumerate(lines, 1):
                keys = [(int(m.group(1)), int(m.group(2))) for m in CALL.finditer(line)]
                for pattern, group in helpers:
                    keys += [(group, int(m.group(1))) for m in pattern.finditer(line)]
                for key in keys:
                    if not have.get(key):
                        missing.append('%s:%d: text (%d, %d) is not in texts.tsv in both languages'
                                       % (os.path.relpath(path, root), number, key[0], key[1]))
    for m in missing:
        print(m)
    return 1 if missing else 0


if __name__ == '__main__':
    sys.exit(main())
