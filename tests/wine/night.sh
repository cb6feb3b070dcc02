#!/bin/bash
# A night of skeds worked by Tavrix alone, on the test's display (run it
# through with_wine.sh): puts itself on the night's fast clock, writes the
# night's skeds.txt and call3a.txt into TEST_DIR and runs tools/night.exe
# with the night's partners on the stand-in WSJT, taking the screenshots
# and memory readings night.exe asks for. Exits as night.exe does.
#
#   night.sh NIGHT
#
#   rehearsal   three skeds and a CQ slot, 22:00-22:20 UTC on a clock
#               running 4x (about six real minutes); the skeds' partners
#               keep to their agreed periods, the CQ caller answers every
#               half minute
#   soak        eight hours, 22:00-06:00 UTC, on a clock running 8x (one
#               real hour): partners that answer, miss periods and vanish,
#               and WSJT closed and started again in the middle of a sked
#   soak-short  the same mix in 30 minutes of schedule at 8x (four real
#               minutes), partners answering every half minute
#
# Screenshots and the memory readings (memory.txt: the reading, private kB,
# Private_Dirty kB; smaps-*.txt) go to TAVRIX_NIGHT_OUT
# (default TEST_DIR).
set -uo pipefail
night=${1:-}
here=$(cd "$(dirname "$0")" && pwd)
out=${TAVRIX_NIGHT_OUT:-$TEST_DIR}

case $night in
rehearsal)
    clock="@2026-12-13 21:58:00 x4" limit=12 restart= maymiss=
    wsjt="/fast /partner Q9XYZ /oncall /period 2nd /partner Q2AAA /oncall /period 1st
          /partner Q7PQR /behaviour cq-listed /partner Q5STU /oncall /period 1st"
    skeds='# The rehearsal: three skeds in agreed periods and a CQ slot
2026-12-13 22:00 22:05 Q9XYZ 1st
2026-12-13 22:05 22:10 Q2AAA 2nd
2026-12-13 22:10 22:15 CQ
2026-12-13 22:15 22:20 Q5STU 2nd' ;;
soak)
    clock="@2026-12-13 21:57:00 x8" limit=72 restart=01:33 maymiss=Q3BBB,Q4CCC,Q5DDD
    wsjt="/partner Q9XYZ /oncall /partner Q7PQR /behaviour cq-listed /partner Q2AAA /oncall /misses 2
          /partner Q3BBB /behaviour never /partner Q4CCC /oncall /partner Q5DDD /oncall /behaviour halfway
          /partner Q6EEE /oncall /misses 3 /partner Q8FFF /oncall /misses 2 /partner Q2GGG /oncall"
    skeds='# A night of skeds: Q3BBB never comes, Q5DDD vanishes halfway,
# WSJT is closed and started again at 01:33, in the middle of Q4CCC
2026-12-13 22:00 23:00 Q9XYZ
2026-12-13 23:00 23:30 CQ
2026-12-13 23:30 00:30 Q2AAA
2026-12-14 00:30 01:30 Q3BBB
2026-12-14 01:30 02:30 Q4CCC
2026-12-14 02:30 03:30 Q5DDD
2026-12-14 03:30 04:30 Q6EEE
2026-12-14 04:30 05:30 Q8FFF
2026-12-14 05:30 06:00 Q2GGG' ;;
soak-short)
    clock="@2026-12-13 21:58:00 x8" limit=5 restart=22:15 maymiss=Q3BBB,Q5DDD
    wsjt="/fast /partner Q9XYZ /oncall /partner Q2AAA /oncall /misses 2 /partner Q3BBB /behaviour never
          /partner Q7PQR /behaviour cq-listed /partner Q5DDD /oncall /behaviour halfway"
    skeds='# Half an hour of skeds: Q3BBB never comes, WSJT is closed and
# started again at 22:15 in its sked, Q5DDD vanishes halfway
2026-12-13 22:00 22:06 Q9XYZ
2026-12-13 22:06 22:12 Q2AAA
2026-12-13 22:12 22:18 Q3BBB
2026-12-13 22:18 22:24 CQ
2026-12-13 22:24 22:30 Q5DDD' ;;
*)
    echo "usage: night.sh rehearsal|soak|soak-short"; exit 2 ;;
esac

# Every Wine process of the night, wineserver included, on the one fast clock.
if [ -z "${TAVRIX_NIGHT_CLOCK:-}" ]; then
    TAVRIX_NIGHT_CLOCK=$clock exec "$here/on_fast_clock.sh" "$clock" "$0" "$@"
fi

