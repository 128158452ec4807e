#!/usr/bin/env bash
# The manual page lumivex(1) renders without a single warning from groff,
# undefined macros included (-wall leaves those out).
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
warnings=$(groff -man -wall -wmac -z "$root/docs/lumivex.1" 2>&1)
if [ -n "$warnings" ]; then
  echo "manpage: groff warns about docs/lumivex.1:"
  echo "$warnings"
  exit 1
fi
echo "manpage: docs/lumivex.1 renders without warnings"
