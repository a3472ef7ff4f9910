#!/usr/bin/env bash
# The hands on the screen: the running clock shows exactly the picture that `dorvane snapshot`
# draws for the same second, and not the one of the next.
source "$(dirname "$0")/e2e-lib.sh"
need convert import

printf '[Settings]\nX=300\nY=200\nShowSeconds=1\nActivateChime=0\n' >"$SETTINGS"
start_clock
wait_until 3 clock_shown || true
sleep 3 # a few pictures shown, each drawn over the one before
read -r x y w h <<<"$(geometry "$(visible_clock)")"
# The tick log names the second of each picture shown; a screenshot taken while the log stayed
# the same shows that picture.
shown_second=""
for _ in 1 2 3 4 5; do
    before=$(tail -n 1 "$WORK/ticks.log")
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$WORK/screen.png"
    after=$(tail -n 1 "$WORK/ticks.log")
    [[ "$before" == "$after" ]] && { shown_second=$(cut -c12-19 <<<"$after"); break; }
done
check "a screenshot falls within one second" test -n "$shown_second"
next_second=$(date -d "2000-01-01 $shown_second 1 second" +%H:%M:%S)

# Without a compositing manager the window shows its premultiplied colours over nothing, that is
# the picture laid on black, and only where the picture covers anything at all (the window's
# shape); the desktop shows elsewhere, so those pixels are blacked out on both sides.
differing() { # differing HH:MM:SS -> number of pixels where the screen and the snapshot differ
    "$DORVANE" snapshot "$WORK/snap.png" --time "$1" --settings "$SETTINGS" >/dev/null
    convert "$WORK/snap.png" -alpha extract -threshold 0 "$WORK/shape.png"
    convert "$WORK/snap.png" -background black -alpha remove -alpha off "$WORK/expected.png"
    convert "$WORK/screen.png" \( "$WORK/shape.png" -colorspace sRGB -type TrueColor \) -compose multiply \
        -composite -alpha off "$WORK/shown.png"
    compare -metric AE -fuzz 1.5% "$WORK/expected.png" "$WORK/shown.png" null: 2>&1 || true
}
same=$(differing "$shown_second")
next=$(differing "$next_second")
check "the screen shows the snapshot of $shown_second ($same pixels differ)" test "$same" -eq 0
check "and not the one of $next_second ($next pixels differ)" test "$next" -gt 50

stop_clock TERM
finish
