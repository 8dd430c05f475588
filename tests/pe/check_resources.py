#!/usr/bin/env python3
"""check_resources.py FILE [MACHINE]: the built Spindlewave.scr carries a well-formed manifest,
version resource, icon and saver name, and its header has no link time (reproducible builds).
Exits 0 when every check holds; otherwise prints each fault and exits 1."""
import sys
import xml.etree.ElementTree as ET
from pathlib import Path

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, str(Path(__file__).resolve().parent))
import pe_resources as pe  # noqa: E402

VERSION = (1, 0, 0, 0)
VERSION_TEXT = "1.0.0"
COMMON_CONTROLS_TOKEN = "6595b64144ccf1df"
SUPPORTED_OS = {
    "{e2011457-1546-43c5-a5fe-008deee3d3f0}": "Windows Vista",
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}": "Windows 7",
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}": "Windows 8",
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}": "Windows 8.1",
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}": "Windows 10 and 11",
}
ASM_V1 = "{urn:schemas-microsoft-com:asm.v1}"
ASM_V3 = "{urn:schemas-microsoft-com:asm.v3}"
COMPAT = "{urn:schemas-microsoft-com:compatibility.v1}"
WS_2005 = "{http://schemas.microsoft.com/SMI/2005/WindowsSettings}"


def check_manifest(resources, faults):
    text = pe.single(resources, pe.RT_MANIFEST, 1, "manifest")
    try:
        root = ET.fromstring(text)
    except ET.ParseError as error:
        faults.append(f"manifest is not well-formed XML: {error}")
        return
    if root.tag != ASM_V1 + "assembly" or root.get("manifestVersion") != "1.0":
        faults.append("manifest root is not an asm.v1 assembly of version 1.0")
    controls = [identity for identity in root.iter(ASM_V1 + "assemblyIdentity")
                if identity.get("name") == "Microsoft.Windows.Common-Controls"]
    if len(controls) != 1:
        faults.append("manifest does not depend on Microsoft.Windows.Common-Controls exactly once")
    else:
        identity = controls[0]
        if identity.get("version") != "6.0.0.0":
            faults.append(f"common controls version is {identity.get('version')}, not 6.0.0.0")
        if (identity.get("publicKeyToken") or "").lower() != COMMON_CONTROLS_TOKEN:
            faults.append("common controls dependency has the wrong public key token")
        if identity.get("processorArchitecture") != "*" or identity.get("type") != "win32":
            faults.append("common controls dependency is not for every architecture (win32, *)")
    found = {(os.get("Id") or "").lower() for os in root.iter(COMPAT + "supportedOS")}
    for guid, name in SUPPORTED_OS.items():
        if guid not in found:
            faults.append(f"manifest does not list {name} as a supported OS")
    aware = [element.text for element in root.iter(WS_2005 + "dpiAware")]
    if [(value or "").strip().lower() for value in aware] != ["true"]:
        faults.append(f"manifest's dpiAware is {aware}, not one system-aware 'true'")
    levels = [element.get("level") for element in root.iter(ASM_V3 + "requestedExecutionLevel")]
    if levels not in ([], ["asInvoker"]):
        faults.append(f"manifest asks for execution level {levels}")


