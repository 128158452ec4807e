#!/usr/bin/env python3
"""Compares the English catalogue with the texts the program can show.

Shown texts are those marked in src/ (plat::Translate, plat::TranslateFormat,
plat::TranslateLater; found by xgettext) and the Chinese titles and captions
of res/dialog and res/string. The catalogue must have an English entry for
each of them and no entry for anything else. A Chinese text in src/ that is
not marked must be listed in po/not-translated.txt (data, logs, font names),
else it would be shown in Chinese under every locale.

    check_catalogue.py ROOT
"""
import re
import subprocess
import sys
from pathlib import Path

KEYWORDS = ["--keyword=Translate", "--keyword=TranslateFormat", "--keyword=TranslateLater",
            "--flag=TranslateFormat:1:c-format"]
CHINESE = re.compile(r"[\u3000-\u30ff\u3400-\u9fff\uff00-\uffef]")
ESCAPES = {"n": "\n", "r": "\r", "t": "\t", '"': '"', "\\": "\\"}


def unescape(text):
    return re.sub(r"\\(.)", lambda m: ESCAPES.get(m.group(1), "\\" + m.group(1)), text)


def po_entries(text):
    """(msgid, msgstr, flags) of each entry of a PO or POT text, header left out."""
    # The flags comment comes before its entry's msgid: it is kept until
    # that msgid opens the entry.
    entries, current, field, pending = [], {}, None, set()
    def close():
        if current.get("msgid"):
            entries.append((current["msgid"], current.get("msgstr", ""), current["flags"]))
    for line in text.splitlines():
        if line.startswith("#,"):
            pending |= {f.strip() for f in line[2:].split(",")}
        elif line.startswith("msgid "):
            close()
            current, pending = {"flags": pending}, set()
            field = "msgid"
            current[field] = unescape(line[6:].strip()[1:-1])
        elif line.startswith("msgstr "):
            field = "msgstr"
            current[field] = unescape(line[7:].strip()[1:-1])
        elif line.startswith('"') and field:
            current[field] += unescape(line.strip()[1:-1])
    close()
    return entries


def xgettext(files, options):
    result = subprocess.run(["xgettext", "--from-code=UTF-8", "--language=C++", "--no-location",
                             "-o", "-", *options, *map(str, files)],
                            check=True, capture_output=True, text=True)
    return po_entries(result.stdout)


def resource_texts(res):
    """Chinese titles and captions of the dialog templates, and the string table."""
    texts = set()
    for dlg in sorted((res / "dialog").glob("*.dlg")):
        for line in dlg.read_text(encoding="utf-8").splitlines():
            words = line.split()
            if not words or words[0] not in ("title", "control"):
                continue
            if words[0] == "control" and words[2] not in ("button", "checkbox", "static"):
                continue
            quoted = re.search(r'"((?:[^"\\]|\\.)*)"\s*$', line)
            if quoted and CHINESE.search(unescape(quoted.group(1))):
                texts.add(unescape(quoted.group(1)))
    for string in sorted((res / "string").glob("*.txt")):
        texts.add(string.read_text(encoding="utf-8"))
    return texts


def not_translated(path):
    paths, texts = [], set()
    for line in path.read_text(encoding="utf-8").splitlines():
        if not line or line.startswith("#"):
            continue
        if line.startswith("src/"):
            paths.append(line)
        else:
            texts.add(unescape(line))
    return paths, texts


def main(root):
    root = Path(root)
    sources = sorted(p for p in (root / "src").rglob("*") if p.suffix in (".cpp", ".h"))
    marked = {msgid for msgid, _, _ in xgettext(sources, KEYWORDS)}
    shown = marked | resource_texts(root / "res")
    exempt_paths, exempt = not_translated(root / "po" / "not-translated.txt")
    scanned = [p for p in sources if not any(str(p.relative_to(root)).startswith(f) for f in exempt_paths)]
    literals = {msgid for msgid, _, _ in xgettext(scanned, ["--extract-all"]) if CHINESE.search(msgid)}
    catalogue = {msgid: (msgstr, flags)
                 for msgid, msgstr, flags in po_entries((root / "po" / "en.po").read_text(encoding="utf-8"))}
    formats = {msgid for msgid, _, flags in xgettext(sources, KEYWORDS) if "c-format" in flags}

    problems = []
    for text in sorted(literals - marked - exempt):
        problems.append(f"src/ shows {text!r} without plat::Translate (or list it in po/not-translated.txt)")
    for text in sorted(shown - catalogue.keys()):
        problems.append(f"po/en.po has no entry for {text!r}")
    for text in sorted(catalogue.keys() - shown):
        problems.append(f"po/en.po has an entry nothing shows: {text!r}")
    for text in sorted(shown & catalogue.keys()):
        if not catalogue[text][0]:
            problems.append(f"po/en.po leaves {text!r} untranslated")
    for text in sorted(formats & catalogue.keys()):
        if "c-format" not in catalogue[text][1]:
            problems.append(f"po/en.po: {text!r} is a printf format; mark it '#, c-format'")
    for text in sorted(exempt - literals):
        problems.append(f"po/not-translated.txt lists {text!r}, which src/ does not hold")
    for problem in problems:
        print("catalogue:", problem)
    if problems:
        return 1
    print(f"catalogue: {len(shown)} texts, each with one English entry")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
