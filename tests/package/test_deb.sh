#!/usr/bin/env bash
# The Debian package that cpack made in BUILD_DIR: its file list is exactly what the install rules put
# in a staging root, its control fields are set, every library the viewer needs is in Depends, and
# lintian reports no error. Usage: test_deb.sh BUILD_DIR VERSION
set -uo pipefail
build=$1 version=$2
source=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/splines-deb-XXXXXX")
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

debs=("$build"/splines_"$version"_*.deb)
[ ${#debs[@]} = 1 ] && [ -f "${debs[0]}" ] || { echo "FAIL: no single splines_${version}_*.deb in $build"; exit 1; }
deb=${debs[0]}
echo "package: $deb"

# The package holds exactly the staging install, file for file and directory for directory.
DESTDIR=$work/stage cmake --install "$build" --prefix /usr --strip >/dev/null
(cd "$work/stage" && find . -mindepth 1 | sed 's|^\./||; s|$||' | sort) >"$work/installed"
dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./||; s|/$||' | grep -v '^$' | sort >"$work/packaged"
diff -u "$work/installed" "$work/packaged" >"$work/list.diff" || { fail "package file list differs from the install"; cat "$work/list.diff"; }
for path in usr/bin/splines usr/share/man/man1/splines.1.gz usr/share/doc/splines/copyright \
            usr/share/doc/splines/changelog.gz usr/share/doc/splines/README.md \
            usr/libexec/splines/splines-menu usr/share/applications/org.example.splines.desktop \
            usr/share/metainfo/org.example.splines.metainfo.xml usr/share/icons/hicolor/{16x16,48x48,512x512}/apps/splines.png; do
  grep -qx "$path" "$work/packaged" || fail "$path is not in the package"
done

# The copyright file carries the licence text of LICENSE, below its copyright line.
dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/doc/splines/copyright >"$work/copyright"
sed -n '/^License:/,$p' "$work/copyright" | tail -n +2 | sed 's/^ //; s/^\.$//' >"$work/licence"
sed '1,/^Copyright (c)/d' "$source/LICENSE" | sed '/./,$!d' >"$work/licence.expected"
diff -u "$work/licence.expected" "$work/licence" || fail "the copyright file does not carry LICENSE's text"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = splines ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)'"
[ "$(field Section)" = graphics ] || fail "Section is '$(field Section)'"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "Architecture is '$(field Architecture)'"
[ "$(field Description | sed -n '2,$p' | wc -l)" -ge 3 ] || fail "no long description"

# Every library the viewer loads by name comes from a package that Depends names.
dpkg-deb -x "$deb" "$work/root"
depends=$(field Depends)
echo "Depends: $depends"
depends_names=$(tr ',|' '\n\n' <<<"$depends" | sed 's/(.*//; s/ //g')
for library in $(objdump -p "$work/root/usr/bin/splines" | awk '$1 == "NEEDED" {print $2}'); do
  owners=$(dpkg-query -S "*/$library" 2>/dev/null | cut -d: -f1 | tr ',' '\n' | sed 's/^ *//' | sort -u)
  [ -n "$owners" ] || { fail "no installed package holds $library"; continue; }
  grep -qxFf <(echo "$owners") <(echo "$depends_names") || fail "$library (from $(echo $owners)) is not in Depends"
done

# The applications menu's entry and metadata: the validators report nothing at all, and the entry's
# launcher runs the viewer in the user's cache folder, its console thrown away without a terminal.
entry=$work/root/usr/share/applications/org.example.splines.desktop
report=$(desktop-file-validate "$entry" 2>&1) && [ -z "$report" ] || fail "desktop-file-validate: $report"
report=$(appstreamcli validate --no-net --pedantic "$work/root/usr/share/metainfo/org.example.splines.metainfo.xml" 2>&1) ||
  fail "appstreamcli validate: $report"
grep -q '^Terminal=true$' "$entry" || fail "the desktop entry does not ask for a terminal"
exec_path=$(sed -n 's/^Exec=//p' "$entry")
[ -x "$work/root$exec_path" ] || fail "the desktop entry's Exec $exec_path is not in the package"
mkdir -p "$work/home/.cache" "$work/fakebin"
printf '#!/bin/sh\npwd >"%s"\necho line\n' "$work/ran-in" >"$work/fakebin/splines"
chmod +x "$work/fakebin/splines"
sed "s|/usr/bin/splines|$work/fakebin/splines|" "$work/root$exec_path" >"$work/menu"
(cd / && HOME=$work/home XDG_CACHE_HOME= sh "$work/menu" >"$work/menu.out" </dev/null)
[ "$(cat "$work/ran-in" 2>/dev/null)" = "$work/home/.cache/splines" ] ||
  fail "the launcher ran the viewer in '$(cat "$work/ran-in" 2>/dev/null)', not ~/.cache/splines"
[ ! -s "$work/menu.out" ] || fail "the launcher let the console through without a terminal"

# Errors fail the test; warnings and the rest are listed for the record.
lintian --fail-on error --display-info --tag-display-limit 0 "$deb" 2>&1 ||
  fail "lintian reports errors (E: tags above)"

[ $failures = 0 ] && echo "package checks passed" || { echo "$failures failed"; exit 1; }
