"""A small reader of Windows PE files: the functions a program imports and
the texts of its version resource. Every offset is checked against the
file's size, so a damaged file gives a PeError, never a crash or a read
past its end; the work is bounded by the bytes present."""

import struct


class PeError(Exception):
    pass


class PeFile:
    def __init__(self, data):
        self.data = data
        if self._u16(0) != 0x5A4D:
            raise PeError("no MZ header")
        pe = self._u32(0x3C)
        if self._bytes(pe, 4) != b"PE\0\0":
            raise PeError("no PE signature")
        sections, optional_size = self._u16(pe + 6), self._u16(pe + 20)
        optional = pe + 24
        magic = self._u16(optional)
        if magic == 0x10B:
            self.thunk_size, directories = 4, optional + 96
        elif magic == 0x20B:
            self.thunk_size, directories = 8, optional + 112
        else:
            raise PeError("unknown optional header 0x%x" % magic)
        count = self._u32(directories - 4)
        self.directories = [
            (self._u32(directories + 8 * i), self._u32(directories + 8 * i + 4))
            for i in range(min(count, 16))
        ]
        table = optional + optional_size
        self.sections = []
        for i in range(sections):
            entry = table + 40 * i
            size, rva, raw_size, raw = struct.unpack_from("<IIII", self._bytes(entry + 8, 16))
            self.sections.append((rva, max(size, raw_size), raw, raw_size))

    def _bytes(self, offset, size):
        if offset < 0 or offset + size > len(self.data):
            raise PeError("offset 0x%x is past the end of the file" % offset)
        return self.data[offset : offset + size]

    def _u16(self, offset):
        return struct.unpack("<H", self._bytes(offset, 2))[0]

    def _u32(self, offset):
        return struct.unpack("<I", self._bytes(offset, 4))[0]

    def offset(self, rva):
        for start, size, raw, raw_size in self.sections:
            if start <= rva < start + size and rva - start < raw_size:
                return raw + rva - start
        raise PeError("address 0x%x is in no section" % rva)

    def _text(self, rva):
        start = self.offset(rva)
        end = self.data.find(b"\0", start)
        if end < 0:
            raise PeError("unterminated name at 0x%x" % rva)
        return self.data[start:end].decode("ascii", "replace")

    def _directory(self, index):
        return self.directories[index] if index < len(self.directories) else (0, 0)

    def imports(self):
        """(dll, name) for every function imported by name, (dll, "#ordinal")
        for one imported by ordinal; ordinary and delay-loaded imports."""
        found = []
        # Import directory: 20-byte descriptors, names at 12, thunks at 0 or 16.
        # Delay-load directory: 32-byte descriptors, name at 4, names at 16.
        for index, size, name_at, thunks_at in ((1, 20, 12, (0, 16)), (13, 32, 4, (16,))):
            rva, _ = self._directory(index)
            if rva == 0:
                continue
            descriptor = self.offset(rva)
            while True:
                fields = self._bytes(descriptor, size)
                if fields == bytes(size):
                    break
                dll = self._text(struct.unpack_from("<I", fields, name_at)[0])
                thunk = next(t for t in (struct.unpack_from("<I", fields, at)[0] for at in thunks_at) if t)
                found += [(dll, name) for name in self._thunk_names(thunk)]
                descriptor += size
        return found

    def _thunk_names(self, rva):
        at = self.offset(rva)
        ordinal_flag = 1 << (8 * self.thunk_size - 1)
        while True:
            (value,) = struct.unpack("<Q" if self.thunk_size == 8 else "<I", self._bytes(at, self.thunk_size))
            if value == 0:
                return
            if value & ordinal_flag:
                yield "#%d" % (value & 0xFFFF)
            else:
                yield self._text(value + 2)  # past the hint
            at += self.thunk_size

    def version_resource(self):
        """The bytes of the first RT_VERSION resource, or None."""
        rva, _ = self._directory(2)
        if rva == 0:
            return None
        root = self.offset(rva)
        entry = self._find_entry(root, root, 16)
        for _ in range(2):  # the name level, then the language level
            if entry is None or not entry & 0x80000000:
                return None
            entry = self._first_entry(root, root + (entry & 0x7FFFFFFF))
        if entry is None or entry & 0x80000000:
            return None
        data_rva, size = struct.unpack_from("<II", self._bytes(root + entry, 8))
        return self._bytes(self.offset(data_rva), size)

    def _entries(self, root, directory):
        named, numbered = struct.unpack_from("<HH", self._bytes(directory + 12, 4))
        for i in range(named + numbered):
            yield struct.unpack_from("<II", self._bytes(directory + 16 + 8 * i, 8))

    def _find_entry(self, root, directory, ident):
        return next((target for name, target in self._entries(root, directory) if name == ident), None)

    def _first_entry(self, root, directory):
        return next((target for _, target in self._entries(root, directory)), None)


def version_strings(block):
    """The fixed file and product versions and every string of a version
    resource, as a dict (FileVersion#, ProductVersion# and the string names)."""
    found = {}

    def walk(at, end):
        while at + 6 <= end:
            length, value_length, kind = struct.unpack_from("<HHH", block, at)
            if length < 6 or at + length > end:
                raise PeError("damaged version block at %d" % at)
            key_end = at + 6
            while key_end + 2 <= at + length and block[key_end : key_end + 2] != b"\0\0":
                key_end += 2
            key = block[at + 6 : key_end].decode("utf-16-le", "replace")
            value = (key_end + 2 + 3) & ~3
            if key == "VS_VERSION_INFO" and value_length >= 52:
                ms, ls, pms, pls = struct.unpack_from("<IIII", block, value + 8)
                found["FileVersion#"] = "%d.%d.%d.%d" % (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)
                found["ProductVersion#"] = "%d.%d.%d.%d" % (pms >> 16, pms & 0xFFFF, pls >> 16, pls & 0xFFFF)
            elif kind == 1 and value_length and key not in ("StringFileInfo", "VarFileInfo"):
                text = block[value : value + 2 * value_length].decode("utf-16-le", "replace")
                found[key] = text.rstrip("\0")
            size = 2 * value_length if kind == 1 else value_length
            children = (value + size + 3) & ~3
            if key in ("VS_VERSION_INFO", "StringFileInfo") or len(key) == 8:
                walk(children, at + length)
            at = (at + length + 3) & ~3

    walk(0, len(block))
    return found
