#!/usr/bin/env python3
"""check_resources_test.py FILE MACHINE: the resource check passes the built file and finds each
fault planted in a copy of it, with a message and without crashing on damaged input."""
import os
import struct
import sys
import tempfile
import unittest
from pathlib import Path

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, str(Path(__file__).resolve().parent))
import check_resources  # noqa: E402
import pe_resources as pe  # noqa: E402

SCR = Path(os.environ.get("SPINDLE_SCR", ""))
MACHINE = os.environ.get("SPINDLE_MACHINE", "")


def resource_offset(data, rtype, name):
    """Where a resource's bytes sit in the file."""
    image = pe.PeFile(data)
    blob = pe.single(image.resources(), rtype, name, "resource")
    # Resources are unique enough in a file this size; find the one the directory points at.
    start = data.find(blob)
    assert start >= 0 and data.find(blob, start + 1) < 0
    return start, blob


class ResourceCheck(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.original = SCR.read_bytes()
        cls.folder = tempfile.TemporaryDirectory()

    @classmethod
    def tearDownClass(cls):
        cls.folder.cleanup()

    def faults_of(self, data, name="copy.scr"):
        path = Path(self.folder.name) / name
        path.write_bytes(data)
        return check_resources.check(path, MACHINE)

    def replaced(self, old, new, within=None):
        self.assertEqual(len(old), len(new))
        data = bytearray(self.original)
        start = 0
        if within is not None:
            start, blob = resource_offset(self.original, *within)
            self.assertIn(old, blob)
        at = data.find(old, start)
        self.assertGreaterEqual(at, 0, old)
        data[at:at + len(old)] = new
        return bytes(data)

    def assertFaultMentions(self, faults, *words):
        self.assertTrue(any(all(w in f for w in words) for f in faults), f"{words} not in {faults}")

    def test_built_file_passes(self):
        self.assertEqual(check_resources.check(SCR, MACHINE), [])

    def test_wrong_machine_is_named(self):
        other = "i386" if MACHINE == "x86_64" else "x86_64"
        self.assertFaultMentions(check_resources.check(SCR, other), "machine", other)

    def test_manifest_faults_are_found(self):
        manifest = (pe.RT_MANIFEST, 1)
        cases = [
            (b">true</dpiAware>", b">fals</dpiAware>", ("dpiAware",)),
            (b'version="6.0.0.0"', b'version="5.8.2.0"', ("common controls version",)),
            (b"8e0f7a12-bfb3", b"8e0f7a12-bfb4", ("Windows 10 and 11",)),
            (b"e2011457-1546", b"e2011457-1547", ("Windows Vista",)),
            (b"6595b64144ccf1df", b"6595b64144ccf1de", ("public key token",)),
            (b"</dependency>", b"</dependencx>", ("well-formed",)),
        ]
        for old, new, words in cases:
            with self.subTest(old=old):
                self.assertFaultMentions(self.faults_of(self.replaced(old, new, manifest)), *words)

    def test_version_faults_are_found(self):
        version = (pe.RT_VERSION, 1)
        start, blob = resource_offset(self.original, *version)
        signature = blob.find(struct.pack("<I", 0xFEEF04BD))
        data = bytearray(self.original)
        data[start + signature:start + signature + 4] = b"\0\0\0\0"
        self.assertFaultMentions(self.faults_of(bytes(data)), "signature")
        # File version 1.0.0.0 -> 1.0.0.7 in the fixed information.
        data = bytearray(self.original)
        data[start + signature + 12] = 7
        self.assertFaultMentions(self.faults_of(bytes(data)), "fixed version")
        wrong_text = self.replaced("1.0.0".encode("utf-16-le"), "1.0.9".encode("utf-16-le"), version)
        self.assertFaultMentions(self.faults_of(wrong_text), "FileVersion")
        wrong_name = self.replaced("Spindlewave.scr".encode("utf-16-le"),
                                   "Spindlewave.exe".encode("utf-16-le"), version)
        self.assertFaultMentions(self.faults_of(wrong_name), "OriginalFilename")

    def test_icon_faults_are_found(self):
        start, blob = resource_offset(self.original, pe.RT_GROUP_ICON, 1)
        entries = pe.parse_group_icon(blob)
        # Point the 16x16 entry at an icon id that does not exist.
        index = next(i for i, e in enumerate(entries) if e[0] == 16)
        data = bytearray(self.original)
        struct.pack_into("<H", data, start + 6 + 14 * index + 12, 999)
        faults = self.faults_of(bytes(data))
        self.assertFaultMentions(faults, "16x16", "missing")
        self.assertFaultMentions(faults, "no 16x16 image")
        # Claim the 48x48 image is 64 pixels wide.
        index = next(i for i, e in enumerate(entries) if e[0] == 48)
        data = bytearray(self.original)
        data[start + 6 + 14 * index] = 64
        data[start + 6 + 14 * index + 1] = 64
        self.assertFaultMentions(self.faults_of(bytes(data)), "not a 64x64")

    def test_link_time_is_found(self):
        data = bytearray(self.original)
        (pe_offset,) = struct.unpack_from("<I", data, 0x3C)
        struct.pack_into("<I", data, pe_offset + 8, 1_700_000_000)
        self.assertFaultMentions(self.faults_of(bytes(data)), "link time")

    def test_damaged_files_give_a_fault_not_a_crash(self):
        cut_in_resources = pe.PeFile(self.original).offset_of(
            pe.PeFile(self.original).resource_rva, 16, "resources") + 64
        cases = {
            "empty": b"",
            "text": b"not a program\n",
            "dos header only": self.original[:0x40],
            "cut in the headers": self.original[:300],
            "cut in the resources": self.original[:cut_in_resources],
        }
        for name, data in cases.items():
            with self.subTest(name):
                faults = self.faults_of(data, "damaged.scr")
                self.assertTrue(faults)
        self.assertFaultMentions(check_resources.check(Path(self.folder.name) / "absent.scr"),
                                 "No such file")

    def test_resource_directory_loop_is_refused(self):
        data = bytearray(self.original)
        image = pe.PeFile(self.original)
        base = image.offset_of(image.resource_rva, 16, "resources")
        # The root's first entry points back at the root directory.
        struct.pack_into("<I", data, base + 16 + 4, 0x80000000)
        self.assertFaultMentions(self.faults_of(bytes(data)), "loops")


if __name__ == "__main__":
    if len(sys.argv) >= 3:
        SCR, MACHINE = Path(sys.argv[1]), sys.argv[2]
        del sys.argv[1:3]
    unittest.main()
