#pragma once
// The device's window system: windows by handle, messages, the message loop
// and modal loops, timers, input, painting, menus, message boxes, dialogs.
// One device screen of 240 x 320 pixels; all coordinates are device pixels.

#include <cstdint>
#include <string>

#include "platform/base/WinTypes.h"
#include "platform/gdi/WinGdi.h"

// --- Messages ----------------------------------------------------------------
constexpr UINT WM_NULL = 0x0000, WM_CREATE = 0x0001, WM_DESTROY = 0x0002, WM_MOVE = 0x0003,
               WM_SIZE = 0x0005, WM_ACTIVATE = 0x0006, WM_SETFOCUS = 0x0007, WM_KILLFOCUS = 0x0008,
               WM_ENABLE = 0x000A, WM_SETTEXT = 0x000C, WM_GETTEXT = 0x000D,
               WM_GETTEXTLENGTH = 0x000E, WM_PAINT = 0x000F, WM_CLOSE = 0x0010, WM_QUIT = 0x0012,
               WM_ERASEBKGND = 0x0014, WM_SHOWWINDOW = 0x0018, WM_SETFONT = 0x0030,
               WM_GETFONT = 0x0031, WM_CUT = 0x0300, WM_COPY = 0x0301, WM_PASTE = 0x0302,
               WM_CLEAR = 0x0303, WM_UNDO = 0x0304, WM_KEYF1 = 0x004D, WM_NOTIFY = 0x004E,
               WM_NCDESTROY = 0x0082, WM_HELP = 0x0053, WM_KEYDOWN = 0x0100, WM_KEYUP = 0x0101,
               WM_CHAR = 0x0102, WM_INITDIALOG = 0x0110, WM_COMMAND = 0x0111, WM_TIMER = 0x0113,
               WM_HSCROLL = 0x0114, WM_VSCROLL = 0x0115, WM_INITMENUPOPUP = 0x0117,
               WM_CTLCOLORMSGBOX = 0x0132, WM_CTLCOLOREDIT = 0x0133, WM_CTLCOLORLISTBOX = 0x0134,
               WM_CTLCOLORBTN = 0x0135, WM_CTLCOLORDLG = 0x0136, WM_CTLCOLORSCROLLBAR = 0x0137,
               WM_CTLCOLORSTATIC = 0x0138, WM_NCHITTEST = 0x0084, WM_MOUSEMOVE = 0x0200,
               WM_LBUTTONDOWN = 0x0201, WM_LBUTTONUP = 0x0202, WM_LBUTTONDBLCLK = 0x0203,
               WM_RBUTTONDOWN = 0x0204, WM_RBUTTONUP = 0x0205, WM_CAPTURECHANGED = 0x0215,
               WM_USER = 0x0400, WM_APP = 0x8000;
// WM_ACTIVATE's state (LOWORD of wParam).
constexpr UINT WA_INACTIVE = 0, WA_ACTIVE = 1, WA_CLICKACTIVE = 2;

constexpr WPARAM MK_LBUTTON = 0x0001;

// WM_NCHITTEST answers: a child that answers HTTRANSPARENT lets a stylus
// event through to the windows beneath it (group boxes, plain labels).
constexpr LRESULT HTTRANSPARENT = -1, HTNOWHERE = 0, HTCLIENT = 1;

// WM_NOTIFY: the header every notification structure starts with.
struct NMHDR {
    HWND hwndFrom;
    std::uintptr_t idFrom;
    UINT code;
};

// Virtual keys.
constexpr int VK_BACK = 0x08, VK_TAB = 0x09, VK_RETURN = 0x0D, VK_SHIFT = 0x10, VK_CONTROL = 0x11,
              VK_ESCAPE = 0x1B, VK_SPACE = 0x20, VK_PRIOR = 0x21, VK_NEXT = 0x22, VK_END = 0x23,
              VK_HOME = 0x24, VK_LEFT = 0x25, VK_UP = 0x26, VK_RIGHT = 0x27, VK_DOWN = 0x28,
              VK_DELETE = 0x2E, VK_HELP = 0x2F, VK_F1 = 0x70;
