#!/usr/bin/env bash
# Start-up and resource benchmark: Zorbel against a floor program (one Qt window with a QImage
# canvas), interleaved under a private Xvfb, fresh settings, temporary and data folders per run.
#   benchmarks/startup/run.sh [-n ROUNDS] [-B BUILD_DIR] [-z PROGRAM]... [-k]
# -n rounds (default 5); -B the build folder (default build/), whose startup_floor and src/zorbel
# are built first; -z a Zorbel executable to measure instead of BUILD_DIR/src/zorbel (repeat it
# to compare several, for instance an older build, in the same interleaved rounds); -k keeps the
# raw figures and logs. Prints the medians and each program's ratio to the floor.
# Needs Xvfb, xdotool and xev (Debian: xvfb, xdotool, x11-utils). A benchmark, not a test.
set -u
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
rounds=5; build="$root/build"; keep=0; programs=()
while getopts "n:B:z:kh" o; do case $o in
  n) rounds=$OPTARG;; B) build=$(cd "$OPTARG" && pwd);; z) programs+=("$(realpath "$OPTARG")");; k) keep=1;;
  *) sed -n '2,10p' "$0"; exit 2;; esac; done
for t in Xvfb xdotool xev xdpyinfo; do
  command -v $t >/dev/null || { echo "needs $t (apt-get install xvfb xdotool x11-utils)"; exit 2; }; done

