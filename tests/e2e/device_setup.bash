# The device used by the end-to-end tests (sourced after support.bash): seven
# shortcuts in the first default group, two pages, every program a script
# that leaves a marker. Page 1: Calendar, Contacts, IExplorer / FExplorer,
# Inbox, Excel; page 2: Word.
for program in iexplore.exe fexplore.exe tmail.exe pxl.exe pword.exe calendar.exe contacts.exe; do
  make_program "Windows/$program"
done
mkdir -p "$DEVICE/Windows/Start Menu"
printf '22#\\Windows\\calendar.exe' >"$DEVICE/Windows/Start Menu/calendar.lnk"
printf '22#\\Windows\\contacts.exe' >"$DEVICE/Windows/Start Menu/contacts.lnk"

# Screen centre of shortcut cell K (0..5) of the launcher: the launcher pane
# starts 85 rows into the frame, which starts at screen row 26.
cell_x() { echo $((($1 % 3) * 78 + 41)); }
cell_y() { echo $((26 + 85 + ($1 / 3) * 67 + 41)); }
click_cell() { click "$(cell_x "$1")" "$(cell_y "$1")"; }

# The page bar: rows 75..83 of the split window; up half x <= 120.
PAGE_BAR_Y=$((26 + 79))
