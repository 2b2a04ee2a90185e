#include "app/DevicePrograms.h"

#include "platform/base/Text.h"
#include "platform/kernel/DevicePath.h"

namespace {

constexpr std::string_view kBrowser = R"([Zorun Host Program]
# \Windows\iexplore.exe: the web browser of this computer. Zorun tries the
# lines below in order when the program is started and runs the first
# application that is installed. To choose another one, put a line first:
#   Application=chromium.desktop      an application by its desktop file
#   Exec=firefox --private-window %u  a command of your own
Default=x-scheme-handler/https;x-scheme-handler/http;text/html
Category=WebBrowser
)";

constexpr std::string_view kFileManager = R"([Zorun Host Program]
# \Windows\fexplore.exe: the file manager of this computer (see iexplore.exe
# for how to choose another one).
Default=inode/directory
Category=FileManager
)";

constexpr std::string_view kMail = R"([Zorun Host Program]
# \Windows\tmail.exe: the mail program of this computer, for the inbox
# (see iexplore.exe for how to choose another one).
Default=x-scheme-handler/mailto
Category=Email
)";

constexpr std::string_view kSpreadsheet = R"([Zorun Host Program]
# \Windows\pxl.exe: the spreadsheet of this computer (see iexplore.exe for
# how to choose another one).
Default=application/vnd.oasis.opendocument.spreadsheet;application/vnd.openxmlformats-officedocument.spreadsheetml.sheet
Category=Spreadsheet
)";

constexpr std::string_view kWordProcessor = R"([Zorun Host Program]
# \Windows\pword.exe: the word processor of this computer (see iexplore.exe
# for how to choose another one).
Default=application/vnd.oasis.opendocument.text;application/vnd.openxmlformats-officedocument.wordprocessingml.document
Category=WordProcessor
)";

constexpr std::string_view kPlayer = R"([Zorun Host Program]
# \Windows\player.exe: the media player of this computer (see iexplore.exe
# for how to choose another one).
Default=video/mp4;audio/mpeg;audio/x-vorbis+ogg
Category=AudioVideo;Player
)";

constexpr std::string_view kCardGame = R"([Zorun Host Program]
# \Windows\solitare.exe: a card game of this computer (see iexplore.exe for
# how to choose another one).
Application=sol.desktop;org.gnome.Aisleriot.desktop;org.kde.kpat.desktop
Category=CardGame
)";

constexpr std::string_view kPuzzle = R"([Zorun Host Program]
# \Windows\jawbreaker.exe: a puzzle game of this computer, a game of
# bursting groups of balls where there is one (see iexplore.exe for how to
# choose another one).
Application=org.gnome.SwellFoop.desktop;swell-foop.desktop;org.kde.ksame.desktop
Category=LogicGame
Category=BlocksGame
)";

constexpr std::string_view kCalendar = R"([Zorun Host Program]
# \Windows\calendar.exe: the calendar of this computer; the Start menu's
# calendar link and the information panel's calendar field start it (see
# iexplore.exe for how to choose another one).
Default=text/calendar
Category=Calendar
)";

constexpr std::string_view kContacts = R"([Zorun Host Program]
# \Windows\addrbook.exe: the address book of this computer; the Start menu's
# contacts link starts it (see iexplore.exe for how to choose another one).
Default=text/vcard;text/x-vcard
Category=ContactManagement
)";

constexpr std::string_view kTasks = R"([Zorun Host Program]
# \Windows\tasks.exe: the task list of this computer, else its calendar; the
# Start menu's tasks link and the information panel's tasks field start it
# (see iexplore.exe for how to choose another one).
Application=org.gnome.Todo.desktop;io.github.mrvladus.List.desktop;org.gnome.Evolution.desktop;org.kde.korganizer.desktop
Category=ProjectManagement
Program=\Windows\calendar.exe
)";

constexpr std::string_view kOrganiser = R"([Zorun Host Program]
# \Windows\poutlook.exe: the personal organiser. The information panel
# starts it with "calendar" and "tasks"; each starts the program named here.
Program=\Windows\calendar.exe

[Arguments calendar]
Program=\Windows\calendar.exe

[Arguments tasks]
Program=\Windows\tasks.exe

[Arguments contacts]
Program=\Windows\addrbook.exe
)";

