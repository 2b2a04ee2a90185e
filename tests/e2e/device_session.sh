#!/usr/bin/env bash
# The device session on a 240 x 320 display: zorun-session starts the window
# manager its settings name, then Zorun full screen at scale 1, so a tap on a
# display pixel is a tap on that device pixel; SIGTERM to the session reaches
# Zorun, which saves, and ends the window manager too.
# Usage: device_session.sh PATH/TO/zorun
source "$(dirname "$0")/support.bash"
source "$(dirname "$0")/device_setup.bash"
SCALE=1

# An X server the size of the device's display, without a window manager:
# the session starts its own.
mkfifo "$WORK/displayfd"
Xvfb -displayfd 3 -screen 0 240x320x24 -nolisten tcp 3>"$WORK/displayfd" 2>"$WORK/xvfb.log" &
background_pids+=($!)
read -r -t 20 number <"$WORK/displayfd" || { echo "Xvfb did not start: $(cat "$WORK/xvfb.log")"; exit 1; }
export DISPLAY=:$number

# The session script with the program beside it, as installed.
bin=$WORK/bin
mkdir -p "$bin" "$WORK/config/zorun"
cp "${ZORUN_SOURCE_DIR:?}/dist/session/zorun-session" "$bin/"
ln -s "$ZORUN" "$bin/zorun"
cat >"$WORK/config/zorun/session.conf" <<CONF
ZORUN_WINDOW_MANAGER=matchbox-window-manager -use_titlebar no
ZORUN_OPTIONS=--fullscreen --device-root $DEVICE
CONF

mkfifo "$WORK/ready"
XDG_CONFIG_HOME=$WORK/config ZORUN_FIRST_FRAME_FD=7 "$bin/zorun-session" \
  7>"$WORK/ready" >"$WORK/zorun.log" 2>&1 &
session=$!
background_pids+=("$session")
read -r -t 30 -n 1 _ <"$WORK/ready" || true
wait_until 20 pgrep -P "$session" -x zorun || { echo "zorun did not start: $(cat "$WORK/zorun.log")"; exit 1; }
ZORUN_PID=$(pgrep -P "$session" -x zorun)
wm=$(pgrep -P "$session" -f matchbox-window-manager) || fail "the window manager was not started"
background_pids+=("$ZORUN_PID" ${wm:+"$wm"})
wait_until 30 find_zorun_window || { echo "no Zorun window: $(cat "$WORK/zorun.log")"; exit 1; }
xdotool getwindowgeometry "$ZORUN_WINDOW" | grep -q 'Geometry: 240x320' ||
  fail "the window is not the display: $(xdotool getwindowgeometry "$ZORUN_WINDOW")"

click_cell 0
wait_until 10 test -f "$MARKERS/calendar.exe" || fail "a tap on the first shortcut did not start it"

kill -TERM "$session"
wait_until 20 process_ended "$session" || fail "SIGTERM did not end the session"
wait "$session"
status=$?
[ "$status" -eq 0 ] || fail "the session ended with status $status: $(cat "$WORK/zorun.log")"
settings_saved || fail "Zorun did not save when the session was stopped"
[ -z "$wm" ] || wait_until 10 process_ended "$wm" || fail "the window manager outlived the session"
finish
