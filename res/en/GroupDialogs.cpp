// The English templates of the group dialog (160: a group's name and
// background picture) and the system-information settings (136: what the
// information panel's last field shows).

#include "platform/user/Controls.h"
#include "platform/user/Dialog.h"

namespace {

using zorun::DialogItemTemplate;

// No OK button: the navigation bar's "ok" confirms. The picture field is
// filled only by Browse (or by the caller), never typed into. The second
// label is wider than the device's 124 units: its ClearType font of height
// 15 needs about 130.
const DialogItemTemplate groupItems[] = {
    {u"STATIC", u"Please type a group name", -1, 6, 5, 120, 8, SS_LEFT | WS_VISIBLE},
    {u"EDIT", nullptr, 1013, 6, 17, 84, 14, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP | WS_VISIBLE},
    {u"BUTTON", u"Cancel", 2, 97, 17, 38, 13, BS_PUSHBUTTON | WS_TABSTOP | WS_VISIBLE},
    {u"STATIC", u"Please select a background picture", -1, 7, 35, 130, 8, SS_LEFT | WS_VISIBLE},
    {u"EDIT", nullptr, 1012, 6, 47, 84, 14,
     ES_AUTOHSCROLL | ES_READONLY | WS_BORDER | WS_DISABLED | WS_VISIBLE},
    {u"BUTTON", u"Browse", 1010, 97, 48, 38, 13, BS_PUSHBUTTON | WS_TABSTOP | WS_VISIBLE},
};

// The five fixed fields are ticked and cannot be changed; OK and Cancel
// stay hidden (the navigation bar's "ok" ends the dialog).
const DialogItemTemplate sysInfoItems[] = {
    {u"BUTTON", u"System info", 1000, 7, 7, 109, 120, BS_GROUPBOX | WS_VISIBLE},
    {u"BUTTON", u"Inbox", 1002, 20, 18, 34, 10, BS_AUTOCHECKBOX | WS_DISABLED | WS_VISIBLE},
    {u"BUTTON", u"Calendar", 1003, 20, 31, 45, 10, BS_AUTOCHECKBOX | WS_DISABLED | WS_VISIBLE},
    {u"BUTTON", u"Task", 1004, 20, 44, 31, 10, BS_AUTOCHECKBOX | WS_DISABLED | WS_VISIBLE},
    {u"BUTTON", u"Battery", 1005, 20, 58, 39, 10, BS_AUTOCHECKBOX | WS_DISABLED | WS_VISIBLE},
    {u"BUTTON", u"Memory", 1006, 20, 74, 42, 10, BS_AUTOCHECKBOX | WS_DISABLED | WS_VISIBLE},
    {u"BUTTON", u"Time", 1007, 20, 88, 33, 10, BS_AUTOCHECKBOX | WS_TABSTOP | WS_VISIBLE},
    {u"BUTTON", u"Region", 1008, 20, 103, 38, 10, BS_AUTOCHECKBOX | WS_TABSTOP | WS_VISIBLE},
    {u"BUTTON", u"OK", 1, 31, 122, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP},
    {u"BUTTON", u"Cancel", 2, 31, 138, 50, 14, BS_PUSHBUTTON | WS_TABSTOP},
};

const zorun::DialogTemplate dialogs[] = {
    {160, 138, 134, u"", WS_POPUP | WS_VISIBLE, groupItems},
    {136, 123, 159, u"Zorun", WS_POPUP | WS_VISIBLE, sysInfoItems},
};

[[maybe_unused]] const bool registered = zorun::RegisterDialogTemplates(dialogs);

} // namespace
