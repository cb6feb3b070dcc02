#!/bin/bash
# Builds the release packages into build/dist:
#   tavrix-VERSION-win32.zip   the i686 build, to install next to WSJT 4.9.7
#   tavrix-VERSION-win64.zip   the x86_64 build
#   tavrix-rehearsal-VERSION.zip  the stand-in WSJT with its partner simulator
#   SHA256SUMS
# The archives are reproducible: fixed file times and order, no extra
# attributes, and executables linked without a PE time stamp.
set -euo pipefail
cd "$(dirname "$0")/.."
src=$(pwd)
if [ "$(id -u)" = 0 ]; then scripts/install-deps.sh; fi
version=$(sed -n 's/^project(tavrix VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

for flavour in win32:i686 win64:x86_64; do
    dir=build/${flavour%%:*}
    cmake -S "$src" -B "$dir" -DCMAKE_BUILD_TYPE=Release \
          -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-${flavour##*:}.cmake" >/dev/null
    cmake --build "$dir" -j "$(nproc)" --target tavrix standin_wsjt
done

dist=build/dist
rm -rf "$dist" && mkdir -p "$dist"

# zip_dir ARCHIVE DIR: every file of DIR, sorted, dated 2000-01-01.
zip_dir() {
    local archive=$1 dir=$2
    find "$dir" -exec touch -h -d '2000-01-01 00:00:00 UTC' {} +
    (cd "$dir" && find . -type f | LC_ALL=C sort | sed 's|^\./||' |
        TZ=UTC zip -q -X -D -@ "$src/$archive")
}

example_ini() {
    printf '[Options]\r\nDecoded=c:\\program files\\wsjt\\decoded.cum\r\nCSList=c:\\program files\\wsjt\\call3a.txt\r\nLog=c:\\program files\\wsjt\\tavrixlog.txt\r\nCS=\r\nTLimit=30\r\nClearDecoded=1\r\n'
}

for flavour in win32 win64; do
    stage=$dist/stage-$flavour/tavrix-$version
    mkdir -p "$stage"
    cp build/$flavour/tavrix.exe "$stage/"
    example_ini >"$stage/tavrix.ini"
    cp docs/guide.html "$stage/guide.html" 2>/dev/null || true
    mkdir -p "$stage/images" && cp docs/images/*.png "$stage/images/" 2>/dev/null || rmdir "$stage/images"
    sed 's/$/\r/' LICENSE >"$stage/LICENSE.txt"
    zip_dir "$dist/tavrix-$version-$flavour.zip" "$dist/stage-$flavour"
done

stage=$dist/stage-rehearsal/tavrix-rehearsal-$version
mkdir -p "$stage"
cp build/win32/tools/standin_wsjt.exe "$stage/"
cp docs/rehearsal.txt "$stage/README.txt" 2>/dev/null || true
sed 's/$/\r/' LICENSE >"$stage/LICENSE.txt"
zip_dir "$dist/tavrix-rehearsal-$version.zip" "$dist/stage-rehearsal"

rm -rf "$dist"/stage-*
(cd "$dist" && sha256sum *.zip >SHA256SUMS && cat SHA256SUMS)
