#pragma once
// MFC's CBrush (solid brushes only; hatched and pattern brushes are not used by the dialogs) and CPen.
#include "platform/mfc/GdiObject.h"
#include "platform/mfc/GdiObjects.h"

class CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
    BOOL CreateSolidBrush(COLORREF color);
    BOOL CreateSysColorBrush(int index);
    // The colour, or 0 when the brush is empty.
    COLORREF color() const;
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
};

class CPen : public CGdiObject {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }
    BOOL CreatePen(int style, int width, COLORREF color);
    operator HPEN() const { return static_cast<HPEN>(m_hObject); }
};
