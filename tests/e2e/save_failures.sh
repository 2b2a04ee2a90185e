#!/usr/bin/env bash
# When the settings file cannot be written: a file-size limit is an ordinary
# write error (the program is not killed by SIGXFSZ, leaves no temporary
# file, keeps the old file), and a stop signal never waits on a message box:
# the catalogue goes to a rescue file in the state folder, named on stderr.
# Usage: save_failures.sh PATH/TO/zorun
set -u
zorun=$(realpath "${1:?usage: save_failures.sh PATH/TO/zorun}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
export XDG_RUNTIME_DIR=$work/run XDG_STATE_HOME=$work/state
mkdir -m 700 "$XDG_RUNTIME_DIR"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
settings=$work/device/Windows/ZorunSetting.qkt
# True when the file starts with the settings header (length 22, "TRUMO ZORUN").
is_settings() { [ "$(head -c 26 "$1" 2>/dev/null | tail -c 22 | tr -d '\0')" = "TRUMO ZORUN" ]; }
# True once process PID has ended.
ended() { ! kill -0 "$1" 2>/dev/null; }
wait_ended() { # PID SECONDS
  local i
  for ((i = 0; i < $2 * 20; i++)); do
    ended "$1" && return 0
    sleep 0.05
  done
  return 1
}

# A first run leaves a settings file.
printf 'wait 100\nexit\n' > quit.txt
"$zorun" --headless --device-root "$work/device" --script quit.txt > out.txt 2>&1 ||
  fail "the first run failed: $(cat out.txt)"
is_settings "$settings" || fail "the first run wrote no settings file"
before=$(cksum < "$settings")

# Under a file-size limit of nothing, "Save" and the exit both fail like any
# write: the program ends normally and says so. Its output goes through a
# pipe, which the limit does not touch; the limit is the program's alone.
# The settings file is moved aside first: a save that would write the bytes
# the file already holds writes nothing, so only a missing file makes sure
# both saves write; no file (not even an empty one) may appear.
mv "$settings" "$settings.kept"
printf 'wait 100\ncommand 32786\nkey RETURN\nexit\n' > save.txt
( ulimit -f 0; exec "$zorun" --headless --device-root "$work/device" --script save.txt ) 2>&1 |
  cat > out.txt
status=${PIPESTATUS[0]}
[ "$status" -eq 0 ] || fail "under a file-size limit the program ended with $status: $(cat out.txt)"
grep -q 'cannot write the settings file' out.txt ||
  fail "the failed exit save was not reported: $(cat out.txt)"
[ ! -e "$settings" ] || fail "a failed save left a settings file"
mv "$settings.kept" "$settings"
[ "$(cksum < "$settings")" = "$before" ] || fail "the old settings file changed"
leftovers=$(ls -A "$work/device/Windows" | grep -c '\.tmp-')
[ "$leftovers" -eq 0 ] || fail "$leftovers temporary file(s) left: $(ls -A "$work/device/Windows")"

# A settings file that cannot be replaced (a folder of that name): each stop
# signal ends the program at once, no box waits, and a rescue file holds the
# catalogue; the folder stays as it was.
rm -f "$settings"
mkdir "$settings"
for signal in TERM INT HUP; do
  rm -rf "$XDG_STATE_HOME"
  # The signal goes once the first frame is out (the handlers are in place
  # long before): a slow start under a sanitizer must not meet it earlier.
  rm -f ready && mkfifo ready
  ZORUN_FIRST_FRAME_FD=7 "$zorun" --headless --device-root "$work/device" 7>ready > out.txt 2>&1 &
  pid=$!
  read -r -t 60 -n 1 _ <ready || true
  kill -"$signal" "$pid"
  if ! wait_ended "$pid" 10; then
    fail "SIG$signal did not end the program when the save failed"
    kill -KILL "$pid" 2>/dev/null
  fi
  wait "$pid"
  status=$?
  [ "$status" -eq 0 ] || fail "SIG$signal gave exit status $status: $(cat out.txt)"
  rescue=$(sed -n 's/.*were kept in \(.*\)$/\1/p' out.txt)
  [ -n "$rescue" ] || fail "SIG$signal: no rescue file named on stderr: $(cat out.txt)"
  case "$rescue" in
    "$XDG_STATE_HOME"/zorun/*) ;;
    *) fail "SIG$signal: the rescue file is not in the state folder: $rescue" ;;
  esac
  is_settings "$rescue" || fail "SIG$signal: the rescue file holds no catalogue"
  [ -d "$settings" ] && [ -z "$(ls -A "$settings")" ] || fail "the folder in the way was touched"
done

# The rescue file brings the catalogue back when copied into place.
rmdir "$settings"
cp "$rescue" "$settings"
printf 'wait 100\ndump-text texts.txt\nexit\n' > look.txt
"$zorun" --headless --device-root "$work/device" --script look.txt > out.txt 2>&1
[ ! -e "$settings.refused-1" ] && [ "$(cksum < "$settings")" = "$(cksum < "$rescue")" ] ||
  fail "a restored rescue file was not read as the settings file"

if [ "$failures" -ne 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "save failures: all checks passed"
