#!/usr/bin/env python3
"""Checks of publish.py: the manifest's exact bytes, the payloads, refusals."""

import hashlib
import io
import os
import subprocess
import sys
import tempfile
import unittest
import zipfile

TOOL = os.path.join(os.path.dirname(os.path.abspath(__file__)), "publish.py")


def run(*args):
    return subprocess.run([sys.executable, TOOL, *args], capture_output=True)


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


class PublishTest(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()
        self.root = self.tmp.name
        self.src = os.path.join(self.root, "src")
        self.out = os.path.join(self.root, "out")

    def tearDown(self):
        self.tmp.cleanup()

    def manifest(self):
        with open(os.path.join(self.out, "lv", "main200.asp"), "rb") as f:
            return f.read()

    def test_lists_digests_zip_and_second_list(self):
        write(os.path.join(self.src, "data", "a.bmp"), b"AAAA")
        write(os.path.join(self.src, "数据.txt"), b"text")
        extra = os.path.join(self.root, "extra")
        write(os.path.join(extra, "x.bin"), b"xyz")
        head = os.path.join(self.root, "head.txt")
        write(head, "[MAIN_URL]\nhttp://example.invalid/\n".encode())

        r = run(self.src, "--base-url", "http://127.0.0.1:9/f/", "--out", self.out, "--zip", "data/*.bmp",
                "--second", extra, "--head", head)
        self.assertEqual(r.returncode, 0, r.stderr)

        md5 = lambda b: hashlib.md5(b).hexdigest()
        expected = "\r\n".join([
            "[MAIN_URL]",
            "http://example.invalid/",
            "[FILE_LIST_BEGIN]",
            f"{md5(b'AAAA')} data\\a.bmp http://127.0.0.1:9/f/data/a.bmp.zip",
            f"{md5(b'text')} 数据.txt http://127.0.0.1:9/f/%E6%95%B0%E6%8D%AE.txt",
            "[FILE_LIST_END]",
            "[FILE_LIST2_BEGIN]",
            f"FILE {md5(b'xyz')} LOCAL_PATHx.bin http://127.0.0.1:9/f/x.bin",
            "[FILE_LIST2_END]",
            "[HTML_END]",
        ]) + "\r\n"
        self.assertEqual(self.manifest(), expected.encode("gbk"))

        with zipfile.ZipFile(os.path.join(self.out, "files", "data", "a.bmp.zip")) as z:
            self.assertEqual(z.namelist(), ["a.bmp"])
            self.assertEqual(z.read("a.bmp"), b"AAAA")
        with open(os.path.join(self.out, "files", "x.bin"), "rb") as f:
            self.assertEqual(f.read(), b"xyz")

    def test_empty_folder_gives_empty_list(self):
        os.makedirs(self.src)
        r = run(self.src, "--base-url", "http://h", "--out", self.out)
        self.assertEqual(r.returncode, 0, r.stderr)
        self.assertEqual(self.manifest(), b"[FILE_LIST_BEGIN]\r\n[FILE_LIST_END]\r\n[HTML_END]\r\n")

    def test_refuses_what_the_program_cannot_read(self):
        for name in ["with space.txt", "p" * 255]:
            with self.subTest(name=name[:20]):
                src = os.path.join(self.root, "s" + str(len(name)))
                write(os.path.join(src, name), b"1")
                r = run(src, "--base-url", "http://h", "--out", self.out)
                self.assertEqual(r.returncode, 1)
                self.assertIn(b"publish.py:", r.stderr)
                self.assertFalse(os.path.exists(os.path.join(self.out, "lv", "main200.asp")))

    def test_head_must_not_hold_the_end_marker(self):
        os.makedirs(self.src)
        head = os.path.join(self.root, "head.txt")
        write(head, b"[HTML_END]\n")
        r = run(self.src, "--base-url", "http://h", "--out", self.out, "--head", head)
        self.assertEqual(r.returncode, 1)


if __name__ == "__main__":
    unittest.main()
