// The French templates of the group dialog (160: a group's name and
// background picture) and the system-information settings (136: what the
// information panel's last field shows).

#include "platform/user/Controls.h"
#include "res/fr/Tables.h"

namespace zorun::res::fr {

namespace {

// No OK button: the navigation bar's "ok" confirms. The picture field is
// filled only by Browse (or by the caller), never typed into. The second
// label is wider than the device's 124 units: its ClearType font of height
// 15 needs about 130.
const DialogItemTemplate groupItems[] = {
    {u"STATIC", u"Saisissez un nom de groupe", -1, 6, 5, 120, 8, SS_LEFT | WS_VISIBLE},
    {u"EDIT", nullptr, 1013, 6, 17, 84, 14, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP | WS_VISIBLE},
    {u"BUTTON", u"Annuler", 2, 97, 17, 38, 13, BS_PUSHBUTTON | WS_TABSTOP | WS_VISIBLE},
    {u"STATIC", u"Choisissez une image d'arrière-plan", -1, 7, 35, 130, 8, SS_LEFT | WS_VISIBLE},
    {u"EDIT", nullptr, 1012, 6, 47, 84, 14,
     ES_AUTOHSCROLL | ES_READONLY | WS_BORDER | WS_DISABLED | WS_VISIBLE},
    {u"BUTTON", u"Parcourir", 1010, 97, 48, 38, 13, BS_PUSHBUTTON | WS_TABSTOP | WS_VISIBLE},
};

// The five fixed fields are ticked and cannot be changed; OK and Cancel
// stay hidden (the navigation bar's "ok" ends the dialog).
const DialogItemTemplate sysInfoItems[] = {
    {u"BUTTON", u"Infos système", 1000, 7, 7, 109, 120, BS_GROUPBOX | WS_VISIBLE},
    {u"BUTTON", u"Messages", 1002, 20, 18, 90, 10, BS_AUTOCHECKBOX | WS_DISABLED | WS_VISIBLE},
    {u"BUTTON", u"Calendrier", 1003, 20, 31, 90, 10, BS_AUTOCHECKBOX | WS_DISABLED | WS_VISIBLE},
    {u"BUTTON", u"Tâches", 1004, 20, 44, 90, 10, BS_AUTOCHECKBOX | WS_DISABLED | WS_VISIBLE},
    {u"BUTTON", u"Batterie", 1005, 20, 58, 90, 10, BS_AUTOCHECKBOX | WS_DISABLED | WS_VISIBLE},
    {u"BUTTON", u"Mémoire", 1006, 20, 74, 90, 10, BS_AUTOCHECKBOX | WS_DISABLED | WS_VISIBLE},
    {u"BUTTON", u"Date", 1007, 20, 88, 90, 10, BS_AUTOCHECKBOX | WS_TABSTOP | WS_VISIBLE},
    {u"BUTTON", u"Région", 1008, 20, 103, 90, 10, BS_AUTOCHECKBOX | WS_TABSTOP | WS_VISIBLE},
    {u"BUTTON", u"OK", 1, 31, 122, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP},
    {u"BUTTON", u"Annuler", 2, 31, 138, 50, 14, BS_PUSHBUTTON | WS_TABSTOP},
};

const DialogTemplate dialogs[] = {
    {160, 138, 134, u"", WS_POPUP | WS_VISIBLE, groupItems},
    {136, 123, 159, u"Zorun", WS_POPUP | WS_VISIBLE, sysInfoItems},
};

} // namespace

extern const std::span<const DialogTemplate> groupDialogs = dialogs;

} // namespace zorun::res::fr
