#pragma once
// The common controls: the list view ("SysListView32") in report mode, its
// styles, messages, structures and the WM_NOTIFY codes it sends its parent.
// Notifications carry an NMHDR (WinUser.h) with the list's handle and id.

#include "platform/user/Controls.h"

inline constexpr const char16_t* WC_LISTVIEW = u"SysListView32";

// --- Styles ------------------------------------------------------------------------
constexpr DWORD LVS_ICON = 0x0000, LVS_REPORT = 0x0001, LVS_SMALLICON = 0x0002, LVS_LIST = 0x0003,
                LVS_TYPEMASK = 0x0003, LVS_SINGLESEL = 0x0004, LVS_SHOWSELALWAYS = 0x0008,
                LVS_NOCOLUMNHEADER = 0x4000, LVS_NOSORTHEADER = 0x8000;
constexpr DWORD LVS_EX_GRIDLINES = 0x0001, LVS_EX_FULLROWSELECT = 0x0020;

// --- Messages ------------------------------------------------------------------------
constexpr UINT LVM_FIRST = 0x1000;
constexpr UINT LVM_GETITEMCOUNT = LVM_FIRST + 4, LVM_DELETEITEM = LVM_FIRST + 8,
               LVM_DELETEALLITEMS = LVM_FIRST + 9, LVM_GETNEXTITEM = LVM_FIRST + 12,
               LVM_HITTEST = LVM_FIRST + 18, LVM_ENSUREVISIBLE = LVM_FIRST + 19,
               LVM_SCROLL = LVM_FIRST + 20, LVM_GETCOLUMNWIDTH = LVM_FIRST + 29,
               LVM_SETCOLUMNWIDTH = LVM_FIRST + 30, LVM_GETTOPINDEX = LVM_FIRST + 39,
               LVM_GETCOUNTPERPAGE = LVM_FIRST + 40, LVM_SETITEMSTATE = LVM_FIRST + 43,
               LVM_GETITEMSTATE = LVM_FIRST + 44, LVM_GETSELECTEDCOUNT = LVM_FIRST + 50,
               LVM_SETEXTENDEDLISTVIEWSTYLE = LVM_FIRST + 54,
               LVM_GETEXTENDEDLISTVIEWSTYLE = LVM_FIRST + 55, LVM_SUBITEMHITTEST = LVM_FIRST + 57,
               LVM_GETITEMW = LVM_FIRST + 75, LVM_SETITEMW = LVM_FIRST + 76,
               LVM_INSERTITEMW = LVM_FIRST + 77, LVM_GETSTRINGWIDTHW = LVM_FIRST + 87,
               LVM_GETCOLUMNW = LVM_FIRST + 95, LVM_SETCOLUMNW = LVM_FIRST + 96,
               LVM_INSERTCOLUMNW = LVM_FIRST + 97, LVM_GETITEMTEXTW = LVM_FIRST + 115,
               LVM_SETITEMTEXTW = LVM_FIRST + 116;
// Texts are UTF-16: the names without W are the same messages.
constexpr UINT LVM_GETITEM = LVM_GETITEMW, LVM_SETITEM = LVM_SETITEMW,
               LVM_INSERTITEM = LVM_INSERTITEMW, LVM_GETCOLUMN = LVM_GETCOLUMNW,
               LVM_SETCOLUMN = LVM_SETCOLUMNW, LVM_INSERTCOLUMN = LVM_INSERTCOLUMNW,
               LVM_GETITEMTEXT = LVM_GETITEMTEXTW, LVM_SETITEMTEXT = LVM_SETITEMTEXTW,
               LVM_GETSTRINGWIDTH = LVM_GETSTRINGWIDTHW;

// LVM_SETCOLUMNWIDTH: as wide as the widest text, or as the header too (the
// last column then fills the rest of the list).
constexpr int LVSCW_AUTOSIZE = -1, LVSCW_AUTOSIZE_USEHEADER = -2;

// --- Columns -------------------------------------------------------------------------
constexpr UINT LVCF_FMT = 0x0001, LVCF_WIDTH = 0x0002, LVCF_TEXT = 0x0004, LVCF_SUBITEM = 0x0008;
constexpr int LVCFMT_LEFT = 0x0000, LVCFMT_RIGHT = 0x0001, LVCFMT_CENTER = 0x0002,
              LVCFMT_JUSTIFYMASK = 0x0003;
