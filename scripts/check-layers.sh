#!/bin/bash
# Prints which product folders include which, and fails when an include
# points up the layers: app -> ui -> engine -> peer -> ports, never back.
# Usage: scripts/check-layers.sh [source tree, by default this one]
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"
layers=(app ui engine peer ports)
rank() { local i; for i in "${!layers[@]}"; do [ "${layers[$i]}" = "$1" ] && echo "$i" && return; done; echo -1; }

status=0
for from in "${layers[@]}"; do
    targets=$(grep -hoE '^#include "[a-z]+/' "$from"/* 2>/dev/null | sed 's/#include "//; s#/##' | sort -u || true)
    for to in $targets; do
        [ "$to" = "$from" ] && continue
        echo "$from -> $to"
        if [ "$(rank "$to")" -le "$(rank "$from")" ]; then
            echo "  not allowed: $from may include only folders below it" >&2
            grep -nE "^#include \"$to/" "$from"/* >&2
            status=1
        fi
    done
done
exit $status
