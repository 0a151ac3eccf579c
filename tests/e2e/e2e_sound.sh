#!/usr/bin/env bash
# Sound that is really heard: a private PulseAudio server with a null sink, the program playing
# into it, and a recording of the sink's monitor. The Delete button must be heard as its sound;
# with Sound switched off the same click must record nothing.
#   e2e_sound.sh ZORBEL E2ECHECK SOUNDS_FOLDER
# Exits 77 (skipped) when no private sound server can be started here.
set -u
exe=$1 check=$2 ref=$3/107.wav
here=$(cd "$(dirname "$0")" && pwd)
source "$here/x11lib.sh"
need_tools Xvfb xdotool xdpyinfo pulseaudio parec pactl

sandbox "$(mktemp -d /tmp/zorbel-sound.XXXXXX)"
PA_PID=""; REC_PID=""
finish() {
  stop_all
  [ -n "$REC_PID" ] && { kill "$REC_PID" 2>/dev/null; wait "$REC_PID" 2>/dev/null; }
  stop_pulse
  [ -n "${KEEP_SANDBOX:-}" ] || rm -rf "$SB"
}
trap finish EXIT
fail() { echo "FAIL: $*"; echo "--- program output:"; tail -n 20 "$SB/program.log"; exit 1; }

if ! start_pulse; then
  echo "SKIP: PulseAudio could not start here:"; tail -n 5 "$SB/pulse.log"; exit 77
fi

# record FILE: the sink's monitor, as 22050 Hz mono 16-bit samples.
record() {
  parec -d zorbel_null.monitor --format=s16le --rate=22050 --channels=1 --raw --latency-msec=20 >"$1" &
  REC_PID=$!
  wait_until 5 test -s "$1" || fail "the recording did not start"
}
stop_recording() { kill "$REC_PID" 2>/dev/null; wait "$REC_PID" 2>/dev/null; REC_PID=""; }

# The drawing window's buttons at 1024 x 768.
delete_button=(87 481); sound_button=(87 601)

start_xvfb 1024x768 || fail "Xvfb did not start"
start_program "$exe"
wait_until 20 window_there 1024 768 || fail "the drawing window did not appear"
sleep 1 # the tool windows play their opening sounds; let them fade before listening

# listen_to_delete FILE: records while the Delete button is clicked. The first 0.4 s of a
# recording may hold what the monitor kept back before; the click comes well after it.
listen_to_delete() {
  record "$1"
  sleep 0.7
  click "${delete_button[@]}"
  sleep 1.2
  stop_recording
}
skip_ms=400

listen_to_delete "$SB/on.raw"
"$check" sound "$SB/on.raw" 22050 "$ref" $skip_ms || fail "the Delete sound was not heard as it should be"

click "${sound_button[@]}" # sound off; this click itself still plays its tock
sleep 0.8
listen_to_delete "$SB/off.raw"
"$check" silence "$SB/off.raw" 22050 $skip_ms || fail "something was heard with Sound off"
echo "PASS"
