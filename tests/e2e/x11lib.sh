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

# need_tools TOOL...: ends the test as skipped (77), naming the first tool that is missing.
need_tools() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed (scripts/test.sh installs it)"; exit 77; }
  done
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

# start_wm NAME: a window manager as desktops run it (openbox, xfwm4, mutter on X11), waited for
# until it names itself on the root window; false when it is missing or does not come up.
start_wm() {
  local cmd
  case "$1" in
    openbox) cmd=(openbox --sm-disable) ;;
    xfwm4) cmd=(dbus-run-session -- xfwm4 --compositor=off) ;;
    mutter) cmd=(dbus-run-session -- mutter --x11 --replace --sm-disable) ;;
    *) return 1 ;;
  esac
  command -v "$1" >/dev/null && command -v "${cmd[0]}" >/dev/null || return 1
  "${cmd[@]}" >"$SB/wm.log" 2>&1 &
  WM_PID=$!
  wait_until 20 wm_up
}
wm_up() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }

# start_weston: a Wayland desktop in a window of the private X server, at its top left and as
# large as the screen, so that xdotool's input reaches it and the root's shots show it.
WESTON_SOCKET=zorbel-e2e
start_weston() {
  command -v weston >/dev/null || return 1
  eval "$(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print "local w=" d[1] " h=" d[2] }')"
  weston --backend=x11-backend.so --use-pixman --width="$w" --height="$h" --socket="$WESTON_SOCKET" \
    --idle-time=0 >"$SB/wm.log" 2>&1 &
  WM_PID=$!
  wait_until 20 test -S "$XDG_RUNTIME_DIR/$WESTON_SOCKET" && wait_until 10 weston_window || return 1
  # Its pointer only follows X's moves, from wherever it was: corner to corner pins both together.
  sleep 1
  xdotool mousemove --sync 0 0 mousemove --sync $((w - 1)) $((h - 1)) mousemove --sync 0 0 mousemove --sync $((w / 2)) $((h / 2))
}

weston_window() { xwininfo -root -children | grep -q '"Weston Compositor'; }

# The window manager last: dbus-run-session and weston leave their children running otherwise.
# The program gets 5 s to end on SIGTERM, then SIGKILL: a hung one never reads the signal, as
# it is handled in the event loop.
stop_all() {
  if [ -n "${APP_PID:-}" ]; then
    kill "$APP_PID" 2>/dev/null
    wait_until 5 sh -c "! kill -0 $APP_PID 2>/dev/null" || kill -KILL "$APP_PID" 2>/dev/null
    wait "$APP_PID" 2>/dev/null || true
  fi
  if [ -n "${WM_PID:-}" ]; then
    pkill -TERM -P "$WM_PID" 2>/dev/null; kill "$WM_PID" 2>/dev/null; wait "$WM_PID" 2>/dev/null || true
  fi
  if [ -n "${XVFB_PID:-}" ]; then kill "$XVFB_PID" 2>/dev/null; wait "$XVFB_PID" 2>/dev/null || true; fi
  APP_PID=""; WM_PID=""; XVFB_PID=""
  return 0
}

# start_program EXE [ENV...]: copies the program, with its help, into the sandbox and starts it
# there (its modules it loads from the build's own folder); ENV as env(1) takes it (-u DISPLAY WAYLAND_DISPLAY=...).
start_program() {
  cp "$1" "$SB/prog/zorbel"
  [ -d "$(dirname "$1")/help" ] && cp -r "$(dirname "$1")/help" "$SB/prog/"
  (cd "$SB/home" && exec env "${@:2}" "$SB/prog/zorbel") >"$SB/program.log" 2>&1 &
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
# find_largest_window: the program's largest visible window (a maximised one under a frame).
find_largest_window() {
  local id best="" most=0
  for id in $(xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$id" 2>/dev/null)" || continue
    [ $((WIDTH * HEIGHT)) -gt $most ] && { most=$((WIDTH * HEIGHT)); best=$id; }
  done
  [ -n "$best" ] && echo "$best"
}
window_there() { find_window "$1" "$2" >/dev/null; }
# window_origin ID: sets WX and WY to the window's top left corner on the screen, and WIDTH and
# HEIGHT. xwininfo's, as xdotool counts a window manager's frame twice.
window_origin() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
  WX=$(xwininfo -id "$1" | awk '/Absolute upper-left X/ { print $NF }')
  WY=$(xwininfo -id "$1" | awk '/Absolute upper-left Y/ { print $NF }')
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

# start_pulse: a private PulseAudio server in the sandbox, with a null sink as the default: its
# own runtime and state folders and socket, no system configuration (-n), only the modules named
# here. Clients find it through PULSE_SERVER alone. Sets PA_PID; false when it does not answer
# (pulse.log says why).
start_pulse() {
  export PULSE_RUNTIME_PATH="$SB/run/pulse" PULSE_STATE_PATH="$SB/pulse-state" PULSE_SERVER="unix:$SB/pulse.sock"
  pulseaudio --daemonize=no -n --use-pid-file=no --exit-idle-time=-1 --disable-shm=yes --log-target=stderr \
    -L "module-native-protocol-unix socket=$SB/pulse.sock auth-anonymous=1" \
    -L "module-null-sink sink_name=zorbel_null rate=44100 channels=2" >"$SB/pulse.log" 2>&1 &
  PA_PID=$!
  wait_until 10 pactl info >/dev/null 2>&1 && pactl set-default-sink zorbel_null
}
# stop_pulse: ends the server, stopped (SIGSTOP) or not: a stopped one holds SIGTERM until SIGCONT.
stop_pulse() {
  if [ -n "${PA_PID:-}" ]; then
    kill -CONT "$PA_PID" 2>/dev/null; kill "$PA_PID" 2>/dev/null; wait "$PA_PID" 2>/dev/null
  fi
  PA_PID=""
  return 0
}

# below_tool_windows: the lowest row the program's tool windows (template, pen) cover, at least 166.
below_tool_windows() {
  local w lowest=166
  for w in $(find_window 440 420) $(find_window 626 169); do
    eval "$(xdotool getwindowgeometry --shell "$w")"
    [ $((Y + HEIGHT)) -gt $lowest ] && lowest=$((Y + HEIGHT))
  done
  echo $lowest
}
