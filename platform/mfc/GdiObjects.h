#pragma once
// The GDI object table: bitmaps, fonts, brushes and pens live here behind their handles, exactly as long
// as Windows would keep them (until DeleteObject). A handle is never reused, so a deleted handle is
// detectably dead, and liveCount() lets a test prove that a window released what it created.
#include <memory>

#include "platform/mfc/BitmapImage.h"
#include "platform/mfc/Win32Types.h"

struct HPEN__;
using HPEN = HPEN__*;

// The font description of Win32 (only what a headless font needs is interpreted: face, height, weight,
// italic, underline).
struct LOGFONT {
    LONG lfHeight = 0;
    LONG lfWidth = 0;
    LONG lfEscapement = 0;
    LONG lfOrientation = 0;
    LONG lfWeight = 0;
    BYTE lfItalic = 0;
    BYTE lfUnderline = 0;
    BYTE lfStrikeOut = 0;
    BYTE lfCharSet = 0;
    BYTE lfOutPrecision = 0;
    BYTE lfClipPrecision = 0;
    BYTE lfQuality = 0;
    BYTE lfPitchAndFamily = 0;
    WCHAR lfFaceName[32] = {};
};
using LOGFONTW = LOGFONT;

constexpr int PS_SOLID = 0;
constexpr int PS_DASH = 1;
constexpr int PS_DOT = 2;
constexpr int PS_NULL = 5;

namespace ui::gdi {

struct Pen {
    int style = PS_SOLID;
    int width = 1;
    COLORREF color = 0;
};

HBITMAP addBitmap(std::shared_ptr<BitmapImage> image);
// The picture behind a bitmap handle (shared: a bitmap selected into a device context is drawn on in
// place); null for a dead or foreign handle.
std::shared_ptr<BitmapImage> bitmap(HBITMAP handle);

HFONT addFont(const LOGFONT& font);
const LOGFONT* font(HFONT handle);

HBRUSH addBrush(COLORREF color);
// False for a dead handle. Stock objects are brushes too.
bool brushColor(HBRUSH handle, COLORREF& color);

HPEN addPen(const Pen& pen);
const Pen* pen(HPEN handle);

// Frees the object; false when the handle names nothing (already deleted or never made).
bool deleteObject(HGDIOBJ handle);
// Objects created and not yet deleted; tests compare it before and after to find leaks.
int liveCount();

}  // namespace ui::gdi

BOOL DeleteObject(HGDIOBJ object);
HBRUSH CreateSolidBrush(COLORREF color);
HPEN CreatePen(int style, int width, COLORREF color);
