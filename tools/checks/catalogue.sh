#!/usr/bin/env bash
# The English catalogue po/en.po against the texts the program can show,
# both ways (tools/po/check_catalogue.py), and msgfmt's own checks of it:
# header, and printf conversions equal to their message id's.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
msgfmt --check --check-domain -o /dev/null "$root/po/en.po"
python3 "$root/tools/po/check_catalogue.py" "$root"
