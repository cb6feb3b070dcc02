#!/bin/bash
# Renders a page with headless Chromium as a reader sees it at 100 % and at
# 200 % zoom in a 1200-pixel-wide window: PREFIX-100.png (1200 px wide) and
# PREFIX-200.png (the same window at twice the size, so the page lays out
# in 600 CSS pixels). Prints how long the 100 % rendering took.
#
#   render_page.sh PAGE.html PREFIX
set -uo pipefail
# Off the night's fast clock (libfaketime), which Chromium does not survive
# and which would time the rendering wrong.
if [ -n "${LD_PRELOAD:-}${FAKETIME:-}" ]; then
    exec env -u LD_PRELOAD -u FAKETIME -u FAKETIME_SHARED -u FAKETIME_DONT_RESET "$0" "$@"
fi
page=$(realpath "$1") prefix=$2
command -v chromium >/dev/null || { echo "render_page.sh: no chromium"; exit 1; }
profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
render() {  # render PNG WIDTH HEIGHT SCALE
    timeout 120 chromium --headless --no-sandbox --disable-gpu --hide-scrollbars --no-first-run \
        --user-data-dir="$profile" --force-device-scale-factor="$4" --window-size="$2,$3" \
        --screenshot="$1" "file://$page" >/dev/null 2>&1 && [ -s "$1" ]
}
started=$(date +%s%N)
render "$prefix-100.png" 1200 1600 1 || { echo "render_page.sh: chromium did not render $page"; exit 1; }
ms=$(( ($(date +%s%N) - started) / 1000000 ))
render "$prefix-200.png" 600 800 2 || { echo "render_page.sh: chromium did not render $page at 200 %"; exit 1; }
echo "rendered in $ms ms"
