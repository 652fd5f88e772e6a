#!/usr/bin/env bash
# The manual page renders without a warning from groff, and its KEYS section agrees with the README's
# Keys table and with the viewer's key table. Usage: test_manual.sh MANPAGE SOURCE_ROOT
set -euo pipefail
page=$1 root=$2
out=$(mktemp -d "${TMPDIR:-/tmp}/splines-manual-XXXXXX")
trap 'rm -rf "$out"' EXIT
LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" >"$out/page.txt" 2>"$out/warnings.txt"
status=0
if [ -s "$out/warnings.txt" ]; then
  echo "FAIL: man --warnings reports:"; cat "$out/warnings.txt"; status=1
fi
grep -q '^EXIT STATUS' "$out/page.txt" || { echo "FAIL: the rendered page has no EXIT STATUS section"; status=1; }
python3 "$(dirname "$0")/manual_keys.py" "$page" "$root" || status=1
exit $status
