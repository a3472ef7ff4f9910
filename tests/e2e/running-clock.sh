#!/usr/bin/env bash
# The running clock over a minute (E2E_SECONDS): the hands on the screen are exactly the picture
# that `dorvane snapshot` draws for the same second, and not the one of the next; and the window
# shows a new picture once in every wall-clock second, none skipped, none twice.
source "$(dirname "$0")/e2e-lib.sh"
need convert import
seconds="${E2E_SECONDS:-60}"

printf '[Settings]\nX=300\nY=200\nShowSeconds=1\nActivateChime=0\n' >"$SETTINGS"
start_clock
started=$SECONDS
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

sleep $(( (left = seconds - (SECONDS - started)) > 0 ? left : 0 ))
stop_clock TERM

# The first two pictures come from the start (the window's creation and the first timer run).
mapfile -t shown < <(tail -n +3 "$WORK/ticks.log" | cut -c1-19)
check "about $seconds pictures were shown (${#shown[@]})" test "${#shown[@]}" -ge $((seconds - 2))
previous="" gaps=0
for stamp in "${shown[@]}"; do
    now=$(date -d "$stamp" +%s)
    if [[ -n "$previous" && $((now - previous)) -ne 1 ]]; then
        echo "  after $(date -d @"$previous" +%T) came $stamp"
        gaps=$((gaps + 1))
    fi
    previous=$now
done
check "one picture in every second, none skipped or doubled" test "$gaps" -eq 0
echo "  milliseconds past the second, median and worst: $(tail -n +3 "$WORK/ticks.log" | cut -d. -f2 | sort -n |
    awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)], v[NR] }')"
finish
