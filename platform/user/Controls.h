#pragma once
// The built-in control classes: "STATIC", "BUTTON", "EDIT", "LISTBOX",
// "COMBOBOX". Their styles, messages and notification codes; the parent
// hears of changes as WM_COMMAND with MAKEWPARAM(id, code) and the control's
// handle in lParam. Before it paints, each control sends its parent the
// WM_CTLCOLOR* of its kind with its paint DC, so the parent can choose the
// colours and select a font; every control answers WM_SETFONT / WM_GETFONT.

#include "platform/user/WinUser.h"

// --- Static ----------------------------------------------------------------------
constexpr DWORD SS_LEFT = 0x0000, SS_CENTER = 0x0001, SS_RIGHT = 0x0002, SS_ICON = 0x0003,
                SS_BITMAP = 0x000E, SS_TYPEMASK = 0x001F, SS_NOTIFY = 0x0100,
                SS_CENTERIMAGE = 0x0200;
constexpr UINT STM_SETICON = 0x0170, STM_GETICON = 0x0171, STM_SETIMAGE = 0x0172,
               STM_GETIMAGE = 0x0173;
constexpr UINT IMAGE_BITMAP = 0, IMAGE_ICON = 1;
constexpr UINT STN_CLICKED = 0;

// The kinds of WM_CTLCOLOR* a framework handler hears of.
constexpr UINT CTLCOLOR_MSGBOX = 0, CTLCOLOR_EDIT = 1, CTLCOLOR_LISTBOX = 2, CTLCOLOR_BTN = 3,
               CTLCOLOR_DLG = 4, CTLCOLOR_SCROLLBAR = 5, CTLCOLOR_STATIC = 6;

// --- Button ----------------------------------------------------------------------
constexpr DWORD BS_PUSHBUTTON = 0x0000, BS_DEFPUSHBUTTON = 0x0001, BS_CHECKBOX = 0x0002,
                BS_AUTOCHECKBOX = 0x0003, BS_RADIOBUTTON = 0x0004, BS_GROUPBOX = 0x0007,
                BS_AUTORADIOBUTTON = 0x0009, BS_TYPEMASK = 0x000F;
constexpr UINT BM_GETCHECK = 0x00F0, BM_SETCHECK = 0x00F1, BM_GETSTATE = 0x00F2,
               BM_SETSTATE = 0x00F3, BM_SETSTYLE = 0x00F4, BM_CLICK = 0x00F5;
constexpr int BST_UNCHECKED = 0, BST_CHECKED = 1, BST_PUSHED = 4;
constexpr UINT BN_CLICKED = 0;

// --- Edit ------------------------------------------------------------------------
constexpr DWORD ES_LEFT = 0x0000, ES_CENTER = 0x0001, ES_AUTOHSCROLL = 0x0080, ES_READONLY = 0x0800,
                ES_NUMBER = 0x2000;
constexpr UINT EM_GETSEL = 0x00B0, EM_SETSEL = 0x00B1, EM_REPLACESEL = 0x00C2,
               EM_LIMITTEXT = 0x00C5, EM_SETLIMITTEXT = EM_LIMITTEXT, EM_SETREADONLY = 0x00CF,
               EM_GETLIMITTEXT = 0x00D5, EM_CANUNDO = 0x00C6, EM_UNDO = 0x00C7,
               EM_EMPTYUNDOBUFFER = 0x00CD;
constexpr UINT EN_SETFOCUS = 0x0100, EN_KILLFOCUS = 0x0200, EN_CHANGE = 0x0300, EN_MAXTEXT = 0x0501;

// --- List box --------------------------------------------------------------------
constexpr DWORD LBS_NOTIFY = 0x0001, LBS_SORT = 0x0002, LBS_NOINTEGRALHEIGHT = 0x0100;
constexpr UINT LB_ADDSTRING = 0x0180, LB_INSERTSTRING = 0x0181, LB_DELETESTRING = 0x0182,
               LB_RESETCONTENT = 0x0184, LB_SETCURSEL = 0x0186, LB_GETCURSEL = 0x0188,
               LB_GETTEXT = 0x0189, LB_GETTEXTLEN = 0x018A, LB_GETCOUNT = 0x018B,
               LB_GETTOPINDEX = 0x018E, LB_SETTOPINDEX = 0x0197, LB_GETITEMDATA = 0x0199,
               LB_SETITEMDATA = 0x019A, LB_SETITEMHEIGHT = 0x01A0, LB_GETITEMHEIGHT = 0x01A1,
               LB_FINDSTRINGEXACT = 0x01A2;
constexpr UINT LBN_SELCHANGE = 1, LBN_DBLCLK = 2;
constexpr LRESULT LB_ERR = -1;

// --- Combo box (drop-down list) ----------------------------------------------------
// The items live in the combo box's list box ("ComboLBox"), which drops as a
// pop-up over the screen; the CB_ item messages are its LB_ messages.
constexpr DWORD CBS_DROPDOWNLIST = 0x0003, CBS_SORT = 0x0100;
constexpr UINT CB_GETCURSEL = 0x0147, CB_ADDSTRING = 0x0143, CB_DELETESTRING = 0x0144,
               CB_GETCOUNT = 0x0146, CB_GETLBTEXT = 0x0148, CB_GETLBTEXTLEN = 0x0149,
               CB_INSERTSTRING = 0x014A, CB_RESETCONTENT = 0x014B, CB_SETCURSEL = 0x014E,
               CB_SHOWDROPDOWN = 0x014F, CB_GETITEMDATA = 0x0150, CB_SETITEMDATA = 0x0151,
               CB_GETDROPPEDSTATE = 0x0157, CB_FINDSTRINGEXACT = 0x0158, CB_SETMINVISIBLE = 0x1701,
               CB_GETMINVISIBLE = 0x1702;
constexpr UINT CBN_SELCHANGE = 1, CBN_DROPDOWN = 7, CBN_CLOSEUP = 8, CBN_SELENDOK = 9,
               CBN_SELENDCANCEL = 10;
constexpr LRESULT CB_ERR = -1;

// Dialog-manager queries answered by controls.
constexpr UINT WM_GETDLGCODE = 0x0087;
constexpr LRESULT DLGC_WANTARROWS = 0x0001, DLGC_WANTTAB = 0x0002, DLGC_WANTALLKEYS = 0x0004,
                  DLGC_HASSETSEL = 0x0008, DLGC_DEFPUSHBUTTON = 0x0010,
                  DLGC_UNDEFPUSHBUTTON = 0x0020, DLGC_RADIOBUTTON = 0x0040, DLGC_WANTCHARS = 0x0080,
                  DLGC_STATIC = 0x0100, DLGC_BUTTON = 0x2000;

namespace zorun {
// Registers the built-in control classes (and the list view of CommCtrl.h)
// with the window system. Idempotent;
// the dialog manager calls it before it creates controls.
void RegisterBuiltinControls();
} // namespace zorun
