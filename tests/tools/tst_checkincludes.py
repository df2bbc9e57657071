#!/usr/bin/env python3
"""Runs tools/check-includes.py on small made-up trees and compares what it
says. Usage: tst_checkincludes.py REPOSITORY_ROOT"""
import os
import shutil
import subprocess
import sys
import tempfile

ROOMS = 'low lib/low\nhigh lib/high low\ntests tests\none tests/one.cpp low tests\n'

# (what the case shows, files of the tree, expected lines, expected status)
CASES = [
    ('one way is fine',
     {'lib/low/a.h': '', 'lib/high/b.h': '#include "lib/low/a.h"\n'}, [], 0),
    ('two headers of one room',
     {'lib/low/a.h': '#include "lib/low/b.h"\n', 'lib/low/b.h': '#include "lib/low/a.h"\n'},
     ['lib/low/a and lib/low/b include each other'], 1),
    ('a file and its header count as one',
     {'lib/low/a.h': '', 'lib/low/a.cpp': '#include "lib/low/b.h"\n',
      'lib/low/b.h': '', 'lib/low/b.cpp': '#include "lib/low/a.h"\n'},
     ['lib/low/a and lib/low/b include each other'], 1),
    ('outside every room too',
     {'tools/x.cpp': '#include "y.h"\n', 'tools/y.h': '#include "tools/x.h"\n', 'tools/x.h': ''},
     ['tools/x and tools/y include each other'], 1),
    ('a tool finds its headers its own way',
     {'tools/m.cpp': '#include "art.h"\n', 'tools/art/art.h': ''}, [], 0),
    ('a room not linked',
     {'lib/high/b.h': '', 'lib/low/a.h': '#include "lib/high/b.h"\n'},
     ['lib/low/a.h: includes "lib/high/b.h" from high, which low does not link'], 1),
    ('a program links its own rooms, not its neighbours in the folder',
     {'lib/low/a.h': '', 'tests/help.h': '',
      'tests/one.cpp': '#include "lib/low/a.h"\n#include "help.h"\n',
      'tests/two.cpp': '#include "lib/low/a.h"\n'},
     ['tests/two.cpp: includes "lib/low/a.h" from low, which tests does not link'], 1),
    ('a program including a room it does not link',
     {'lib/high/b.h': '', 'tests/one.cpp': '#include "lib/high/b.h"\n'},
     ['tests/one.cpp: includes "lib/high/b.h" from high, which one does not link'], 1),
]


def run_case(root, files):
    with tempfile.TemporaryDirectory() as top:
        os.makedirs(os.path.join(top, 'tools'))
        shutil.copy(os.path.join(root, 'tools', 'check-includes.py'), os.path.join(top, 'tools'))
        for path, text in files.items():
            os.makedirs(os.path.dirname(os.path.join(top, path)), exist_ok=True)
            with open(os.path.join(top, path), 'w', encoding='utf-8') as f:
                f.write(text)
        os.makedirs(os.path.join(top, 'build'))
        with open(os.path.join(top, 'build', 'rooms.txt'), 'w', encoding='utf-8') as f:
            f.write(ROOMS)
        subprocess.run(['git', 'init', '-q', top], check=True)
        result = subprocess.run([sys.executable, os.path.join(top, 'tools', 'check-includes.py'),
                                 os.path.join(top, 'build')], capture_output=True, text=True)
        return result.stdout.splitlines(), result.returncode


def main():
    failed = 0
    for name, files, lines, status in CASES:
        got = run_case(sys.argv[1], files)
        if got != (lines, status):
            print(f'FAIL {name}: expected {(lines, status)}, got {got}')
            failed += 1
    print(f'{len(CASES) - failed} of {len(CASES)} cases pass')
    return 1 if failed else 0


if __name__ == '__main__':
    sys.exit(main())
