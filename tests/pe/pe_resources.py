"""Reads the resources of a PE file (Spindlewave.scr) without any Windows tool: headers, the
resource directory tree, and the few resource formats the checks look into."""
import struct


class PeError(Exception):
    """The file is not what a check expects; the message says what and where."""


MACHINES = {0x14C: "i386", 0x8664: "x86_64"}
RT_ICON, RT_STRING, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 6, 14, 16, 24


def _unpack(fmt, data, offset, what):
    size = struct.calcsize(fmt)
    if offset < 0 or offset + size > len(data):
        raise PeError(f"{what}: runs past the end of the file (offset {offset})")
    return struct.unpack_from(fmt, data, offset)


class PeFile:
    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise PeError("not a PE file: no MZ header")
        (pe_offset,) = _unpack("<I", data, 0x3C, "DOS header")
        if data[pe_offset:pe_offset + 4] != b"PE\0\0":
            raise PeError("not a PE file: no PE signature")
        coff = pe_offset + 4
        self.machine, sections, self.timestamp, _, _, optional_size, _ = _unpack(
            "<HHIIIHH", data, coff, "COFF header")
        optional = coff + 20
        (magic,) = _unpack("<H", data, optional, "optional header")
        if magic == 0x10B:
            directories = optional + 96
        elif magic == 0x20B:
            directories = optional + 112
        else:
            raise PeError(f"unknown optional header magic {magic:#x}")
        (count,) = _unpack("<I", data, directories - 4, "optional header")
        self.resource_rva, self.resource_size = (
            _unpack("<II", data, directories + 16, "data directories") if count > 2 else (0, 0))
        self.sections = []
        table = optional + optional_size
        for i in range(sections):
            fields = _unpack("<8sIIII", data, table + 40 * i, "section table")
            _, virtual_size, rva, raw_size, raw_offset = fields
            self.sections.append((rva, max(virtual_size, raw_size), raw_offset, raw_size))

    def offset_of(self, rva, size, what):
        for start, span, raw_offset, raw_size in self.sections:
            if start <= rva and rva + size <= start + span:
                offset = raw_offset + (rva - start)
                if rva + size - start > raw_size or offset + size > len(self.data):
                    raise PeError(f"{what}: lies outside the file's data")
                return offset
        raise PeError(f"{what}: RVA {rva:#x} is in no section")

    def resources(self):
        """{type: {name: {language: bytes}}}; names and types are ints or strings."""
        if self.resource_rva == 0 or self.resource_size == 0:
            raise PeError("the file has no resources")
        base = self.offset_of(self.resource_rva, 16, "resource directory")
        seen = set()

        def entry_name(value):
            if value & 0x80000000:
                at = base + (value & 0x7FFFFFFF)
                (length,) = _unpack("<H", self.data, at, "resource name")
                return self.data[at + 2:at + 2 + 2 * length].decode("utf-16-le", "replace")
            return value

        def directory(offset, depth):
            if offset in seen or depth > 3:
                raise PeError("resource directory loops")
            seen.add(offset)
            _, _, _, _, named, numbered = _unpack("<IIHHHH", self.data, offset, "resource directory")
            result = {}
            for i in range(named + numbered):
                name, target = _unpack("<II", self.data, offset + 16 + 8 * i, "resource entry")
                key = entry_name(name)
                if target & 0x80000000:
                    if depth == 3:
                        raise PeError("resource tree deeper than type/name/language")
                    result[key] = directory(base + (target & 0x7FFFFFFF), depth + 1)
                else:
                    if depth != 3:
                        raise PeError("resource data above the language level")
                    rva, size, _, _ = _unpack("<IIII", self.data, base + target, "resource data entry")
                    start = self.offset_of(rva, size, "resource data")
                    result[key] = self.data[start:start + size]
            return result

        return directory(base, 1)


def single(resources, rtype, name, what):
    """The one language version of a resource; a missing or doubled one is a fault."""
    languages = resources.get(rtype, {}).get(name)
    if not languages:
        raise PeError(f"{what} (type {rtype}, id {name}) is missing")
    if len(languages) != 1:
        raise PeError(f"{what} (type {rtype}, id {name}) is present {len(languages)} times")
    return next(iter(languages.values()))


def parse_version_info(blob):
    """VS_VERSIONINFO -> (fixed file info fields, {table key: {name: value}}, translations)."""

    def node(offset, end):
        length, value_length, kind = _unpack("<HHH", blob, offset, "version block")
        if length < 6 or offset + length > end:
            raise PeError("version block has a bad length")
        key_end = offset + 6
        while True:
            if key_end + 2 > offset + length:
                raise PeError("version block key is not terminated")
            if blob[key_end:key_end + 2] == b"\0\0":
                break
            key_end += 2
        key = blob[offset + 6:key_end].decode("utf-16-le")
        value_start = (key_end + 2 + 3) & ~3
        value_bytes = value_length * 2 if kind == 1 else value_length
        value = blob[value_start:value_start + value_bytes]
        children_start = (value_start + value_bytes + 3) & ~3
        return key, kind, value, children_start, offset + length

    def children(start, end):
        offset = start
        while offset < end:
            child = node(offset, end)
            yield child
            offset = (child[4] + 3) & ~3

    key, _, fixed, start, end = node(0, len(blob))
    if key != "VS_VERSION_INFO":
        raise PeError(f"version resource key is {key!r}")
    if len(fixed) != 52:
        raise PeError("version resource has no fixed file information")
    fields = struct.unpack("<13I", fixed)
    if fields[0] != 0xFEEF04BD:
        raise PeError("version resource's fixed information has a bad signature")
    tables, translations = {}, []
    for child_key, _, _, child_start, child_end in children(start, end):
        if child_key == "StringFileInfo":
            for table_key, _, _, table_start, table_end in children(child_start, child_end):
                strings = {}
                for name, _, value, _, _ in children(table_start, table_end):
                    strings[name] = value.decode("utf-16-le").rstrip("\0")
                tables[table_key] = strings
        elif child_key == "VarFileInfo":
            for var_key, _, value, _, _ in children(child_start, child_end):
                if var_key == "Translation":
                    translations += [struct.unpack_from("<HH", value, i)
                                     for i in range(0, len(value) - 3, 4)]
    return fields, tables, translations


def parse_group_icon(blob):
    """GRPICONDIR -> [(width, height, bit count, bytes, icon id)]."""
    reserved, kind, count = _unpack("<HHH", blob, 0, "icon group")
    if reserved != 0 or kind != 1:
        raise PeError("icon group header is not an icon directory")
    if len(blob) < 6 + 14 * count:
        raise PeError("icon group is shorter than its entry count")
    entries = []
    for i in range(count):
        width, height, _, _, _, bits, size, icon_id = struct.unpack_from("<BBBBHHIH", blob, 6 + 14 * i)
        entries.append((width or 256, height or 256, bits, size, icon_id))
    return entries


def string_from_table(resources, string_id):
    """A string of the string table, or None when it is not there."""
    block = resources.get(RT_STRING, {}).get(string_id // 16 + 1)
    if not block:
        return None
    data = next(iter(block.values()))
    offset = 0
    for index in range(16):
        (length,) = _unpack("<H", data, offset, "string table")
        text = data[offset + 2:offset + 2 + 2 * length].decode("utf-16-le")
        if index == string_id % 16:
            return text
        offset += 2 + 2 * length
    return None
