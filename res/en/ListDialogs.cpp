// The English templates of the dialogs built on lists: the group picker
// (153) and the group organizer (159), full-screen pictures around one list
// box that the dialogs draw themselves, and the program browser (161).

#include "platform/user/CommCtrl.h"
#include "platform/user/Controls.h"
#include "platform/user/Dialog.h"

namespace {

using zorun::DialogItemTemplate;

// WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_TABSTOP |
// LBS_NOINTEGRALHEIGHT | LBS_SORT | LBS_NOTIFY (0x50a10103): entries are
// inserted by index, so the sort style never reorders them.
constexpr DWORD kGroupListStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_TABSTOP |
                                  LBS_NOINTEGRALHEIGHT | LBS_SORT | LBS_NOTIFY;
static_assert(kGroupListStyle == 0x50a10103);

const DialogItemTemplate groupPickerItems[] = {
    {u"LISTBOX", nullptr, 1003, 7, 32, 96, 100, kGroupListStyle},
};

const DialogItemTemplate organizeGroupsItems[] = {
    {u"LISTBOX", nullptr, 1003, 8, 32, 95, 100, kGroupListStyle},
};

// The folder list drops 30 units deep; the file list is placed anew at
// every size change of the dialog. The label is wider than the 79 units the
// device gave it: its ClearType font of height 15 needs about 85.
const DialogItemTemplate browseFileItems[] = {
    {u"STATIC", u"Browse program files", -1, 4, 2, 110, 9, SS_LEFT | WS_VISIBLE},
    {u"COMBOBOX", nullptr, 1013, 5, 16, 100, 30,
     CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_VISIBLE},
    {u"STATIC", u"#163", 1018, 109, 16, 12, 10, SS_BITMAP | SS_NOTIFY | WS_VISIBLE},
    {WC_LISTVIEW, nullptr, 1020, 4, 32, 125, 71,
     LVS_REPORT | LVS_SINGLESEL | WS_BORDER | WS_TABSTOP | WS_VISIBLE},
};

// Dialog units: 137 x 153 fill the 240 x 268 work area; the dialogs fill
// it whatever their size.
const zorun::DialogTemplate dialogs[] = {
    {153, 137, 153, u"Zorun", WS_POPUP | WS_VISIBLE, groupPickerItems},
    {159, 137, 153, u"Zorun", WS_POPUP | WS_VISIBLE, organizeGroupsItems},
    {161, 135, 134, u"Zorun", WS_POPUP | WS_VISIBLE, browseFileItems},
};

[[maybe_unused]] const bool registered = zorun::RegisterDialogTemplates(dialogs);

} // namespace
