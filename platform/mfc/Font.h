#pragma once
// MFC's CFont. A headless font has no glyphs: it is a face name, a height and a weight that controls
// carry and report, and that the device context uses to size text boxes (see Dc.h).
#include "platform/mfc/GdiObject.h"
#include "platform/mfc/GdiObjects.h"

constexpr int FW_DONTCARE = 0;
constexpr int FW_THIN = 100;
constexpr int FW_LIGHT = 300;
constexpr int FW_NORMAL = 400;
constexpr int FW_MEDIUM = 500;
constexpr int FW_SEMIBOLD = 600;
constexpr int FW_BOLD = 700;
constexpr int FW_HEAVY = 900;
constexpr BYTE DEFAULT_CHARSET = 1;
constexpr BYTE ANSI_CHARSET = 0;
constexpr BYTE OUT_DEFAULT_PRECIS = 0;
constexpr BYTE CLIP_DEFAULT_PRECIS = 0;
constexpr BYTE DEFAULT_QUALITY = 0;
constexpr BYTE DEFAULT_PITCH = 0;
constexpr BYTE FF_DONTCARE = 0;
constexpr BYTE FF_SWISS = 0x20;

class CFont : public CGdiObject {
public:
    BOOL CreateFontIndirect(const LOGFONT* font);
    BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                    BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                    BYTE quality, BYTE pitchAndFamily, LPCTSTR faceName);
    // Size in tenths of a point, converted to a pixel height at 96 dots per inch (negative: character
    // height, as Windows does).
    BOOL CreatePointFont(int pointSizeTenths, LPCTSTR faceName);

    int GetLogFont(LOGFONT* font) const;
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }
};

namespace ui {
// The face, height and weight of a font handle, or of the default GUI font (Tahoma, -11, normal) when
// the handle is null or dead, so code can always ask.
LOGFONT fontOrDefault(HFONT font);
}  // namespace ui
