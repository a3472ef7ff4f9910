#!/usr/bin/env bash
# The running clock on scaled screens, each row setting the scale one way Qt knows (the whole
# program, one screen, or the desktop's dots per inch as Xft.dpi) on an X server of its own: for ten
# seconds in a row (E2E_SECONDS) the window shows exactly what `dorvane snapshot --scale F` draws for
# each second (and not the next second's), one new picture every second, and stands where the
# settings put it, with the strip beside it, in logical pixels.
source "$(dirname "$0")/e2e-lib.sh"
need convert import Xvfb
seconds="${E2E_SECONDS:-10}"

#     F    environment                  dots per inch (Xft.dpi)
rows=("1   -                            96"
      "1.5 QT_SCALE_FACTOR=1.5          96"
      "2   QT_SCREEN_SCALE_FACTORS=2    96"
      "1.25 QT_SCALE_FACTOR=1.25        96"
      "2   -                            192"
      "3   -                            288")

# The screen at the window's place equals the snapshot for the second the tick log names while
# the screenshot is taken. Without a compositing manager the window shows its premultiplied colours
# over nothing, that is the picture laid on black, and only where the picture covers anything at
# all (the window's shape); outside it the desktop shows as it was before the clock came, so the
# shape follows the picture's device pixels exactly.
captured_second() { # captured_second X Y W H -> the second whose picture $WORK/screen-SECOND.png shows
    local before after
    before=$(tail -n 1 "$WORK/ticks.log")
    import -window root -crop "$3x$4+$1+$2" +repage "$WORK/screen.png"
    after=$(tail -n 1 "$WORK/ticks.log")
    [[ "$before" == "$after" ]] || return 0
    mv "$WORK/screen.png" "$WORK/screen-$(cut -c12-19 <<<"$after").png"
    cut -c12-19 <<<"$after"
}

shows_snapshot() { # shows_snapshot SECOND [DRAWN]: whether its screenshot shows the snapshot of DRAWN (that second)
    local screen="$WORK/screen-$1.png" inside outside
    "$DORVANE" snapshot "$WORK/snap.png" --time "${2:-$1}" --settings "$SETTINGS" --scale "$F" >/dev/null
    convert "$WORK/snap.png" -alpha extract -threshold 0 -colorspace sRGB -type TrueColor "$WORK/shape.png"
    convert "$WORK/shape.png" -negate "$WORK/outside.png"
    convert "$WORK/snap.png" -background black -alpha remove -alpha off "$WORK/expected.png"
    within() { convert "$1" "$2" -compose multiply -composite -alpha off "$3"; } # within PICTURE MASK OUT
    within "$screen" "$WORK/shape.png" "$WORK/shown.png"
    within "$screen" "$WORK/outside.png" "$WORK/around.png"
    within "$WORK/desk.png" "$WORK/outside.png" "$WORK/desk-around.png"
    inside=$(compare -metric AE -fuzz 1.5% "$WORK/expected.png" "$WORK/shown.png" null: 2>&1 || true)
    outside=$(compare -metric AE "$WORK/desk-around.png" "$WORK/around.png" null: 2>&1 || true)
    [[ "$inside $outside" == "0 0" ]] || { echo "  ${2:-$1}: $inside pixels of the picture, $outside around it differ"; return 1; }
}

every_second_once() { # whether the tick log, after the window's creation and the first timer run, has one picture a second
    tail -n +3 "$WORK/ticks.log" | cut -c1-19 | while read -r stamp; do date -d "$stamp" +%s; done |
        awk 'NR > 1 && $1 - previous != 1 { print "  after", previous, "came", $1; bad = 1 } { previous = $1 } END { exit bad }'
}

for row in "${rows[@]}"; do
    read -r F environment dpi <<<"$row"
    start_server -dpi "$dpi" || { echo "FAILED: no X server for F=$F"; failures=$((failures + 1)); continue; }
    xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "$(printf 'Xft.dpi:\t%s' "$dpi")"
    label="F=$F ($environment, $dpi dpi)"
    [[ "$environment" == - ]] || export "${environment?}"

    printf '[Settings]\nX=300\nY=200\nSkin=Wall\nShowSeconds=1\nActivateChime=0\n' >"$SETTINGS"
    import -window root -crop "$(scaled 129)x$(scaled 128)+$(scaled 300)+$(scaled 200)" +repage "$WORK/desk.png"
    start_clock
    wait_until 3 clock_shown || true
    sleep 1
    read -r x y w h <<<"$(geometry "$(visible_clock)")"
    check "$label: the clock stands at the saved X, Y and has the Wall dial's size" \
        test "$x $y $w $h" = "$(scaled 300) $(scaled 200) $(scaled 129) $(scaled 128)"

    # Every second for ten in a row shows its own picture: no hand lingers where it was. The
    # screenshots are taken first, so that comparing them cannot make the test miss a second.
    seconds_shown=() deadline=$((SECONDS + seconds + 10))
    while (( ${#seconds_shown[@]} < seconds && SECONDS < deadline )); do
        second=$(captured_second "$x" "$y" "$w" "$h")
        [[ -n "$second" && "$second" != "${last:-}" ]] && { last=$second; seconds_shown+=("$second"); }
        sleep 0.2
    done
    first=${seconds_shown[0]:-0:00} span=$(( $(date -d "${last:-0:00}" +%s) - $(date -d "${first}" +%s) ))
    equal=0
    for second in "${seconds_shown[@]}"; do shows_snapshot "$second" && equal=$((equal + 1)); done
    check "$label: $equal of ${#seconds_shown[@]} seconds in a row ($first to ${last:-}) show their snapshot" \
        test "$equal" -eq "$seconds" -a "$span" -eq $((seconds - 1))
    check "$label: and $first does not show the next second's" eval '! shows_snapshot "$first" "$(date -d "2000-01-01 $first 1 second" +%T)" >/dev/null'
    last=""

    xdotool mousemove $((x + w / 2)) $((y + h / 2)); sleep 0.1; xdotool mousemove $((x + w / 2 + 5)) $((y + h / 2 + 5))
    wait_until 2 strip_shown || true
    read -r sx sy _ _ <<<"$(geometry "$(visible_strip)")"
    check "$label: the strip stands 50 twips right of and below the clock's top-right" \
        test "$sx $sy" = "$(scaled $((300 + 129 + 3))) $(scaled $((200 + 3)))"

    stop_clock TERM
    check "$label: one picture in every second, none skipped or doubled" every_second_once
    check "$label: the saved place is still the logical X, Y" test "$(setting X) $(setting Y)" = "300 200"
    [[ "$environment" == - ]] || unset "${environment%%=*}"
    kill "$xvfb"; wait "$xvfb" 2>/dev/null || true
done
finish
