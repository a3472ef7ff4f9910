#!/usr/bin/env bash
# Over a run of a minute (E2E_SECONDS), the window shows a new picture once in every wall-clock
# second: none skipped, none twice.
source "$(dirname "$0")/e2e-lib.sh"
seconds="${E2E_SECONDS:-60}"

printf '[Settings]\nX=40\nY=40\nActivateChime=0\n' >"$SETTINGS"
start_clock
sleep "$seconds"
stop_clock TERM

# The first two pictures come from the start (the window's creation and the first timer run).
mapfile -t shown < <(tail -n +3 "$WORK/ticks.log" | cut -c1-19)
check "about $seconds pictures were shown (${#shown[@]})" test "${#shown[@]}" -ge $((seconds - 2))
previous=""
gaps=0
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
