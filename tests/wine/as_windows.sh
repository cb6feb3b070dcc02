#!/bin/bash
# Runs COMMAND with the test's Wine prefix telling programs it is Windows
# VERSION (a winecfg name: winxp64, win7, win10), as a station on an old
# computer would:
#   as_windows.sh VERSION COMMAND [ARGS...]
set -euo pipefail
version=$1; shift
wine reg add 'HKCU\Software\Wine' /v Version /t REG_SZ /d "$version" /f >/dev/null 2>&1
exec "$@"
