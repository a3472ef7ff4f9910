#!/usr/bin/env bash
# The Windows installer under Wine end to end: a silent install puts dorvane.exe, its Start-menu
# entry and its uninstaller in place; the installed clock keeps its settings beside itself; the
# silent uninstall takes the program, its settings and its start at logon (the Run value) away.
source "$(dirname "$0")/wine-lib.sh"
INSTALLER="${DORVANE_INSTALLER:?path of the installer}"
[[ -f "$INSTALLER" ]] || { echo "SKIP: no installer; build the target dorvane_installer"; exit 77; }

run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
run_value() { wine_tool reg query "$run_key" /v Dorvane | awk '/Dorvane/ { $1 = $2 = ""; sub(/^ +/, ""); print }'; }
folder=$(winepath -u "$(wine_tool cmd /c echo '%LOCALAPPDATA%')\\Programs\\Dorvane" 2>/dev/null)
menu=$(winepath -u "$(wine_tool cmd /c echo '%APPDATA%')\\Microsoft\\Windows\\Start Menu\\Programs" 2>/dev/null)

wine "$INSTALLER" /S 2>/dev/null
check "the installer puts dorvane.exe in place" cmp -s "$folder/dorvane.exe" "$DORVANE_EXE"
check "and a Start-menu entry" test -f "$menu/Dorvane.lnk"
check "and the uninstaller, listed among the installed programs" \
    wine_tool reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Dorvane' /v UninstallString

# The installed clock runs, and closes saving its settings beside itself, the folder being the
# user's own. The start at logon, as the options window would write it, goes with the uninstall.
DORVANE_EXE="$folder/dorvane.exe"
SETTINGS="$(dirname "$DORVANE_EXE")/ClockSettings.ini"
"$DORVANE" --tick-log "$WORK/ticks.log" >"$WORK/clock.log" 2>&1 &
CLOCK_PID=$!
wait_until 10 test -s "$WORK/ticks.log" || true
close_clock
check "the installed clock saves its settings beside itself" grep -q '^Alpha=179' "$SETTINGS"
wine_tool reg add "$run_key" /v Dorvane /d "\"$(winepath -w "$folder/dorvane.exe")\"" /f >/dev/null

wine "$folder/uninstall.exe" /S 2>/dev/null
check "the uninstaller removes the program and its folder" wait_until 20 test ! -e "$folder"
check "and the Start-menu entry" test ! -e "$menu/Dorvane.lnk"
check "and its settings" test ! -e "$SETTINGS"
check "and the Run value" test -z "$(run_value)"

finish
