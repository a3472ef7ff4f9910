#!/usr/bin/env bash
# A sound server that accepts the connection and never answers, and one that stops answering while
# the clock runs: the clock still shows its window and a picture every second with a tick tone on,
# SIGTERM still ends it with a save, and `dorvane tone` ends. Each says once that there is no sound
# device, and the sound libraries say nothing.
source "$(dirname "$0")/e2e-lib.sh"
need python3 pulseaudio

# A server that accepts every connection and never answers.
socket="$WORK/mute-server"
python3 -c '
import socket, sys
server = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
server.bind(sys.argv[1]); server.listen(16)
held = []
while True: held.append(server.accept()[0])
' "$socket" &
server_pid=$!
# A sound server of this test's own, to be stopped (SIGSTOP) while the clock plays through it.
mkdir -p "$WORK/pulse"
HOME="$WORK/pulse" PULSE_RUNTIME_PATH="$WORK/pulse" PULSE_STATE_PATH="$WORK/pulse" \
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
    --load="module-native-protocol-unix socket=$WORK/pulse/native auth-anonymous=1" \
    --load="module-null-sink sink_name=paused rate=44100" >/dev/null 2>&1 &
paused_pid=$!
end_servers() { kill "$server_pid"; kill -CONT "$paused_pid"; kill "$paused_pid"; } 2>/dev/null
# A clock stuck on the silent server would not end by SIGTERM.
trap 'end_servers; [[ -n "$CLOCK_PID" ]] && kill -KILL "$CLOCK_PID" 2>/dev/null; rm -rf "$WORK"' EXIT
wait_until 5 test -S "$socket" -a -S "$WORK/pulse/native"
said_once() { # said_once LOG WORDS
    test "$(grep -v '^QStandardPaths' "$1")" = "dorvane: no sound device (the sound server $2); sounds stay silent"
}

# clock_survives SERVER WORDS [PAUSE]: the clock on that server, which is SIGSTOPped after a
# second when PAUSE is given.
clock_survives() {
    export PULSE_SERVER="unix:$1"
    printf '[Settings]\nX=300\nY=200\nActivateTick=1\nTickDur=50\n' >"$SETTINGS"
    start_clock
    check "the window is shown" wait_until 3 clock_shown
    [[ -n "${3:-}" ]] && { sleep 1; kill -STOP "$3"; }
    local before; before=$(wc -l <"$WORK/ticks.log")
    sleep 5
    check "a picture in each of 5 seconds ($(($(wc -l <"$WORK/ticks.log") - before)))" \
        test $(($(wc -l <"$WORK/ticks.log") - before)) -ge 4
    stop_clock TERM
    check "SIGTERM ends it" test -z "$CLOCK_PID"
    check "and it saved the settings" grep -q '^Skin=' "$SETTINGS"
    check "the clock says once that there is no sound device" said_once "$WORK/clock.log" "$2"
}
clock_survives "$socket" "does not answer"
clock_survives "$WORK/pulse/native" "stopped answering" $paused_pid

ended=0
PULSE_SERVER="unix:$socket" timeout 10 "$DORVANE" tone 440 --seconds 0.1 >"$WORK/tone.log" 2>&1 || ended=$?
check "dorvane tone ends" test "$ended" -ne 124
check "and says once that there is no sound device" said_once "$WORK/tone.log" "does not answer"
finish