// Whether a key is down now: the high bit of the answer (Shift for the edit's
// selection).
short GetKeyState(int virtualKey);

// Help: F1 and the Help key make the window with the focus (else the active
// one) get WM_HELP with a HELPINFO; the default window procedure hands it
// on to the parent of a child window and the owner of a top-level one.
constexpr int HELPINFO_WINDOW = 0x0001;
struct HELPINFO {
    UINT cbSize;
    int iContextType;
    int iCtrlId;
    HWND hItemHandle; // the window (the only kind of item here)
    DWORD dwContextId;
    POINT MousePos;
};

// --- Windows -----------------------------------------------------------------
using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

constexpr DWORD WS_OVERLAPPED = 0x00000000, WS_POPUP = 0x80000000, WS_CHILD = 0x40000000,
                WS_VISIBLE = 0x10000000, WS_DISABLED = 0x08000000, WS_BORDER = 0x00800000,
                WS_CAPTION = 0x00C00000, WS_TABSTOP = 0x00010000, WS_GROUP = 0x00020000,
                WS_VSCROLL = 0x00200000, WS_HSCROLL = 0x00100000, WS_CLIPCHILDREN = 0x02000000,
                WS_CLIPSIBLINGS = 0x04000000;
// WS_EX_TOPMOST: stays above every other window (chrome, menus, message boxes).
// WS_EX_TOOLWINDOW: never becomes the active (foreground) window when shown
// (the chrome bars, the soft keyboard, tips).
constexpr DWORD WS_EX_TOPMOST = 0x00000008, WS_EX_TOOLWINDOW = 0x00000080;

// Creates a window whose messages go to `proc`. `className` names a built-in
// control class ("BUTTON", "STATIC", "EDIT", "LISTBOX", "COMBOBOX") or any
// program class (then `proc` handles it). For WS_CHILD windows `x, y` are in
// the parent's client coordinates, otherwise in screen coordinates. `param`
// reaches WM_CREATE as the lParam (pointer to a CREATESTRUCTW).
struct CREATESTRUCTW {
    void* lpCreateParams;
    HMENU hMenu;
    HWND hwndParent;
    int cy, cx, y, x;
    LONG style;
    const char16_t* lpszName;
    const char16_t* lpszClass;
    DWORD dwExStyle;
};
HWND CreateWindowExW(DWORD exStyle, const char16_t* className, const char16_t* title, DWORD style,
                     int x, int y, int width, int height, HWND parentOrOwner, HMENU menuOrId,
                     WNDPROC proc, void* param);
BOOL DestroyWindow(HWND hwnd);
BOOL IsWindow(HWND hwnd);
BOOL IsWindowVisible(HWND hwnd);
BOOL IsWindowEnabled(HWND hwnd);
BOOL EnableWindow(HWND hwnd, BOOL enable);
constexpr int SW_HIDE = 0, SW_SHOWNORMAL = 1, SW_SHOW = 5, SW_SHOWNA = 8;
BOOL ShowWindow(HWND hwnd, int command);
HWND GetParent(HWND hwnd);
// Among top-level windows the order runs across the device's windows and,
// below them, the other programs' windows on the host (HostWindows.h), so a
// walk from GW_HWNDLAST up with GW_HWNDPREV meets every application.
HWND GetWindow(HWND hwnd, UINT relation);
constexpr UINT GW_HWNDFIRST = 0, GW_HWNDLAST = 1, GW_HWNDNEXT = 2, GW_HWNDPREV = 3, GW_OWNER = 4,
               GW_CHILD = 5;
