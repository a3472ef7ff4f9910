#!/usr/bin/env bash
# The clock window and its session end to end: dragging, the button strip and closing from it;
# SIGTERM, SIGHUP and a lost X server save; a failed save is shown to the user and ends with a
# failure; one clock runs per settings file; a clock saved far off the screen comes back; a quick
# Escape tap shows an invisible clock. (Where it appears: scaled-clock.sh; a read-only settings
# file: SettingsFileTest.)
source "$(dirname "$0")/e2e-lib.sh"
screen_width=$(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); w = d[1] } END { print w }')
saved() { grep -q '^Alpha=179' "$SETTINGS"; } # only a save writes keys the file did not have
drag() { # drag X Y X1 Y1 X2 Y2: the left button held down at (X, Y), moved through (X1, Y1) to (X2, Y2)
    xdotool mousemove "$1" "$2"; sleep 0.2; xdotool mousedown 1; sleep 0.1
    xdotool mousemove "$3" "$4"; sleep 0.1; xdotool mousemove "$5" "$6"; sleep 0.2; xdotool mouseup 1; sleep 0.4
}

# A left-button drag moves the clock from (300, 200), and the new place reaches the settings file at exit.
printf '[Settings]\nX=300\nY=200\nSkin=Wall\n' >"$SETTINGS"
start_clock
wait_until 3 clock_shown || true
drag 360 260 400 280 460 310
read -r x y _ _ <<<"$(geometry "$(clock_window)")"
check "the drag moved the clock by (100, 50)" test "$x $y" = "400 250"

# Hovering shows the strip beside the clock; it goes about two seconds after the pointer stops.
hover 420 270
check "hovering shows the button strip" wait_until 2 strip_shown
xdotool mousemove_relative 1 0; sleep 1 # a fresh move, so that the checks above take none of the time
check "the strip is still up 1 s after the last move" test -n "$(visible_strip)"
check "the strip goes about 2 s after the last move" wait_until 2 strip_hidden

# Dragging the strip past the right edge puts it flush with the edge, the clock 50 twips to its left.
hover 420 270
wait_until 2 strip_shown || true
strip=$(visible_strip)
read -r sx sy _ _ <<<"$(geometry "$strip")"
drag $((sx + 13)) $((sy + 63)) $((sx + 213)) $((sy + 63)) $((screen_width + 40)) $((sy + 63)) # by its handle
read -r sx _ sw _ <<<"$(geometry "$strip")"
read -r x _ w _ <<<"$(geometry "$(clock_window)")"
check "the strip ends flush with the right edge ($sx + $sw = $screen_width)" test $((sx + sw)) -eq "$screen_width"
check "the clock stands 50 twips left of the strip ($x)" test "$x" -eq $((sx - w - 3))

# The strip's close picture ends the program, saving the settings.
hover $((x + 60)) 300
wait_until 2 strip_shown || true
read -r sx sy _ _ <<<"$(geometry "$(visible_strip)")"
xdotool mousemove $((sx + 13)) $((sy + 13)) click 1
check "the close picture ends the program" wait_for_exit
check "the saved X is the clock's last place ($(setting X))" test "$(setting X)" = "$x"
check "the skin survives the save" test "$(setting Skin)" = "Wall"


# SIGHUP saves, like SIGTERM. A position far off the screen is brought back at the start.
printf '[Settings]\nX=2000000000\nY=20\nSkin=Wall\n' >"$SETTINGS"
start_clock
wait_until 3 clock_shown || true
read -r x y w _ <<<"$(geometry "$(clock_window)")"
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
printf '[Settings]\nX=100\nY=120\nInvisibleClock=1\n' >"$SETTINGS"
start_clock
check "the invisible clock starts hidden" test -z "$(visible_clock)"
xdotool key Escape
check "a quick Escape tap shows it" wait_until 3 clock_shown
stop_clock TERM
check "SIGTERM ends the program, saving the settings and the position" eval 'saved && [[ -z "$CLOCK_PID" && "$(setting X) $(setting Y)" == "100 120" ]]'

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
start_server # an X server of its own
start_clock || true
kill "$xvfb"
check "the program ends when its X server goes" wait_for_exit
check "a lost X server saves the settings" saved

finish
