#!/usr/bin/env python3
"""check_release.py ZIP [--x64 FILE --x86 FILE]: the release zip holds exactly the files a user
needs, with correct checksums, one fixed time and Windows-ready texts; its programs pass the
built-file checks and, when given, are byte for byte the named builds.
Exits 0 when every check holds; otherwise prints each fault and exits 1."""
import hashlib
import re
import sys
import zipfile
from pathlib import Path

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, str(Path(__file__).resolve().parent))
import check_resources  # noqa: E402

PROGRAMS = {"x64/Spindlewave.scr": "x86_64", "x86/Spindlewave.scr": "i386"}
TEXTS = ("LICENSE.txt", "README-ja.txt")
# What the guide must tell a user: installing, each setting, removing, and the picture's source.
GUIDE_WORDS = ("インストール", "x64", "x86", "回転の速さ", "無し", "音楽CD", "MP3、WAV",
               "曲目をﾘﾋﾟｰﾄ", "設定", "ｷｬﾝｾﾙ", "Spindlewave.ini", "削除", "NASA")
LICENCE_WORDS = ("MIT License", "The Spindlewave authors", "Permission is hereby granted")


def expected_names(top):
    return sorted(f"{top}/{name}" for name in (*TEXTS, "SHA256SUMS", *PROGRAMS))


def check_listing(archive, faults):
    """The entries, their order, times and attributes; returns the top folder's name."""
    infos = archive.infolist()
    names = [info.filename for info in infos]
    top = names[0].split("/")[0] if names else ""
    if not re.fullmatch(r"Spindlewave-\d+\.\d+\.\d+", top):
        faults.append(f"top folder is {top!r}, not Spindlewave-<version>")
    if names != expected_names(top):
        faults.append(f"entries are {names}, not {expected_names(top)}")
    if len({info.date_time for info in infos}) > 1:
        faults.append("entries carry different times: the zip is not reproducible")
    for info in infos:
        if info.extra:
            faults.append(f"{info.filename} has extra fields (times or owners leak in)")
        mode = info.external_attr >> 16
        if mode & 0o777 != 0o644:
            faults.append(f"{info.filename} has mode {oct(mode & 0o777)}, not 0644")
    return top


def check_sums(archive, top, faults):
    try:
        listing = archive.read(f"{top}/SHA256SUMS").decode("ascii")
    except (KeyError, UnicodeDecodeError) as error:
        faults.append(f"SHA256SUMS cannot be read: {error}")
        return
    listed = {}
    for line in listing.splitlines():
        match = re.fullmatch(r"([0-9a-f]{64})  (\S+)", line)
        if not match:
            faults.append(f"SHA256SUMS line is not 'hash  name': {line!r}")
            continue
        if match.group(2) in listed:
            faults.append(f"SHA256SUMS lists {match.group(2)} twice")
        listed[match.group(2)] = match.group(1)
    wanted = sorted((*TEXTS, *PROGRAMS))
    if sorted(listed) != wanted:
        faults.append(f"SHA256SUMS lists {sorted(listed)}, not {wanted}")
    for name, digest in listed.items():
        try:
            actual = hashlib.sha256(archive.read(f"{top}/{name}")).hexdigest()
        except KeyError:
            continue
        if actual != digest:
            faults.append(f"checksum of {name} does not match SHA256SUMS")


def check_texts(archive, top, faults):
    for name, words in (("README-ja.txt", GUIDE_WORDS), ("LICENSE.txt", LICENCE_WORDS)):
        try:
            data = archive.read(f"{top}/{name}")
        except KeyError:
            continue
        if name == "README-ja.txt":
            if not data.startswith(b"\xef\xbb\xbf"):
                faults.append("README-ja.txt has no UTF-8 byte-order mark (Notepad would misread it)")
            data = data.removeprefix(b"\xef\xbb\xbf")
        if data.replace(b"\r\n", b"").count(b"\n") or data.replace(b"\r\n", b"").count(b"\r"):
            faults.append(f"{name} has line ends other than CRLF")
        try:
            text = data.decode("utf-8")
        except UnicodeDecodeError:
            faults.append(f"{name} is not UTF-8 text")
            continue
        for word in words:
            if word not in text:
                faults.append(f"{name} does not mention {word!r}")


def check_programs(archive, top, builds, faults, scratch):
    for name, machine in PROGRAMS.items():
        try:
            data = archive.read(f"{top}/{name}")
        except KeyError:
            continue
        copy = scratch / name.replace("/", "-")
        copy.write_bytes(data)
        for fault in check_resources.check(copy, machine):
            faults.append(f"{name}: {fault}")
        build = builds.get(name)
        if build is not None and Path(build).read_bytes() != data:
            faults.append(f"{name} is not the build {build}")


def check(zip_path, builds=None, scratch=None):
    faults = []
    try:
        with zipfile.ZipFile(zip_path) as archive:
            bad = archive.testzip()
            if bad is not None:
                faults.append(f"{bad} is damaged in the zip")
            top = check_listing(archive, faults)
            check_sums(archive, top, faults)
            check_texts(archive, top, faults)
            if scratch is not None:
                check_programs(archive, top, builds or {}, faults, scratch)
    except (OSError, zipfile.BadZipFile) as error:
        faults.append(f"cannot read the zip: {error}")
    return faults


def main(argv):
    import tempfile
    args, builds = list(argv), {}
    if not args:
        print(__doc__)
        return 2
    zip_path = args.pop(0)
    while args:
        flag = args.pop(0)
        if flag in ("--x64", "--x86") and args:
            builds[f"{flag[2:]}/Spindlewave.scr"] = args.pop(0)
        else:
            print(__doc__)
            return 2
    with tempfile.TemporaryDirectory() as scratch:
        faults = check(zip_path, builds, Path(scratch))
    for fault in faults:
        print(f"{zip_path}: {fault}")
    if not faults:
        print(f"{Path(zip_path).name}: contents, checksums, times, texts and programs are in order")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
