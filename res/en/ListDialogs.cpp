// The English templates of the dialogs built on lists: the group picker
// (153) and the group organizer (159), full-screen pictures around one list
// box that the dialogs draw themselves.

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

// Dialog units: 137 x 153 fill the 240 x 268 work area.
const zorun::DialogTemplate dialogs[] = {
    {153, 137, 153, u"Zorun", WS_POPUP | WS_VISIBLE, groupPickerItems},
    {159, 137, 153, u"Zorun", WS_POPUP | WS_VISIBLE, organizeGroupsItems},
};

[[maybe_unused]] const bool registered = zorun::RegisterDialogTemplates(dialogs);

} // namespace
