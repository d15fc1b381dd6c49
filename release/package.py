#!/usr/bin/env python3
"""Writes the release archive: the two programs, the guides in the
encodings Notepad on Windows XP shows, the history, the licence and
SHA256SUMS of all of them. The same inputs and date give the same bytes:
entries in a fixed order, each with the date of the commit, fixed
attributes and compression.

    package.py ZIP DATE PROGRAM_DIR SOURCE_DIR

DATE is seconds since 1970 (the commit's time, SOURCE_DATE_EPOCH)."""

import hashlib
import os
import sys
import time
import zipfile

# Name in the archive, file in the source tree or the build, encoding.
# The Japanese guide is Shift_JIS (code page 932) with CRLF: Notepad on a
# Japanese Windows XP opens a file without a byte-order mark in the ANSI
# code page, which is 932 there, as every other viewer and `type` do. The
# other texts are ASCII with CRLF, which every Windows shows alike.
TEXTS = [
    ("README-ja.txt", "release/guide-ja.txt", "cp932"),
    ("README-en.txt", "release/guide-en.txt", "ascii"),
    ("HISTORY.txt", "release/HISTORY.txt", "ascii"),
    ("LICENSE.txt", "LICENSE", "ascii"),
]
PROGRAMS = ["velkora.exe", "velkora-driver.exe"]


def windows_text(path, encoding):
    with open(path, encoding="utf-8") as file:
        text = file.read()
    # A character the encoding lacks stops the release rather than turning
    # into a question mark in the user's guide.
    return text.replace("\r\n", "\n").replace("\n", "\r\n").encode(encoding, "strict")


def main(args):
    if len(args) != 4:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    archive, date, programs, source = args[0], int(args[1]), args[2], args[3]
    files = []
    for name in PROGRAMS:
        with open(os.path.join(programs, name), "rb") as file:
            files.append((name, file.read()))
    for name, path, encoding in TEXTS:
        files.append((name, windows_text(os.path.join(source, path), encoding)))
    sums = "".join("%s *%s\n" % (hashlib.sha256(data).hexdigest(), name) for name, data in files)
    files.append(("SHA256SUMS", sums.encode("ascii")))

    # Zip times are local times from 1980 on, two seconds apart.
    stamp = time.gmtime(max(date, 315532800))[:6]
    folder = os.path.splitext(os.path.basename(archive))[0]
    temporary = archive + ".part"
    with zipfile.ZipFile(temporary, "w") as out:
        for name, data in files:
            entry = zipfile.ZipInfo("%s/%s" % (folder, name), stamp)
            entry.compress_type = zipfile.ZIP_DEFLATED
            entry.create_system = 0  # MS-DOS attributes: what Explorer expects
            entry.external_attr = 0x20  # archive bit, no Unix mode
            out.writestr(entry, data, compresslevel=9)
    os.replace(temporary, archive)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
