#!/usr/bin/env python3
"""Checks that every include names its room and that the room is one the
including file's target links (rooms.txt, written by CMake in the build tree,
lists each room's folder, or a program's one source file, and its links).
Also rejects two files anywhere in the tree that include each other, a file
and its header counting as one.
Usage: check-includes.py BUILD_DIR"""
import os
import re
import subprocess
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def read_rooms(build):
    rooms = {}
    with open(os.path.join(build, 'rooms.txt'), encoding='utf-8') as f:
        for line in f:
            parts = line.split()
            if len(parts) >= 2:
                rooms[parts[0]] = (parts[1].rstrip('/'), parts[2:])
    return rooms


def closure(rooms, name):
    seen, todo = set(), [name]
    while todo:
        room = todo.pop()
        if room in seen or room not in rooms:
            continue
        seen.add(room)
        todo.extend(rooms[room][1])
    return seen


def room_of(rooms, path):
    best = None
    for name, (folder, _) in rooms.items():
        if path == folder:
            return name  # a program of its own, as each test is
        if path.startswith(folder + '/') and (best is None or len(folder) > len(rooms[best][0])):
            best = name
    return best


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    top = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    rooms = read_rooms(sys.argv[1])
    listed = subprocess.run(['git', '-C', top, 'ls-files', '-co', '--exclude-standard',
                             '*.cpp', '*.h'], capture_output=True, text=True, check=True)
    problems = []
    edges = {}
    for path in listed.stdout.split():
        if not os.path.exists(os.path.join(top, path)):
            continue
        room = room_of(rooms, path)
        allowed = closure(rooms, room) if room else None
        with open(os.path.join(top, path), encoding='utf-8', errors='replace') as f:
            text = f.read()
        for header in INCLUDE.findall(text):
            if '/' not in header:
                if not os.path.exists(os.path.join(top, os.path.dirname(path), header)):
                    if room:  # tools outside the rooms set their own include paths
                        problems.append(f'{path}: "{header}" names no room')
                    continue
                header = os.path.join(os.path.dirname(path), header)
            elif not os.path.exists(os.path.join(top, header)):
                continue  # not one of ours
            owner = room_of(rooms, header)
            if allowed is not None and owner not in allowed:
                problems.append(f'{path}: includes "{header}" from {owner or "no room"}, '
                                f'which {room} does not link')
            mine, theirs = os.path.splitext(path)[0], os.path.splitext(header)[0]
            if mine != theirs:
                edges.setdefault(mine, set()).add(theirs)
    for a, targets in sorted(edges.items()):
        for b in sorted(targets):
            if a < b and a in edges.get(b, set()):
                problems.append(f'{a} and {b} include each other')
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main())
