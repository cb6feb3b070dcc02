#!/bin/bash
# The radio on each sked's frequency, against Hamlib's own rigctld with its
# dummy radio (drivers/rig_driver.cpp says what the night does):
#
#   rig.sh
#
# Run by with_wine.sh under on_fast_clock.sh, so that rigctld, the rigctl
# reads and the Windows programs share the one fast clock. rigctld listens on
# a free local port, given to the driver as RIG_PORT, with the radio left on
# 144.300 MHz as an operator would leave it; the driver stops and starts it
# again through RIG_START, by the pid it writes to RIG_PID. Whatever runs at
# the end is ended by that pid.
set -uo pipefail
for need in rigctld rigctl python3; do
    command -v $need >/dev/null || { echo "$need is not installed (scripts/install-deps.sh installs it)"; exit 1; }
done
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
export RIG_PORT=$port RIG_PID=$TEST_DIR/rigctld.pid
export RIG_START="rigctld -m 1 -t $port >>$TEST_DIR/rigctld.log 2>&1 & echo \$! >$RIG_PID"
stop_rigctld() {
    [ -s "$RIG_PID" ] && kill "$(cat "$RIG_PID")" 2>/dev/null
    rm -f "$RIG_PID"
}
trap stop_rigctld EXIT
sh -c "$RIG_START"
for _ in $(seq 1 50); do
    timeout 2 rigctl -m 2 -r "localhost:$port" F 144300000 2>/dev/null && break
    sleep 0.2
done
echo "rigctld on port $port, the radio on $(timeout 2 rigctl -m 2 -r "localhost:$port" f) Hz"
wine "$TAVRIX_WIN64_DIR/tests/wine/drivers/rig_driver.exe"
