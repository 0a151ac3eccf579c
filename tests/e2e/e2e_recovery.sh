#!/usr/bin/env bash
# The drawing survives every end but the confirmed End: a kill, SIGTERM, a kill in the middle of
# a write; it comes back at the next start, and Undo takes it away again.
#   e2e_recovery.sh ZORBEL E2ECHECK
set -u
exe=$1 check=$2
here=$(cd "$(dirname "$0")" && pwd)
source "$here/x11lib.sh"
need_tools Xvfb xdotool xdpyinfo import
sandbox "$(mktemp -d /tmp/zorbel-e2e.XXXXXX)"
trap 'stop_all; rm -rf "$SB"' EXIT
fail() { echo "FAIL: $*"; echo "--- program output:"; tail -n 20 "$SB/program.log"; exit 1; }

# The drawing window fills the 1024 x 768 screen; the canvas's lower part lies clear of the
# template and pen windows.
undo=(143 480); delete=(87 480); end_button=(143 641)
canvas="240 400 740 320"
copy="$XDG_DATA_HOME/zorbel/recovery.bmp"
known="1024x768 440x420 626x169 356x329"
up() {
  start_program "$exe"
  wait_until 20 window_there 1024 768 || fail "the drawing window did not appear"
  sleep 0.5 # the copy is taken back once the window is up
}
down() { kill -"$1" "$APP_PID"; wait "$APP_PID" 2>/dev/null; APP_PID=""; }
same() { shoot_screen "$SB/now.png" && ! "$check" differ "$1" "$SB/now.png" $canvas >/dev/null; }
start_xvfb 1024x768 || fail "Xvfb did not start"

up
shoot_screen "$SB/blank.png"
drag 300 500 900 560
wait_until 5 test -s "$copy" || fail "no recovery copy after a stroke"
shoot_screen "$SB/drawn.png"
down KILL
up
same "$SB/drawn.png" || fail "the drawing did not come back after a kill"
click "${undo[@]}"
wait_until 3 same "$SB/blank.png" || fail "Undo did not take the drawing that came back away"

# SIGTERM at once after a stroke: the copy is written before the program goes.
drag 300 600 900 640
shoot_screen "$SB/drawn2.png"
down TERM
"$check" bmp "$copy" >/dev/null || fail "no whole copy after SIGTERM"
up
same "$SB/drawn2.png" || fail "the drawing at SIGTERM did not come back"

# Delete, then a kill: the blank canvas comes back, not the drawing before it.
click "${delete[@]}"
sleep 1.5
down KILL
up
same "$SB/blank.png" || fail "a deleted drawing came back"

# Kills at random moments of the writing: the copy is always whole, and every start works.
for i in 1 2 3 4 5 6; do
  drag 300 $((420 + 40 * i)) 900 $((430 + 40 * i))
  sleep "0.$((RANDOM % 9 + 1))$((RANDOM % 10))"
  down KILL
  [ ! -e "$copy" ] || "$check" bmp "$copy" >/dev/null || fail "a torn copy after kill $i: $("$check" bmp "$copy")"
  up
done

# The confirmed End takes the copy away.
drag 300 500 900 560
wait_until 5 test -s "$copy" || fail "no copy before End"
click "${end_button[@]}"
wait_until 10 other_window_there $known || fail "the End question did not appear"
xdotool key Return
wait_until 15 sh -c "! kill -0 $APP_PID 2>/dev/null" || fail "the program did not end"
wait "$APP_PID"; APP_PID=""
[ ! -e "$copy" ] || fail "the copy outlived the End"

# A data folder that cannot be made: drawing goes on, and nothing is said.
mv "$XDG_DATA_HOME" "$SB/data-was"; : >"$XDG_DATA_HOME"
up
drag 300 500 900 560
sleep 1.5
! other_window_there $known || fail "a dialog appeared over a data folder that cannot be used"
kill -0 "$APP_PID" 2>/dev/null || fail "the program ended over a data folder that cannot be used"
echo "PASS"
