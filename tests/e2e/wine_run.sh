#!/usr/bin/env bash
# Usage: wine_run.sh PROGRAM.exe [ARGUMENT...]: runs a Windows program under Wine and, where it fails,
# says with which status (ctest says only that it failed): a crash, an abort and a test's failure
# end with different ones.
wine "$@"
status=$?
[ "$status" = 0 ] || echo "wine_run: $(basename "$1") ended with status $status" >&2
exit "$status"