// The first top-level window, from the top, with that class (ignoring case)
// and title (exactly); a null argument matches any.
HWND FindWindowW(const char16_t* className, const char16_t* title);
// The thread that owns the window, and its process into `processId` (when
// given; 0 when there is no such window). The device's windows belong to
// this program's one user-interface thread; a host window's thread is its
// client (all windows of one program share it).
DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* processId);
// Copies the class name ("Dialog" for dialogs), truncated to `capacity` - 1
// characters; the length copied, 0 when there is no such window.
int GetClassNameW(HWND hwnd, char16_t* buffer, int capacity);
int GetWindowTextLengthW(HWND hwnd);
HWND GetDlgItem(HWND dialog, int id);
int GetDlgCtrlID(HWND hwnd);
BOOL SetWindowTextW(HWND hwnd, const char16_t* text);
int GetWindowTextW(HWND hwnd, char16_t* buffer, int capacity);
std::u16string GetWindowText(HWND hwnd);
BOOL GetWindowRect(HWND hwnd, RECT* rect); // screen coordinates
BOOL GetClientRect(HWND hwnd, RECT* rect);
BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
constexpr HWND HWND_TOP = nullptr;
inline const HWND HWND_BOTTOM = reinterpret_cast<HWND>(1);
inline const HWND HWND_TOPMOST = reinterpret_cast<HWND>(-1);
constexpr UINT SWP_NOSIZE = 0x0001, SWP_NOMOVE = 0x0002, SWP_NOZORDER = 0x0004,
               SWP_NOACTIVATE = 0x0010, SWP_SHOWWINDOW = 0x0040, SWP_HIDEWINDOW = 0x0080;
BOOL SetWindowPos(HWND hwnd, HWND after, int x, int y, int width, int height, UINT flags);
BOOL BringWindowToTop(HWND hwnd);
BOOL SetForegroundWindow(HWND hwnd);
HWND GetForegroundWindow();
HWND SetActiveWindow(HWND hwnd);
HWND GetActiveWindow();
HWND SetFocus(HWND hwnd);
HWND GetFocus();
HWND SetCapture(HWND hwnd);
BOOL ReleaseCapture();
HWND GetCapture();
BOOL ClientToScreen(HWND hwnd, POINT* point);
BOOL ScreenToClient(HWND hwnd, POINT* point);
HWND WindowFromPoint(POINT screenPoint);
// Per-window user data (the framework keeps its CWnd pointer here).
constexpr int GWL_USERDATA = -21, GWL_STYLE = -16, GWL_ID = -12;
std::intptr_t SetWindowLongW(HWND hwnd, int index, std::intptr_t value);
std::intptr_t GetWindowLongW(HWND hwnd, int index);

// --- Messages and loops --------------------------------------------------------
struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
};
LRESULT SendMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// To another program's window only the close requests can be posted:
// WM_CLOSE, and WM_COMMAND with IDCANCEL (which ends a dialog); both ask
// its host to close it. Nothing can be sent to it.
BOOL PostMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);
BOOL GetMessageW(MSG* msg, HWND hwnd, UINT min, UINT max);
constexpr UINT PM_NOREMOVE = 0, PM_REMOVE = 1;
BOOL PeekMessageW(MSG* msg, HWND hwnd, UINT min, UINT max, UINT remove);
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessageW(const MSG* msg);
LRESULT DefWindowProcW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
DWORD GetMessagePos(); // screen position of the last message read, MAKELPARAM(x, y)
DWORD GetTickCount();
void Sleep(DWORD ms);

// --- Scroll bars -------------------------------------------------------------------
// WM_HSCROLL / WM_VSCROLL: LOWORD(wParam) is what to do, HIWORD(wParam) the
// thumb's position for SB_THUMBTRACK and SB_THUMBPOSITION; lParam is the
// scroll bar control, null for the window's own bar. A control that draws
// its own bars sends them to itself as the stylus works them, as the system
// does for a window's standard bars.
constexpr int SB_HORZ = 0, SB_VERT = 1, SB_CTL = 2;
constexpr int SB_LINEUP = 0, SB_LINELEFT = 0, SB_LINEDOWN = 1, SB_LINERIGHT = 1, SB_PAGEUP = 2,
              SB_PAGELEFT = 2, SB_PAGEDOWN = 3, SB_PAGERIGHT = 3, SB_THUMBPOSITION = 4,
              SB_THUMBTRACK = 5, SB_TOP = 6, SB_LEFT = 6, SB_BOTTOM = 7, SB_RIGHT = 7,
              SB_ENDSCROLL = 8;
