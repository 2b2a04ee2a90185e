#!/usr/bin/env bash
# On a desktop with a browser and a mail program, the first start fills the
# launcher with what works here, a tap starts the browser and F1 opens the
# help page in it. Usage: host_programs.sh PATH/TO/zorun
source "$(dirname "$0")/support.bash"

mkdir -p "$WORK/bin" "$XDG_DATA_HOME/applications"
export PATH="$WORK/bin:$PATH"
for app in browser mail; do
  printf '#!/bin/sh\n{ for a in "$@"; do echo "$a"; done; echo ---; } >> "%s/%s"\n' \
    "$MARKERS" "$app" >"$WORK/bin/$app"
  chmod +x "$WORK/bin/$app"
done
cat >"$XDG_DATA_HOME/applications/browser.desktop" <<'ENTRY'
[Desktop Entry]
Type=Application
Name=Browser
Exec=browser %u
MimeType=text/html;x-scheme-handler/http;x-scheme-handler/https;
Categories=Network;WebBrowser;
ENTRY
cat >"$XDG_DATA_HOME/applications/mail.desktop" <<'ENTRY'
[Desktop Entry]
Type=Application
Name=Mail
Exec=mail %u
MimeType=x-scheme-handler/mailto;
Categories=Network;Email;
ENTRY
cat >"$XDG_DATA_HOME/applications/mimeinfo.cache" <<'ENTRY'
[MIME Cache]
text/html=browser.desktop;
x-scheme-handler/http=browser.desktop;
x-scheme-handler/https=browser.desktop;
x-scheme-handler/mailto=mail.desktop;
ENTRY

# The first shortcut's cell is at (41, 152); F1 asks for help.
printf 'wait 100\ndump-text %s/text.txt\ntap 41 152\nkey f1\nwait 100\n' "$WORK" >"$WORK/script.txt"
timeout 30 "$ZORUN" --headless --device-root "$DEVICE" --script "$WORK/script.txt" \
  >"$WORK/out.txt" 2>&1 || fail "the program failed: $(cat "$WORK/out.txt")"

grep -q 'IExplorer' "$WORK/text.txt" || fail "no IExplorer shortcut: $(cat "$WORK/text.txt")"
grep -q 'Inbox' "$WORK/text.txt" || fail "no Inbox shortcut"
grep -q 'Excel' "$WORK/text.txt" && fail "a shortcut to a spreadsheet that is not installed"
[ -f "$DEVICE/Windows/Start Menu/Programs/Browser.lnk" ] || fail "the browser is not in the Start menu"
runs() { [ "$(grep -c -- --- "$MARKERS/browser" 2>/dev/null)" = "$1" ]; }
wait_until 10 runs 2 || fail "the browser did not start twice: $(cat "$MARKERS/browser" 2>&1)"
grep -qx "file://$DEVICE/Windows/Zorun.htm#Main_Contents" "$MARKERS/browser" ||
  fail "help did not open the help page: $(cat "$MARKERS/browser")"
finish
