#!/bin/bash
# Opens tavrix.exe on the test's display, photographs the Run page, switches
# to the Options page with Ctrl+Tab and photographs it, then closes the
# window the way its close box does. Screenshots go to $TAVRIX_SCREENS_DIR
# (default $TEST_DIR): window-run.png and window-options.png. Look at them.
set -uo pipefail
out=${TAVRIX_SCREENS_DIR:-$TEST_DIR}
app=$TEST_DIR/app
mkdir -p "$app" "$out"
cp "$TAVRIX_WIN64_DIR/tavrix.exe" "$app/"   # tavrix.ini would live beside it
rm -f "$app/tavrix.ini" "$out/window-run.png" "$out/window-options.png"

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

wine taskkill /im tavrix.exe >/dev/null 2>&1
for _ in $(seq 1 30); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.5
done
kill -0 "$pid" 2>/dev/null && fail "tavrix did not close within 15 s"
echo "screenshots: $out/window-run.png $out/window-options.png"