# Sets kb to the private memory (kB) of this prefix's tavrix.exe, as Linux
# counts it, and dirty to the dirty part of it alone ("?" when it is gone).
# The clean part is pages of the DLLs read from their files: private while
# no other process on the machine has them too (Wine programs of any
# prefix, the stand-in WSJT among them), shared when one does, so it comes
# and goes by megabytes as they start and stop. The dirty part is what
# tavrix.exe itself wrote: heap, stacks, data. The mappings behind each
# reading are kept in smaps-NAME.txt beside memory.txt. The process found first is looked at again first: the search
# through every process is slow, and the reading at the end has only the
# few seconds before night.exe closes Tavrix.
tavrix_pid=
private_kb() {
    local p
    kb="?" dirty="?"
    for p in ${tavrix_pid:+/proc/$tavrix_pid} /proc/[0-9]*; do
        tr '\0' ' ' 2>/dev/null <"$p/cmdline" | grep -qi 'tavrix\.exe' || continue
        tr '\0' '\n' 2>/dev/null <"$p/environ" | grep -qx "WINEPREFIX=$WINEPREFIX" || continue
        read -r kb dirty < <(awk '/^Private_(Clean|Dirty)/ { kb += $2 } /^Private_Dirty/ { dirty += $2 }
                                  END { print kb, dirty }' "$p/smaps_rollup")
        cp "$p/smaps" "$out/smaps-$1.txt" 2>/dev/null
        tavrix_pid=${p#/proc/}
        return
    done
}

# The rehearsal's radio, when Hamlib's rigctld is installed: its dummy radio
# on a free local port, left on 144.300 MHz, each sked given a frequency, and
# the radio's frequency printed (rigctl) as it changes. rigctld ends with the
# watcher, which ends once this script has.
rehearsal_radio() {
    [ "$night" = rehearsal ] || return 0
    command -v rigctld >/dev/null || { echo "(no rigctld: install libhamlib-utils to rehearse with a radio)"; return 0; }
    local port script=$$ rigctld
    port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
    rigctld -m 1 -t "$port" >"$TEST_DIR/rigctld.log" 2>&1 &
    rigctld=$!
    for _ in $(seq 1 50); do
        timeout 2 rigctl -m 2 -r "localhost:$port" F 144300000 2>/dev/null && break
        sleep 0.2
    done
    tr -d '\r' <"$TEST_DIR/skeds.txt" |
        awk 'BEGIN { split("144.366 144.37 144.36 144.374", mhz) } /^[0-9]/ { $0 = $0 " " mhz[++n] } { print }' |
        sed 's/$/\r/' >"$TEST_DIR/skeds.radio" && mv "$TEST_DIR/skeds.radio" "$TEST_DIR/skeds.txt"
    export TAVRIX_RIG=localhost:$port
    echo "The radio: Hamlib's dummy (rigctld -m 1 -t $port), left on 144.300 MHz"
    (
        last=
        while kill -0 "$script" 2>/dev/null; do
            hz=$(timeout 3 rigctl -m 2 -r "localhost:$port" f 2>/dev/null | head -n 1)
            [ "$hz" != "$last" ] && echo "$(date +%H:%M:%S)  the radio reads ${hz:-nothing} Hz (rigctl f)"
            last=$hz
            sleep 2
        done
        kill "$rigctld" 2>/dev/null
    ) &
}

mkdir -p "$out"
rm -f "$out/memory.txt" "$out"/smaps-*.txt
printf '%s\r\n' "$skeds" >"$TEST_DIR/skeds.txt"
rehearsal_radio
printf '// Callsign list\r\nQ7PQR,KO85,,,Ivan\r\nZZZZZZ,End-of-Database\r\n' >"$TEST_DIR/call3a.txt"
# No window manager runs on the display, so let Wine draw frames and captions.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1

# The stand-in below Tavrix's window, clear of its status bar.
args=(/wsjt "/at 0,480 $(echo $wsjt)" /limit "$limit")
[ -n "$restart" ] && args+=(/restart "$restart")
[ -n "$maymiss" ] && args+=(/maymiss "$maymiss")
[ "$night" = rehearsal ] && args+=(/verbose)
echo "A night of skeds ($night) on the clock $clock, local time = UTC"
wine "$TAVRIX_WIN64_DIR/tools/night.exe" "${args[@]}" | while IFS= read -r line; do
    line=${line%$'\r'}
    case $line in
        "@screenshot "*) import -window root "$out/${line#@screenshot }" && echo "(screenshot ${line#@screenshot })" ;;
        "@skeds-page")  # a click on its tab, the third, 138,31 from the window's corner
            xdotool search --name '^Tavrix v' mousemove --window %1 138 31 click 1 >/dev/null 2>&1 ;;
        "@memory "*)
            when=${line#@memory }
            private_kb "$(echo "$when" | tr ' :' '--')"
            echo "$when $kb $dirty" >>"$out/memory.txt"
            echo "tavrix.exe private memory at the $when: $kb kB (Linux: Private_Clean + Private_Dirty), Private_Dirty $dirty kB" ;;
        *) echo "$line" ;;
    esac
done
status=${PIPESTATUS[0]}
echo "night.exe ended with status $status"

# The night's page, beside the activity log, copied out with its pictures
# at 100 % and 200 % zoom.
[ "$out" -ef "$TEST_DIR" ] || rm -f "$out"/tavrix-night-*
found=
while IFS= read -r page; do
    found=1
    name=$(basename "$page" .html)
    [ "$out" -ef "$TEST_DIR" ] || cp "$page" "$out/"
    rendered=$("$here/render_page.sh" "$out/$name.html" "$out/$name")
    echo "night report: $name.html $(stat -c %s "$page") bytes, $rendered"
done < <(find "$TEST_DIR" -maxdepth 1 -name 'tavrix-night-*.html' -type f)
[ -n "$found" ] || { echo "NO NIGHT REPORT beside the activity log"; status=1; }
exit "$status"
