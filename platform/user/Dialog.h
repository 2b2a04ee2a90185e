#pragma once
// Dialogs from templates in dialog units. A template (number, size, caption,
// items) is plain data registered by the language's resources; a dialog
// made from it is a top-level window over the whole work area holding one
// control per item. The dialog manager gives dialogs their keyboard
// behaviour: Tab moves the focus among WS_TABSTOP controls, Return presses
// the default button, Escape cancels; IDOK/IDCANCEL end a dialog by default.
//
// Dialog units convert with base units 7 x 14: x px = x * 7 / 4,
// y px = y * 14 / 8.

#include <span>
#include <string>
#include <vector>

#include "platform/user/WinUser.h"

using DLGPROC = std::intptr_t (*)(HWND, UINT, WPARAM, LPARAM);

constexpr DWORD DS_MODALFRAME = 0x0080, DS_SETFONT = 0x0040, DS_CENTER = 0x0800;
constexpr UINT WM_NEXTDLGCTL = 0x0028;
constexpr UINT DM_GETDEFID = WM_USER + 0, DM_SETDEFID = WM_USER + 1;
constexpr WORD DC_HASDEFID = 0x534B;

namespace zorun {

struct DialogItemTemplate {
    // "BUTTON", "STATIC", "EDIT", "LISTBOX", "COMBOBOX", "SysListView32". A
    // combo box's height is that of the box and its dropped list together.
    const char16_t* className;
    const char16_t* text; // SS_ICON / SS_BITMAP statics: "#<resource number>"
    int id;
    int x, y, cx, cy; // dialog units
    DWORD style;      // WS_CHILD is implied; WS_VISIBLE is not
    DWORD exStyle = 0;
};

struct DialogTemplate {
    int number;
    int cx, cy; // dialog units; DS_CENTER dialogs are this size, centred
    const char16_t* caption;
    DWORD style;
    std::span<const DialogItemTemplate> items;
    const char16_t* fontFace = nullptr; // the platform's dialog font when null
    int pointSize = 8;
};

[[nodiscard]] constexpr int DialogUnitsToPixelsX(int x) {
    return x * 7 / 4;
}
[[nodiscard]] constexpr int DialogUnitsToPixelsY(int y) {
    return y * 14 / 8;
}
// Each edge converted on its own, as MapDialogRect does.
[[nodiscard]] constexpr RECT DialogUnitsToPixels(RECT r) {
    return {DialogUnitsToPixelsX(r.left), DialogUnitsToPixelsY(r.top),
            DialogUnitsToPixelsX(r.right), DialogUnitsToPixelsY(r.bottom)};
}

// The registry of dialog templates by number (header-only: the resource
// library registers without linking the window system).
// Later registrations take precedence.
inline std::vector<std::span<const DialogTemplate>>& DialogTemplateTables() {
    static std::vector<std::span<const DialogTemplate>> tables;
    return tables;
}
inline bool RegisterDialogTemplates(std::span<const DialogTemplate> table) {
    DialogTemplateTables().push_back(table);
    return true;
}
[[nodiscard]] inline const DialogTemplate* FindDialogTemplate(int number) {
    const auto& tables = DialogTemplateTables();
    for (auto table = tables.rbegin(); table != tables.rend(); ++table)
        for (const auto& t : *table)
            if (t.number == number)
                return &t;
    return nullptr;
}

// Creates a dialog whose messages all go to `proc` (a window procedure that
// passes what it does not handle to DefDialogProc), sends WM_INITDIALOG with
// `initParam`, and shows it when the template has WS_VISIBLE or `show`.
// nullptr on failure.
HWND CreateDialogWindow(const DialogTemplate& dialog, HWND owner, WNDPROC proc, LPARAM initParam,
                        bool show);
// Runs a modal loop for a dialog made by CreateDialogWindow and returns
// what EndDialog gave (at once when it was ended before the loop started).
std::intptr_t RunDialogLoop(HWND dialog);
// The dialog manager's default processing of a dialog's messages.
LRESULT DefDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// True for windows made by the dialog manager (and message boxes).
[[nodiscard]] bool IsDialogWindow(HWND hwnd);
// Lets the dialog manager treat `hwnd` as a dialog (message boxes).
void RegisterDialogWindow(HWND hwnd);
// Controls call this for the keys the dialog handles (Tab, Return, Escape);
// true when the key was taken.
bool HandleDialogKey(HWND control, int virtualKey);
// The dialog's controls font (12-pixel sans-serif), owned by the platform.
[[nodiscard]] HFONT DialogFont();

} // namespace zorun

HWND CreateDialogIndirectParamW(HINSTANCE instance, const zorun::DialogTemplate* dialog, HWND owner,
                                DLGPROC proc, LPARAM initParam);
std::intptr_t DialogBoxIndirectParamW(HINSTANCE instance, const zorun::DialogTemplate* dialog,
                                      HWND owner, DLGPROC proc, LPARAM initParam);
// Dialog `number` from the registered templates; -1 when there is none.
std::intptr_t DialogBoxParamW(HINSTANCE instance, int number, HWND owner, DLGPROC proc,
                              LPARAM initParam);
BOOL EndDialog(HWND dialog, std::intptr_t result);
BOOL MapDialogRect(HWND dialog, RECT* rect);
HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous);
BOOL SetDlgItemTextW(HWND dialog, int id, const char16_t* text);
UINT GetDlgItemTextW(HWND dialog, int id, char16_t* buffer, int capacity);
BOOL CheckDlgButton(HWND dialog, int id, UINT check);
UINT IsDlgButtonChecked(HWND dialog, int id);
LRESULT SendDlgItemMessageW(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam);
