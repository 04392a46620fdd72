#include "designer/CControlRect.h"

#include "platform/mfc/Win32Api.h"
#include "platform/mfc/Window.h"

CControlRect::CControlRect() {
    m_nStyle = solidLine | resizeOutside;
    m_nHandleSize = 5;
}

CControlRect::~CControlRect() {
    if (m_window && IsWindow(m_window))
        ::DestroyWindow(m_window);
}

bool CControlRect::create(DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style,
                          const CRect& rect, CWnd* parent, int id) {
    if (!parent || !parent->GetSafeHwnd())
        return false;
    ui::CreateParams params;
    params.className = className;
    params.text = text;
    params.style = style;
    params.exStyle = exStyle;
    params.rect = rect;
    params.parent = parent->GetSafeHwnd();
    params.id = id;
    m_window = ui::createWindow(params);
    return m_window != nullptr;
}

CWnd* CControlRect::window() const {
    return m_window && IsWindow(m_window) ? CWnd::FromHandle(m_window) : nullptr;
}

int CControlRect::resId() const {
    CWnd* wnd = window();
    return wnd ? wnd->GetDlgCtrlID() : 0;
}

void CControlRect::setRect(const CRect& rect) {
    m_rect = rect;
    m_rect.NormalizeRect();
    if (CWnd* wnd = window())
        wnd->MoveWindow(&m_rect, TRUE);
}
