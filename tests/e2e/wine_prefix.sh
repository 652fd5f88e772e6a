#!/usr/bin/env bash
# Usage: wine_prefix.sh PREFIX. Makes the Wine prefix PREFIX ready for the next test: made where it is
# missing (without Mono's or Gecko's installer and without a display), and its wineserver ended, so
# that no server left from an earlier test serves the next one. Other prefixes' servers are left alone.
set -u
export WINEPREFIX=$1 WINEDEBUG=-all
wineserver -k 2>/dev/null
wineserver -w
[ -e "$WINEPREFIX/system.reg" ] && exit 0
mkdir -p "$WINEPREFIX"
if ! DISPLAY= WINEDLLOVERRIDES='mscoree,mshtml=' wine wineboot --init >"$WINEPREFIX/wineboot.log" 2>&1; then
  echo "wine_prefix: wineboot failed:" >&2
  cat "$WINEPREFIX/wineboot.log" >&2
  exit 1
fi
wineserver -w
