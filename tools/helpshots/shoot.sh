#!/usr/bin/env bash
# Takes the pictures of the windows that the help pages show, under a private Xvfb, and writes
# them to help/images/. Run by hand after a window changed:  tools/helpshots/shoot.sh [build]
# Needs xvfb, xdotool, x11-utils and imagemagick.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build}
exe=$build/src/zorbel
out=$root/help/images
source "$root/tests/e2e/x11lib.sh"
[ -x "$exe" ] || { echo "build the program first: $exe"; exit 1; }
mkdir -p "$out"
trap stop_all EXIT

# The drawing window's buttons at 1024 x 768: two columns, five rows.
help_button=(143 601); open_button=(87 521)
panel_crop=168x280+33+443
# Inside the large template window: the step and chooser panels' buttons share one row and the
# step panel has a second; the file panel's list and OK (see src/preview/PreviewLayout.h).
tpl_row1=(165 221 277); tpl_row1_y=340; tpl_grid=(189 380); tpl_size=(245 380)
tpl_first_file=(150 332); tpl_file_ok=(305 388)
# Where the pen window goes so that it hides nothing of the template window: the X server draws
# no window that another one covers, so a shot would show black there.
pen_aside=(380 560)

# click_in ID X Y: a click at a point inside a window; then the pointer leaves, so neither a
# highlighted button nor a tool tip gets into the next shot.
click_in() {
  window_origin "$1"
  click $((WX + $2)) $((WY + $3))
  xdotool mousemove --sync 1000 740
  sleep 0.6
}

# Some saved pictures for the file panel, made from the finished steps of a few templates.
saved_pictures() {
  local folder=$HOME/Pictures/Zorbel n name
  mkdir -p "$folder"
  while read -r n name; do
    convert "$build/templates/$n.png" -crop 400x300+0+1500 +repage "BMP3:$folder/$name.bmp"
  done
}

settings() { mkdir -p "$XDG_CONFIG_HOME/Zorbel III"; printf '[Optionen]\nSprache=%s\n' "$1" >"$XDG_CONFIG_HOME/Zorbel III/settings.ini"; }

for lang in de en; do
  base=0; [ $lang = en ] && base=1000
  sandbox "$(mktemp -d /tmp/zorbel-shots.XXXXXX)"
  settings $base
  if [ $lang = de ]; then
    printf '104 Langhals\n126 Mein T-Rex\n119 Stegosaurus\n' | saved_pictures
  else
    printf '104 Long neck\n126 My T-Rex\n119 Stegosaurus\n' | saved_pictures
  fi
  start_xvfb 1024x768
  start_program "$exe"
  wait_until 15 window_there 356 329
  sleep 0.5 # the busy pointer and the flags settle
  [ $lang = de ] && shoot_window "$(find_window 356 329)" "$out/start.png"
  wait_until 15 window_there 1024 768
  sleep 1
  shoot_screen "$SB/draw.png"
  convert "$SB/draw.png" -resize 800x "$out/draw-$lang.png"
  convert "$SB/draw.png" -crop $panel_crop +repage "$out/buttons-$lang.png"
  tpl=$(find_window 440 420) || { echo "the template window did not appear"; exit 1; }
  pen=$(find_window 626 169) || { echo "the pen window did not appear"; exit 1; }
  # The tool windows show no words: one picture of each serves both pages.
  [ $lang = de ] && shoot_window "$pen" "$out/pen.png"
  xdotool windowmove --sync "$pen" "${pen_aside[@]}"
  sleep 0.3
  if [ $lang = de ]; then
    # Step 3 of the first template, the grid over it.
    click_in "$tpl" "${tpl_row1[2]}" $tpl_row1_y
    click_in "$tpl" "${tpl_row1[2]}" $tpl_row1_y
    shoot_window "$tpl" "$out/template.png"
    # The chooser, two templates on.
    click_in "$tpl" "${tpl_row1[1]}" $tpl_row1_y
    click_in "$tpl" "${tpl_row1[2]}" $tpl_row1_y
    click_in "$tpl" "${tpl_row1[2]}" $tpl_row1_y
    shoot_window "$tpl" "$out/template-chooser.png"
    click_in "$tpl" "${tpl_row1[1]}" $tpl_row1_y
  fi
  # The file panel, one saved picture chosen.
  click "${open_button[@]}"
  xdotool mousemove --sync 1000 740
  sleep 0.6
  click_in "$tpl" "${tpl_first_file[@]}"
  shoot_window "$tpl" "$out/files-$lang.png"
  if [ $lang = de ]; then
    # Back to the steps, then the small size without the grid.
    click_in "$tpl" "${tpl_file_ok[@]}"
    click_in "$tpl" "${tpl_grid[@]}"
    click_in "$tpl" "${tpl_size[@]}"
    wait_until 5 window_there 240 270 || { echo "the template window did not turn small"; exit 1; }
    small=$(find_window 240 270)
    # Its panels start 4 pixels left of the window, the preview box is half as large.
    click_in "$small" $((tpl_row1[2] - 100)) $((tpl_row1_y - 150))
    click_in "$small" $((tpl_row1[2] - 100)) $((tpl_row1_y - 150))
    shoot_window "$small" "$out/template-small.png"
  fi
  click "${help_button[@]}"
  sleep 0.5
  xdotool key Up Return
  wait_until 10 window_there 356 329
  sleep 0.5
  [ $lang = de ] && shoot_window "$(find_window 356 329)" "$out/about.png"
  stop_all
  rm -rf "$SB"
done

# A language setting that is no number makes the start fail: the error dialog shows.
sandbox "$(mktemp -d /tmp/zorbel-shots.XXXXXX)"
settings abc
start_xvfb 1024x768
start_program "$exe"
wait_until 15 other_window_there 356x329 1024x768
sleep 0.5
shoot_window "$(find_other_window 356x329 1024x768)" "$out/error.png"
stop_all
rm -rf "$SB"
ls -l "$out"