constexpr std::string_view kSettings = R"([Zorun Host Program]
# \Windows\ctlpnl.exe: the settings of this computer. The information panel
# starts it with "cplmain.cpl 3,0" for the power settings, "cplmain.cpl 4,0"
# for memory (the system monitor) and "cplmain.cpl 18,0" for the region;
# each section below is for one of them, and falls back to the settings as
# a whole.
Application=gnome-control-center.desktop;org.gnome.Settings.desktop;systemsettings.desktop;kdesystemsettings.desktop;xfce-settings-manager.desktop;mate-control-center.desktop;lxqt-config.desktop
Category=Settings;DesktopSettings

[Arguments cplmain.cpl 3,0]
Application=gnome-power-panel.desktop;kcm_powerdevilprofilesconfig.desktop;xfce4-power-manager-settings.desktop;mate-power-preferences.desktop;lxqt-config-powermanagement.desktop
Exec=gnome-control-center power
Program=\Windows\ctlpnl.exe

[Arguments cplmain.cpl 4,0]
Application=org.gnome.SystemMonitor.desktop;gnome-system-monitor.desktop;org.kde.plasma-systemmonitor.desktop;org.kde.ksysguard.desktop;xfce4-taskmanager.desktop;mate-system-monitor.desktop;lxtask.desktop
Category=System;Monitor
Program=\Windows\ctlpnl.exe

[Arguments cplmain.cpl 18,0]
Application=gnome-region-panel.desktop;kcm_regionandlang.desktop;kcm_formats.desktop
Exec=gnome-control-center region
Program=\Windows\ctlpnl.exe
)";

constexpr std::string_view kClock = R"([Zorun Host Program]
# \Windows\clock.exe: a clock of this computer, else its date and time
# settings; the information panel's date field starts it (see iexplore.exe
# for how to choose another one).
Application=org.gnome.clocks.desktop;org.kde.kclock.desktop
Category=Clock
Application=gnome-datetime-panel.desktop;kcm_clock.desktop;time-admin.desktop
Exec=gnome-control-center datetime
)";

constexpr std::string_view kHelp = R"([Zorun Host Program]
# \Windows\PegHelp.exe: shows help pages in the web browser. Zorun starts it
# with "Zorun.htm#Main_Contents" for its own help (F1); a name without a
# folder is looked up in \Windows.
Open=Zorun.htm#Main_Contents
Program=\Windows\iexplore.exe
Default=text/html
)";

} // namespace

const std::vector<DeviceProgramTemplate>& DeviceProgramTemplates() {
    static const std::vector<DeviceProgramTemplate> templates{
        {u"\\Windows\\iexplore.exe", kBrowser},    {u"\\Windows\\fexplore.exe", kFileManager},
        {u"\\Windows\\tmail.exe", kMail},          {u"\\Windows\\pxl.exe", kSpreadsheet},
        {u"\\Windows\\pword.exe", kWordProcessor}, {u"\\Windows\\player.exe", kPlayer},
        {u"\\Windows\\solitare.exe", kCardGame},   {u"\\Windows\\jawbreaker.exe", kPuzzle},
        {u"\\Windows\\calendar.exe", kCalendar},   {u"\\Windows\\addrbook.exe", kContacts},
        {u"\\Windows\\tasks.exe", kTasks},         {u"\\Windows\\poutlook.exe", kOrganiser},
        {u"\\Windows\\ctlpnl.exe", kSettings},     {u"\\Windows\\clock.exe", kClock},
        {u"\\Windows\\PegHelp.exe", kHelp},
    };
    return templates;
}

std::vector<DeviceLinkTemplate> DeviceLinkTemplates(const DefaultCatalogueTexts& texts) {
    return {
        {zorun::JoinDevicePath(texts.startMenuFolder, texts.calendarLink),
         u"\\Windows\\calendar.exe"},
        {zorun::JoinDevicePath(texts.startMenuFolder, texts.contactsLink),
         u"\\Windows\\addrbook.exe"},
        {zorun::JoinDevicePath(texts.startMenuFolder, texts.tasksLink), u"\\Windows\\tasks.exe"},
    };
}

std::string ShortcutFileText(std::u16string_view target) {
    return std::to_string(target.size()) + "#" + zorun::ToUtf8(target);
}
