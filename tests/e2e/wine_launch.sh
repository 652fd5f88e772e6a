#!/usr/bin/env bash
# The harness's launcher (E2E_LAUNCH) of a Windows viewer: runs it under Wine in the working directory
# it was started in. Its console lines end in CR LF, as every Windows console program's do; they
# leave here as LF lines, so that the tests read them as the Linux viewer's.
set -o pipefail
wine "$@" | sed -u 's/\r$//'
