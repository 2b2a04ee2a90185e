#!/usr/bin/env bash
# SIGTERM, SIGINT and SIGHUP (logout) end the program through the main
# frame's destruction, which writes the settings file; the exit is clean.
# Usage: quit_signals.sh PATH/TO/zorun
source "$(dirname "$0")/support.bash"
source "$(dirname "$0")/device_setup.bash"
start_x

for signal in TERM INT HUP; do
  rm -f "$(settings_file)"
  start_zorun
  # Page 2 is shown when the signal comes: nothing of the screen is saved,
  # but the program must be busy with its own window, not starting.
  click 180 "$PAGE_BAR_Y"
  kill -"$signal" "$ZORUN_PID"
  wait_until 20 process_ended "$ZORUN_PID" || fail "SIG$signal did not end the program"
  wait "$ZORUN_PID"
  status=$?
  [ "$status" -eq 0 ] || fail "SIG$signal gave exit status $status: $(cat "$WORK/zorun.log")"
  settings_saved ||
    fail "SIG$signal: the catalogue was not saved"
done

# "Exit" when the settings file cannot be replaced (a folder of its name):
# the message names the rescue file and waits; a stop signal then ends the
# program all the same.
read -r exit_x exit_y < <(find_text "Exit" "tap 15 306")
[ -n "${exit_y:-}" ] || fail "no Exit item in the Edit menu"
rm -f "$(settings_file)"
mkdir "$(settings_file)"
rm -rf "$XDG_STATE_HOME"
start_zorun
click 15 306
click $((exit_x + 4)) $((exit_y + 4))
wait_until 10 grep -q 'were kept in' "$WORK/zorun.log" || fail "the failed exit save was not reported"
process_ended "$ZORUN_PID" && fail "the program ended before its message was answered"
kill -TERM "$ZORUN_PID"
wait_until 20 process_ended "$ZORUN_PID" || fail "SIGTERM did not end the program while its message waited"
ls "$XDG_STATE_HOME"/zorun/ZorunSetting*.qkt >/dev/null 2>&1 || fail "no rescue file"
finish
