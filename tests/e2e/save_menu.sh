#!/usr/bin/env bash
# "Save" in the "Edit" menu writes the settings file at once, and the
# program keeps running. Usage: save_menu.sh PATH/TO/zorun
source "$(dirname "$0")/support.bash"
source "$(dirname "$0")/device_setup.bash"

# Where the menu button and the item are, from the program's own text dump.
read -r edit_x edit_y <<<"$(find_text Edit)"
[ -n "${edit_y:-}" ] || { fail "no \"Edit\" on the command bar"; finish; }
read -r save_x save_y <<<"$(find_text Save "tap $((edit_x + 4)) $((edit_y + 4))")"
[ -n "${save_y:-}" ] || { fail "no \"Save\" in the Edit menu"; finish; }

start_x
start_zorun
[ ! -e "$(settings_file)" ] || fail "a settings file existed before Save"
click $((edit_x + 4)) $((edit_y + 4))
click $((save_x + 4)) $((save_y + 4))
wait_until 10 test -s "$(settings_file)" || fail "Save did not write the settings file"
settings_saved ||
  fail "the settings file does not start with its header"
kill -0 "$ZORUN_PID" 2>/dev/null || fail "the program ended after Save"
finish
