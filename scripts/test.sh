#!/bin/bash
# Installs what is missing, builds both Windows flavours and the native one,
# and runs every test: the native unit tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, then all tests (unit and Wine) in the plain
# native build, with the libFuzzer targets run for a bounded time in
# between. Ends with ctest's summary.
set -euo pipefail
cd "$(dirname "$0")/.."
src=$(pwd)
if [ "$(id -u)" = 0 ]; then scripts/install-deps.sh; fi
jobs=$(nproc)

build() {  # build DIR [cmake args...]
    local dir=$1; shift
    cmake -S "$src" -B "$dir" -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
    cmake --build "$dir" -j "$jobs"
}

echo "== layers: each folder includes only the folders below it"
scripts/check-layers.sh

build build/win64 -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-x86_64.cmake"
build build/win32 -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-i686.cmake"
echo "== imports: the i686 release starts on Windows XP SP3"
scripts/check-imports.sh build/win32/tavrix.exe build/win32/tools/standin_wsjt.exe
build build/sanitize -DCMAKE_BUILD_TYPE=Debug -DTAVRIX_SANITIZE=ON
build build/native -DTAVRIX_WIN64_DIR="$src/build/win64"
CC=clang CXX=clang++ build build/fuzz -DTAVRIX_FUZZ=ON

echo "== release packages"
scripts/package.sh
(cd build/dist && sha256sum -c --quiet SHA256SUMS)

echo "== native unit tests under ASan and UBSan"
(cd build/sanitize && ctest --output-on-failure -j "$jobs")
echo "== fuzzing, each target for a bounded time"
(cd build/fuzz && ctest --output-on-failure)
echo "== all tests"
# Two at a time: each Wine test has its own display and prefix, and most of
# their time is waiting on the clock.
cd build/native && ctest --output-on-failure -j 2
