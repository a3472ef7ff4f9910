#!/usr/bin/env bash
# A daily alarm under Wine end to end: dorvane.exe on a faked clock (libfaketime reaches Wine's
# clock, which reads the system's), started three seconds before the alarm; its pop-up appears and
# its rings are heard through Wine's PulseAudio driver on a null sink of the test's own.
source "$(dirname "$0")/wine-lib.sh"
need_faketime
record_sound

printf '[Settings]\nX=300\nY=200\nActivateChime=0\n[Alarm0]\nAlarmActivated=1\nAlarmHour=7\nAlarmMin=05\nAlarmAMPM=AM\nAlarmMessage=Wake up, the tea is ready\n' >"$SETTINGS"
LD_PRELOAD="$faketime" FAKETIME="@$(date +%F) 07:04:57" FAKETIME_DONT_FAKE_MONOTONIC=1 NO_FAKE_STAT=1 start_clock
check "the alarm's pop-up appears at 7:05" wait_until 10 popup_shown
sleep 6 # four rings, one a second
heard
close_clock
check "the alarm stays armed in the saved settings" grep -q '^AlarmActivated=1' "$SETTINGS"

# Four rings of four 120 ms tones at 2000 Hz, after the start signal's two 100 ms tones. Wine's
# sound path drops a few milliseconds now and then on a busy machine, cutting a tone in two or
# shortening it, so the rings are measured by their pitch and their sound in all, not tone by tone.
pitch=$(awk '$1 >= 50 { print $2 }' "$WORK/tones" | sort -n | awk '{ f[NR] = $1 } END { print f[int((NR + 1) / 2)] + 0 }')
rings=$(awk 'NR == 1 { first = $3 } $3 >= first + 1500 { ms += $1 } END { print ms + 0 }' "$WORK/tones")
check "the tones are at 2000 Hz ($pitch Hz)" test "$pitch" -ge 1980 -a "$pitch" -le 2020
check "the rings sound for about 16 x 120 ms ($rings ms)" test "$rings" -ge 1400 -a "$rings" -le 2200

finish
