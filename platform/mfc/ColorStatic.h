#pragma once
// The core's CColorStatic: a static text with its own text and background colours (system-colour
// values allowed). It paints itself: the background, then the text with the static's alignment.
#include "platform/mfc/CStatic.h"

class CColorStatic : public CStatic {
public:
    void SetTextColor(COLORREF color);
    void SetBkColor(COLORREF color);
    COLORREF textColor() const { return m_text; }
    COLORREF bkColor() const { return m_background; }
    // Draws the control's client area on the context.
    void paint(CDC* dc);

protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;

private:
    COLORREF m_text = 0x80000000 | 18;         // COLOR_BTNTEXT
    COLORREF m_background = 0x80000000 | 15;   // COLOR_BTNFACE
};
