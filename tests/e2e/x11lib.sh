# Shell pieces for driving Zorbel in a real X window: a private Xvfb, fresh folders, polling,
# finding the program's windows by their size. Sourced by the end-to-end tests and tools/helpshots.

# sandbox DIR: fresh home, settings, data, runtime and temporary folders, and a private copy of
# the program so that its own folder (pictures, error log) starts empty too.
sandbox() {
  SB=$1
  rm -rf "$SB"; mkdir -p "$SB"/{home,cfg,data,run,tmp,prog,shots}; chmod 700 "$SB/run"
  export HOME="$SB/home" XDG_CONFIG_HOME="$SB/cfg" XDG_DATA_HOME="$SB/data" XDG_RUNTIME_DIR="$SB/run" TMPDIR="$SB/tmp"
  export QT_QPA_PLATFORM=xcb
  unset SESSION_MANAGER DBUS_SESSION_BUS_ADDRESS
}

# wait_until SECONDS COMMAND...: polls every 0.1 s; false when the time runs out.
wait_until() {
  local limit=$1; shift
  local end=$(( $(date +%s%N) + limit * 1000000000 ))
  until "$@"; do
    [ "$(date +%s%N)" -lt "$end" ] || return 1
    sleep 0.1
  done
}

# start_xvfb WxH: a private X server on a display it picks itself.
start_xvfb() {
  local fdfile="$SB/display"
  : >"$fdfile"
  Xvfb -displayfd 9 -screen 0 "$1x24" -nolisten tcp -noreset 9>"$fdfile" >"$SB/xvfb.log" 2>&1 &
  XVFB_PID=$!
  wait_until 10 test -s "$fdfile" || { echo "Xvfb did not start"; cat "$SB/xvfb.log"; return 1; }
  export DISPLAY=":$(head -n1 "$fdfile")"
  wait_until 10 xdpyinfo >/dev/null 2>&1
}

stop_all() {
  if [ -n "${APP_PID:-}" ]; then kill "$APP_PID" 2>/dev/null; wait "$APP_PID" 2>/dev/null || true; fi
  if [ -n "${XVFB_PID:-}" ]; then kill "$XVFB_PID" 2>/dev/null; wait "$XVFB_PID" 2>/dev/null || true; fi
  APP_PID=""; XVFB_PID=""
  return 0
}

# start_program EXE: copies the program, with its help and modules, into the sandbox and starts it there.
start_program() {
  cp "$1" "$SB/prog/zorbel"
  mkdir -p "$SB/lib" && cp -r "$(dirname "$1")/../lib/zorbel" "$SB/lib/"
  [ -d "$(dirname "$1")/help" ] && cp -r "$(dirname "$1")/help" "$SB/prog/"
  (cd "$SB/home" && exec "$SB/prog/zorbel") >"$SB/program.log" 2>&1 &
  APP_PID=$!
}

# find_window W H: prints the id of a visible window of the program with that size.
find_window() {
  local id
  for id in $(xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$id" 2>/dev/null)" || continue
    if [ "$WIDTH" = "$1" ] && [ "$HEIGHT" = "$2" ]; then
      echo "$id"; return 0
    fi
  done
  return 1
}
window_there() { find_window "$1" "$2" >/dev/null; }
# window_origin ID: sets WX and WY to the window's top left corner on the screen.
window_origin() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
  WX=$X; WY=$Y
}
# Any visible window of the program that is not one of the sizes given (a dialog).
find_other_window() {
  local id size
  for id in $(xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$id" 2>/dev/null)" || continue
    [ "$WIDTH" -gt 40 ] || continue
    size="${WIDTH}x${HEIGHT}"
    case " $* " in *" $size "*) continue;; esac
    echo "$id"; return 0
  done
  return 1
}
other_window_there() { find_other_window "$@" >/dev/null; }

shoot_window() { import -window "$1" "$2" 2>/dev/null; }
shoot_screen() { import -window root "$1" 2>/dev/null; }

# click X Y (screen), drag X1 Y1 X2 Y2 in small steps so every move is seen.
click() { xdotool mousemove --sync "$1" "$2" click 1; }
drag() {
  local x1=$1 y1=$2 x2=$3 y2=$4 i n=10
  xdotool mousemove --sync "$x1" "$y1" mousedown 1
  for i in $(seq 1 $n); do
    xdotool mousemove --sync $(( x1 + (x2 - x1) * i / n )) $(( y1 + (y2 - y1) * i / n ))
  done
  xdotool mouseup 1
}
