#!/usr/bin/env bash
# A second start on the same device, of this build or another language's,
# exits quietly and brings the running instance's window to the front. Usage: second_instance.sh PATH/TO/zorun
source "$(dirname "$0")/support.bash"
start_x
start_zorun
first_window=$ZORUN_WINDOW

active_is() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
other_window=
find_other() { other_window=$(xdotool search --onlyvisible --classname xmessage | head -n1); [ -n "$other_window" ]; }

# The same build, then another language's build on the same device: each
# exits quietly and brings the running instance to the front.
for second in "$ZORUN" "$(dirname "$ZORUN")/zorun-fr"; do
  # Another application covers the launcher.
  xmessage -geometry 480x640+0+0 "another application" &
  other_pid=$!
  background_pids+=("$other_pid")
  wait_until 20 find_other || fail "the other application did not show"
  xdotool windowactivate --sync "$other_window" 2>/dev/null
  wait_until 10 active_is "$other_window" || fail "the other application is not in front"

  timeout 20 "$second" --scale "$SCALE" --device-root "$DEVICE" >"$WORK/second.log" 2>&1
  status=$?
  [ "$status" -eq 0 ] || fail "the second start ($(basename "$second")) exited with $status"
  [ ! -s "$WORK/second.log" ] || fail "the second start printed: $(cat "$WORK/second.log")"
  kill -0 "$ZORUN_PID" 2>/dev/null || fail "the first instance ended"
  wait_until 10 active_is "$first_window" ||
    fail "$(basename "$second"): the first instance was not brought to the front (active: $(xdotool getactivewindow))"
  kill "$other_pid" 2>/dev/null
  wait "$other_pid" 2>/dev/null
  other_window=
done
finish
