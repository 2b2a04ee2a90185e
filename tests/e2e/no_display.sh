#!/usr/bin/env bash
# With no X display, no Wayland display and no KMS/DRM screen the program
# says so, points at --headless, and exits with status 2 without running.
# Usage: no_display.sh PATH/TO/zorun
source "$(dirname "$0")/support.bash"

for status in /sys/class/drm/card*-*/status; do
  if [ "$(cat "$status" 2>/dev/null)" = connected ]; then
    echo "skipped: this machine has a screen on $(dirname "$status")"
    exit 0
  fi
done

no_display() { env -u DISPLAY -u WAYLAND_DISPLAY "$@"; }

no_display "$ZORUN" --device-root "$DEVICE" >"$WORK/out.txt" 2>&1
status=$?
[ "$status" -eq 2 ] || fail "exit status $status, not 2: $(cat "$WORK/out.txt")"
grep -q 'no display' "$WORK/out.txt" || fail "the message does not say there is no display: $(cat "$WORK/out.txt")"
grep -q -- '--headless' "$WORK/out.txt" || fail "the message does not name --headless: $(cat "$WORK/out.txt")"
[ ! -e "$(settings_file)" ] || fail "the program ran and saved"

# A display that does not answer is no display either.
DISPLAY=:999 WAYLAND_DISPLAY= "$ZORUN" --device-root "$DEVICE" >"$WORK/out.txt" 2>&1
status=$?
[ "$status" -eq 2 ] || fail "an unreachable X display gave status $status: $(cat "$WORK/out.txt")"
grep -q ':999' "$WORK/out.txt" || fail "the message does not name the X display: $(cat "$WORK/out.txt")"

# A backend asked for by name that cannot open is an error of its own.
no_display "$ZORUN" --backend x11 --device-root "$DEVICE" >"$WORK/out.txt" 2>&1
status=$?
[ "$status" -eq 1 ] || fail "--backend x11 without X gave status $status: $(cat "$WORK/out.txt")"
no_display "$ZORUN" --backend sdl --device-root "$DEVICE" >"$WORK/out.txt" 2>&1
status=$?
[ "$status" -eq 1 ] || fail "--backend sdl without a display gave status $status: $(cat "$WORK/out.txt")"
no_display env ZORUN_BACKEND=vga "$ZORUN" --device-root "$DEVICE" >"$WORK/out.txt" 2>&1
status=$?
[ "$status" -eq 2 ] || fail "a bad ZORUN_BACKEND gave status $status"
grep -q 'vga' "$WORK/out.txt" || fail "the bad ZORUN_BACKEND is not named: $(cat "$WORK/out.txt")"

# Headless needs no display at all.
printf 'wait 100\n' >"$WORK/script.txt"
no_display "$ZORUN" --headless --device-root "$DEVICE" --script "$WORK/script.txt" \
  >"$WORK/out.txt" 2>&1
status=$?
[ "$status" -eq 0 ] || fail "--headless without a display gave status $status: $(cat "$WORK/out.txt")"
finish
