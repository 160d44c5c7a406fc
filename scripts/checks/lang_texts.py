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
                for number, line in enumerate(f, 1):
                    for m in CALL.finditer(line):
                        key = (int(m.group(1)), int(m.group(2)))
                        if not have.get(key):
                            missing.append('%s:%d: text (%d, %d) is not in texts.tsv in both languages'
                                           % (os.path.relpath(path, root), number, key[0], key[1]))
    for m in missing:
        print(m)
    return 1 if missing else 0


if __name__ == '__main__':
    sys.exit(main())
