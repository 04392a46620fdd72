#include "designer/CControlRect.h"

CControlRect::CControlRect() {
    m_nStyle = solidLine | resizeOutside;
    m_nHandleSize = 5;
}

CControlRect::~CControlRect() {
    if (window.GetSafeHwnd())
        window.DestroyWindow();
}

int CControlRect::resId() const {
    return window.GetSafeHwnd() ? window.GetDlgCtrlID() : 0;
}

void CControlRect::setRect(const CRect& rect) {
    m_rect = rect;
    m_rect.NormalizeRect();
    if (window.GetSafeHwnd())
        window.MoveWindow(&m_rect, TRUE);
}
