#!/usr/bin/env bash
# zorun-session with a stand-in zorun beside it and a stand-in window manager:
# what it starts and with which options, what it takes from its settings
# file, how it passes a quit on, and when it starts a crashed zorun again.
#   check_session.sh
source "$(dirname "$0")/support.bash"
session_script=$(cd "$(dirname "$0")/../.." && pwd)/dist/session/zorun-session
bin=$WORK/bin
log=$WORK/log
mkdir -p "$bin" "$WORK/config/zorun"
cp "$session_script" "$bin/zorun-session"
# The stand-ins note their process ids, so that none outlives a failed check.
export PIDS=$WORK/pids
trap '[ ! -f "$PIDS" ] || xargs -r kill 2>/dev/null <"$PIDS"; rm -rf "$WORK"' EXIT

# The stand-in zorun logs its arguments, then does what ZORUN_ACT's next
# word says: "crash" (SIGSEGV), "exit N", or "wait" (until SIGTERM).
cat >"$bin/zorun" <<'STUB'
#!/bin/sh
echo $$ >>"$PIDS"
echo "zorun $*" >>"$LOG"
n=$(($(cat "$LOG.runs" 2>/dev/null || echo 0) + 1))
echo "$n" >"$LOG.runs"
act=$(echo "$ZORUN_ACT" | cut -d' ' -f"$n")
case $act in
  crash) kill -SEGV $$ ;;
  exit*) exit "${act#exit}" ;;
  wait) trap 'echo "zorun got TERM" >>"$LOG"; exit 0' TERM
        echo started >"$LOG.ready"
        while :; do sleep 0.05; done ;;
esac
exit 0
STUB
cat >"$bin/fake-wm" <<'STUB'
#!/bin/sh
echo $$ >>"$PIDS"
echo "wm $*" >>"$LOG.wm"
trap 'echo "wm stopped" >>"$LOG.wm"; exit 0' TERM
while :; do sleep 0.05; done
STUB
chmod +x "$bin/zorun" "$bin/fake-wm"

# run_session ACTS [VAR=VALUE...] [-- ARGS]: runs the session (with dash, as
# /bin/sh may be) and leaves its status in $status.
run_session() {
  local acts=$1
  shift
  local vars=()
  while [ $# -gt 0 ] && [ "$1" != -- ]; do vars+=("$1"); shift; done
  [ "${1:-}" != -- ] || shift
  rm -f "$log" "$log.runs" "$log.ready" "$log.wm"
  env -u ZORUN_WINDOW_MANAGER -u ZORUN_OPTIONS PATH="$bin:$PATH" LOG="$log" ZORUN_ACT="$acts" \
    XDG_CONFIG_HOME="$WORK/config" "${vars[@]}" dash "$bin/zorun-session" "$@" 2>"$WORK/stderr"
  status=$?
}

# expect_log FILE LINE...: FILE holds these lines, once they have come.
expect_log() {
  local file=$1
  shift
  for _ in $(seq 40); do
    [ "$(cat "$file" 2>/dev/null)" = "$(printf '%s\n' "$@")" ] && return 0
    sleep 0.05
  done
  diff -u <(printf '%s\n' "$@") "$file"
  fail "${file##*/} is not: $*"
}

# Settings from the file: the window manager with its arguments (no file
# names expanded), the options split into words, then the session's own
# arguments; a line that looks like shell code is not run.
cat >"$WORK/config/zorun/session.conf" <<CONF
# a device without a soft keyboard
ZORUN_WINDOW_MANAGER="fake-wm -use_titlebar no *"
ZORUN_OPTIONS=--fullscreen --no-sip
EVIL=\$(touch $WORK/ran)
CONF
run_session "exit0" -- --device-root /srv/device
[ "$status" -eq 0 ] || fail "a normal end gives status $status"
expect_log "$log" "zorun --fullscreen --no-sip --device-root /srv/device"
expect_log "$log.wm" "wm -use_titlebar no *" "wm stopped"
[ ! -e "$WORK/ran" ] || fail "a settings line was run as shell code"
grep -q "unknown setting 'EVIL'" "$WORK/stderr" || fail "an unknown setting is not reported"

# The environment wins over the file; an empty ZORUN_OPTIONS means none, and
# an empty window manager none.
run_session "exit0" ZORUN_OPTIONS= ZORUN_WINDOW_MANAGER=
expect_log "$log" "zorun "
# No settings at all: full screen.
rm "$WORK/config/zorun/session.conf"
run_session "exit0"
expect_log "$log" "zorun --fullscreen"

# A window manager that is not installed is reported; Zorun starts all the same.
run_session "exit3" ZORUN_WINDOW_MANAGER=no-such-wm
[ "$status" -eq 3 ] || fail "zorun's status 3 came back as $status"
expect_log "$log" "zorun --fullscreen"
grep -q "no-such-wm" "$WORK/stderr" || fail "a missing window manager is not reported"

# A crash starts Zorun again; a crash at once, three times over, ends it.
run_session "crash exit0"
[ "$status" -eq 0 ] || fail "after a crash and a normal end the status is $status"
expect_log "$log" "zorun --fullscreen" "zorun --fullscreen"
run_session "crash crash crash exit0"
[ "$status" -eq 139 ] || fail "a crashing zorun gives status $status"
[ "$(cat "$log.runs")" = 3 ] || fail "zorun ran $(cat "$log.runs") times, not 3, while crashing at once"

# SIGTERM to the session reaches Zorun (which saves and ends), stops the
# window manager, and ends the session.
rm -f "$log" "$log.runs" "$log.ready" "$log.wm"
env PATH="$bin:$PATH" LOG="$log" ZORUN_ACT=wait XDG_CONFIG_HOME="$WORK/config" \
  ZORUN_WINDOW_MANAGER=fake-wm ZORUN_OPTIONS=--fullscreen dash "$bin/zorun-session" 2>/dev/null &
session=$!
for _ in $(seq 100); do [ -e "$log.ready" ] && break; sleep 0.05; done
kill -TERM "$session"
wait "$session"
status=$?
[ "$status" -eq 0 ] || fail "a session ended by SIGTERM gives status $status"
expect_log "$log" "zorun --fullscreen" "zorun got TERM"
expect_log "$log.wm" "wm " "wm stopped"

finish
