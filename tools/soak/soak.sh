#!/usr/bin/env bash
# Drives the real program under a private Xvfb with random actions, as a restless child would:
# strokes, every button of the three windows, flags, the palette and slider, Save with odd names,
# Open and a chosen picture, dialogs answered or dismissed. Fails on any exit of the program, any
# sanitizer report, and a window that does not answer a stroke within 2 s.
#   soak.sh PROGRAM SECONDS [KEEP_FOLDER]
# The program's output, its core files and the last screenshot stay in KEEP_FOLDER.
set -u
exe=$(realpath "$1") seconds=$2 keep=${3:-/tmp/zorbel-soak}
check=$(dirname "$exe")/../tests/e2e/e2echeck # built beside the program
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../tests/e2e/x11lib.sh"
need_tools Xvfb xdotool xdpyinfo import
[ -x "$check" ] || { echo "SKIP: no $check"; exit 77; }
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0:abort_on_error=1} UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
sandbox "$(mktemp -d /tmp/zorbel-soak.XXXXXX)"
rm -rf "$keep"; mkdir -p "$keep"
ulimit -c unlimited 2>/dev/null
finish() {
  stop_all
  cp "$SB/program.log" "$SB/actions.log" "$SB"/shots/*.png "$keep"/ 2>/dev/null
  find "$SB" -name 'core*' -type f -exec cp {} "$keep"/ \; 2>/dev/null
  rm -rf "$SB"
}
trap finish EXIT
actions=0
fail() { echo "FAIL after $actions actions: $*"; shoot_screen "$SB/shots/last.png"; tail -n 30 "$SB/program.log"; exit 1; }

known="1024x768 440x420 240x270 626x169 356x329"
# Buttons of the drawing window on the 1024 x 768 screen, End left out: two columns of five.
buttons_x=(87 143); buttons_y=(480 520 560 600 640)
flags=(83 685 115 685 147 685 97 705 129 705)
names=(tree "" "  " ../x "a/b" dino. "$(printf 'n%.0s' {1..300})" "Öl-Bild" Tree)

alive() {
  kill -0 "$APP_PID" 2>/dev/null && return 0
  wait "$APP_PID"; local code=$?; APP_PID=""
  fail "the program ended with status $code (see program.log and actions.log)"
}
# What was done, in order, to replay a fault.
act() { echo "$actions $*" >>"$SB/actions.log"; }
reports() { grep -qE 'ERROR: (Address|Leak)Sanitizer|runtime error:' "$SB/program.log" && fail "a sanitizer report"; return 0; }
# Any dialog or menu: answered with Return or Escape, by chance.
settle() {
  local id i
  for i in 1 2 3; do
    id=$(find_other_window $known) || return 0
    xdotool windowfocus --sync "$id" 2>/dev/null
    eval "$(xdotool getwindowgeometry --shell "$id" 2>/dev/null)"
    if [ $((RANDOM % 3)) -eq 0 ]; then k=Return; else k=Escape; fi
    act "dialog ${WIDTH}x$HEIGHT: $k"; xdotool key $k keyup $k
    sleep 0.2
  done
}
# A stroke where nothing covers the canvas must show within 2 s.
answers() {
  local y=$(( $(below_tool_windows) + 20 + RANDOM % 60 ))
  [ $y -lt 700 ] || y=700
  click 87 480; sleep 0.3 # Delete: the stroke then shows on white
  shoot_screen "$SB/before.png"
  drag 300 $y 900 $((y + 20))
  local end=$(( $(date +%s) + 2 ))
  while [ "$(date +%s)" -le $end ]; do
    shoot_screen "$SB/after.png"
    [ "$("$check" differ "$SB/before.png" "$SB/after.png" 250 $((y - 10)) 700 50 2>/dev/null)" = changed ] && return 0
  done
  fail "a stroke did not show within 2 s"
}
# Every click and drag goes into the action log.
eval "lib_$(declare -f click)"; click() { act "click $*"; lib_click "$@"; }
eval "lib_$(declare -f drag)"; drag() { act "drag $*"; lib_drag "$@"; }
random_in() { # window id: a random point inside it, on the screen (a dragged window may stick out)
  window_origin "$1"; eval "$(xdotool getwindowgeometry --shell "$1")"
  local x=$((WX + RANDOM % WIDTH)) y=$((WY + RANDOM % HEIGHT))
  click $((x < 0 ? 0 : x > 1023 ? 1023 : x)) $((y < 0 ? 0 : y > 767 ? 767 : y))
}

start_xvfb 1024x768 || fail "Xvfb did not start"
start_program "$exe"
wait_until 30 window_there 1024 768 || fail "the drawing window did not appear"
sleep 1
end=$(( $(date +%s) + seconds ))
while [ "$(date +%s)" -lt "$end" ]; do
  case $((RANDOM % 10)) in
    0|1) y=$((200 + RANDOM % 500)); drag $((240 + RANDOM % 700)) $y $((240 + RANDOM % 700)) $((200 + RANDOM % 500)) ;;
    2|3) i=$((RANDOM % 9)); click ${buttons_x[i % 2]} ${buttons_y[i / 2]} ;; # 9, End, is left out
    4) i=$((RANDOM % 5 * 2)); click ${flags[i]} ${flags[i + 1]} ;;
    5|6) w=$(find_window 440 420 || find_window 240 270) && random_in "$w" ;;
    7) w=$(find_window 626 169) && random_in "$w" ;;
    8) click 143 520; sleep 0.3 # Save, with a name a child might type
       if id=$(find_other_window $known); then
         name=${names[RANDOM % ${#names[@]}]}; act "type '$name'"
         xdotool windowfocus --sync "$id" 2>/dev/null; xdotool type --delay 5 "$name"
       fi ;;
    9) click 87 520; sleep 0.2; w=$(find_window 440 420 || find_window 240 270) && random_in "$w" ;;
  esac
  actions=$((actions + 1))
  sleep 0.05
  settle; alive; reports
  [ $((actions % 40)) -eq 0 ] && answers
done
answers; alive; reports
echo "soak: $actions actions in $seconds s, no fault"
echo "PASS"
