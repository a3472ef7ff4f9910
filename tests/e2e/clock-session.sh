#!/usr/bin/env bash
# The session is kept: SIGHUP and a lost X server save; a read-only settings file is left alone; a
# failed save is shown to the user and ends with a failure; one clock runs per settings file; a clock
# saved far off the screen comes back; a quick Escape tap shows an invisible clock.
source "$(dirname "$0")/e2e-lib.sh"
saved() { grep -q '^Alpha=179' "$SETTINGS"; } # only a save writes keys the file did not have

# SIGHUP saves, like SIGTERM. A position far off the screen is brought back at the start.
printf '[Settings]\nX=2000000000\nY=20\nSkin=Wall\n' >"$SETTINGS"
start_clock
wait_until 3 clock_shown || true
read -r x y w _ <<<"$(geometry "$(clock_window)")"
screen_width=$(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); w = d[1] } END { print w }')
check "a clock saved far to the right comes back flush with the screen's edge ($x)" test "$x $y" = "$((screen_width - w)) 20"
stop_clock HUP
check "SIGHUP saves the settings" saved
check "the position saved is the one brought back" test "$(setting X)" = "$((screen_width - w))"

# One clock per settings file: a second start brings the invisible first one to the front, exits 0.
printf '[Settings]\nX=100\nY=120\nInvisibleClock=1\n' >"$SETTINGS"
start_clock
second=$(cd "$WORK" && timeout 10 "$DORVANE" --settings ./ClockSettings.ini 2>&1; echo " status $?")
second=${second//$'\n'/}
check "a second start on the same file says one is running and exits 0 ($second)" \
    eval '[[ "$second" == *"already running"*"status 0" ]]'
check "the running clock comes to the front" wait_until 2 clock_shown
other=$(timeout 3 "$DORVANE" --settings "$WORK/other.ini" 2>&1; echo "status $?")
check "a clock on another file starts all the same" eval '[[ "$other" == *"status 124" ]]'

# A quick Escape tap between two ticks shows an invisible clock.
stop_clock TERM
start_clock
check "the invisible clock starts hidden" test -z "$(visible_clock)"
xdotool key Escape
check "a quick Escape tap shows it" wait_until 3 clock_shown
stop_clock TERM

# A file the user made read-only is not replaced, and the clock says so once.
printf '[Settings]\nX=100\nY=120\n' >"$SETTINGS"
chmod 444 "$SETTINGS"
start_clock
stop_clock TERM
check "a read-only file is left as it was" test "$(cat "$SETTINGS")" = "$(printf '[Settings]\nX=100\nY=120')"
check "the clock says so once" test "$(grep -c 'read-only' "$WORK/clock.log")" = 1
chmod 644 "$SETTINGS"

# A failed save is shown once, by notify-send when there is one, else in a message box, and the
# program ends with a failure. The settings' folder is replaced by a file while the clock runs.
mkdir -p "$WORK/bin" "$WORK/folder"
printf '#!/bin/sh\nprintf "%%s|" "$@" >"%s/notified"\n' "$WORK" >"$WORK/bin/notify-send"
chmod +x "$WORK/bin/notify-send"
for notifier in notify-send box; do
    SETTINGS="$WORK/folder/ClockSettings.ini"
    printf '[Settings]\nX=100\nY=120\n' >"$SETTINGS"
    [[ $notifier == box ]] && path="$PATH" || path="$WORK/bin:$PATH"
    PATH="$path" start_clock
    rm -rf "$WORK/folder"; touch "$WORK/folder"
    kill -TERM "$CLOCK_PID"
    if [[ $notifier == box ]]; then
        notice() { xdotool search --onlyvisible --name "settings not saved"; }
        check "a message box tells of the failed save" wait_until 3 eval '[[ -n $(notice) ]]'
        xdotool windowfocus --sync "$(notice)" key Return || true
    fi
    status=0; started=$SECONDS; wait_until 5 eval '! kill -0 "$CLOCK_PID" 2>/dev/null' || true; wait "$CLOCK_PID" || status=$?; CLOCK_PID=""
    check "the program ends with a failure after a failed save ($notifier, status $status)" test "$status" = 1
    check "and ends at once when the failure has been read ($((SECONDS - started)) s)" test $((SECONDS - started)) -le 5
    rm -f "$WORK/folder"; mkdir -p "$WORK/folder"
done
check "notify-send is given the reason as one argument" grep -q '^--app-name=Dorvane|.*|Dorvane|Dorvane could not save its settings.' "$WORK/notified"

# Killing the X server saves the settings before the program ends.
SETTINGS="$WORK/ClockSettings.ini"
printf '[Settings]\nX=100\nY=120\n' >"$SETTINGS"
# An X server of its own, on a display number derived from this one's so that parallel runs differ.
number=${DISPLAY#*:}
display=":$(( ${number%%.*} % 1000 + 400 ))"
Xvfb "$display" -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
wait_until 5 eval 'DISPLAY=$display xdpyinfo >/dev/null 2>&1'
DISPLAY="$display" start_clock || true
kill "$xvfb"
check "the program ends when its X server goes" wait_for_exit
check "a lost X server saves the settings" saved

finish
