#!/usr/bin/env bash
# Makes docs/zorun.png, the README's picture of the whole screen,
# docs/keyboard.png, the same screen with the soft keyboard raised, and
# docs/monitor.png, the task monitor, and docs/zorun-ja.png and
# docs/zorun-fr.png, the Japanese and French builds' screens, with the
# program's own headless script mode: a device with a few programs, a mail
# folder, a calendar with tasks and a battery, all made up here.
#   docs/make_screenshot.sh [PATH/TO/zorun]   (default: build/default/app/zorun;
#                                              the other builds lie beside it)
set -euo pipefail
cd "$(dirname "$0")/.."
zorun=$(realpath "${1:-build/default/app/zorun}")
work=$(mktemp -d -t zorun-shot-XXXXXX)
trap 'rm -rf "$work"' EXIT

# The device: seven programs in the first group (two pages).
device=$work/device
mkdir -p "$device/Windows/Start Menu"
for program in iexplore.exe fexplore.exe tmail.exe pxl.exe pword.exe; do
  printf '#!/bin/sh\n' >"$device/Windows/$program"
  chmod +x "$device/Windows/$program"
done
printf '22#\\Windows\\poutlook.exe calendar' >"$device/Windows/Start Menu/calendar.lnk"
printf '22#\\Windows\\poutlook.exe contacts' >"$device/Windows/Start Menu/contacts.lnk"

# Mail: 3 messages, 2 of them unread.
mkdir -p "$work/Maildir/new" "$work/Maildir/cur" "$work/Maildir/tmp"
touch "$work/Maildir/new/1.host" "$work/Maildir/new/2.host" "$work/Maildir/cur/3.host:2,S"

# Calendar: one appointment over, one to come; two tasks.
cat >"$work/organiser.ics" <<'ICS'
BEGIN:VCALENDAR
VERSION:2.0
PRODID:-//zorun//screenshot//EN
BEGIN:VEVENT
UID:past@zorun
DTSTART:20200101T090000Z
DTEND:20200101T100000Z
SUMMARY:Past
END:VEVENT
BEGIN:VEVENT
UID:future@zorun
DTSTART:20991231T090000Z
DTEND:20991231T100000Z
SUMMARY:Future
END:VEVENT
BEGIN:VTODO
UID:task1@zorun
SUMMARY:Pack
END:VTODO
BEGIN:VTODO
UID:task2@zorun
SUMMARY:Call
END:VTODO
END:VCALENDAR
ICS

# A battery at 80 %.
mkdir -p "$work/power/BAT0"
echo Battery >"$work/power/BAT0/type"
echo 80 >"$work/power/BAT0/capacity"

# First run provisions the device (pictures, registry); the picture is taken
# once the panel has read its sources and the view has painted.
cat >"$work/script.txt" <<SCRIPT
wait 1000
screenshot $PWD/docs/zorun.png
SCRIPT
MAILDIR=$work/Maildir ZORUN_CALENDAR=$work/organiser.ics ZORUN_TASKS=$work/organiser.ics \
  ZORUN_POWER_SUPPLY=$work/power XDG_RUNTIME_DIR=$work \
  "$zorun" --headless --device-root "$device.new" --script "$work/script.txt" >/dev/null
# The programs are added to the provisioned device for the picture itself.
cp -a "$device/." "$device.new/"
rm -f "$device.new/Windows/ZorunSetting.qkt"
MAILDIR=$work/Maildir ZORUN_CALENDAR=$work/organiser.ics ZORUN_TASKS=$work/organiser.ics \
  ZORUN_POWER_SUPPLY=$work/power XDG_RUNTIME_DIR=$work \
  "$zorun" --headless --device-root "$device.new" --script "$work/script.txt" >/dev/null
echo "wrote docs/zorun.png"

# The keyboard button raises the keyboard; Shift is tapped and the stylus
# rests on the "Z" key.
cat >"$work/keyboard.txt" <<SCRIPT
wait 1000
tap 226 306
tap 18 270
down 48 270
screenshot $PWD/docs/keyboard.png
up 48 270
SCRIPT
rm -f "$device.new/Windows/ZorunSetting.qkt"
MAILDIR=$work/Maildir ZORUN_CALENDAR=$work/organiser.ics ZORUN_TASKS=$work/organiser.ics \
  ZORUN_POWER_SUPPLY=$work/power XDG_RUNTIME_DIR=$work \
  "$zorun" --headless --device-root "$device.new" --script "$work/keyboard.txt" >/dev/null
echo "wrote docs/keyboard.png"

# The task monitor over four programs started from the launcher (headless,
# so the programs Zorun started, each titled by its name), the first
# selected. They wait a little, so they still run when the picture is taken.
for program in iexplore.exe fexplore.exe tmail.exe pxl.exe; do
  printf '#!/bin/sh\nexec sleep 5\n' >"$device.new/Windows/$program"
done
cat >"$work/monitor.txt" <<SCRIPT
wait 1000
tap 197 152
tap 41 219
tap 119 219
tap 197 219
wait 500
command 32794
wait 500
tap 40 104
screenshot $PWD/docs/monitor.png
SCRIPT
rm -f "$device.new/Windows/ZorunSetting.qkt"
MAILDIR=$work/Maildir ZORUN_CALENDAR=$work/organiser.ics ZORUN_TASKS=$work/organiser.ics \
  ZORUN_POWER_SUPPLY=$work/power XDG_RUNTIME_DIR=$work \
  "$zorun" --headless --device-root "$device.new" --script "$work/monitor.txt" >/dev/null
echo "wrote docs/monitor.png"

# The Japanese and French builds on the same device, with their own Start
# Menu folders and link names, the Japanese one with its kana keyboard up.
shoot_language() {
  local language=$1 folder=$2 calendar=$3 contacts=$4 script=$5
  local root=$work/device-$language
  XDG_RUNTIME_DIR=$work "$(dirname "$zorun")/zorun-$language" --headless --device-root "$root" \
    --script /dev/null >/dev/null
  cp -a "$device/Windows/." "$root/Windows/"
  rm -rf "$root/Windows/Start Menu" "$root/Windows/ZorunSetting.qkt"
  mkdir -p "$root/Windows/$folder"
  printf '22#\\Windows\\poutlook.exe calendar' >"$root/Windows/$folder/$calendar"
  printf '22#\\Windows\\poutlook.exe contacts' >"$root/Windows/$folder/$contacts"
  MAILDIR=$work/Maildir ZORUN_CALENDAR=$work/organiser.ics ZORUN_TASKS=$work/organiser.ics \
    ZORUN_POWER_SUPPLY=$work/power XDG_RUNTIME_DIR=$work \
    "$(dirname "$zorun")/zorun-$language" --headless --device-root "$root" --script "$script" >/dev/null
  echo "wrote docs/zorun-$language.png"
}
cat >"$work/ja.txt" <<SCRIPT
wait 1000
tap 226 306
tap 16 286
screenshot $PWD/docs/zorun-ja.png
SCRIPT
shoot_language ja "スタート メニュー" "予定表.lnk" "連絡先.lnk" "$work/ja.txt"
cat >"$work/fr.txt" <<SCRIPT
wait 1000
screenshot $PWD/docs/zorun-fr.png
SCRIPT
shoot_language fr "Menu Démarrer" "calendrier.lnk" "contacts.lnk" "$work/fr.txt"
