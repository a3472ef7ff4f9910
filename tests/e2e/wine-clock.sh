#!/usr/bin/env bash
# dorvane.exe under Wine end to end: the clock window where the settings put it, with the skin's
# size; closing it as Windows does saves the settings; its snapshots are the Linux build's bytes.
source "$(dirname "$0")/wine-lib.sh"

printf '[Settings]\nX=300\nY=200\nSkin=Wall\n' >"$SETTINGS"
start_clock
wait_until 5 clock_shown || true
read -r x y w h <<<"$(geometry "$(visible_clock)")"
check "the clock appears at (300, 200)" test "$x $y" = "300 200"
check "the window takes the Wall dial's size, 129 x 128" test "$w $h" = "129 128"
rm -f "$SETTINGS"
close_clock
check "WM_CLOSE ends the program" test -z "$CLOCK_PID"
check "closing saves the settings" grep -q '^Alpha=179' "$SETTINGS"
check "the saved place is the clock's" test "$(setting X) $(setting Y) $(setting Skin)" = "300 200 Wall"

# Every skin at 10:09:30, twice the size: the sheet the Linux build is checked to draw (docs/).
"$DORVANE" snapshot --sheet "$WORK/skins.png" --scale 2 >/dev/null
check "the skin sheet is docs/skins.png byte for byte" cmp -s "$WORK/skins.png" "$(dirname "$0")/../../docs/skins.png"
if [[ -n "${DORVANE_LINUX:-}" ]]; then
    shot=(snapshot --skin Classic --time 07:05:42 --border on)
    "$DORVANE" "${shot[@]}" "$WORK/windows.png" >/dev/null
    "$DORVANE_LINUX" "${shot[@]}" "$WORK/linux.png" >/dev/null
    check "a snapshot is the Linux build's, byte for byte" cmp -s "$WORK/windows.png" "$WORK/linux.png"
fi

finish
