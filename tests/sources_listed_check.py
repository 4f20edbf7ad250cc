#!/usr/bin/env python3
"""Every C++ source of the project is named in a CMake file: the build lists
its sources one by one, so a new file that nobody listed would otherwise be
silently left out. A source counts as listed when a CMakeLists.txt or .cmake
file in its folder or a folder above names it by its path from there.
Prints each source that is not and fails."""
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
TREES = ("src", "tests", "bench", "fuzz", "tools")


def cmake_files(folder):
    names = sorted(os.listdir(os.path.join(ROOT, folder)))
    return [os.path.join(folder, n) for n in names
            if n == "CMakeLists.txt" or n.endswith(".cmake")]


def is_named(source):
    folder = os.path.dirname(source)
    while True:
        relative = os.path.relpath(source, folder or ".")
        # The path as a word of its own: after a space, a quote, a bracket
        # or a variable's folder, and before a space, a quote or a bracket.
        pattern = re.compile(r'(^|[\s"(/])' + re.escape(relative) + r'($|[\s")])', re.M)
        for cmake in cmake_files(folder):
            with open(os.path.join(ROOT, cmake), encoding="utf-8") as text:
                if pattern.search(text.read()):
                    return True
        if not folder:
            return False
        folder = os.path.dirname(folder)


def main():
    sources = []
    for tree in TREES:
        for folder, _, files in os.walk(os.path.join(ROOT, tree)):
            sources += [os.path.relpath(os.path.join(folder, f), ROOT)
                        for f in files if f.endswith(".cpp")]
    unlisted = [s for s in sorted(sources) if not is_named(s)]
    for source in unlisted:
        print(f"not listed in any CMake file: {source}")
    print(f"{len(sources) - len(unlisted)} of {len(sources)} C++ sources listed")
    return 1 if unlisted else 0


if __name__ == "__main__":
    sys.exit(main())
