#!/bin/bash
# Installs what building and testing Tavrix needs on Debian 12, as root.
# Only installs what is missing, so a second run is quick.
set -euo pipefail
packages=(cmake g++ make libgtest-dev libgmock-dev googletest libbenchmark-dev libxml2-dev
          g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-win32
          wine wine64 xvfb xauth imagemagick xdotool x11-utils locales
          clang libclang-rt-14-dev zip faketime wsjtx nodejs libhamlib-utils chromium)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# A logger's ADIF parser, for the Wine tests of the loggers' feed
# (tests/wine/loggers.sh): into build/, never into the sources. npm comes
# with the nodejs package.
parser=$(cd "$(dirname "$0")/.." && pwd)/build/adif-parser
if [ ! -f "$parser/node_modules/adif-parser-ts/package.json" ]; then
    echo "Installing adif-parser-ts into $parser"
    mkdir -p "$parser"
    command -v npm >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -qq npm >/dev/null
    npm install --prefix "$parser" --no-audit --no-fund --silent adif-parser-ts@0.7.7
fi