struct LVCOLUMNW {
    UINT mask;
    int fmt;
    int cx;
    char16_t* pszText;
    int cchTextMax;
    int iSubItem;
};
using LVCOLUMN = LVCOLUMNW;

// --- Items ---------------------------------------------------------------------------
constexpr UINT LVIF_TEXT = 0x0001, LVIF_IMAGE = 0x0002, LVIF_PARAM = 0x0004, LVIF_STATE = 0x0008;
constexpr UINT LVIS_FOCUSED = 0x0001, LVIS_SELECTED = 0x0002;
struct LVITEMW {
    UINT mask;
    int iItem;
    int iSubItem;
    UINT state;
    UINT stateMask;
    char16_t* pszText;
    int cchTextMax;
    int iImage;
    LPARAM lParam;
};
using LVITEM = LVITEMW;
// A text the list would ask its parent for; this list keeps texts itself and
// treats it as empty.
inline char16_t* const LPSTR_TEXTCALLBACKW = reinterpret_cast<char16_t*>(-1);

// LVM_GETNEXTITEM: the next item after wParam (-1: from the first) with all
// these states; LVNI_ALL: simply the next one.
constexpr UINT LVNI_ALL = 0x0000, LVNI_FOCUSED = 0x0001, LVNI_SELECTED = 0x0002;

// LVM_SCROLL: wParam pixels sideways, lParam pixels down (rounded up to
// whole rows); negative values scroll back.
// LVM_HITTEST and LVM_SUBITEMHITTEST: the item (and column) under pt, in
// the list's client coordinates and as scrolled. Outside the rows' area the
// flags say where: LVHT_ABOVE on the header, LVHT_BELOW and LVHT_TORIGHT
// on the bars (as outside the client area) or past the client area;
// LVHT_NOWHERE on the rows' area below the last item, or, for
// LVM_SUBITEMHITTEST, right of the last column.
constexpr UINT LVHT_NOWHERE = 0x0001, LVHT_ONITEMLABEL = 0x0004, LVHT_ONITEM = 0x000E,
               LVHT_ABOVE = 0x0008, LVHT_BELOW = 0x0010, LVHT_TORIGHT = 0x0020,
               LVHT_TOLEFT = 0x0040;
struct LVHITTESTINFO {
    POINT pt;
    UINT flags;
    int iItem;
    int iSubItem;
};

// --- Notifications (WM_NOTIFY, NMHDR::code) ----------------------------------------------
constexpr UINT NM_CLICK = static_cast<UINT>(-2), NM_DBLCLK = static_cast<UINT>(-3),
               NM_SETFOCUS = static_cast<UINT>(-7), NM_KILLFOCUS = static_cast<UINT>(-8);
constexpr UINT LVN_ITEMCHANGING = static_cast<UINT>(-100),
               LVN_ITEMCHANGED = static_cast<UINT>(-101), LVN_INSERTITEM = static_cast<UINT>(-102),
               LVN_DELETEITEM = static_cast<UINT>(-103),
               LVN_DELETEALLITEMS = static_cast<UINT>(-104),
               LVN_COLUMNCLICK = static_cast<UINT>(-108);

// LVN_ITEMCHANGING / LVN_ITEMCHANGED (uChanged LVIF_STATE, the item's whole
// state before and after), LVN_INSERTITEM, LVN_DELETEITEM, LVN_DELETEALLITEMS
// (iItem -1; an answer of TRUE spares the LVN_DELETEITEM of each item),
// LVN_COLUMNCLICK (iSubItem). A TRUE answer to LVN_ITEMCHANGING refuses the
// change.
struct NMLISTVIEW {
    NMHDR hdr;
    int iItem;
    int iSubItem;
    UINT uNewState;
    UINT uOldState;
    UINT uChanged;
    POINT ptAction;
    LPARAM lParam;
};
// NM_CLICK / NM_DBLCLK: the item and column under the stylus (iItem -1 on
// no item), ptAction in the list's client coordinates.
struct NMITEMACTIVATE {
    NMHDR hdr;
    int iItem;
    int iSubItem;
    UINT uNewState;
    UINT uOldState;
    UINT uChanged;
    POINT ptAction;
    LPARAM lParam;
    UINT uKeyFlags;
};
