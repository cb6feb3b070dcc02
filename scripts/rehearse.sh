#!/bin/bash
# Rehearsal: installs what is missing, builds the 64-bit Windows program and
# runs a session in real time on a virtual display under Wine: the stand-in
# WSJT with two partner stations on the air, and Tavrix working a sked with
# one of them and then, after CQ, a contact with the other. Progress is
# shown as it goes; at the end the activity log and the stand-in's journal
# are printed, and screenshots are in build/rehearsal/. Takes about seven
# minutes; exits non-zero when a contact did not complete. When Debian's
# wsjtx is installed, its udp_daemon stands in for the operator's logger on
# 127.0.0.1 port 2237, where Tavrix sends by default, and what it received
# of each contact is printed at the end.
#
#   scripts/rehearse.sh [/fast]    (/fast: partners answer every half minute)
#   scripts/rehearse.sh /skeds     a night of three skeds and a CQ slot,
#                                  22:00-22:20 UTC on a clock running 4x, with
#                                  a partner on the air for each; Tavrix works
#                                  it alone from one START. About six minutes.
set -euo pipefail
cd "$(dirname "$0")/.."
src=$(pwd)
out=$src/build/rehearsal

# On the test display (run through with_wine.sh): the operator program,
# with screenshots taken when it asks for them.
if [ "${1:-}" = --on-display ]; then
    shift
    # No window manager runs on the display, so let Wine draw frames and captions.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    set +e
    wine "$TAVRIX_WIN64_DIR/tools/rehearsal.exe" "$@" | while IFS= read -r line; do
        line=${line%$'\r'}
        case $line in
            "@screenshot "*) import -window root "$out/${line#@screenshot }" && echo "(screenshot ${line#@screenshot })" ;;
            *) echo "$line" ;;
        esac
    done
    exit "${PIPESTATUS[0]}"
fi

if [ "$(id -u)" = 0 ]; then scripts/install-deps.sh; fi
cmake -S "$src" -B build/win64 -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-x86_64.cmake" >/dev/null
cmake --build build/win64 -j 2 --target tavrix standin_wsjt rehearsal night

# WSJT-X's example receiver of its UDP protocol, as the logger; ended by its pid.
daemon=
start_logger() {
    command -v udp_daemon >/dev/null || { echo "(no udp_daemon: install wsjtx to see what a logger receives)"; return 0; }
    QT_QPA_PLATFORM=offscreen udp_daemon >"$out/udp_daemon.txt" 2>&1 &
    daemon=$!
    trap '[ -z "$daemon" ] || kill "$daemon" 2>/dev/null' EXIT
}
show_logger() {
    [ -n "$daemon" ] || return 0
    sleep 1
    kill "$daemon" 2>/dev/null || true
    wait "$daemon" 2>/dev/null || true
    daemon=
    echo "== what the logger (udp_daemon on 127.0.0.1:2237) received:"
    cat "$out/udp_daemon.txt"
}

# The night's page the run copied out beside its screenshots, and its
# pictures at 100 % and 200 % (tests/wine/night.sh), copied to $2.
night_page() {
    local page
    page=$(ls -t "$1"/tavrix-night-*.html 2>/dev/null | head -1)
    if [ -z "$page" ]; then echo "(no night's page was written)"; return 0; fi
    mkdir -p "$2"
    rm -f "$2"/tavrix-night-*
    cp "$page" "${page%.html}"-[12]00.png "$2/" 2>/dev/null || true
    page=$2/$(basename "$page")
    echo "The night's page: $page; as Chromium shows it: ${page%.html}-100.png and ${page%.html}-200.png"
}

if [ "${1:-}" = /skeds ]; then
    out=$src/build/rehearsal-skeds
    mkdir -p "$out"
    rm -f "$out"/*.png
    start_logger
    started=$(date +%s)
    status=0
    TAVRIX_WINE_ROOT=$out/wine TAVRIX_WIN64_DIR=$src/build/win64 TAVRIX_WINE_TIMEOUT=660 TAVRIX_NIGHT_OUT=$out \
        tests/wine/with_wine.sh rehearsal "$src/tests/wine/night.sh" rehearsal || status=$?
    show_logger
    echo "Rehearsal of the skeds took $(( $(date +%s) - started )) s; screenshot: $out/night-end.png"
    night_page "$out" "$src/build/rehearsal"
    [ $status -eq 0 ] && echo "Every sked and the CQ slot reached its contact." || echo "REHEARSAL FAILED (status $status)"
    exit $status
fi

mkdir -p "$out"
rm -f "$out"/*.png
start_logger
started=$(date +%s)
status=0
TAVRIX_WINE_ROOT=$out/wine TAVRIX_WIN64_DIR=$src/build/win64 TAVRIX_WINE_TIMEOUT=900 \
    tests/wine/with_wine.sh rehearsal "$src/scripts/rehearse.sh" --on-display "$@" || status=$?
show_logger
echo "Rehearsal took $(( $(date +%s) - started )) s; screenshots:"
ls "$out"/*.png 2>/dev/null | sed 's/^/  /'
[ $status -eq 0 ] && echo "Both contacts complete." || echo "REHEARSAL FAILED (status $status)"
exit $status
