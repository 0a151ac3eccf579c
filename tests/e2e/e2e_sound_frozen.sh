#!/usr/bin/env bash
# A frozen sound server must not freeze the program. A private PulseAudio is stopped with SIGSTOP
# while the child draws: every stroke plays a sound, and each must still show on the screen
# within 2 s, as must the Delete button's work. Then the server goes, and End must still end it.
#   e2e_sound_frozen.sh ZORBEL E2ECHECK
# Exits 77 (skipped) when no private sound server can be started here.
set -u
exe=$1 check=$2
here=$(cd "$(dirname "$0")" && pwd)
source "$here/x11lib.sh"
need_tools Xvfb xdotool xdpyinfo import pulseaudio pactl

sandbox "$(mktemp -d /tmp/zorbel-frozen.XXXXXX)"
PA_PID=""
finish() { stop_pulse; stop_all; [ -n "${KEEP_SANDBOX:-}" ] || rm -rf "$SB"; }
trap finish EXIT
fail() { echo "FAIL: $*"; echo "--- program output:"; tail -n 20 "$SB/program.log"; exit 1; }

if ! start_pulse; then
  echo "SKIP: PulseAudio could not start here:"; tail -n 5 "$SB/pulse.log"; exit 77
fi

# The drawing window fills the 1024 x 768 screen; its buttons sit at fixed places there.
delete_button=(87 481); end_button=(143 641)
known="1024x768 440x420 626x169 356x329"
dialog_there() { local id; id=$(find_other_window $known) || return 1; eval "$(xdotool getwindowgeometry --shell "$id")"; [ "$HEIGHT" -gt 60 ]; }
ended() { ! kill -0 "$APP_PID" 2>/dev/null; }

start_xvfb 1024x768 || fail "Xvfb did not start"
start_program "$exe"
wait_until 20 window_there 1024 768 || fail "the drawing window did not appear"
sleep 1 # the tool windows' opening sounds: the program has talked to the server by now
top=$(( $(below_tool_windows) + 30 ))
[ $((top + 200)) -le 720 ] || fail "the tool windows cover the canvas down to $((top - 30))"

# stroke Y: draws across the canvas at row Y; the program answers when it shows within 2 s.
# A program that waits on the server has not even taken the mouse-down, which plays the sound.
stroke() {
  shoot_screen "$SB/before.png"
  drag 350 "$1" 900 "$1"
  shown() { shoot_screen "$SB/now.png" && "$check" differ "$SB/before.png" "$SB/now.png" 350 $(($1 - 6)) 551 12 >/dev/null; }
  wait_until 2 shown "$1" || fail "the stroke at row $1 did not show within 2 s: the window does not answer"
}

stroke $top # heard: the server still answers
kill -STOP "$PA_PID"
for i in 1 2 3 4; do stroke $((top + 40 * i)); done
shoot_screen "$SB/strokes.png"
click "${delete_button[@]}"
cleared() { shoot_screen "$SB/now.png" && "$check" differ "$SB/strokes.png" "$SB/now.png" 350 $top 551 170 >/dev/null; }
wait_until 2 cleared || fail "Delete did not clear the canvas within 2 s: the window does not answer"
stroke $((top + 20))

# The server comes back for a moment and goes for good; the program must still end as a child
# ends it, through End and its question.
kill -CONT "$PA_PID"
sleep 0.5
stop_pulse
click "${end_button[@]}"
wait_until 10 dialog_there || fail "the End question did not appear"
box=$(find_other_window $known)
xdotool windowfocus --sync "$box" 2>/dev/null
xdotool key Return
wait_until 15 ended || fail "the program did not end after End"
wait "$APP_PID"; code=$?; APP_PID=""
[ $code -eq 0 ] || fail "the program ended with code $code"
echo "PASS"
