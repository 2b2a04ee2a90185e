// The Italian templates of the shortcut dialog (166: name, program and icon
// of a shortcut, confirmed with the navigation bar's "ok") and of the
// change-icon panel (181: nine built-in icons, a default and a cancel button).

#include "platform/user/Controls.h"
#include "res/it/Tables.h"

namespace zorun::res::it {

namespace {

constexpr DWORD kLabel = SS_LEFT | WS_VISIBLE;
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP | WS_VISIBLE;
constexpr DWORD kField = WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP | WS_VISIBLE;
constexpr DWORD kIcon = SS_ICON | WS_VISIBLE;

// The icon preview is drawn by the dialog itself below the icon Browse. The
// labels run the dialog's width: the ClearType font of height 15 needs it.
// The fields give the buttons room for their longer words.
const DialogItemTemplate shortcutItems[] = {
    {u"STATIC", u"Digitare il nome del collegamento", -1, 1, 2, 133, 8, kLabel},
    {u"EDIT", nullptr, 1029, 3, 13, 70, 14, kField},
    {u"BUTTON", u"Annulla", 2, 78, 13, 50, 14, kButton},
    {u"STATIC", u"Selezionare il programma da avviare", -1, 0, 29, 134, 8, kLabel},
    {u"EDIT", nullptr, 1025, 3, 41, 70, 14, kField | ES_READONLY | WS_DISABLED},
    {u"BUTTON", u"Sfoglia", 1026, 78, 41, 50, 14, kButton},
    {u"STATIC", u"Selezionare l'icona del collegamento", -1, 1, 58, 133, 8, kLabel},
    {u"BUTTON", u"Sfoglia", 1028, 78, 68, 50, 14, kButton},
};

// The buttons are wider than the English ones, for their longer words.
// Cells numbered row by row: 133 134 135 / 136 145 146 / 147 148 149.
const DialogItemTemplate changeIconItems[] = {
    {u"BUTTON", u"Predefinita", 1039, 8, 7, 50, 14, kButton},
    {u"BUTTON", u"Annulla", 2, 79, 7, 50, 14, kButton},
    {u"STATIC", u"#133", -1, 25, 38, 20, 20, kIcon},
    {u"STATIC", u"#134", -1, 54, 38, 20, 20, kIcon},
    {u"STATIC", u"#135", -1, 83, 38, 20, 20, kIcon},
    {u"STATIC", u"#136", -1, 25, 64, 20, 20, kIcon},
    {u"STATIC", u"#145", -1, 54, 64, 20, 20, kIcon},
    {u"STATIC", u"#146", -1, 83, 64, 20, 20, kIcon},
    {u"STATIC", u"#147", -1, 25, 90, 20, 20, kIcon},
    {u"STATIC", u"#148", -1, 54, 90, 20, 20, kIcon},
    {u"STATIC", u"#149", -1, 83, 90, 20, 20, kIcon},
};

const DialogTemplate dialogs[] = {
    {166, 135, 134, u"Zorun", WS_POPUP | WS_VISIBLE, shortcutItems},
    {181, 137, 153, u"Zorun", WS_POPUP | WS_VISIBLE, changeIconItems},
};

} // namespace

extern const std::span<const DialogTemplate> shortcutDialogs = dialogs;

} // namespace zorun::res::it
