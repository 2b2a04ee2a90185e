#!/usr/bin/env bash
# While the device's test tool runs (a process named "Hopper.exe", in any
# case) the program exits at once, silently, without a window, and leaves
# the device as it was. Usage: excluded_process.sh PATH/TO/zorun
source "$(dirname "$0")/support.bash"
source "$(dirname "$0")/device_setup.bash"

cp /bin/sleep "$WORK/hOPPER.exe"
"$WORK/hOPPER.exe" 60 &
background_pids+=($!)
wait_until 10 pgrep -x hOPPER.exe || fail "the tool did not start"

printf 'wait 100\nscreenshot %s/shot.png\n' "$WORK" >"$WORK/script.txt"
before=$(cd "$DEVICE" && find . | sort)
timeout 20 "$ZORUN" --headless --device-root "$DEVICE" --script "$WORK/script.txt" \
  >"$WORK/out.txt" 2>&1
status=$?
[ "$status" -eq 0 ] || fail "exit status $status: $(cat "$WORK/out.txt")"
[ ! -s "$WORK/out.txt" ] || fail "the program printed: $(cat "$WORK/out.txt")"
[ ! -e "$WORK/shot.png" ] || fail "the program ran its script"
[ ! -e "$(settings_file)" ] || fail "the program wrote its settings file"
[ "$(cd "$DEVICE" && find . | sort)" = "$before" ] || fail "the program changed the device"
finish
