#!/usr/bin/env bash
# A desktop application as a shortcut, on the real program in script mode:
# "Add Shortcut" from the Edit menu, the program chosen in the browser under
# \Windows\Start Menu\Programs (where the host's applications have their
# shortcut files), a built-in icon, then Rename, Copy To, Move To and Delete
# from the press-and-hold menu; after a restart the shortcut is there and a
# tap starts the host program it stands for.
# Usage: shortcut_editing.sh PATH/TO/zorun
source "$(dirname "$0")/support.bash"

# An application of this computer: its desktop entry starts a script that
# records its arguments. The first start gives it a program file and a
# Start-menu shortcut (\Windows\Start Menu\Programs\Test Editor.lnk); no
# other application of the host is looked at.
export XDG_DATA_DIRS=$WORK/no-data
mkdir -p "$XDG_DATA_HOME/applications"
printf '#!/bin/sh\necho "$*" > "%s/editor"\n' "$MARKERS" >"$WORK/editor.sh"
chmod +x "$WORK/editor.sh"
printf '[Desktop Entry]\nType=Application\nName=Test Editor\nExec=%s --new %%F\n' \
  "$WORK/editor.sh" >"$XDG_DATA_HOME/applications/testeditor.desktop"

# run NAME LINE...: a headless run of the script lines, its texts in NAME.txt.
run() {
  local name=$1
  shift
  printf '%s\n' "wait 100" "$@" "dump-text $WORK/$name.txt" >"$WORK/$name.script"
  "$ZORUN" --headless --device-root "$DEVICE" --script "$WORK/$name.script" \
    >"$WORK/$name.log" 2>&1 || fail "run $name failed: $(cat "$WORK/$name.log")"
}
shown() { awk -F'\t' '{ print $3 }' "$WORK/$1.txt"; }

# Positions on the 240 x 320 screen. The navigation bar's "ok" ends dialogs.
ok="tap 227 13"
# Opens the program browser's folder drop-down and chooses its second entry
# (the list shows one row: a tap on its lower part scrolls, the next chooses).
second_folder=("tap 30 61" "wait 50" "tap 20 96" "wait 50" "tap 20 80" "wait 50")
# The press-and-hold menu of the first and of the second shortcut.
hold_first="hold 41 152 800"
hold_second="hold 119 152 800"

steps=(
  # Edit > Shortcut > Add Shortcut.
  "tap 11 305" "tap 21 173" "tap 132 173" "wait 50"
  # The program's Browse; \windows, then Start Menu, then Programs; the file.
  "tap 182 109" "wait 50" "${second_folder[@]}" "${second_folder[@]}" "tap 30 112" "$ok"
  "wait 50" "screenshot $WORK/chosen.png" "dump-text $WORK/chosen.txt"
  # The icon's Browse: cell 5 of the panel (icon 145), its "ok", the dialog's.
  "tap 182 156" "wait 50" "tap 108 152" "$ok" "wait 50" "$ok" "wait 50"
  "dump-text $WORK/added.txt"
  # Rename to "Editor".
  "$hold_first" "wait 50" "tap 62 220" "wait 50"
  "key back" "key back" "key back" "key back" "key back" "key back" "key back" "key back"
  "key back" "key back" "key back" "text Editor" "$ok" "wait 50"
  # Copy to the next group (the picker's first entry), which is then shown.
  "$hold_first" "wait 50" "tap 62 240" "wait 50" "$ok" "wait 50"
  "dump-text $WORK/copied.txt"
  # Move that copy back to the first group: "Editor1" there.
  "$hold_first" "wait 50" "tap 62 260" "wait 50" "$ok" "wait 50"
  "dump-text $WORK/moved.txt"
  # Delete the moved one, confirmed.
  "$hold_second" "wait 50" "tap 132 180" "wait 50" "key return" "wait 50"
  "command 32786"
)
run edit "${steps[@]}"

grep -q $'\ttest editor$' "$WORK/chosen.txt" ||
  fail "the chosen file did not name the shortcut: $(shown chosen | tr '\n' '|')"
# (The launcher cuts a long label short with "...".)
grep -q $'\ttest ed' "$WORK/added.txt" || fail "the added shortcut is not shown"
grep -q $'\tEditor$' "$WORK/copied.txt" || fail "the copy is not shown in the next group"
grep -q $'\tEditor1$' "$WORK/moved.txt" || fail "the moved shortcut is not numbered"

# The settings file, read back by the next start.
strings -n 3 -e l "$(settings_file)" >"$WORK/settings.txt"
grep -qx 'Editor' "$WORK/settings.txt" || fail "the settings file does not hold Editor"
grep -q 'Editor1' "$WORK/settings.txt" && fail "the deleted shortcut is still saved"
grep -qx '\\windows\\Start Menu\\Programs\\Test Editor.lnk' "$WORK/settings.txt" ||
  fail "the target is not saved: $(grep -i editor "$WORK/settings.txt")"
grep -qx '145' "$WORK/settings.txt" || fail "the icon is not saved"

# Restart: the shortcut is there; a tap starts the host program.
run again "tap 41 152" "wait 200"
shown again | grep -qx 'Editor' || fail "after a restart the shortcut is gone"
wait_until 10 test -s "$MARKERS/editor" || fail "the tap did not start the application"
[ "$(cat "$MARKERS/editor" 2>/dev/null)" = "--new" ] ||
  fail "the application did not get its arguments: $(cat "$MARKERS/editor" 2>/dev/null)"
finish
