#!/usr/bin/env bash
# A sound server that accepts the connection and never answers: the clock still shows its window
# and ticks every second with a tick tone on, SIGTERM still ends it with a save, and `dorvane tone`
# ends. Each says once that there is no sound device, and the sound libraries say nothing.
source "$(dirname "$0")/e2e-lib.sh"
need python3

socket="$WORK/mute-server"
python3 -c '
import socket, sys
server = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
server.bind(sys.argv[1]); server.listen(16)
held = []
while True: held.append(server.accept()[0])
' "$socket" &
server_pid=$!
trap 'kill $server_pid 2>/dev/null; [[ -n "$CLOCK_PID" ]] && kill "$CLOCK_PID" 2>/dev/null; rm -rf "$WORK"' EXIT
wait_until 5 test -S "$socket"
export PULSE_SERVER="unix:$socket"
said_once() { test "$(cat "$1")" = "dorvane: no sound device (the sound server does not answer); sounds stay silent"; }

printf '[Settings]\nX=300\nY=200\nActivateTick=1\nTickDur=50\n' >"$SETTINGS"
start_clock
check "the window is shown" wait_until 3 clock_shown
before=$(wc -l <"$WORK/ticks.log")
sleep 5
after=$(wc -l <"$WORK/ticks.log")
check "a picture in each of 5 seconds ($((after - before)))" test $((after - before)) -ge 4
stop_clock TERM
check "SIGTERM ends it" test -z "$CLOCK_PID"
check "and it saved the settings" grep -q '^Skin=' "$SETTINGS"
grep -v '^QStandardPaths' "$WORK/clock.log" >"$WORK/said.log" || true
check "the clock says once that there is no sound device" said_once "$WORK/said.log"

ended=0
timeout 10 "$DORVANE" tone 440 --seconds 0.1 >"$WORK/tone.log" 2>&1 || ended=$?
check "dorvane tone ends" test "$ended" -ne 124
check "and says once that there is no sound device" said_once "$WORK/tone.log"
finish
