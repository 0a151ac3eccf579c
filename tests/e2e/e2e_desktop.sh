#!/usr/bin/env bash
# The two tool windows on a real desktop: the template window's grid and the pen window's palette
# must stay above the maximised drawing window at start, after a stroke, after the pen window is
# closed and called back with Pen, and after Open turns the template window to its file panel.
#   e2e_desktop.sh WM ZORBEL E2ECHECK SHOTS_FOLDER     WM: openbox, xfwm4, mutter or weston
# Everything is judged from shots of the whole screen. Exits 77 when WM cannot be started.
set -u
wm=$1 exe=$2 check=$3 keep=$4
here=$(cd "$(dirname "$0")" && pwd)
source "$here/x11lib.sh"
need_tools Xvfb xdotool xdpyinfo xprop xwininfo import

sandbox "$(mktemp -d /tmp/zorbel-e2e.XXXXXX)"
rm -rf "$keep"; mkdir -p "$keep"
finish() { stop_all; cp "$SB"/shots/*.png "$SB"/*.log "$keep"/ 2>/dev/null; rm -rf "$SB"; }
trap finish EXIT
failed=()
n=0

# Colours only these windows show, none of them on the drawing window: the grid's orange, four
# pure colours of the palette's middle row (its right half, which the template window never
# covers), and the file list's cream (on Wayland the compositor places the windows, and the pen
# window may lie over part of the list). Each with the pixels it covers at least.
grid="3000 255,182,47"
palette="400 0,255,0 0,255,255 0,0,255 255,0,255"
files="4000 255,251,236"
frame="15000 59,43,18"

# shows NAME...: a fresh shot shows each of them; at_NAME keeps where ("X Y W H").
shows() {
  local w out
  shoot_screen "$SB/now.png" || return 1
  for w in "$@"; do
    out=$("$check" find "$SB/now.png" ${!w}) || { why="no $w ($out)"; return 1; }
    printf -v "at_$w" %s "$out"
  done
}
# step LABEL NAME...: waits for them, keeps the shot, and notes a failure.
step() {
  local label=$1; shift
  n=$((n + 1))
  if wait_until 6 shows "$@"; then
    cp "$SB/now.png" "$SB/shots/$(printf %02d $n)-$label.png"; echo "ok: $label"
  else
    cp "$SB/now.png" "$SB/shots/$(printf %02d $n)-$label-FAILED.png"
    failed+=("$label: $why"); echo "not seen: $label"
  fi
}

start_xvfb 1024x768 || { echo "SKIP: Xvfb did not start"; exit 77; }
if [ "$wm" = weston ]; then
  start_weston || { echo "SKIP: weston could not be started"; tail -n 5 "$SB/wm.log"; exit 77; }
  start_program "$exe" -u DISPLAY QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY="$WESTON_SOCKET"
else
  start_wm "$wm" || { echo "SKIP: the window manager $wm could not be started"; tail -n 5 "$SB/wm.log" 2>/dev/null; exit 77; }
  start_program "$exe"
fi

# The drawing window's place (DX DY DW DH): from X on X11; on Wayland from its dark frame, which
# runs 2 pixels inside its edges.
if [ "$wm" = weston ]; then
  wait_until 25 shows frame || { echo "FAIL: the drawing window did not appear"; tail -n 20 "$SB/program.log"; exit 1; }
  sleep 1
  read -r fx fy fw fh <<<"$at_frame"
  DX=$((fx - 2)) DY=$((fy - 2)) DW=$((fw + 4)) DH=$((fh + 4))
else
  large() { local id; id=$(find_largest_window) && eval "$(xdotool getwindowgeometry --shell "$id")" && [ "$WIDTH" -gt 900 ]; }
  wait_until 25 large || { echo "FAIL: the drawing window did not appear"; tail -n 20 "$SB/program.log"; exit 1; }
  wait_until 10 window_there 440 420; wait_until 10 window_there 626 169
  window_origin "$(find_largest_window)"
  DX=$WX DY=$WY DW=$WIDTH DH=$HEIGHT
fi
echo "drawing window at $DX,$DY size ${DW}x$DH"
# Its buttons keep their distance from its bottom left corner, the canvas from its bottom right.
pen_button=($((DX + 87)) $((DY + DH - 207))); open_button=($((DX + 87)) $((DY + DH - 247)))

# rect_of W H NAME: a tool window's rectangle (X Y W H), from X, or on Wayland from where its
# colours were seen (the grid starts 18 pixels in, the palette's green cell 238 x 84).
rect_of() {
  local id at
  if [ "$wm" != weston ] && id=$(find_window "$1" "$2"); then
    window_origin "$id"; echo "$WX $WY $1 $2"; return 0
  fi
  at="at_$3"; [ -n "${!at:-}" ] || return 1
  read -r ax ay _ <<<"${!at}"
  case "$3" in grid) echo "$((ax - 18)) $((ay - 18)) $1 $2" ;; palette) echo "$((ax - 238)) $((ay - 84)) $1 $2" ;; esac
}

step start grid palette
cp "$SB/now.png" "$SB/before-stroke.png"

# A stroke low on the canvas, clear of both tool windows.
tpl_rect=$(rect_of 440 420 grid) || tpl_rect="0 0 0 0"
pen_rect=$(rect_of 626 169 palette) || pen_rect="0 0 0 0"
x1=$((DX + DW - 31 - 360)); x2=$((DX + DW - 31 - 60)); y=""
clear_of() { local rx ry rw rh; read -r rx ry rw rh <<<"$1"; [ "$2" -lt "$ry" ] || [ "$2" -ge $((ry + rh)) ] || [ $x2 -lt "$rx" ] || [ $x1 -ge $((rx + rw)) ]; }
for row in $(seq $((DY + DH - 31 - 40)) -20 $((DY + DH - 31 - 400))); do
  clear_of "$tpl_rect" "$row" && clear_of "$pen_rect" "$row" && { y=$row; break; }
done
if [ -n "$y" ]; then
  drag $x1 "$y" $x2 "$y"
  stroked() { shoot_screen "$SB/now.png" && "$check" differ "$SB/before-stroke.png" "$SB/now.png" $x1 $((y - 4)) $((x2 - x1)) 8 >/dev/null; }
  wait_until 5 stroked || failed+=("the stroke at $x1..$x2,$y did not show on the canvas")
  step stroke grid palette
else
  failed+=("no row of the canvas is clear of the tool windows ($tpl_rect / $pen_rect)")
fi

# The pen window's close button (560,112, 40 x 40 inside it); then Pen brings the window back.
if pen_rect=$(rect_of 626 169 palette); then
  read -r px py _ <<<"$pen_rect"
  click $((px + 580)) $((py + 132))
  closed() { shoot_screen "$SB/now.png" && ! "$check" find "$SB/now.png" $palette >/dev/null; }
  wait_until 5 closed || failed+=("the palette stayed after the pen window's close button")
  n=$((n + 1)); cp "$SB/now.png" "$SB/shots/$(printf %02d $n)-pen-closed.png"
  click "${pen_button[@]}"
  step pen-again grid palette
else
  failed+=("the pen window was nowhere to be found, so it was not closed and called back")
fi

# Open: the template window shows its file panel and stays above, with the pen window.
click "${open_button[@]}"
step open files palette

echo "screenshots in $keep"
if [ ${#failed[@]} -gt 0 ]; then
  printf 'FAIL: %s\n' "${failed[@]}"
  echo "--- program output:"; tail -n 10 "$SB/program.log"
  exit 1
fi
echo "PASS"
