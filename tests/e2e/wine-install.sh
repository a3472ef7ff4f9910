#!/usr/bin/env bash
# The Windows installer under Wine end to end: a silent install puts dorvane.exe, its Start-menu
# entry and its uninstaller in place; the installed clock's "Run at Startup" writes and removes the
# Run value as `reg query` shows, and it keeps its settings beside itself; the silent uninstall
# takes the program, its settings and the Run value away.
source "$(dirname "$0")/wine-lib.sh"
INSTALLER="${DORVANE_INSTALLER:?path of the installer}"
[[ -f "$INSTALLER" ]] || { echo "SKIP: no installer; build the target dorvane_installer"; exit 77; }

run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
run_value() { wine_tool reg query "$run_key" /v Dorvane | awk '/Dorvane/ { $1 = $2 = ""; sub(/^ +/, ""); print }'; }
folder=$(winepath -u "$(wine_tool cmd /c echo '%LOCALAPPDATA%')\\Programs\\Dorvane" 2>/dev/null)
menu=$(winepath -u "$(wine_tool cmd /c echo '%APPDATA%')\\Microsoft\\Windows\\Start Menu\\Programs" 2>/dev/null)

wine "$INSTALLER" /S 2>/dev/null
check "the installer puts dorvane.exe in place" test -f "$folder/dorvane.exe"
check "and a Start-menu entry" test -f "$menu/Dorvane.lnk"
check "and the uninstaller, listed among the installed programs" \
    wine_tool reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Dorvane' /v UninstallString

# The installed clock, with its settings beside itself, the folder being the user's own. "Run at
# Startup" in its options window (opened from the strip's options picture, the second of three) is
# clicked with the mouse where the dialog's template puts it: 570 x 296 dialog units, the check box
# at (14, 158), 10 units high.
DORVANE_EXE="$folder/dorvane.exe"
SETTINGS="$(dirname "$DORVANE_EXE")/ClockSettings.ini"
printf '[Settings]\nX=300\nY=200\nSkin=Wall\n' >"$SETTINGS"
"$DORVANE" --tick-log "$WORK/ticks.log" >"$WORK/clock.log" 2>&1 &
CLOCK_PID=$!
wait_until 10 test -s "$WORK/ticks.log" || true
for _ in 1 2 3; do
    xdotool mousemove 350 250 sleep 0.1 mousemove 356 256 sleep 0.3 mousemove $((300 + 129 + 3 + 13)) $((200 + 3 + 38)) sleep 0.2 click 1
    wait_until 3 options_shown && break
done
check "the strip's options picture opens the options window" options_shown
click_run_at_startup() {
    read -r x y w h <<<"$(geometry "$(options_window)")"
    xdotool mousemove $((x + w * 19 / 570)) $((y + h * 163 / 296)) click 1
    sleep 1
}
click_run_at_startup
check "checking Run at Startup writes the program's quoted path ($(run_value))" \
    test "$(run_value)" = "\"$(winepath -w "$folder/dorvane.exe")\""
click_run_at_startup
check "clearing it removes the value" test -z "$(run_value)"
click_run_at_startup
close_clock
check "closing saves the settings beside the program" grep -q '^Alpha=179' "$SETTINGS"
check "Run at Startup is left checked for the uninstall ($(run_value))" test -n "$(run_value)"

wine "$folder/uninstall.exe" /S 2>/dev/null
check "the uninstaller removes the program and its folder" wait_until 20 test ! -e "$folder"
check "and the Start-menu entry" test ! -e "$menu/Dorvane.lnk"
check "and its settings" test ! -e "$SETTINGS"
check "and the Run value" test -z "$(run_value)"

finish
