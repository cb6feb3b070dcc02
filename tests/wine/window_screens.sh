#!/bin/bash
# Opens tavrix.exe on the test's display, photographs the Run page, switches
# to the Options and Skeds pages with Ctrl+Tab and photographs them, then
# closes the window the way its close box does. Screenshots go to
# $TAVRIX_SCREENS_DIR (default $TEST_DIR): window-run.png,
# window-options.png and window-skeds.png. Look at them. The test runs on a
# clock set to a Geminids night, so that the Skeds page's State column shows
# each of its words; a 12-character callsign and frequencies, so that it
# shows each column whole at its widest.
set -uo pipefail
out=${TAVRIX_SCREENS_DIR:-$TEST_DIR}
app=$WINEPREFIX/drive_c/Tavrix   # C:\Tavrix, as an operator would install it
mkdir -p "$app" "$out"
cp "$TAVRIX_WIN64_DIR/tavrix.exe" "$app/"   # tavrix.ini would live beside it
rm -f "$app/tavrix.ini" "$out"/window-{run,options,skeds}.png
printf '%s\r\n' "# Geminids 2026: skeds agreed on the reflector, times UTC" \
    "2026-12-13 21:00 22:00 Q2DEF 2nd" "2026-12-13 22:00 23:00 Q9XYZ 1st 144.366" "2026-12-13 23:00 23:30 CQ 144.37" \
    "2026-12-13 23:30 00:30 Q7PQR/QRP/MM 1296.2 2nd" "" "# every morning, for whoever hears me" "* 04:00 05:00 CQ 2nd" \
    >"$app/skeds.txt"

fail() { echo "FAIL: $*"; [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null; exit 1; }

# No window manager runs on the display, so let Wine draw the frame and caption.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1

cd "$app" || exit 1
wine tavrix.exe & pid=$!
wid=
for _ in $(seq 1 60); do
    wid=$(xdotool search --name '^Tavrix v0\.13\.3\.1$' 2>/dev/null | head -1)
    [ -n "$wid" ] && break
    sleep 0.5
done
[ -n "$wid" ] || fail "no window \"Tavrix v0.13.3.1\" within 30 s"
sleep 1
import -window root "$out/window-run.png" || fail "screenshot"

xdotool windowfocus --sync "$wid" 2>/dev/null
xdotool key ctrl+Tab
sleep 1
import -window root "$out/window-options.png" || fail "screenshot"
differ=$(compare -metric AE "$out/window-run.png" "$out/window-options.png" null: 2>&1)
[ "${differ%% *}" != 0 ] || fail "the Options page did not come up"

xdotool key ctrl+Tab
sleep 1
import -window root "$out/window-skeds.png" || fail "screenshot"
differ=$(compare -metric AE "$out/window-options.png" "$out/window-skeds.png" null: 2>&1)
[ "${differ%% *}" != 0 ] || fail "the Skeds page did not come up"

wine taskkill /im tavrix.exe >/dev/null 2>&1
for _ in $(seq 1 30); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.5
done
kill -0 "$pid" 2>/dev/null && fail "tavrix did not close within 15 s"
echo "screenshots: $out/window-run.png $out/window-options.png $out/window-skeds.png"
