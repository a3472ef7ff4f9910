# Shared helpers of the end-to-end tests: they run the real dorvane on the X display in $DISPLAY
# with a settings file of their own, drive it with real X input (xdotool) and read the screen.
set -euo pipefail

DORVANE="${DORVANE:?path of the dorvane program}"
WORK="$(mktemp -d)"
SETTINGS="$WORK/ClockSettings.ini"
CLOCK_PID="" recorder="" sink_module=""
failures=0

cleanup() {
    [[ -z "$CLOCK_PID" ]] || kill "$CLOCK_PID" 2>/dev/null || true
    [[ -z "$recorder" ]] || kill "$recorder" 2>/dev/null || true
    [[ -z "$sink_module" ]] || pactl unload-module "$sink_module" 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT

need() { for tool; do command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }; done; }
need xdotool xdpyinfo
xdpyinfo >/dev/null 2>&1 || { echo "SKIP: no X display"; exit 77; }

check() { # check "what" command...
    if "${@:2}"; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); fi
}

start_clock() { # start_clock [extra arguments]
    rm -f "$WORK/ticks.log"
    "$DORVANE" --settings "$SETTINGS" --tick-log "$WORK/ticks.log" "$@" >"$WORK/clock.log" 2>&1 &
    CLOCK_PID=$!
    # Running once it has shown its second picture: the window is made and placed by then.
    wait_until 5 eval '[[ -f "$WORK/ticks.log" && $(wc -l <"$WORK/ticks.log") -ge 2 ]]' ||
        { echo "the clock did not start"; cat "$WORK/clock.log"; return 1; }
}

stop_clock() { kill -"${1:-TERM}" "$CLOCK_PID" 2>/dev/null || true; wait_for_exit; }

wait_for_exit() {
    wait_until 10 eval '! kill -0 "$CLOCK_PID" 2>/dev/null' || return 1
    clock_status=0
    wait "$CLOCK_PID" 2>/dev/null || clock_status=$?
    CLOCK_PID=""
}

# Lengths in device pixels on a screen scaled by $F (1 unless the test sets it).
scaled() { awk -v v="$1" -v f="${F:-1}" 'BEGIN { r = v * f; printf "%d", (r == int(r) ? r : int(r + 0.5)) }'; }
# The program's windows by their title and size: the clock is the large one, the strip the narrow.
windows() { xdotool search --all ${1:-} --pid "$CLOCK_PID" --name '^Dorvane$' 2>/dev/null || true; } # [--onlyvisible]
geometry() { # geometry WINDOW -> "x y width height"
    xdotool getwindowgeometry --shell "$1" | awk -F= '/^X=/{x=$2} /^Y=/{y=$2} /^WIDTH=/{w=$2} /^HEIGHT=/{h=$2} END{print x, y, w, h}'
}
window_with_width() { # window_with_width MIN MAX [visible]
    for w in $(windows ${3:+--onlyvisible}); do
        read -r _ _ width _ <<<"$(geometry "$w")"
        (( width >= $1 && width <= $2 )) && { echo "$w"; return 0; }
    done
    return 0
}
clock_window() { window_with_width "$(scaled 100)" "$(scaled 200)"; }
visible_clock() { window_with_width "$(scaled 100)" "$(scaled 200)" visible; }
visible_strip() { window_with_width "$(scaled 10)" "$(scaled 60)" visible; }
# Conditions for wait_until, read afresh each time.
clock_shown() { [[ -n "$(visible_clock)" ]]; }
options_window() { xdotool search --onlyvisible --name '^Dorvane Options$' 2>/dev/null | head -n 1 || true; }
options_shown() { [[ -n "$(options_window)" ]]; }
popup() { xdotool search --onlyvisible --name '^Dorvane $' 2>/dev/null | head -n 1 || true; } # the alarm's pop-up
popup_shown() { [[ -n "$(popup)" ]]; }
strip_shown() { [[ -n "$(visible_strip)" ]]; }
strip_hidden() { [[ -z "$(visible_strip)" ]]; }

hover() { xdotool mousemove "$1" "$2"; sleep 0.1; xdotool mousemove $(($1 + 5)) $(($2 + 5)); } # hover X Y

setting() { # setting KEY -> value from the settings file
    awk -F= -v key="$1" 'tolower($1) == tolower(key) && !done { print $2; done = 1 }' "$SETTINGS"
}

wait_until() { # wait_until SECONDS command...
    local deadline=$((SECONDS + $1)); shift
    until "$@"; do (( SECONDS >= deadline )) && return 1; sleep 0.1; done
}

start_server() { # start_server OPTIONS...: an X server of its own on a free display, as DISPLAY
    local attempt number ready
    for attempt in 1 2 3 4 5; do
        exec {ready}<> <(:)
        Xvfb -displayfd "$ready" -screen 0 2560x1600x24 -nolisten tcp -noreset "$@" >/dev/null 2>&1 &
        xvfb=$!
        read -r -t 5 number <&"$ready" || number=""
        exec {ready}>&-
        [[ -n "$number" ]] && DISPLAY=":$number" xdpyinfo >/dev/null 2>&1 && { export DISPLAY=":$number"; return 0; }
        kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null || true
    done
    return 1
}

# The faketime library as $faketime, for the tests that set the program's clock.
need_faketime() {
    faketime=$(ls /usr/lib/*/faketime/libfaketime.so.1 2>/dev/null | head -n 1 || true)
    [[ -n "$faketime" ]] || { echo "SKIP: faketime is missing"; exit 77; }
}

# What the program plays, recorded from a null sink of the test's own (PULSE_SINK) so that tests
# side by side do not hear each other (sinks of runs that were killed are unloaded first).
record_sound() {
    need pactl pacat python3
    pactl info >/dev/null 2>&1 || { echo "SKIP: no PulseAudio server (source scripts/test-services)"; exit 77; }
    pactl list short modules | sed -n 's/^\([0-9]*\).*sink_name=dorvane_e2e_\([0-9]*\).*/\1 \2/p' |
        while read -r module pid; do [[ -e /proc/$pid ]] || pactl unload-module "$module"; done
    export PULSE_SINK="dorvane_e2e_$$"
    sink_module=$(pactl load-module module-null-sink sink_name="$PULSE_SINK" rate=44100 channels=2)
    pacat --record --device="$PULSE_SINK.monitor" --format=s16le --rate=44100 --channels=2 --raw --latency-msec=50 >"$WORK/heard.raw" &
    recorder=$!
    wait_until 6 test -s "$WORK/heard.raw" || true
    recording_start=$(date +%s.%N)
}
since_recording() { awk -v from="$recording_start" -v now="$(date +%s.%N)" 'BEGIN { printf "%.3f", now - from }'; }
# Stops the recording and unloads the sink; $WORK/tones then holds one line "MILLISECONDS HERTZ START-MILLISECONDS" a tone.
heard() {
    sleep 0.3; kill -INT "$recorder"; wait "$recorder" 2>/dev/null || true; recorder=""
    pactl unload-module "$sink_module"; sink_module=""
    python3 "$(dirname "${BASH_SOURCE[0]}")/tone-bursts.py" "$WORK/heard.raw" >"$WORK/tones"
    echo "heard (ms Hz at): $(tr '\n' ',' <"$WORK/tones")"
}

finish() { if (( failures > 0 )); then echo "$failures check(s) failed"; exit 1; fi; echo "all checks passed"; }
