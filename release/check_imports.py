#!/usr/bin/env python3
"""Checks that every program given imports only functions that the list
file exports by name (lines DLL!function; DLL names compare without regard
to case, as Windows' loader does). Prints each import the list lacks and
exits with 1 when there is one, 2 when a file cannot be read.

    check_imports.py release/xp-exports.txt build/shipped/velkora.exe ..."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from pe_file import PeError, PeFile  # noqa: E402


def read_list(path):
    allowed = set()
    with open(path, encoding="ascii") as lines:
        for line in lines:
            line = line.strip()
            if line and not line.startswith("#"):
                dll, _, name = line.partition("!")
                allowed.add((dll.lower(), name))
    return allowed


def main(args):
    if len(args) < 2:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    allowed = read_list(args[0])
    missing = 0
    for program in args[1:]:
        try:
            with open(program, "rb") as file:
                imports = PeFile(file.read()).imports()
        except (OSError, PeError) as error:
            print("%s: cannot read its imports: %s" % (program, error), file=sys.stderr)
            return 2
        if not imports:
            print("%s: no imports found: not a program of ours?" % program, file=sys.stderr)
            return 2
        lacking = sorted({"%s!%s" % (dll, name) for dll, name in imports if (dll.lower(), name) not in allowed})
        for name in lacking:
            print("%s: imports %s, which is not in %s" % (program, name, args[0]))
        missing += len(lacking)
        if not lacking:
            print("%s: all %d imports are in %s" % (program, len(imports), os.path.basename(args[0])))
    return 1 if missing else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
