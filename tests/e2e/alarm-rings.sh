#!/usr/bin/env bash
# Alarms end to end: the real program on a faked clock, driven with the real mouse and keyboard,
# its rings recorded from the real sound server.
#  - One alarm set up through the options window: opened from the button strip, the alarm typed,
#    it rings, its pop-up is snoozed and rings again, and is closed; the daily alarm stays armed in
#    the settings file.
#  - The computer sleeps over an alarm: the clock steps from 7:04:50 to 7:08:00 while the program
#    runs, and the alarm, three minutes late, rings once after the step and pops up.
source "$(dirname "$0")/e2e-lib.sh"
need_faketime
# The time of day is read from $WORK/faketime at every look, so that another time written there
# makes the clock jump; the monotonic clocks stay real.
faked() { LD_PRELOAD="$faketime" FAKETIME_TIMESTAMP_FILE="$WORK/faketime" FAKETIME_NO_CACHE=1 FAKETIME_DONT_FAKE_MONOTONIC=1 "$@"; }
today=$(date +%F)
alarm='[Alarm0]\nAlarmActivated=1\nAlarmDate=\nAlarmHour=7\nAlarmMin=05\nAlarmAMPM=AM\nAlarmMessage=Wake up, the tea is ready\n'
saved() { [[ "$(<"$SETTINGS")" == *"$(printf "$1")"* ]]; }
click_at() { xdotool mousemove "$1" "$2"; sleep 0.3; xdotool click 1; }
rings() { # rings FROM TO: the tones begun between the two times (seconds into the recording), and
    # how many of them are not 120 ms long (within 10 ms; a stream new after a long silence may lose
    # the first tone's first milliseconds)
    awk -v from="$1" -v to="$2" '$3 >= 1000 * from && $3 < 1000 * to {
        n++; bad += n == 1 ? ($1 < 90 || $1 > 130) : ($1 < 110 || $1 > 130) } END { print n + 0, bad + 0 }' "$WORK/tones"
}

record_sound
printf '[Settings]\nX=300\nY=200\nActivateChime=0\n' >"$SETTINGS"
echo "@$today 07:04:42" >"$WORK/faketime"
faked start_clock
wait_until 3 clock_shown || true
# The strip stands 50 twips right of the clock and below its top; on this clock it stays only 0.4 s
# after the pointer stops, so one xdotool run goes straight on to its options picture.
read -r x y w _ <<<"$(geometry "$(visible_clock)")"
for _ in 1 2 3 4 5; do
    xdotool mousemove $((x + 50)) $((y + 50)) sleep 0.1 mousemove $((x + 56)) $((y + 56)) sleep 0.15 \
        mousemove $((x + w + 3 + 13)) $((y + 3 + 38)) sleep 0.05 click 1
    wait_until 1 options_shown && break
done
check "the strip's options picture opens the options window" options_shown
hover 350 250; sleep 0.1
check "while the options window is open, hovering the clock brings up no strip" test -z "$(visible_strip)"
# The keyboard starts in row 0's date: Activate, hour, minute, AM/PM, message; back to Activate.
xdotool key Tab Tab type 7 && xdotool key Tab type 05 && xdotool key Tab Tab type 'Wake up, the tea is ready' &&
    xdotool key shift+Tab shift+Tab shift+Tab shift+Tab space && sleep 0.3 && xdotool key Escape
check "Escape closes the options window" wait_until 10 eval '! options_shown'
closed=$(since_recording)
check "the typed alarm is saved" saved "$alarm"

check "the alarm pops up at 7:05" wait_until 40 popup_shown
sleep 4 # four rings, one a second
read -r x y w h <<<"$(geometry "$(popup)")"
click_at $((x + w - 87)) $((y + h - 24)) # snooze, the first of the three pictures at the bottom right
check "the snooze picture hides the pop-up" wait_until 10 eval '! popup_shown'
snoozed=$(since_recording)
# A snooze runs on the monotonic clock, which the faked time of day does not speed up: 180 real seconds.
check "the snoozed pop-up comes back" wait_until 200 popup_shown
sleep 2
click_at $((x + w - 25)) $((y + h - 24)) # close
check "the close picture closes the pop-up" wait_until 10 eval '! popup_shown'
stop_clock TERM
check "SIGTERM ends the clock cleanly" test "$clock_status" = 0
check "the daily alarm stays armed" saved '[Alarm0]\nAlarmActivated=1\n'
heard
# Ring tones at AlarmFreq: four rings of four at 7:05, after the start signal and clicks (before
# the options window closed); four tones after the snooze, 180 s later, well before the stop signal.
back=$(awk -v from="$snoozed" '$3 >= 1000 * from { print $3 / 1000; exit }' "$WORK/tones")
rang=$(rings "$closed" "$snoozed") again=$(rings "${back:-0}" "$(awk -v at="${back:-0}" 'BEGIN { print at + 1.5 }')")
check "every tone is at 2000 Hz" test -z "$(awk '$2 < 1980 || $2 > 2020' "$WORK/tones")"
check "four rings of four 120 ms tones at 7:05 (tones, not 120 ms: $rang)" test "$rang" = "16 0"
check "four 120 ms tones after the snooze ($again)" test "$again" = "4 0"
check "the snooze lasts 180 seconds ($back s after $snoozed s)" awk -v b="${back:-0}" -v s="$snoozed" 'BEGIN { exit !(b - s >= 177 && b - s <= 183) }'

record_sound
printf "[Settings]\nX=300\nY=200\nActivateChime=0\n$alarm" >"$SETTINGS"
echo "@$today 07:04:50" >"$WORK/faketime"
faked start_clock
check "the clock shows" wait_until 10 clock_shown
sleep 2
check "no pop-up before the jump" test -z "$(popup)"
echo "@$today 07:08:00" >"$WORK/faketime"
check "the alarm the clock jumped over pops up after the jump" wait_until 10 popup_shown
sleep 6 # four rings, one a second
stop_clock TERM
check "SIGTERM ends the clock cleanly" test "$clock_status" = 0
heard
check "it rings four rings of four 120 ms tones, once" test "$(awk '$1 >= 110 && $1 <= 130' "$WORK/tones" | wc -l)" = 16
finish
