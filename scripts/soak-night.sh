#!/bin/bash
# The night soak (not in CI): eight hours of skeds, 22:00-06:00 UTC, on a
# clock running 8x fast, so one real hour under Wine. Partners answer, miss
# periods and vanish; WSJT (the stand-in) is closed and started again in the
# middle of a sked. At the end it reports the contacts completed, the
# records written (tavrix.adi), tavrix.exe's private memory at the start and
# at the end, and every missed entry; exits non-zero when an entry whose
# partner answers missed its contact or the records are not one per
# contact. The whole log is kept in build/soak-night/soak.log.
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
grep -E '^(contacts completed|records written|  entry |tavrix.exe private memory|THE |RECORDS)' "$out/soak.log" || true
# After the first hour the memory must stay flat: at most 1 MB more from
# the reading at 23:00 to the end.
awk '$1 == "hour" && $2 == "23:00" { first = $3 } $1 == "end" { last = $2 }
     END { if (first != "" && last != "") {
               printf "private memory from 23:00 to the end: %+d kB (at most +1024)\n", last - first
               if (last - first > 1024) exit 1 } }' "$out/memory.txt" || status=1
[ $status -eq 0 ] && echo "SOAK PASSED" || echo "SOAK FAILED (status $status)"
exit $status