targets=(startup_floor); [ ${#programs[@]} -eq 0 ] && targets+=(zorbel)
cmake --build "$build" --target "${targets[@]}" >/dev/null || { echo "build failed"; exit 2; }
floor="$build/benchmarks/startup_floor"
[ ${#programs[@]} -eq 0 ] && programs=("$build/src/zorbel")

screen_w=1280; screen_h=1024
work=$(mktemp -d /tmp/zorbel-bench.XXXXXX)
results="$work/results"

# CPU time (ns) and times scheduled of every live thread of a process.
cpu_ns() { cat /proc/$1/task/*/schedstat 2>/dev/null | awk '{s += $1} END {printf "%d", s}'; }
runs() { cat /proc/$1/task/*/schedstat 2>/dev/null | awk '{s += $3} END {printf "%d", s}'; }
# Resident and anonymous memory in KiB.
mem() { awk '/^Rss:/ {r = $2} /^Anonymous:/ {a = $2} END {printf "%d %d", r, a}' /proc/$1/smaps_rollup; }
now() { echo "$EPOCHREALTIME"; }
sleep_until() { local d; d=$(awk -v t="$1" -v n="$(now)" 'BEGIN {d = t - n; printf "%.3f", (d > 0 ? d : 0)}'); sleep "$d"; }
ms() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", (b - a) * 1000}'; }

# One run of one program; appends "label figure..." to the results.
measure() {
  local label=$1 prog=$2 sb d xp ev pid t0 tmap c0 c1 w0 w1 i x y wid cmd
  sb=$(mktemp -d "$work/run.XXXXXX"); mkdir -p "$sb/tmp" "$sb/cfg" "$sb/data" "$sb/run"; chmod 700 "$sb/run"
  for d in $(seq 140 199); do [ -e /tmp/.X$d-lock ] || break; done
  Xvfb :$d -screen 0 ${screen_w}x${screen_h}x24 -nolisten tcp >/dev/null 2>&1 & xp=$!
  for i in $(seq 1 100); do DISPLAY=:$d xdpyinfo >/dev/null 2>&1 && break; sleep 0.05; done
  export DISPLAY=:$d QT_QPA_PLATFORM=xcb HOME="$sb" TMPDIR="$sb/tmp" XDG_CONFIG_HOME="$sb/cfg" \
    XDG_DATA_HOME="$sb/data" XDG_RUNTIME_DIR="$sb/run"
  # Every top-level window mapped, with the time it was seen.
  (stdbuf -oL xev -root -event substructure 2>/dev/null | while IFS= read -r l; do
     case $l in MapNotify*) echo "$EPOCHREALTIME" >>"$sb/maps";; esac; done) & ev=$!
  sleep 0.3
  t0=$(now)
  "$prog" >"$sb/out.log" 2>&1 & pid=$!
  for i in $(seq 1 400); do [ -s "$sb/maps" ] && break; sleep 0.005; done
  tmap=$(head -1 "$sb/maps" 2>/dev/null || echo "$t0")
  sleep_until "$(awk -v t="$tmap" 'BEGIN {printf "%.6f", t + 3}')"
  local map_ms cpu_start; map_ms=$(ms "$t0" "$tmap"); cpu_start=$(awk -v c="$(cpu_ns $pid)" 'BEGIN {printf "%.1f", c / 1e6}')

  # Idle: the drawing window has been up for a while.
  sleep_until "$(awk -v t="$t0" 'BEGIN {printf "%.6f", t + 5.5}')"
  local idle; idle=$(mem $pid); w0=$(runs $pid); sleep 3; w1=$(runs $pid)
  local wakeups; wakeups=$(awk -v a="$w0" -v b="$w1" 'BEGIN {printf "%.1f", (b - a) / 3}')

  # One stroke of 50 moves across the canvas, 10 ms apart so none is merged with the next. The
  # strokes keep to the canvas's lower right, clear of the template and pen windows at their
  # first places: a press on those would move the window instead of drawing.
  x=560; y=720; xdotool mousemove $x $y; sleep 0.5
  cmd="mousedown 1"; for i in $(seq 1 50); do cmd+=" sleep 0.01 mousemove $((x + 10 * i)) $((y + (i % 7) * 3))"; done
  c0=$(cpu_ns $pid); xdotool $cmd mouseup 1; sleep 0.5; c1=$(cpu_ns $pid)
  local move_us; move_us=$(awk -v a="$c0" -v b="$c1" 'BEGIN {printf "%.1f", (b - a) / 50 / 1000}')

  # 2,000 short strokes.
  for i in $(seq 0 19); do
    cmd=""; for j in $(seq 0 99); do
      x=$((560 + (j * 7) % 600)); y=$((660 + (i * 13 + j) % 300))
      cmd+=" mousemove $x $y mousedown 1 mousemove $((x + 6)) $((y + 4)) mousemove $((x + 12)) $((y + 2)) mouseup 1"; done
    xdotool $cmd
  done
  sleep 1
  local strokes; strokes=$(mem $pid)

  # Resizes of the largest visible window, each to a new size.
  wid=$(for w in $(xdotool search --onlyvisible --pid $pid 2>/dev/null); do
          xdotool getwindowgeometry --shell $w | awk -F= -v w=$w '/WIDTH/ {a = $2} /HEIGHT/ {b = $2} END {print a * b, w}'
        done | sort -n | tail -1 | cut -d' ' -f2)
  resize() { local k; for k in $(seq "$1" "$2"); do
      xdotool windowsize "$wid" $((800 + (k * 37) % 480)) $((600 + (k * 29) % 420)); sleep 0.12; done; sleep 0.4; }
  c0=$(cpu_ns $pid); resize 1 20; c1=$(cpu_ns $pid)
  local resize_ms; resize_ms=$(awk -v a="$c0" -v b="$c1" 'BEGIN {printf "%.2f", (b - a) / 20 / 1e6}')
  local r20; r20=$(mem $pid)
  resize 21 100; sleep 0.5
  local r100; r100=$(mem $pid)

  echo "$label $map_ms $cpu_start $idle $wakeups $move_us $strokes $resize_ms $r20 $r100" >>"$results"
  kill $pid 2>/dev/null; wait $pid 2>/dev/null
  # xev ends with its display.
  kill $xp 2>/dev/null; wait $xp 2>/dev/null; wait $ev 2>/dev/null
  [ $keep -eq 1 ] || rm -rf "$sb"
}

echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)   ($(nproc) cores)"
labels=(floor); for i in "${!programs[@]}"; do labels+=("zorbel$((i + 1))"); done
for r in $(seq 1 "$rounds"); do
  # Alternate the order so that neither always runs first after the other.
  order=(); n=${#labels[@]}
  for i in $(seq 0 $((n - 1))); do order+=($(( (i + r) % n ))); done
  for i in "${order[@]}"; do
    if [ "$i" -eq 0 ]; then measure floor "$floor"; else measure "${labels[$i]}" "${programs[$((i - 1))]}"; fi
  done
  echo "round $r of $rounds done"
done
echo "load average after:  $(cut -d' ' -f1-3 /proc/loadavg)"
for i in "${!programs[@]}"; do echo "zorbel$((i + 1)) = ${programs[$i]}"; done

# Medians per program and figure, and the ratio to the floor.
awk -v labels="${labels[*]}" '
  { n[$1]++; for (f = 2; f <= NF; f++) v[$1, f, n[$1]] = $f }
  function median(l, f,   k, m, a, i, j, t) {
    m = n[l]; for (i = 1; i <= m; i++) a[i] = v[l, f, i]
    for (i = 2; i <= m; i++) { t = a[i]; for (j = i - 1; j > 0 && a[j] > t; j--) a[j + 1] = a[j]; a[j + 1] = t }
    return m % 2 ? a[(m + 1) / 2] : (a[m / 2] + a[m / 2 + 1]) / 2 }
  END {
    split("first window mapped after exec (ms)|CPU from exec to first map + 3 s (ms)|resident memory when idle (MiB)|anonymous memory when idle (MiB)|idle wakeups (per s)|CPU per mouse move, 50-move stroke (us)|resident memory after 2,000 strokes (MiB)|anonymous memory after 2,000 strokes (MiB)|CPU per window resize (ms)|resident memory after 20 resizes (MiB)|anonymous memory after 20 resizes (MiB)|resident memory after 100 resizes (MiB)|anonymous memory after 100 resizes (MiB)", name, "|")
    split("2 3 4 5 6 7 8 9 10 11 12 13 14", col, " ")
    split(labels, L, " "); nl = length(L)
    printf "| figure (median of %d) |", n["floor"]; for (i = 1; i <= nl; i++) printf " %s |", L[i]
    for (i = 2; i <= nl; i++) printf " %s / floor |", L[i]; printf "\n|---|"
    for (i = 1; i < 2 * nl; i++) printf "---|"; printf "\n"
    for (k = 1; k <= 13; k++) {
      f = col[k]; mib = name[k] ~ /MiB/; printf "| %s |", name[k]
      for (i = 1; i <= nl; i++) { x = median(L[i], f); med[i] = mib ? x / 1024 : x; printf " %.1f |", med[i] }
      for (i = 2; i <= nl; i++) if (med[1] > 0) printf " %.2f |", med[i] / med[1]; else printf " - |"
      printf "\n" }
  }' "$results"
if [ $keep -eq 1 ]; then echo "raw figures and logs: $work"; else rm -rf "$work"; fi
exit 0
