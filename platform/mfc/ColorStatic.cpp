#include "platform/mfc/ColorStatic.h"

#include "platform/mfc/ControlPainting.h"
#include "platform/mfc/Dc.h"
#include "platform/mfc/GdiColors.h"
#include "platform/mfc/Window.h"

void CColorStatic::SetTextColor(COLORREF color) {
    m_text = color;
    if (m_hWnd)
        Invalidate();
}

void CColorStatic::SetBkColor(COLORREF color) {
    m_background = color;
    if (m_hWnd)
        Invalidate();
}

void CColorStatic::paint(CDC* dc) {
    const ui::Window* window = ui::windowFromHandle(m_hWnd);
    if (!dc || !window)
        return;
    // The label's own font, as the system draws static text.
    ui::ControlFont font(*dc, *window);
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(&client, ui::resolveColor(m_background));
    CString text;
    GetWindowText(text);
    const DWORD align = GetStyle() & SS_TYPEMASK;
    UINT format = DT_WORDBREAK | DT_NOPREFIX;
    if (align == SS_CENTER)
        format |= DT_CENTER;
    else if (align == SS_RIGHT)
        format |= DT_RIGHT;
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(ui::resolveColor(m_text));
    dc->DrawText(text, &client, format);
}

void CColorStatic::OnPaint() {
    CPaintDC dc(this);
    paint(&dc);
}

BOOL CColorStatic::OnEraseBkgnd(CDC*) {
    // Painting covers the whole client area; erasing first would only flicker.
    return TRUE;
}
