#!/usr/bin/env bash
# "Monitor" in the "Tools" menu lists the other programs on the X display:
# Activate brings one to the front, Stop closes it, and Stop all closes the
# rest but never Zorun itself. The programs are our small X test client
# (ZORUN_XCLIENT). Usage: task_monitor.sh PATH/TO/zorun
source "$(dirname "$0")/support.bash"
source "$(dirname "$0")/device_setup.bash"
XCLIENT=${ZORUN_XCLIENT:?the X test client (ZORUN_XCLIENT)}

# Where things are, from the program's own text dump in headless mode (no
# X there, so the monitor's list is empty but laid out the same).
read -r tools_x tools_y <<<"$(find_text Tools)"
[ -n "${tools_y:-}" ] || { fail "no \"Tools\" on the command bar"; finish; }
read -r monitor_x monitor_y <<<"$(find_text Monitor "tap $((tools_x + 4)) $((tools_y + 4))")"
[ -n "${monitor_y:-}" ] || { fail "no \"Monitor\" in the Tools menu"; finish; }
read -r _ name_y <<<"$(find_text Name "command 32794")"
[ -n "${name_y:-}" ] || { fail "the monitor shows no \"Name\" column"; finish; }
read -r edit_x edit_y <<<"$(find_text Edit "command 32794")"
for item in Activate Stop "Stop all"; do
  read -r x y <<<"$(find_text "$item" "command 32794" "tap $((edit_x + 4)) $((edit_y + 4))")"
  [ -n "${y:-}" ] || { fail "no \"$item\" in the monitor's Edit menu"; finish; }
  case $item in
  Activate) activate_y=$y ;;
  Stop) stop_y=$y ;;
  *) stop_all_y=$y ;;
  esac
  item_x=$x
done
# The rows follow the column header, one line of text each.
row_y() { echo $((name_y + 22 + $1 * 16)); }
menu() { # ITEM_Y: a command of the monitor's Edit menu
  click $((edit_x + 4)) $((edit_y + 4))
  sleep 0.3
  click $((item_x + 4)) $(($1 + 4))
}

start_x
# The programs come first: the window manager puts Zorun over them.
"$XCLIENT" --log "$WORK/letter.log" Letter &
letter=$!
background_pids+=("$letter")
wait_until 10 grep -q '^mapped' "$WORK/letter.log" || fail "the first client showed no window"
"$XCLIENT" --log "$WORK/notes.log" Notes &
notes=$!
background_pids+=("$notes")
wait_until 10 grep -q '^mapped' "$WORK/notes.log" || fail "the second client showed no window"
letter_window=$(awk '$1 == "mapped" { print $2; exit }' "$WORK/letter.log")
start_zorun

click $((tools_x + 4)) $((tools_y + 4))
sleep 0.3
click $((monitor_x + 4)) $((monitor_y + 4))
sleep 0.5

# Activate: the lowest program (row 0) comes to the front.
active_window() { printf '%d' "$(xprop -root _NET_ACTIVE_WINDOW | awk '{ print $NF }')"; }
click 40 "$(row_y 0)"
menu "$activate_y"
wait_until 10 test "$(active_window)" = "$letter_window" ||
  fail "Activate did not bring the first client to the front"

# Back to the monitor (activating it rebuilds the list): Stop the first row.
xdotool windowactivate "$ZORUN_WINDOW" 2>/dev/null
wait_until 10 test "$(active_window)" = "$ZORUN_WINDOW" || fail "Zorun did not come back"
sleep 0.5
click 40 "$(row_y 0)"
menu "$stop_y"
wait_until 10 process_ended "$letter" || fail "Stop did not close the first client"
grep -q '^close Letter' "$WORK/letter.log" || fail "the first client was not asked to close"
process_ended "$notes" && fail "Stop closed the other client too"

# Stop all: the other client goes; Zorun, never listed, stays.
sleep 0.5
menu "$stop_all_y"
wait_until 10 process_ended "$notes" || fail "Stop all did not close the second client"
sleep 1
kill -0 "$ZORUN_PID" 2>/dev/null || fail "Zorun ended: it was listed and stopped"
finish
