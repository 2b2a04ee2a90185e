#pragma once
// The device's drawing interface: device contexts, GDI objects, raster
// operations, text and fonts, DIB sections, bitmaps and icons by number.
// Semantics follow the device's graphics system; everything draws into
// 32-bit ARGB surfaces (platform/gdi/Surface.h).
//
// Handles are looked up in tables: a handle of something deleted is not
// found and the call fails (FALSE, 0, null or CLR_INVALID) without harm.
// Every drawing call is clipped to the surface and the DC's clip, whatever
// the coordinates. Texts drawn (DrawTextW, ExtTextOutW) are recorded on the
// surface; copies carry the records and opaque fills remove them.
// A new DC has the black pen, the white brush, the default font (13-pixel
// cell, a Tahoma-like sans), opaque white background and black text. A
// memory DC starts with a 1 x 1 bitmap. One user-interface thread only.

#include <cstdint>
#include <string_view>

#include "platform/base/WinTypes.h"

namespace zorun {
class Surface;

// The surface a DC draws into now (a window's surface or the selected
// bitmap's); null for an unknown DC. For a DIB section the returned pixels
// are its bits decoded now; writing to them does not change the bits.
[[nodiscard]] Surface* SurfaceOfDC(HDC hdc);
[[nodiscard]] Surface* SurfaceOfBitmap(HBITMAP bitmap);
// A bitmap holding `surface` (with its text records); null when it is empty.
[[nodiscard]] HBITMAP CreateBitmapFromSurface(Surface surface);
} // namespace zorun

// --- Device contexts -------------------------------------------------------
// A DC that draws into `surface` with its (0,0) at `origin` of the surface and
// every pixel clipped to `clip` (surface coordinates). The window manager uses
// this for window DCs; the surface must outlive the DC.
HDC CreateSurfaceDC(zorun::Surface* surface, POINT origin, RECT clip);
HDC CreateCompatibleDC(HDC hdc);
BOOL DeleteDC(HDC hdc);
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object);
BOOL DeleteObject(HGDIOBJ object);
int SaveDC(HDC hdc);
BOOL RestoreDC(HDC hdc, int saved);
BOOL SetViewportOrgEx(HDC hdc, int x, int y, POINT* previous);
BOOL GetViewportOrgEx(HDC hdc, POINT* origin);
BOOL OffsetViewportOrgEx(HDC hdc, int dx, int dy, POINT* previous);
// Region results: 0 on failure.
constexpr int NULLREGION = 1, SIMPLEREGION = 2;
int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom);
// The clip rectangle in logical coordinates.
int GetClipBox(HDC hdc, RECT* box);

// --- Objects ---------------------------------------------------------------
constexpr int PS_SOLID = 0;
constexpr int PS_DASH = 1;
constexpr int PS_NULL = 5;
constexpr int WHITE_BRUSH = 0, LTGRAY_BRUSH = 1, GRAY_BRUSH = 2, DKGRAY_BRUSH = 3, BLACK_BRUSH = 4,
              NULL_BRUSH = 5, HOLLOW_BRUSH = 5, WHITE_PEN = 6, BLACK_PEN = 7, NULL_PEN = 8,
              SYSTEM_FONT = 13, DEFAULT_GUI_FONT = 17;
HBRUSH CreateSolidBrush(COLORREF color);
HPEN CreatePen(int style, int width, COLORREF color);
HGDIOBJ GetStockObject(int object);
constexpr UINT OBJ_PEN = 1, OBJ_BRUSH = 2, OBJ_FONT = 6, OBJ_BITMAP = 7;
HGDIOBJ GetCurrentObject(HDC hdc, UINT type);
HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height);

struct BITMAP {
    LONG bmType;
    LONG bmWidth;
    LONG bmHeight;
    LONG bmWidthBytes;
    WORD bmPlanes;
    WORD bmBitsPixel;
    void* bmBits;
};
// BITMAP for bitmaps, LOGFONTW for fonts; with out == nullptr, the size needed.
int GetObjectW(HGDIOBJ object, int size, void* out);

// --- Raster operations -----------------------------------------------------
constexpr DWORD SRCCOPY = 0x00CC0020;
constexpr DWORD SRCPAINT = 0x00EE0086;
constexpr DWORD SRCAND = 0x008800C6;
constexpr DWORD SRCINVERT = 0x00660046;
constexpr DWORD PATCOPY = 0x00F00021;
constexpr DWORD PATINVERT = 0x005A0049;
constexpr DWORD DSTINVERT = 0x00550009;
constexpr DWORD BLACKNESS = 0x00000042;
constexpr DWORD WHITENESS = 0x00FF0062;
BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY, DWORD rop);
// Nearest-neighbour sampling.
BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY,
                int srcWidth, int srcHeight, DWORD rop);
BOOL PatBlt(HDC hdc, int x, int y, int width, int height, DWORD rop);
int FillRect(HDC hdc, const RECT* rect, HBRUSH brush);
int FrameRect(HDC hdc, const RECT* rect, HBRUSH brush);
// Fills with the brush and frames with the pen; a wide pen's frame lies inside.
BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom);
// Inverts every other pixel of the rectangle's 1-pixel frame: drawing the
// same rectangle twice restores every pixel.
BOOL DrawFocusRect(HDC hdc, const RECT* rect);
BOOL MoveToEx(HDC hdc, int x, int y, POINT* previous);
BOOL LineTo(HDC hdc, int x, int y);
COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color);
COLORREF GetPixel(HDC hdc, int x, int y);
constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;
BOOL InvertRect(HDC hdc, const RECT* rect);

