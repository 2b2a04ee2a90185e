#!/usr/bin/env bash
# A click on a shortcut starts its program: a program file and a shortcut
# file, on the real binary under Xvfb. Usage: launch_shortcut.sh PATH/TO/zorun
source "$(dirname "$0")/support.bash"
source "$(dirname "$0")/device_setup.bash"
start_x
start_zorun

click_cell 2
wait_until 10 test -f "$MARKERS/iexplore.exe" || fail "IExplorer (a program file) did not start"
click_cell 0
wait_until 10 test -f "$MARKERS/calendar.exe" || fail "Calendar (a shortcut file) did not start"
[ ! -e "$MARKERS/contacts.exe" ] || fail "a shortcut that was not clicked started"
kill -0 "$ZORUN_PID" 2>/dev/null || fail "the launcher did not keep running"
finish
