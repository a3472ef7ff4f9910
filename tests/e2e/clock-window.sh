#!/usr/bin/env bash
# The clock window end to end: where it appears, hiding and Escape, dragging, the button strip,
# closing from the strip and by SIGTERM, each with the settings file checked afterwards.
source "$(dirname "$0")/e2e-lib.sh"

hover() { xdotool mousemove "$1" "$2"; sleep 0.1; xdotool mousemove $(($1 + 5)) $(($2 + 5)); } # hover X Y
drag() { # drag X Y X1 Y1 X2 Y2: the left button held down at (X, Y), moved through (X1, Y1) to (X2, Y2)
    xdotool mousemove "$1" "$2"; sleep 0.2; xdotool mousedown 1; sleep 0.1
    xdotool mousemove "$3" "$4"; sleep 0.1; xdotool mousemove "$5" "$6"; sleep 0.2; xdotool mouseup 1; sleep 0.4
}
screen_width=$(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); w = d[1] } END { print w }')

# It appears at X, Y with the dial's size.
printf '[Settings]\nX=300\nY=200\nSkin=Wall\n' >"$SETTINGS"
start_clock
wait_until 3 clock_shown || true
read -r x y w h <<<"$(geometry "$(visible_clock)")"
check "the clock appears at (300, 200)" test "$x $y" = "300 200"
check "the window takes the Wall dial's size, 129 x 128" test "$w $h" = "129 128"

# A left-button drag moves it, and the new place reaches the settings file at exit.
drag 360 260 400 280 460 310
read -r x y _ _ <<<"$(geometry "$(clock_window)")"
check "the drag moved the clock by (100, 50)" test "$x $y" = "400 250"

# Hovering shows the strip beside the clock; it goes about two seconds after the pointer stops.
hover 420 270
check "hovering shows the button strip" wait_until 2 strip_shown
read -r sx sy _ _ <<<"$(geometry "$(visible_strip)")"
check "the strip stands 50 twips right of and below the clock's top-right ($sx, $sy)" test "$sx $sy" = "$((x + 129 + 3)) $((y + 3))"
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

# InvisibleClock keeps it hidden; Escape brings it back; SIGTERM saves too.
printf '[Settings]\nX=100\nY=120\nInvisibleClock=1\n' >"$SETTINGS"
start_clock
sleep 1.5
check "an invisible clock is not shown" test -z "$(visible_clock)"
xdotool keydown Escape; sleep 1.3; xdotool keyup Escape
check "Escape at a tick shows it" wait_until 2 clock_shown
stop_clock TERM
check "SIGTERM ends the program" test -z "$CLOCK_PID"
check "SIGTERM saves the settings" grep -q '^Alpha=179' "$SETTINGS"
check "the position is saved on SIGTERM" test "$(setting X) $(setting Y)" = "100 120"

finish
