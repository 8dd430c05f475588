#!/usr/bin/env python3
"""The release-zip check finds each fault planted in a small hand-made package, and passes a
sound one. The programs inside are placeholders: their own checks run on the real builds."""
import hashlib
import io
import sys
import tempfile
import unittest
import zipfile
from pathlib import Path

ROOT = Path(__file__).resolve().parents[3]
sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, str(ROOT / "tests" / "pe"))
import check_release  # noqa: E402

TOP = "Spindlewave-1.0.0"
GUIDE = ("\ufeff" + " ".join(check_release.GUIDE_WORDS) + "\r\n二行目\r\n").encode("utf-8")
LICENCE = (" ".join(check_release.LICENCE_WORDS) + "\r\n").encode("utf-8")


def sound_files():
    files = {"LICENSE.txt": LICENCE, "README-ja.txt": GUIDE,
             "x64/Spindlewave.scr": b"MZ sixty-four", "x86/Spindlewave.scr": b"MZ thirty-two"}
    files["SHA256SUMS"] = "".join(f"{hashlib.sha256(files[n]).hexdigest()}  {n}\n"
                                  for n in sorted(files)).encode()
    return files


def make_zip(files, top=TOP, times=None, mode=0o644, extra=b""):
    buffer = io.BytesIO()
    with zipfile.ZipFile(buffer, "w", zipfile.ZIP_DEFLATED) as archive:
        for name in sorted(files):
            info = zipfile.ZipInfo(f"{top}/{name}", (times or {}).get(name, (2026, 12, 1, 0, 0, 0)))
            info.external_attr = (0o100000 | mode) << 16
            info.extra = extra
            archive.writestr(info, files[name])
    return buffer.getvalue()


class ReleaseCheck(unittest.TestCase):
    def faults_of(self, data):
        with tempfile.TemporaryDirectory() as folder:
            path = Path(folder) / "package.zip"
            path.write_bytes(data)
            return check_release.check(path)

    def assertFinds(self, data, *words):
        faults = self.faults_of(data)
        self.assertTrue(any(all(w in f for w in words) for f in faults), f"{words} not in {faults}")

    def test_sound_package_passes(self):
        self.assertEqual(self.faults_of(make_zip(sound_files())), [])

    def test_listing_faults(self):
        files = sound_files()
        missing = dict(files)
        del missing["x86/Spindlewave.scr"]
        extra = dict(files, **{"x64/Spindlewave.ini": b""})
        cases = [
            (make_zip(missing), ("entries are",)),
            (make_zip(extra), ("entries are",)),
            (make_zip(files, top="Spindlewave"), ("top folder",)),
            (make_zip(files, times={"LICENSE.txt": (2026, 12, 2, 0, 0, 0)}), ("different times",)),
            (make_zip(files, mode=0o755), ("mode",)),
            (make_zip(files, extra=b"UT\x05\x00\x01\x00\x00\x00\x00"), ("extra fields",)),
        ]
        for data, words in cases:
            with self.subTest(words=words):
                self.assertFinds(data, *words)

    def test_checksum_faults(self):
        files = sound_files()
        changed = dict(files, **{"x64/Spindlewave.scr": b"MZ changed after summing"})
        self.assertFinds(make_zip(changed), "checksum of x64/Spindlewave.scr")
        lines = files["SHA256SUMS"].decode().splitlines()
        cases = [
            ("\n".join(lines[1:]) + "\n", "SHA256SUMS lists"),
            ("\n".join(lines + lines[:1]) + "\n", "twice"),
            ("\n".join(lines).replace("  ", " *", 1) + "\n", "not 'hash  name'"),
        ]
        for listing, words in cases:
            with self.subTest(words=words):
                self.assertFinds(make_zip(dict(files, SHA256SUMS=listing.encode())), words)

    def test_text_faults(self):
        files = sound_files()

        def with_guide(guide):
            changed = dict(files, **{"README-ja.txt": guide})
            changed["SHA256SUMS"] = "".join(f"{hashlib.sha256(changed[n]).hexdigest()}  {n}\n"
                                            for n in sorted(changed) if n != "SHA256SUMS").encode()
            return make_zip(changed)

        cases = [
            (GUIDE.removeprefix(b"\xef\xbb\xbf"), "byte-order mark"),
            (GUIDE.replace(b"\r\n", b"\n"), "CRLF"),
            (GUIDE.replace("NASA".encode(), b"nasa"), "'NASA'"),
            (b"\xef\xbb\xbf\x82\xa0\r\n", "not UTF-8"),
        ]
        for guide, words in cases:
            with self.subTest(words=words):
                self.assertFinds(with_guide(guide), words)

    def test_damaged_zip_is_a_fault_not_a_crash(self):
        data = make_zip(sound_files())
        for damaged in (b"", b"PK\x03\x04 cut", data[: len(data) // 2], b"not a zip at all"):
            with self.subTest(size=len(damaged)):
                self.assertTrue(self.faults_of(damaged))


if __name__ == "__main__":
    unittest.main()
