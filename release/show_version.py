#!/usr/bin/env python3
"""Prints the version resource of each program given: the fixed file and
product versions and every string (what Explorer's Properties show)."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from pe_file import PeError, PeFile, version_strings  # noqa: E402

status = 0
for program in sys.argv[1:]:
    try:
        with open(program, "rb") as file:
            block = PeFile(file.read()).version_resource()
        if block is None:
            raise PeError("no version resource")
        print(program)
        for key, value in version_strings(block).items():
            print("  %-17s %s" % (key, value))
    except (OSError, PeError) as error:
        print("%s: %s" % (program, error), file=sys.stderr)
        status = 1
sys.exit(status)
