#!/usr/bin/env python3
"""check_layers.py SRC: fails, naming file and line, where a source folder
includes a peer or a folder above it, or where the program calls the ANSI
form of a Windows function (text is UTF-16 inside: the W forms)."""
import os
import re
import sys

LAYERS = ['base', 'settings language', 'controls skin', 'transparency update', 'windows', 'shell', 'app']
RANK = {folder: rank for rank, line in enumerate(LAYERS) for folder in line.split()}
ANSI = re.compile(r'::[A-Z]\w*[a-z0-9]A\(|\b(WNDCLASS(EX)?|MENUITEMINFO|NOTIFYICONDATA|TCITEM|CREATESTRUCT|TTTOOLINFO|'
                  r'MAKEINTRESOURCE|LOGFONT|NONCLIENTMETRICS|WIN32_FIND_DATA)A\b|\b\w+_CLASS(NAME)?A\b|'
                  r'\b(TCM|TTM|TBM|LVM|TVM)_\w+A\b')
wrong = []
for folder in sorted(os.listdir(sys.argv[1])):
    for name in sorted(os.listdir(os.path.join(sys.argv[1], folder))):
        path = os.path.join(sys.argv[1], folder, name)
        with open(path, encoding='utf-8', errors='replace') as file:
            for number, line in enumerate(file, 1):
                used = re.match(r'\s*#\s*include\s*"(\w+)/', line)
                if used and used[1] != folder and RANK.get(used[1], 99) >= RANK.get(folder, -1):
                    wrong.append(f'{path}:{number}: {folder} includes {used[1]}')
                ansi = ANSI.search(line.split('//')[0]) if name.endswith(('.cpp', '.h')) else None
                if ansi:
                    wrong.append(f'{path}:{number}: ANSI form {ansi[0]}')
print('\n'.join(wrong) or 'layers: every include goes down, every call is a wide one')
sys.exit(1 if wrong else 0)
