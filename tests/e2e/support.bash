# Shared by the end-to-end tests (sourced; not a test itself): a private X
# server with a window manager, a temporary device root, runtime folder and
# marker folder, helpers to click at device-screen coordinates, and cleanup.
#
# The X screen is exactly the program's window at scale 2 (480 x 640), so the
# window manager's full-screen placement changes nothing and device pixel
# (x, y) is screen pixel (2x + 1, 2y + 1).

set -u
ZORUN=$(realpath "${1:?usage: $0 PATH/TO/zorun}")
WORK=$(mktemp -d -t zorun-e2e-XXXXXX)
DEVICE=$WORK/device
MARKERS=$WORK/markers
export XDG_RUNTIME_DIR=$WORK/run
# A desktop of the test's own: the machine's applications are never read.
export XDG_DATA_HOME=$WORK/data XDG_DATA_DIRS=$WORK/system-data
export XDG_CONFIG_HOME=$WORK/config XDG_CONFIG_DIRS=$WORK/system-config
export XDG_STATE_HOME=$WORK/state XDG_CACHE_HOME=$WORK/cache
mkdir -p "$MARKERS" "$XDG_DATA_HOME" "$XDG_DATA_DIRS" "$XDG_CONFIG_HOME" "$XDG_CONFIG_DIRS"
mkdir -m 700 "$XDG_RUNTIME_DIR"
SCALE=2
# Sanitizer builds: leaks of the host's libraries are not the program's.
export LSAN_OPTIONS="suppressions=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/lsan-suppressions.txt:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
failures=0
background_pids=()

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

cleanup() {
  local i
  for ((i = ${#background_pids[@]} - 1; i >= 0; i--)); do
    kill "${background_pids[i]}" 2>/dev/null
  done
  for ((i = ${#background_pids[@]} - 1; i >= 0; i--)); do
    wait "${background_pids[i]}" 2>/dev/null
  done
  rm -rf "$WORK"
}
trap cleanup EXIT

finish() {
  if [ "$failures" -ne 0 ]; then
    echo "$failures failure(s)"
    exit 1
  fi
  echo "$(basename "$0"): all checks passed"
  exit 0
}

# wait_until SECONDS COMMAND...: polls COMMAND every 50 ms; false on timeout.
wait_until() {
  local limit=$(($1 * 20))
  shift
  local i
  for ((i = 0; i < limit; i++)); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.05
  done
  return 1
}

# True once process PID has ended (a child that has not been waited for
# stays a zombie, which kill -0 still finds).
process_ended() {
  local state
  state=$(ps -o stat= -p "$1" 2>/dev/null)
  [ -z "$state" ] || [ "${state:0:1}" = Z ]
}

# Starts Xvfb on a free display (it picks the number) and the window manager.
start_x() {
  local fifo=$WORK/displayfd
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 480x640x24 -nolisten tcp 3>"$fifo" 2>"$WORK/xvfb.log" &
  background_pids+=($!)
  local number
  read -r -t 20 number <"$fifo" || { echo "Xvfb did not start: $(cat "$WORK/xvfb.log")"; exit 1; }
  export DISPLAY=:$number
  matchbox-window-manager -use_titlebar no >"$WORK/wm.log" 2>&1 &
  background_pids+=($!)
  wait_until 20 xprop -root _NET_SUPPORTING_WM_CHECK ||
    { echo "the window manager did not start"; exit 1; }
}

# A device program: a shell script that records its name and arguments.
make_program() { # DEVICE_RELATIVE_PATH
  local path=$DEVICE/$1
  mkdir -p "$(dirname "$path")"
  printf '#!/bin/sh\necho "$*" > "%s/%s"\n' "$MARKERS" "$(basename "$1")" >"$path"
  chmod +x "$path"
}

# Starts the program on the X display and waits for its first frame (the
# platform writes a byte to ZORUN_FIRST_FRAME_FD once it has presented it:
# input sent before that could reach a program still setting up). Sets
# ZORUN_PID and ZORUN_WINDOW.
start_zorun() {
  local ready=$WORK/ready.$RANDOM
  mkfifo "$ready"
  ZORUN_FIRST_FRAME_FD=7 "$ZORUN" --scale "$SCALE" --device-root "$DEVICE" "$@" \
    7>"$ready" >"$WORK/zorun.log" 2>&1 &
  ZORUN_PID=$!
  background_pids+=("$ZORUN_PID")
  local byte=
  read -r -t 30 -n 1 byte <"$ready" || true
  rm -f "$ready"
  ZORUN_WINDOW=
  wait_until 30 find_zorun_window || {
    echo "no window (first frame: '${byte}', process: $(ps -o stat= -p "$ZORUN_PID")," \
      "windows: $(xdotool search --pid "$ZORUN_PID" 2>&1 | tr '\n' ' ')): $(cat "$WORK/zorun.log")"
    exit 1
  }  # ZORUN_BACKEND=sdl runs the same checks on the SDL2 backend; SDL2 is
  # loaded only then.
  local sdl_loaded=no
  grep -q libSDL2 "/proc/$ZORUN_PID/maps" 2>/dev/null && sdl_loaded=yes
  if [ "${ZORUN_BACKEND:-}" = sdl ] && [ "$sdl_loaded" = no ]; then
    echo "the SDL2 backend was asked for, but SDL2 is not loaded"
    exit 1
  elif [ "${ZORUN_BACKEND:-}" != sdl ] && [ "$sdl_loaded" = yes ]; then
    echo "SDL2 is loaded although the X11 backend shows the screen"
    exit 1
  fi
}
find_zorun_window() {
  ZORUN_WINDOW=$(xdotool search --onlyvisible --pid "$ZORUN_PID" 2>/dev/null | head -n1)
  [ -n "$ZORUN_WINDOW" ] || return 1
  # Clicks are only meaningful once the window manager has placed the window
  # where the X screen's pixels are the device's (a busy machine is slow to).
  xdotool getwindowgeometry "$ZORUN_WINDOW" 2>/dev/null | grep -q 'Position: 0,0'
}

# click X Y: a stylus tap at device-screen pixel (X, Y). (No --sync: it waits
# for a motion that never comes when the pointer is already there.)
click() {
  xdotool mousemove $(($1 * SCALE + 1)) $(($2 * SCALE + 1)) click 1
}

# The program's settings file in the device root.
settings_file() { echo "$DEVICE/Windows/ZorunSetting.qkt"; }
# True when the settings file exists and starts with its header: the length
# 22 (4 bytes) and "TRUMO ZORUN" in UTF-16.
settings_saved() {
  [ "$(head -c 26 "$(settings_file)" 2>/dev/null | tail -c 22 | tr -d '\0')" = "TRUMO ZORUN" ]
}

# Where a text is shown on the device screen, asked of the program itself in
# headless script mode: prints "X Y" of the first text equal to TEXT after
# running the script lines given (one per argument) on a copy of the device
# (a copy is another device, so it does not meet the running instance).
find_text() { # TEXT SCRIPT_LINE...
  local text=$1
  shift
  local copy=$WORK/find-device script=$WORK/find.txt dump=$WORK/find-dump.txt
  rm -rf "$copy"
  cp -a "$DEVICE" "$copy"
  printf '%s\n' "$@" "dump-text $dump" >"$script"
  "$ZORUN" --headless --device-root "$copy" --script "$script" \
    >/dev/null 2>&1
  awk -F'\t' -v t="$text" '$3 == t { print $1, $2; exit }' "$dump"
}
