#!/usr/bin/env bash
# Takes the pictures of the windows that the help pages show, under a private Xvfb, and writes
# them to help/images/. Run by hand after a window changed:  tools/helpshots/shoot.sh [build]
# Needs xvfb, xdotool, x11-utils and imagemagick. The template and pen windows are shot when
# the program shows them.
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
help_button=(143 601)
panel_crop=168x280+33+443

settings() { mkdir -p "$XDG_CONFIG_HOME/Zorbel III"; printf '[Optionen]\nSprache=%s\n' "$1" >"$XDG_CONFIG_HOME/Zorbel III/settings.ini"; }

for lang in de en; do
  base=0; [ $lang = en ] && base=1000
  sandbox "$(mktemp -d /tmp/zorbel-shots.XXXXXX)"
  settings $base
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
  if id=$(find_window 440 420); then shoot_window "$id" "$out/template-$lang.png"; else echo "no template window yet"; fi
  if id=$(find_window 626 169); then shoot_window "$id" "$out/pen-$lang.png"; else echo "no pen window yet"; fi
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
