#!/bin/bash
# Fails when an i686 executable imports a function that
# scripts/xp-imports.txt does not list. The i686 release must start on
# Windows XP SP3, and Windows refuses to start a program at all when one of
# its imports is missing, so each import is checked against Microsoft's
# documented minimum before it goes on the list.
#   scripts/check-imports.sh EXE...
# Prints the imports it found with -v.
set -euo pipefail
cd "$(dirname "$0")/.."
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}
verbose=false
if [ "${1:-}" = -v ]; then verbose=true; shift; fi

# DLL names compare without case: objdump spells them as the linker found
# them (KERNEL32.dll, COMCTL32.DLL).
allowed=$(sed 's/#.*//' scripts/xp-imports.txt | awk 'NF == 2 { print toupper($1), $2 }' | sort -u)

# "DLL FUNCTION" for every import of $1; an import by ordinal shows as
# "DLL #ordinal", which the list never allows.
imports_of() {
    "$objdump" -p "$1" | awk '
        /^[^ \t]/ { dll = "" }
        /DLL Name:/ { dll = toupper($3); next }
        dll != "" && /^\t[0-9a-f]+\t/ { print dll, (NF >= 3 ? $3 : "#" $2) }' | sort -u
}

status=0
for exe in "$@"; do
    imports=$(imports_of "$exe")
    if [ -z "$imports" ]; then
        echo "$exe: no imports found"
        status=1
        continue
    fi
    $verbose && echo "$imports" | sed "s|^|$exe: |"
    unknown=$(comm -23 <(echo "$imports") <(echo "$allowed"))
    if [ -n "$unknown" ]; then
        echo "$exe imports what scripts/xp-imports.txt does not list as present on Windows XP SP3:"
        echo "$unknown" | sed 's/^/  /'
        status=1
    else
        echo "$exe: $(echo "$imports" | wc -l) imports, all on Windows XP SP3"
    fi
done
exit $status
