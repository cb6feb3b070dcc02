#!/bin/bash
# Runs COMMAND with the test's Wine prefix telling programs it is Windows
# VERSION (a winecfg name: winxp64, win7, win10), as a station on an old
# computer would:
#   as_windows.sh VERSION COMMAND [ARGS...]
set -euo pipefail
version=$1; shift
# The first Wine program of a prefix starts its wineserver, which on a busy
# machine can fail the call: tried again before the test is given up, and
# said, not ended in silence.
for try in 1 2 3; do
    wine reg add 'HKCU\Software\Wine' /v Version /t REG_SZ /d "$version" /f >"$TEST_DIR/as_windows.log" 2>&1 && exec "$@"
    sleep 2
done
echo "as_windows.sh: the prefix could not be told it is $version:"
cat "$TEST_DIR/as_windows.log"
exit 1
