#!/bin/bash
# Runs a command with the local clock of every process it starts (wineserver,
# the Windows programs, the driver) running faster than their timers, as a
# Windows timer that drifts from the clock or loses ticks would:
#
#   on_fast_clock.sh CLOCK COMMAND [ARGS...]
#
# CLOCK is in libfaketime's notation: "+0 x2" runs the clock twice as fast from now,
# "@2026-12-08 11:59:30 x2" from that local time. The command must start the
# test's first Wine process, so that its wineserver and every program after
# it are children of one faketime and share its one clock (with
# FAKETIME_DONT_RESET a child does not start the clock again). Window timers
# and GetTickCount run on the monotonic clock, which stays real, while Sleep
# follows the fast clock. File times stay real, or Wine would take its
# prefix for out of date.
set -uo pipefail
clock=$1; shift
if ! command -v faketime >/dev/null; then
    echo "faketime is not installed (scripts/install-deps.sh installs it)"
    exit 1
fi
export FAKETIME_DONT_FAKE_MONOTONIC=1 FAKETIME_DONT_RESET=1 NO_FAKE_STAT=1
exec faketime -f "$clock" "$@"