// --- Text ------------------------------------------------------------------
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;
int SetBkMode(HDC hdc, int mode);
COLORREF SetTextColor(HDC hdc, COLORREF color);
COLORREF SetBkColor(HDC hdc, COLORREF color);
int GetBkMode(HDC hdc);
COLORREF GetTextColor(HDC hdc);
COLORREF GetBkColor(HDC hdc);

constexpr UINT DT_LEFT = 0x0000, DT_CENTER = 0x0001, DT_RIGHT = 0x0002, DT_VCENTER = 0x0004,
               DT_BOTTOM = 0x0008, DT_WORDBREAK = 0x0010, DT_SINGLELINE = 0x0020,
               DT_NOCLIP = 0x0100, DT_CALCRECT = 0x0400, DT_NOPREFIX = 0x0800,
               DT_END_ELLIPSIS = 0x8000;
// length -1: up to the NUL. Lines split at line feeds (DT_SINGLELINE: one
// line); DT_WORDBREAK wraps at spaces; "&" marks a mnemonic unless
// DT_NOPREFIX. Clipped to `rect` unless DT_NOCLIP. DT_CALCRECT only sets
// rect's right and bottom to the text's size. Returns the text's height.
int DrawTextW(HDC hdc, const char16_t* text, int length, RECT* rect, UINT format);
constexpr UINT ETO_OPAQUE = 0x0002, ETO_CLIPPED = 0x0004;
BOOL ExtTextOutW(HDC hdc, int x, int y, UINT options, const RECT* rect, const char16_t* text,
                 UINT length, const int* dx);
BOOL GetTextExtentPoint32W(HDC hdc, const char16_t* text, int length, SIZE* size);
BOOL GetTextExtentExPointW(HDC hdc, const char16_t* text, int length, int maxExtent, int* fit,
                           int* dx, SIZE* size);

struct TEXTMETRICW {
    LONG tmHeight, tmAscent, tmDescent, tmInternalLeading, tmExternalLeading, tmAveCharWidth,
        tmMaxCharWidth;
};
BOOL GetTextMetricsW(HDC hdc, TEXTMETRICW* metrics);

constexpr int FW_NORMAL = 400, FW_SEMIBOLD = 600, FW_BOLD = 700;
constexpr BYTE DEFAULT_QUALITY = 0, ANTIALIASED_QUALITY = 4, CLEARTYPE_QUALITY = 5;
struct LOGFONTW {
    LONG lfHeight;
    LONG lfWidth;
    LONG lfEscapement;
    LONG lfOrientation;
    LONG lfWeight;
    BYTE lfItalic;
    BYTE lfUnderline;
    BYTE lfStrikeOut;
    BYTE lfCharSet;
    BYTE lfOutPrecision;
    BYTE lfClipPrecision;
    BYTE lfQuality;
    BYTE lfPitchAndFamily;
    char16_t lfFaceName[32];
};
// lfHeight < 0: the em height in pixels; > 0: the cell height; 0: a 13-pixel
// cell. lfWeight >= 600 is bold; lfQuality 5 is LCD subpixel rendering, any
// other grey anti-aliasing. The face is matched through fontconfig (Arial
// gives Liberation Sans); characters the face lacks come from a fallback.
HFONT CreateFontIndirectW(const LOGFONTW* font);

// --- DIB sections ----------------------------------------------------------
constexpr DWORD BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3;
constexpr UINT DIB_RGB_COLORS = 0;
struct BITMAPINFOHEADER {
    DWORD biSize;
    LONG biWidth;
    LONG biHeight;
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
};
struct RGBQUAD {
    BYTE rgbBlue, rgbGreen, rgbRed, rgbReserved;
};
struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[256]; // colour table, or three DWORD masks for BI_BITFIELDS
};
// Creates a section whose bits (*bits, bottom-up unless biHeight < 0, rows
// padded to 4 bytes) the caller fills; the bitmap shows them when selected.
HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFO* info, UINT usage, void** bits, void* section,
                         DWORD offset);

// --- Resources by number ---------------------------------------------------
HBITMAP LoadBitmapW(HINSTANCE instance, int number);
HICON LoadIconW(HINSTANCE instance, int number);
namespace zorun {
// The bitmap `number` for a caller that keeps it for good: decoded straight
// into the bitmap, not also kept decoded for later loads (LoadBitmapW keeps
// each picture decoded, so a large one kept by its caller would be held twice).
[[nodiscard]] HBITMAP LoadKeptBitmap(int number);
} // namespace zorun
constexpr UINT DI_NORMAL = 0x0003;
// Blends the icon's straight alpha over the destination; width or height 0
// means the icon's own size, otherwise it is scaled (area average).
BOOL DrawIconEx(HDC hdc, int x, int y, HICON icon, int width, int height, UINT step, HBRUSH flicker,
                UINT flags);
BOOL DrawIcon(HDC hdc, int x, int y, HICON icon);
BOOL DestroyIcon(HICON icon);
