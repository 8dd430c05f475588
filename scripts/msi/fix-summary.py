#!/usr/bin/python3
"""Makes a package's summary information reproducible: wixl fills the package code (revision
number) with a random GUID and the created and saved times with the clock. Both are replaced in
place, with the same lengths, by the given package code and time.

    fix-summary.py PACKAGE.msi PACKAGE-CODE-GUID UNIX-TIME
"""
import struct
import sys
import uuid

import olefile  # Debian's python3-olefile

STREAM = "\x05SummaryInformation"
PID_REVNUMBER, PID_CREATE_DTM, PID_LASTSAVE_DTM = 9, 12, 13
VT_LPSTR, VT_FILETIME = 30, 64


def filetime(unix_time):
    # 100-nanosecond ticks since 1601-01-01.
    return struct.pack("<Q", (unix_time + 11644473600) * 10_000_000)


def main():
    path, code, unix_time = sys.argv[1], "{%s}" % str(uuid.UUID(sys.argv[2])).upper(), int(sys.argv[3])
    ole = olefile.OleFileIO(path, write_mode=True)
    data = bytearray(ole.openstream(STREAM).read())
    section = struct.unpack_from("<I", data, 44)[0]
    count = struct.unpack_from("<I", data, section + 4)[0]
    seen = set()
    for i in range(count):
        pid, offset = struct.unpack_from("<II", data, section + 8 + 8 * i)
        at = section + offset
        kind = struct.unpack_from("<H", data, at)[0]
        if pid == PID_REVNUMBER and kind == VT_LPSTR:
            text = code.encode("ascii") + b"\0"
            if struct.unpack_from("<I", data, at + 4)[0] != len(text):
                sys.exit("fix-summary.py: the package code has an unexpected length in " + path)
            data[at + 8:at + 8 + len(text)] = text
        elif pid in (PID_CREATE_DTM, PID_LASTSAVE_DTM) and kind == VT_FILETIME:
            data[at + 4:at + 12] = filetime(unix_time)
        else:
            continue
        seen.add(pid)
    if seen != {PID_REVNUMBER, PID_CREATE_DTM, PID_LASTSAVE_DTM}:
        sys.exit("fix-summary.py: no package code or times in " + path)
    ole.write_stream(STREAM, bytes(data))
    ole.close()


if __name__ == "__main__":
    main()
