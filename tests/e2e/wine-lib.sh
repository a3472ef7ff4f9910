# Shared helpers of the end-to-end tests of the Windows build: e2e-lib.sh's, with dorvane.exe run
# under Wine (wine-dorvane) in the prefix of $WINEPREFIX, on the X display in $DISPLAY.
# DORVANE_EXE: the path of dorvane.exe.
DORVANE_EXE="${DORVANE_EXE:?path of dorvane.exe}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
export WINEPREFIX="${WINEPREFIX:?the Wine prefix to run in}"
export DORVANE="$(dirname "${BASH_SOURCE[0]}")/wine-dorvane"
source "$(dirname "${BASH_SOURCE[0]}")/e2e-lib.sh"
need wine

# One Wine server for the prefix, kept up a while, and the prefix brought up to date, before a test
# starts the clock on a faked clock (which a server or an update it started would share).
wineserver -p60 2>/dev/null || true
wineboot >/dev/null 2>&1 || true

# Wine's own tools in the test prefix, quietly.
wine_tool() { wine "$@" 2>/dev/null | tr -d '\r'; }
# A window of the program asked to close as Windows asks it (WM_CLOSE), by taskkill without /F.
close_clock() { wine_tool taskkill /IM dorvane.exe >/dev/null; wait_for_exit; }
