#!/usr/bin/env bash
# The real program in script mode: screenshots, text dumps, refused scripts,
# options, and an orderly exit on SIGTERM. Usage: script_mode.sh PATH/TO/zorun
set -u
zorun=$(realpath "${1:?usage: script_mode.sh PATH/TO/zorun}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CACHE_HOME=$work/cache
cd "$work" || exit 1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Width and height from a PNG's header, as "W H".
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}'; }

# A script with a screenshot writes a 240 x 320 PNG; dump-text lists texts.
cat > ok.txt <<'SCRIPT'
# start, look, leave
wait 100
tap 120 160
screenshot shots/first.png
dump-text texts.txt
SCRIPT
mkdir shots
"$zorun" --headless --device-root "$work/device" --script ok.txt > out.txt 2>&1
status=$?
[ "$status" -eq 0 ] || fail "scripted run exited with $status: $(cat out.txt)"
[ -d "$work/device" ] || fail "the device root was not created"
if [ -f shots/first.png ]; then
  [ "$(png_size shots/first.png)" = "240 320" ] || fail "screenshot is $(png_size shots/first.png)"
else
  fail "no screenshot written"
fi
[ -f texts.txt ] || fail "no text dump written"
# The navigation bar shows the title of the foreground window.
grep -q $'\tZorun$' texts.txt || fail "the title is not among the texts: $(cat texts.txt)"

# A line that cannot be parsed stops the run before the program starts.
printf 'tap 1 1\nscreenshot early.png\ntap 5\n' > bad.txt
"$zorun" --headless --device-root "$work/device" --script bad.txt > out.txt 2>&1
status=$?
[ "$status" -ne 0 ] || fail "a bad script exited with 0"
grep -q 'bad.txt:3' out.txt || fail "the message does not name line 3: $(cat out.txt)"
grep -q 'tap 5' out.txt || fail "the message does not quote the line: $(cat out.txt)"
[ ! -e early.png ] || fail "the program ran despite the bad script"

# Options.
[ "$("$zorun" --version)" = "$("$zorun" --version | grep -E '^zorun [0-9]+\.[0-9]+')" ] ||
  fail "--version printed $("$zorun" --version)"
"$zorun" --no-such-option > out.txt 2>&1
[ $? -eq 2 ] || fail "a bad option does not exit with 2"
grep -q 'no-such-option' out.txt || fail "the bad option is not named: $(cat out.txt)"
"$zorun" --help | grep -q -- '--device-root' || fail "--help does not list the options"

# The command bar's keyboard button raises the soft keyboard; with --no-sip
# there is neither button nor keyboard, and the tap changes nothing.
printf 'wait 100\nscreenshot sip-before.png\ntap 226 306\nscreenshot sip-after.png\n' > sip.txt
for option in "" --no-sip; do
  rm -f sip-before.png sip-after.png
  "$zorun" --headless $option --device-root "$work/device" --script sip.txt > out.txt 2>&1 ||
    fail "the run with '$option' failed: $(cat out.txt)"
  if [ ! -f sip-before.png ] || [ ! -f sip-after.png ]; then
    fail "the run with '$option' wrote no screenshots"
  elif [ -z "$option" ] && cmp -s sip-before.png sip-after.png; then
    fail "the keyboard button raised nothing"
  elif [ -n "$option" ] && ! cmp -s sip-before.png sip-after.png; then
    fail "with --no-sip the keyboard button still raised something"
  fi
done
"$zorun" --help | grep -q -- '--no-sip' || fail "--help does not list --no-sip"

# SIGTERM closes the main window and the program ends normally. It is sent
# once the first frame is out (a byte on ZORUN_FIRST_FRAME_FD): before that
# a slow start may not yet have its signal handling in place.
mkfifo ready
ZORUN_FIRST_FRAME_FD=7 "$zorun" --headless --device-root "$work/device" 7>ready > out.txt 2>&1 &
pid=$!
read -r -t 30 -n 1 _ <ready || true
kill -TERM "$pid"
wait "$pid"
status=$?
[ "$status" -eq 0 ] || fail "SIGTERM gave exit status $status"

if [ "$failures" -ne 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "script mode: all checks passed"
