#!/usr/bin/env python3
"""Publishes a folder of files for the program's online update.

Given the folder of files as they should stand in the executable's folder and
the base address the update server will serve them from, writes

  OUT/lv/main200.asp   the manifest (the new data\\main.htm): an optional head,
                       [FILE_LIST_BEGIN] ... [FILE_LIST_END], optionally
                       [FILE_LIST2_BEGIN] ... [FILE_LIST2_END], then [HTML_END]
  OUT/files/...        the payloads, plain or as single-entry zip archives

so that any static HTTP server rooted at OUT answers the program's request
for /lv/main200.asp?v=1&rid=1. The manifest is code page 936 text with CR LF
line breaks. Every entry carries the MD5 digest of the file as installed (for
a zip-delivered file: of the file inside the archive).

Example:
  publish.py site/ --base-url http://127.0.0.1:8080/files --out www \\
      --zip 'data/*.bmp' --second extra/ --head head.txt
"""

import argparse
import fnmatch
import hashlib
import os
import shutil
import sys
import urllib.parse
import zipfile

MANIFEST_PATH = os.path.join("lv", "main200.asp")
# Field capacities of the program's list readers, in code page 936 bytes.
MAX_DIGEST = 49
MAX_PATH = 254
MAX_URL = 254
MAX_LINE = 1024
SECOND_LIST_PREFIXES = ("LOCAL_PATH", "PROGRESS_PATH")


class PublishError(Exception):
    pass


def md5_of(path):
    digest = hashlib.md5()
    with open(path, "rb") as f:
        for chunk in iter(lambda: f.read(1 << 16), b""):
            digest.update(chunk)
    return digest.hexdigest()


def encode(text, what):
    try:
        return text.encode("gbk")
    except UnicodeEncodeError as e:
        raise PublishError(f"{what} {text!r} has characters outside code page 936") from e


def files_under(folder):
    """Relative paths (with '/') of every regular file under folder, sorted."""
    found = []
    for root, dirs, names in os.walk(folder):
        for name in sorted(names):
            full = os.path.join(root, name)
            if os.path.isfile(full):
                found.append(os.path.relpath(full, folder).replace(os.sep, "/"))
    return sorted(found)


def check_field(value, capacity, what):
    if not value or any(c.isspace() for c in value):
        raise PublishError(f"{what} {value!r} is empty or holds white space, which separates fields")
    size = len(encode(value, what))
    if size > capacity:
        raise PublishError(f"{what} {value!r} is {size} bytes long; the program reads at most {capacity}")


def write_zip(source, archive, entry_name):
    os.makedirs(os.path.dirname(archive), exist_ok=True)
    with zipfile.ZipFile(archive, "w", compression=zipfile.ZIP_DEFLATED) as z:
        z.write(source, arcname=entry_name)


def publish_file(source_root, rel, out, base_url, zipped):
    """Copies or zips one file into OUT/files; returns (digest, url)."""
    source = os.path.join(source_root, *rel.split("/"))
    payload_rel = rel + ".zip" if zipped else rel
    payload = os.path.join(out, "files", *payload_rel.split("/"))
    os.makedirs(os.path.dirname(payload), exist_ok=True)
    if zipped:
        write_zip(source, payload, os.path.basename(rel))
    else:
        shutil.copyfile(source, payload)
    url = base_url.rstrip("/") + "/" + urllib.parse.quote(payload_rel, safe="/")
    return md5_of(source), url


def matches_any(rel, patterns):
    return any(fnmatch.fnmatchcase(rel, p) for p in patterns)


def build_manifest(args):
    lines = []
    if args.head:
        with open(args.head, encoding="utf-8") as f:
            lines.extend(line.rstrip("\r\n") for line in f)
        if any("[HTML_END]" in line for line in lines):
            raise PublishError(f"{args.head} holds [HTML_END]; the tool writes it once, at the end")

    lines.append("[FILE_LIST_BEGIN]")
    for rel in files_under(args.source):
        windows_path = rel.replace("/", "\\")
        digest, url = publish_file(args.source, rel, args.out, args.base_url, matches_any(rel, args.zip))
        check_field(windows_path, MAX_PATH, "path")
        check_field(url, MAX_URL, "address")
        lines.append(f"{digest} {windows_path} {url}")
    lines.append("[FILE_LIST_END]")

    if args.second:
        lines.append("[FILE_LIST2_BEGIN]")
        for rel in files_under(args.second):
            destination = args.second_prefix + rel.replace("/", "\\")
            digest, url = publish_file(args.second, rel, args.out, args.base_url, matches_any(rel, args.zip))
            check_field(destination, MAX_PATH, "destination")
            check_field(url, MAX_URL, "address")
            line = f"FILE {digest} {destination} {url}"
            if len(encode(line, "line")) > MAX_LINE:
                raise PublishError(f"second-list line for {rel!r} is longer than {MAX_LINE} bytes")
            lines.append(line)
        lines.append("[FILE_LIST2_END]")

    lines.append("[HTML_END]")
    return b"".join(encode(line, "line") + b"\r\n" for line in lines)


def parse_args(argv):
    p = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    p.add_argument("source", help="folder of files as they stand in the executable's folder (first list)")
    p.add_argument("--base-url", required=True, help="address OUT/files is served from (http://host[:port]/path)")
    p.add_argument("--out", required=True, help="folder to write the manifest and the payloads into")
    p.add_argument("--zip", action="append", default=[], metavar="GLOB",
                   help="deliver files whose relative path (with '/') matches as zip archives; repeatable")
    p.add_argument("--second", metavar="FOLDER", help="folder of files for the second list (installed only when missing)")
    p.add_argument("--second-prefix", default="LOCAL_PATH",
                   help="destination prefix of second-list files: LOCAL_PATH (default), PROGRESS_PATH, "
                        "or either followed by a folder ending in a backslash")
    p.add_argument("--head", metavar="FILE", help="UTF-8 text put before the lists ([MAIN_URL] and the like)")
    args = p.parse_args(argv)
    if not args.base_url.startswith(("http://", "https://")):
        p.error("--base-url must be an http or https address")
    if not args.second_prefix.startswith(SECOND_LIST_PREFIXES):
        p.error("--second-prefix must start with LOCAL_PATH or PROGRESS_PATH")
    for folder in [args.source] + ([args.second] if args.second else []):
        if not os.path.isdir(folder):
            p.error(f"{folder} is not a folder")
    return args


def main(argv):
    args = parse_args(argv)
    try:
        manifest = build_manifest(args)
    except PublishError as e:
        print(f"publish.py: {e}", file=sys.stderr)
        return 1
    target = os.path.join(args.out, MANIFEST_PATH)
    os.makedirs(os.path.dirname(target), exist_ok=True)
    with open(target, "wb") as f:
        f.write(manifest)
    print(target)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
