# Shared helpers of the end-to-end tests: they run the real dorvane on the X display in $DISPLAY
# with a settings file of their own, drive it with real X input (xdotool) and read the screen.
set -euo pipefail

DORVANE="${DORVANE:?path of the dorvane program}"
WORK="$(mktemp -d)"
SETTINGS="$WORK/ClockSettings.ini"
CLOCK_PID=""
failures=0

trap '[[ -n "$CLOCK_PID" ]] && kill "$CLOCK_PID" 2>/dev/null; rm -rf "$WORK"' EXIT

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
    wait "$CLOCK_PID" 2>/dev/null || true
    CLOCK_PID=""
}

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
clock_window() { window_with_width 100 200; }
visible_clock() { window_with_width 100 200 visible; }
visible_strip() { window_with_width 10 60 visible; }
# Conditions for wait_until, read afresh each time.
clock_shown() { [[ -n "$(visible_clock)" ]]; }
strip_shown() { [[ -n "$(visible_strip)" ]]; }
strip_hidden() { [[ -z "$(visible_strip)" ]]; }

setting() { # setting KEY -> value from the settings file
    awk -F= -v key="$1" 'tolower($1) == tolower(key) && !done { print $2; done = 1 }' "$SETTINGS"
}

wait_until() { # wait_until SECONDS command...
    local deadline=$((SECONDS + $1)); shift
    until "$@"; do (( SECONDS >= deadline )) && return 1; sleep 0.1; done
}

finish() { if (( failures > 0 )); then echo "$failures check(s) failed"; exit 1; fi; echo "all checks passed"; }
