#!/bin/bash
# Works one contact with Tavrix sending to udp_daemon, WSJT-X's example
# receiver, then checks what it printed (tests/wine/loggers_check.js):
#
#   loggers.sh PORT [GROUP]
#
# Run by with_wine.sh. udp_daemon listens on PORT, joined to the multicast
# GROUP on the loopback interface when one is given; it is ended by its pid.
set -uo pipefail
port=$1
group=${2:-}
here=$(cd "$(dirname "$0")" && pwd)
parser=$TAVRIX_SOURCE_DIR/build/adif-parser/node_modules
for need in udp_daemon node; do
    command -v $need >/dev/null || { echo "$need is not installed (scripts/install-deps.sh installs it)"; exit 1; }
done
[ -d "$parser/adif-parser-ts" ] || { echo "no adif-parser-ts in $parser (scripts/install-deps.sh installs it)"; exit 1; }

out=$TEST_DIR/udp_daemon.txt
args=(--port "$port")
[ -n "$group" ] && args+=(--multicast-group "$group" --network-interface lo)
QT_QPA_PLATFORM=offscreen udp_daemon "${args[@]}" >"$out" 2>&1 &
daemon=$!
trap 'kill $daemon 2>/dev/null; wait $daemon 2>/dev/null' EXIT
for _ in $(seq 1 50); do
    grep -q ":$(printf '%04X' "$port") " /proc/net/udp && break
    sleep 0.1
done

LOGGER_SERVER=${group:-127.0.0.1} LOGGER_PORT=$port \
    wine "$TAVRIX_WIN64_DIR/tests/wine/drivers/contact_driver.exe" --gtest_filter=Contact.ToTheLoggers
status=$?
# The Close is the last datagram; give the daemon a moment to print it.
for _ in $(seq 1 30); do
    grep -q "Removed WSJT-X instance" "$out" && break
    sleep 0.1
done
kill $daemon 2>/dev/null
wait $daemon 2>/dev/null
trap - EXIT

echo "== udp_daemon printed:"
cat "$out"
NODE_PATH=$parser node "$here/loggers_check.js" "$out" "$TEST_DIR/tavrix.adi" || status=1
exit $status