constexpr UINT SIF_RANGE = 0x0001, SIF_PAGE = 0x0002, SIF_POS = 0x0004,
               SIF_DISABLENOSCROLL = 0x0008, SIF_TRACKPOS = 0x0010,
               SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
struct SCROLLINFO {
    UINT cbSize;
    UINT fMask;
    int nMin;
    int nMax;
    UINT nPage;
    int nPos;
    int nTrackPos;
};
// A window's scroll bars are the ones it draws itself: these ask it with
// SBM_GETSCROLLINFO / SBM_SETSCROLLINFO, wParam naming the bar (SB_HORZ,
// SB_VERT). A window without that bar answers 0: GetScrollInfo is FALSE.
// A control keeps its own range and page; setting SIF_POS scrolls it there
// (clamped), and SetScrollInfo returns the position it took.
constexpr UINT SBM_SETSCROLLINFO = 0x00E9, SBM_GETSCROLLINFO = 0x00EA;
BOOL GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* info);
int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, BOOL redraw);
int GetScrollPos(HWND hwnd, int bar);
int SetScrollPos(HWND hwnd, int bar, int position, BOOL redraw);

// --- Timers ----------------------------------------------------------------------
std::uintptr_t SetTimer(HWND hwnd, std::uintptr_t id, UINT elapseMs, void* unused);
BOOL KillTimer(HWND hwnd, std::uintptr_t id);

// --- Painting --------------------------------------------------------------------
struct PAINTSTRUCT {
    HDC hdc;
    BOOL fErase;
    RECT rcPaint;
};
HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint);
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint);
BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);
BOOL ValidateRect(HWND hwnd, const RECT* rect);
BOOL UpdateWindow(HWND hwnd);
HDC GetDC(HWND hwnd);
int ReleaseDC(HWND hwnd, HDC hdc);

// --- Menus -------------------------------------------------------------------------
constexpr UINT MF_STRING = 0x0000, MF_ENABLED = 0x0000, MF_GRAYED = 0x0001, MF_DISABLED = 0x0002,
               MF_CHECKED = 0x0008, MF_POPUP = 0x0010, MF_SEPARATOR = 0x0800, MF_BYCOMMAND = 0x0000,
               MF_BYPOSITION = 0x0400;
constexpr UINT TPM_LEFTALIGN = 0x0000, TPM_TOPALIGN = 0x0000, TPM_RETURNCMD = 0x0100;
HMENU CreateMenu();
HMENU CreatePopupMenu();
BOOL AppendMenuW(HMENU menu, UINT flags, std::uintptr_t idOrSubmenu, const char16_t* text);
BOOL DestroyMenu(HMENU menu);
HMENU GetSubMenu(HMENU menu, int position);
int GetMenuItemCount(HMENU menu);
UINT GetMenuItemID(HMENU menu, int position);
UINT GetMenuState(HMENU menu, UINT item, UINT flags);
UINT EnableMenuItem(HMENU menu, UINT item, UINT flags); // returns the previous state or -1
// Runs a modal pop-up menu at the screen point. The chosen command reaches
// `owner` as WM_COMMAND (or is returned with TPM_RETURNCMD); 0 when dismissed.
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner,
                    const RECT* unused);

// --- Message boxes ---------------------------------------------------------------
constexpr UINT MB_OK = 0x0000, MB_OKCANCEL = 0x0001, MB_YESNO = 0x0004, MB_ICONSTOP = 0x0010,
               MB_ICONERROR = 0x0010, MB_ICONQUESTION = 0x0020, MB_ICONEXCLAMATION = 0x0030,
               MB_ICONWARNING = 0x0030, MB_ICONINFORMATION = 0x0040, MB_SETFOREGROUND = 0x00010000;
constexpr int IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7;
int MessageBoxW(HWND owner, const char16_t* text, const char16_t* caption, UINT type);

// --- Cursor ------------------------------------------------------------------------
// The wait cursor: shown over the screen while a long operation runs.
void SetWaitCursor(bool on);
