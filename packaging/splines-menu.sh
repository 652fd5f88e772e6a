#!/bin/sh
# Starts the viewer from the applications menu: in a folder of the user's cache, where it may write its
# scratch file 1.txt without leaving it in the home folder, and with its console lines (one per number
# drawn, thousands a second) thrown away when no terminal shows them, so they do not fill the log of
# the desktop session.
dir="${XDG_CACHE_HOME:-$HOME/.cache}/splines"
mkdir -p "$dir" && cd "$dir" || exit 1
if [ -t 1 ]; then
  exec /usr/bin/splines "$@"
fi
exec /usr/bin/splines "$@" >/dev/null
