#!/bin/bash
# The night soak (not in CI): eight hours of skeds, 22:00-06:00 UTC, on a
# clock running 8x fast, so one real hour under Wine. Partners answer, miss
# periods and vanish; WSJT (the stand-in) is closed and started again in the
# middle of a sked. At the end it reports the contacts completed, the
# records written (tavrix.adi), tavrix.exe's private memory at the start and
# at the end (Private_Dirty beside it), every missed entry and the night's
# page (tavrix-night-*.html): its account of the entries, and its size and
# headless Chromium's time to render it as night.sh tells them; exits
# non-zero when an entry whose partner answers missed its contact, the
# records are not one per contact or the memory grew. The whole log is kept in build/soak-night/soak.log.
#
#   scripts/soak-night.sh [/short]   (/short: the four-minute version CI runs)
set -euo pipefail
cd "$(dirname "$0")/.."
src=$(pwd)
night=soak
[ "${1:-}" = /short ] && night=soak-short
out=$src/build/soak-night
cmake -S "$src" -B build/win64 -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-x86_64.cmake" >/dev/null
cmake --build build/win64 -j 2 --target tavrix standin_wsjt night

mkdir -p "$out"
started=$(date +%s)
status=0
TAVRIX_WINE_ROOT=$out/wine TAVRIX_WIN64_DIR=$src/build/win64 TAVRIX_WINE_TIMEOUT=4700 TAVRIX_NIGHT_OUT=$out \
    tests/wine/with_wine.sh "$night" "$src/tests/wine/night.sh" "$night" 2>&1 | tee "$out/soak.log" ||
    status=${PIPESTATUS[0]}

echo
echo "==== the $night in figures ($(( ($(date +%s) - started) / 60 )) real minutes)"
grep -E '^(contacts completed|records written|  entry |tavrix.exe private memory|THE |RECORDS|night report|NO NIGHT REPORT)' \
    "$out/soak.log" || true
# The page's own account: its summary, each entry's outcome from its table,
# and its contact rows.
page=$(ls "$out/wine/$night"/tavrix-night-*.html 2>/dev/null | head -1)
if [ -n "$page" ]; then
    sed -n 's|^<p>\(Night of .*\)</p>$|night report: \1|p' "$page"
    sed -n 's|^<tr><td class="n">\([0-9]*\)</td><td>\([^<]*\)</td><td>\([^<]*\)</td><td>[^<]*</td><td>\([^<]*\)</td>.*|night report: entry \1 \2 \3: \4|p' "$page"
    echo "night report: $(grep -c '^<tr><td>[0-9-]*</td><td>' "$page") contact rows"
fi
# After the first hour the memory must stay flat: at most 1 MB more from
# the reading at 23:00 to the end in what tavrix.exe wrote itself
# (Private_Dirty). The private total is told beside it but not judged: its
# clean part is DLL pages read from their files, private only while no
# other Wine process on the machine has the same pages, so it moves by
# megabytes as other Wine programs start and stop, whatever Tavrix does.
awk '$1 == "hour" && $2 == "23:00" { first = $3; firstDirty = $4 } $1 == "end" { last = $2; lastDirty = $3 }
     END { if (first == "")  # a night shorter than an hour
               exit 0
           if (firstDirty !~ /^[0-9]+$/ || lastDirty !~ /^[0-9]+$/) {
               print "NO MEMORY READING at 23:00 or at the end"
               exit 1 }
           printf "private memory from 23:00 to the end: Private_Dirty %+d kB (at most +1024); all private %+d kB\n",
                  lastDirty - firstDirty, last - first
           if (lastDirty - firstDirty > 1024) exit 1 }' "$out/memory.txt" || status=1
[ $status -eq 0 ] && echo "SOAK PASSED" || echo "SOAK FAILED (status $status)"
exit $status
