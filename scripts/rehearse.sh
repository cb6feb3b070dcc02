#!/bin/bash
# Rehearsal: builds the 64-bit Windows program, opens Tavrix under Wine on a
# virtual display of its own, photographs both pages of its window into
# build/rehearsal/, and closes it again.
set -euo pipefail
cd "$(dirname "$0")/.."
src=$(pwd)
if [ "$(id -u)" = 0 ]; then scripts/install-deps.sh; fi

cmake -S "$src" -B build/win64 -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-x86_64.cmake" >/dev/null
cmake --build build/win64 -j 2

out=$src/build/rehearsal
mkdir -p "$out"
TAVRIX_WINE_ROOT=$out/wine TAVRIX_WIN64_DIR=$src/build/win64 TAVRIX_SCREENS_DIR=$out \
    tests/wine/with_wine.sh rehearsal tests/wine/window_screens.sh
echo "Tavrix opened and closed under Wine; its window is in:"
echo "  $out/window-run.png"
echo "  $out/window-options.png"