def check_version(resources, faults):
    blob = pe.single(resources, pe.RT_VERSION, 1, "version resource")
    fields, tables, translations = pe.parse_version_info(blob)
    file_version = (fields[2] >> 16, fields[2] & 0xFFFF, fields[3] >> 16, fields[3] & 0xFFFF)
    product_version = (fields[4] >> 16, fields[4] & 0xFFFF, fields[5] >> 16, fields[5] & 0xFFFF)
    if file_version != VERSION or product_version != VERSION:
        faults.append(f"fixed version is {file_version} / {product_version}, not {VERSION}")
    if fields[9] != 1:  # VFT_APP
        faults.append(f"file type is {fields[9]}, not an application")
    if len(translations) != 1:
        faults.append(f"version resource names {len(translations)} translations, not one")
        return
    language, codepage = translations[0]
    key = f"{language:04x}{codepage:04x}"
    strings = tables.get(key)
    if strings is None:
        faults.append(f"no string table {key} for the translation the resource names")
        return
    wanted = {"FileVersion": VERSION_TEXT, "ProductVersion": VERSION_TEXT,
              "ProductName": "Spindlewave", "OriginalFilename": "Spindlewave.scr"}
    for name, value in wanted.items():
        if strings.get(name) != value:
            faults.append(f"version string {name} is {strings.get(name)!r}, not {value!r}")
    for name in ("FileDescription", "CompanyName", "LegalCopyright"):
        if not strings.get(name, "").strip():
            faults.append(f"version string {name} is missing or empty")
    if "Spindlewave" not in strings.get("FileDescription", ""):
        faults.append("file description does not name Spindlewave")


def check_icon(resources, faults):
    groups = resources.get(pe.RT_GROUP_ICON, {})
    # Explorer shows the first icon group; IDI_SPINDLEWAVE must be it.
    numbered = sorted(name for name in groups if isinstance(name, int))
    named = [name for name in groups if not isinstance(name, int)]
    if named or not numbered or numbered[0] != 1:
        faults.append(f"the first icon group is not IDI_SPINDLEWAVE (1): {named + numbered}")
        if 1 not in groups:
            return
    entries = pe.parse_group_icon(pe.single(resources, pe.RT_GROUP_ICON, 1, "icon group"))
    sizes = set()
    for width, height, bits, size, icon_id in entries:
        try:
            image = pe.single(resources, pe.RT_ICON, icon_id, f"{width}x{height} icon image")
        except pe.PeError as error:
            faults.append(str(error))
            continue
        if len(image) != size:
            faults.append(f"icon image {icon_id} holds {len(image)} bytes, its group says {size}")
        if image[:8] == b"\x89PNG\r\n\x1a\n":
            sizes.add((width, bits))
            continue
        header = pe.struct.unpack_from("<IiiHH", image, 0) if len(image) >= 16 else None
        if header is None or header[0] != 40 or header[1] != width or header[2] != 2 * height \
                or header[4] != bits:
            faults.append(f"icon image {icon_id} is not a {width}x{height} {bits}-bit bitmap")
            continue
        sizes.add((width, bits))
    for width in (16, 32, 48):
        if (width, 32) not in sizes:
            faults.append(f"the icon has no {width}x{width} image in 32-bit colour")
    if (32, 8) not in sizes:
        faults.append("the icon has no 32x32 256-colour image")


def check(path, machine=None):
    """The faults found in the file, as sentences; empty when it passes."""
    faults = []
    try:
        image = pe.PeFile(Path(path).read_bytes())
        if machine and pe.MACHINES.get(image.machine) != machine:
            faults.append(f"machine is {pe.MACHINES.get(image.machine, hex(image.machine))}, not {machine}")
        if image.timestamp != 0:
            faults.append(f"the PE header carries a link time ({image.timestamp}): builds differ")
        resources = image.resources()
        for step in (check_manifest, check_version, check_icon):
            try:
                step(resources, faults)
            except pe.PeError as error:
                faults.append(str(error))
        if pe.string_from_table(resources, 1) != "Spindlewave":
            faults.append("string 1 (the saver's name in the system's list) is not 'Spindlewave'")
    except (OSError, pe.PeError) as error:
        faults.append(str(error))
    return faults


def main(argv):
    if len(argv) not in (1, 2):
        print(__doc__)
        return 2
    faults = check(argv[0], argv[1] if len(argv) == 2 else None)
    for fault in faults:
        print(f"{argv[0]}: {fault}")
    if not faults:
        print(f"{Path(argv[0]).name}: manifest, version, icon and name resources are in order")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
