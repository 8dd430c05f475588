#!/usr/bin/env python3
"""check-resources.py FILE [i386|x86_64]: the built Spindlewave.scr carries a well-formed manifest,
version resource, icon and saver name, and no link time. Prints each fault; exits 1 if any."""
import struct
import sys
import xml.etree.ElementTree as ET

RT_ICON, RT_STRING, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 6, 14, 16, 24
WINDOWS_VISTA_TO_11 = {"{e2011457-1546-43c5-a5fe-008deee3d3f0}", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
                       "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
                       "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}
VERSION_STRINGS = {"FileVersion": "1.0.0", "ProductVersion": "1.0.0", "ProductName": "Spindlewave",
                   "OriginalFilename": "Spindlewave.scr", "FileDescription": "Spindlewave スクリーン セーバー"}


def read_pe(data):
    """(machine, link time, {type: {id: {language: bytes}}}); damaged input raises."""
    (pe,) = struct.unpack_from("<I", data, 0x3C)
    if data[:2] != b"MZ" or data[pe:pe + 4] != b"PE\0\0":
        raise ValueError("not a PE file")
    machine, count, stamp, _, _, optional_size = struct.unpack_from("<HHIIIH", data, pe + 4)
    optional = pe + 24
    directories = optional + (96 if struct.unpack_from("<H", data, optional)[0] == 0x10B else 112)
    (resource_rva,) = struct.unpack_from("<I", data, directories + 16)
    sections = [struct.unpack_from("<IIII", data, optional + optional_size + 40 * i + 8) for i in range(count)]

    def offset(rva):
        for virtual_size, start, raw_size, raw in sections:
            if start <= rva < start + min(virtual_size, raw_size):
                return raw + rva - start
        raise ValueError(f"RVA {rva:#x} lies in no section's data")

    def tree(at, depth):  # type, id, language: three levels, so a looping directory cannot hang
        result = {}
        for i in range(sum(struct.unpack_from("<HH", data, at + 12))):
            name, target = struct.unpack_from("<II", data, at + 16 + 8 * i)
            name = f"named@{name:#x}" if name & 0x80000000 else name
            if depth < 3 and target & 0x80000000:
                result[name] = tree(offset(resource_rva) + (target & 0x7FFFFFFF), depth + 1)
            elif depth == 3 and not target & 0x80000000:
                rva, size = struct.unpack_from("<II", data, offset(resource_rva) + target)
                result[name] = data[offset(rva):offset(rva) + size]
            else:
                raise ValueError("resource directory is not type/id/language")
        return result

    return {0x14C: "i386", 0x8664: "x86_64"}.get(machine, hex(machine)), stamp, tree(offset(resource_rva), 1)


def only(resources, rtype, rid):
    (blob,) = resources[rtype][rid].values()  # exactly one language
    return blob


def version_values(blob, start=0, end=None, path=""):
    """VS_VERSIONINFO as {"/VS_VERSION_INFO/StringFileInfo/041104b0/ProductName": value bytes}."""
    values, end = {}, len(blob) if end is None else end
    while start + 6 <= end:
        length, value_length, kind = struct.unpack_from("<HHH", blob, start)
        if length < 6 or start + length > end:
            raise ValueError("version block has a bad length")
        key_end = start + 6
        while blob[key_end:key_end + 2] not in (b"\0\0", b""):
            key_end += 2
        key = path + "/" + blob[start + 6:key_end].decode("utf-16-le")
        value = (key_end + 5) & ~3
        values[key] = blob[value:value + value_length * (2 if kind == 1 else 1)]
        values.update(version_values(blob, (value + len(values[key]) + 3) & ~3, start + length, key))
        start = (start + length + 3) & ~3
    return values


# Each check yields (failed, message) pairs.
def check_manifest(resources):
    root = ET.fromstring(only(resources, RT_MANIFEST, 1))
    ns = {"v1": "urn:schemas-microsoft-com:asm.v1", "c": "urn:schemas-microsoft-com:compatibility.v1",
          "v3": "urn:schemas-microsoft-com:asm.v3", "ws": "http://schemas.microsoft.com/SMI/2005/WindowsSettings",
          "ws16": "http://schemas.microsoft.com/SMI/2016/WindowsSettings"}
    yield root.tag != "{%s}assembly" % ns["v1"], f"manifest root is {root.tag}, not an asm.v1 assembly"
    controls = [(e.get("version"), e.get("publicKeyToken"), e.get("processorArchitecture"))
                for e in root.iterfind(".//v1:dependentAssembly/v1:assemblyIdentity", ns)
                if e.get("name") == "Microsoft.Windows.Common-Controls"]
    yield controls != [("6.0.0.0", "6595b64144ccf1df", "*")], f"common controls dependency is {controls}"
    systems = {e.get("Id") for e in root.iterfind("c:compatibility/c:application/c:supportedOS", ns)}
    yield WINDOWS_VISTA_TO_11 - systems, f"supported OS list misses {WINDOWS_VISTA_TO_11 - systems}"
    aware = [e.text for e in root.iterfind("v3:application/v3:windowsSettings/ws:dpiAware", ns)]
    yield aware != ["true"], f"dpiAware is {aware}, not one system-aware 'true' (the fallback)"
    # Per monitor, v2 where the system knows it; the list's first form the system knows wins.
    awareness = [e.text for e in root.iterfind("v3:application/v3:windowsSettings/ws16:dpiAwareness", ns)]
    forms = [form.strip() for form in awareness[0].split(",")] if len(awareness) == 1 else []
    yield forms[:1] != ["PerMonitorV2"], f"dpiAwareness is {awareness}, not per-monitor v2 first"


def check_version(resources):
    values = version_values(only(resources, RT_VERSION, 1))
    fixed = struct.unpack("<13I", values["/VS_VERSION_INFO"])
    yield fixed[0] != 0xFEEF04BD, "fixed version information has a bad signature"
    yield fixed[2:6] != (0x10000, 0, 0x10000, 0) or fixed[9] != 1, "fixed version is not application 1.0.0.0"
    table = "%04x%04x" % struct.unpack("<HH", values["/VS_VERSION_INFO/VarFileInfo/Translation"])
    for name, wanted in VERSION_STRINGS.items():
        text = values.get(f"/VS_VERSION_INFO/StringFileInfo/{table}/{name}", b"").decode("utf-16-le").rstrip("\0")
        yield text != wanted, f"version string {name} is {text!r}, not {wanted!r}"


def check_icon_and_name(resources):
    yield next(iter(resources[RT_GROUP_ICON])) != 1, "the first icon group (Explorer shows it) is not IDI_SPINDLEWAVE"
    group, found = only(resources, RT_GROUP_ICON, 1), set()
    for i in range(struct.unpack_from("<H", group, 4)[0]):
        width, _, _, _, _, bits, size, icon = struct.unpack_from("<BBBBHHIH", group, 6 + 14 * i)
        yield len(only(resources, RT_ICON, icon)) != size, f"icon image {icon} is not the size its group says"
        found.add((width, bits))
    yield {(16, 32), (32, 32), (48, 32), (32, 8)} - found, f"icon images are {sorted(found)}"
    block = only(resources, RT_STRING, 1)  # strings 0-15; string 1 names the saver in the system's list
    skip = struct.unpack_from("<H", block, 0)[0] * 2
    name = block[4 + skip:4 + skip + 2 * struct.unpack_from("<H", block, 2 + skip)[0]].decode("utf-16-le")
    yield name != "Spindlewave", f"string 1 is {name!r}, not 'Spindlewave'"


def check(path, machine=None):
    try:
        found_machine, stamp, resources = read_pe(open(path, "rb").read())
    except (OSError, ValueError, struct.error) as error:
        return [f"cannot read the file: {error}"]
    faults = [f"machine is {found_machine}, not {machine}"] if machine and found_machine != machine else []
    faults += ["the PE header carries a link time, so builds differ"] if stamp != 0 else []
    for step in (check_manifest, check_version, check_icon_and_name):
        try:
            for failed, message in step(resources):
                faults += [message] if failed else []
        except (KeyError, ValueError, struct.error, UnicodeDecodeError, ET.ParseError, RecursionError) as error:
            faults.append(f"{step.__name__}: missing or malformed ({error!r})")
    return faults


if __name__ == "__main__":
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    problems = check(sys.argv[1], sys.argv[2] if len(sys.argv) == 3 else None)
    print("\n".join(f"{sys.argv[1]}: {p}" for p in problems) or "resources are in order")
    sys.exit(1 if problems else 0)
