#!/usr/bin/env bash
# A daily alarm under Wine end to end: dorvane.exe on a faked clock (libfaketime reaches Wine's
# clock, which reads the system's), started three seconds before the alarm; its pop-up appears and
# its rings are heard through Wine's PulseAudio driver on a null sink of the test's own.
source "$(dirname "$0")/wine-lib.sh"
need pactl pacat python3
library=$(ls /usr/lib/*/faketime/libfaketime.so.1 2>/dev/null | head -n 1)
[[ -n "$library" ]] || { echo "SKIP: faketime is missing"; exit 77; }
pactl info >/dev/null 2>&1 || { echo "SKIP: no PulseAudio server (source scripts/test-services)"; exit 77; }

sink="dorvane_wine_$$"
module=$(pactl load-module module-null-sink sink_name="$sink" rate=44100 channels=2)
trap 'kill "$recorder" 2>/dev/null || true; pactl unload-module "$module" || true; [[ -n "$CLOCK_PID" ]] && kill "$CLOCK_PID" 2>/dev/null; rm -rf "$WORK"' EXIT
pacat --record --device="$sink.monitor" --format=s16le --rate=44100 --channels=2 --raw --latency-msec=50 >"$WORK/heard.raw" &
recorder=$!
wait_until 6 test -s "$WORK/heard.raw" || true

printf '[Settings]\nX=300\nY=200\nActivateChime=0\n[Alarm0]\nAlarmActivated=1\nAlarmHour=7\nAlarmMin=05\nAlarmAMPM=AM\nAlarmMessage=Wake up, the tea is ready\n' >"$SETTINGS"
PULSE_SINK="$sink" LD_PRELOAD="$library" FAKETIME="@$(date +%F) 07:04:57" FAKETIME_DONT_FAKE_MONOTONIC=1 NO_FAKE_STAT=1 start_clock
popup_shown() { [[ -n "$(xdotool search --onlyvisible --pid "$CLOCK_PID" --name '^Dorvane $' 2>/dev/null)" ]]; }
check "the alarm's pop-up appears at 7:05" wait_until 10 popup_shown
sleep 6 # four rings, one a second
kill -INT "$recorder"; wait "$recorder" 2>/dev/null || true
close_clock
check "the alarm stays armed in the saved settings" grep -q '^AlarmActivated=1' "$SETTINGS"

# Four rings of four 120 ms tones at 2000 Hz, after the start signal's two 100 ms tones. Wine's
# sound path drops a few milliseconds now and then on a busy machine, cutting a tone in two or
# shortening it, so the rings are measured by their pitch and their sound in all, not tone by tone.
python3 "$(dirname "$0")/tone-bursts.py" "$WORK/heard.raw" >"$WORK/tones" # milliseconds, hertz, start
heard="heard: $(tr '\n' ',' <"$WORK/tones")"
pitch=$(awk '$1 >= 50 { print $2 }' "$WORK/tones" | sort -n | awk '{ f[NR] = $1 } END { print f[int((NR + 1) / 2)] + 0 }')
rings=$(awk 'NR == 1 { first = $3 } $3 >= first + 1500 { ms += $1 } END { print ms + 0 }' "$WORK/tones")
check "the tones are at 2000 Hz ($pitch Hz; $heard)" test "$pitch" -ge 1980 -a "$pitch" -le 2020
check "the rings sound for about 16 x 120 ms ($rings ms)" test "$rings" -ge 1400 -a "$rings" -le 2200

finish
