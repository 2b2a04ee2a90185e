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
finish
