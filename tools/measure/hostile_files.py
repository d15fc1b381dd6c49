#!/usr/bin/env python3
"""What hostile data files cost velkora-compare: seconds and memory per byte.

Writes one data file of each shape below at the given size, runs the
program on each under /usr/bin/time and prints its wall time, its processor
time (user + system, which a busy machine does not inflate) and its peak
resident memory above that of a run on an empty file, per byte of input.
The program reads the whole file whatever it holds; a file without stored
records ends with its message after the reading, which is what is measured.

Shapes (each as close to SIZE bytes as its unit allows):
  headers      bare section headers, [a1] [a2] ...
  dup-hosts    a new header after every repeat of an earlier one
  keys         one section of tiny keys, k1= k2= ...
  key-each     sections of one tiny key each, [s1] k= [s2] k= ...
  line         one record whose name is one huge line
  numbers      many records whose every value claims a huge number
  count        a record count of 2147483647 over records of a few keys
  duplicates   the same record's three sections over and over

Usage: tools/measure/hostile_files.py [--size BYTES] [--keep DIR]
           [--program PATH] [-- ARGS...]
  (default 8 MiB, build/native/velkora-compare; ARGS go before the file,
  e.g. `-- wine build/win32/velkora-compare.exe` to run another program)
Run it pinned and niced on a shared machine:
  taskset -c 1 nice -n 15 tools/measure/hostile_files.py
"""

import argparse
import os
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))

OPTIONS = b"[VelkoraDataFile]\nVelkoraDataNum=%d\n"
KEYS = (b"SystemName", b"PlatformID", b"Frequency", b"Signature", b"FeatureFlag")


def repeat_until(size, head, unit):
    """head, then unit(i) for i = 1, 2, ... while the file stays within size."""
    parts, total, i = [head], len(head), 1
    while True:
        piece = unit(i)
        if total + len(piece) > size:
            return b"".join(parts)
        parts.append(piece)
        total += len(piece)
        i += 1


def record(n, value):
    sections = (b"SystemInfo-DATA%03d", b"InfoCPU-DATA%03d", b"Velkora-DATA%03d")
    return b"".join(
        b"[" + (s % n) + b"]\n" + b"".join(k + b"=" + value + b"\n" for k in KEYS)
        for s in sections
    )


def shapes(size):
    huge = b"99999999999999999999"
    return {
        "headers": repeat_until(size, b"", lambda i: b"[a%d]\n" % i),
        "dup-hosts": repeat_until(size, b"[d]\n", lambda i: b"[n%d]\n[d]\n" % i),
        "keys": repeat_until(size, b"[s]\n", lambda i: b"k%d=\n" % i),
        "key-each": repeat_until(size, b"", lambda i: b"[s%d]\nk=\n" % i),
        "line": OPTIONS % 1
        + b"[SystemInfo-DATA001]\nSystemName="
        + b"x" * max(0, size - 64)
        + b"\n",
        "numbers": repeat_until(size, OPTIONS % 2147483647, lambda i: record(i, huge)),
        "count": repeat_until(size, OPTIONS % 2147483647, lambda i: record(i, b"1")),
        "duplicates": repeat_until(size, OPTIONS % 1, lambda i: record(1, b"%d" % i)),
    }


def run(command, path):
    """(wall seconds, processor seconds, peak KB, exit status) of one run,
    its output discarded."""
    timed = ["/usr/bin/time", "-f", "%e s %U %S cpu %M KB"] + command + [path, "--records", "1"]
    done = subprocess.run(timed, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    last = done.stderr.decode(errors="replace").strip().splitlines()[-1].split()
    return float(last[0]), float(last[2]) + float(last[3]), int(last[5]), done.returncode


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--size", type=int, default=8 << 20)
    parser.add_argument("--keep", help="write the files into this folder and keep them")
    parser.add_argument("--program", default=os.path.join(ROOT, "build/native/velkora-compare"))
    parser.add_argument("command", nargs="*", help="the program and its first arguments")
    args = parser.parse_args()
    command = args.command or [args.program]

    folder = args.keep or tempfile.mkdtemp(prefix="velkora-hostile-")
    os.makedirs(folder, exist_ok=True)
    empty = os.path.join(folder, "empty.vlk")
    open(empty, "wb").close()
    _, _, base_kb, _ = run(command, empty)
    print("%-11s %10s %6s %6s %9s %10s  %s" % ("shape", "bytes", "wall s", "cpu s", "peak KB", "bytes/byte", "exit"))
    print("%-11s %10d %6s %6s %9d %10s" % ("empty", 0, "", "", base_kb, ""))
    worst = 0.0
    for name, data in shapes(args.size).items():
        path = os.path.join(folder, name + ".vlk")
        with open(path, "wb") as out:
            out.write(data)
        wall, cpu, kb, status = run(command, path)
        per_byte = (kb - base_kb) * 1024.0 / len(data)
        worst = max(worst, per_byte)
        print("%-11s %10d %6.2f %6.2f %9d %10.2f  %d" % (name, len(data), wall, cpu, kb, per_byte, status))
        if not args.keep:
            os.remove(path)
    if not args.keep:
        os.remove(empty)
        os.rmdir(folder)
    print("worst: %.2f bytes per input byte" % worst)
    return 0


if __name__ == "__main__":
    sys.exit(main())
