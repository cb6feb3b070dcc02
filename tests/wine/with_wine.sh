#!/bin/bash
# Runs one end-to-end test under Wine on a display and in a Wine prefix of
# its own, then ends what it started (by pid, and wineserver -k for its own
# prefix only).
#
#   with_wine.sh NAME COMMAND [ARGS...]
#
# NAME names the test's folder $TAVRIX_WINE_ROOT/NAME (default: build/wine),
# which holds its prefix and whatever the test leaves (screenshots, journals)
# until the test runs again.
# COMMAND runs with DISPLAY, WINEPREFIX, WINEDEBUG, WINEDLLOVERRIDES, TZ and
# TEST_DIR set; it may be a shell script or `wine some.exe`. The whole test
# is bounded by TAVRIX_WINE_TIMEOUT seconds (default 300).
set -uo pipefail
name=$1; shift
root=${TAVRIX_WINE_ROOT:-$(pwd)/wine}
export TEST_DIR=$root/$name
export WINEPREFIX=$TEST_DIR/prefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# Wine takes its time zone from TZ, else the host's /etc/localtime: UTC
# whatever the host keeps, so the times a test names are the times it gets.
# A test in another zone sets TZ in its command.
export TZ=UTC
# Each run starts from an empty folder: files a test left last time (a log,
# a decoded.cum) would otherwise change what the next run sees.
[ -n "$name" ] || { echo "no test name"; exit 1; }
rm -rf "$TEST_DIR"
mkdir -p "$TEST_DIR"

# A free display number: no lock file and no socket. Tests started side by
# side (ctest -j) pick one at a time, each once its Xvfb answers, so no two
# share a display that the first to finish would take down.
# The lock is machine-wide, so tests of two build trees never pick the same display.
exec 8>"/tmp/tavrix-wine-display.lock"
flock 8
display=
for n in $(seq 50 150); do
    if [ ! -e /tmp/.X$n-lock ] && [ ! -e /tmp/.X11-unix/X$n ]; then display=$n; break; fi
done
[ -n "$display" ] || { echo "no free X display"; exit 1; }
Xvfb :$display -screen 0 1024x768x24 -nolisten tcp >"$TEST_DIR/xvfb.log" 2>&1 8>&- &
xvfb_pid=$!
export DISPLAY=:$display

cleanup() {
    wineserver -k >/dev/null 2>&1
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
}
trap cleanup EXIT

for _ in $(seq 1 50); do
    xdpyinfo -display ":$display" >/dev/null 2>&1 && break
    sleep 0.1
done
flock -u 8
exec 8>&-

# A fresh prefix for every run of the test, copied from one made once by
# wineboot (which takes many seconds), so no test sees another's leftovers.
template=$root/.prefix-template
(
    flock 9
    if [ ! -f "$template/system.reg" ]; then
        rm -rf "$template"
        WINEPREFIX=$template timeout 120 wineboot -i >"$root/wineboot.log" 2>&1
        WINEPREFIX=$template timeout 60 wineserver -w
    fi
) 9>"$root/.prefix-template.lock"
rm -rf "$WINEPREFIX"
cp -a "$template" "$WINEPREFIX"

timeout --kill-after=10 "${TAVRIX_WINE_TIMEOUT:-300}" "$@"
status=$?
[ $status -eq 124 ] && echo "test timed out after ${TAVRIX_WINE_TIMEOUT:-300} s"
exit $status
