#!/usr/bin/env bash
# The page bar turns the launcher's pages: its right (down) half shows the
# second page, its left (up) half the first again. Usage: page_bar.sh PATH/TO/zorun
source "$(dirname "$0")/support.bash"
source "$(dirname "$0")/device_setup.bash"
start_x
start_zorun

click 180 "$PAGE_BAR_Y"
click_cell 0
wait_until 10 test -f "$MARKERS/pword.exe" || fail "the down half did not show page 2 (Word)"
[ ! -e "$MARKERS/calendar.exe" ] || fail "page 1 was still shown after the down half"

click 60 "$PAGE_BAR_Y"
click_cell 0
wait_until 10 test -f "$MARKERS/calendar.exe" || fail "the up half did not show page 1 again"
finish
