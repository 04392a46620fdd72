#include "platform/mfc/ButtonST.h"

#include "platform/mfc/Bitmap.h"
#include "platform/mfc/ClassicLook.h"
#include "platform/mfc/ControlPainting.h"
#include "platform/mfc/Dc.h"
#include "platform/mfc/GdiColors.h"
#include "platform/mfc/GdiObjects.h"
#include "platform/mfc/Window.h"

CButtonST::~CButtonST() {
    releasePicture();
}

void CButtonST::releasePicture() {
    if (m_picture) {
        // The button shows the picture through BM_SETIMAGE; take it back before deleting it.
        if (m_hWnd) {
            SetBitmap(nullptr);
            CButton::SetIcon(nullptr);
        }
        DeleteObject(m_picture);
        m_picture = nullptr;
    }
}

BOOL CButtonST::SetIcon(int iconId) {
    if (iconId == 0) {
        releasePicture();
        return TRUE;
    }
    HICON icon = LoadIcon(nullptr, MAKEINTRESOURCE(iconId));
    if (!icon)
        return FALSE;
    return SetIcon(icon);
}

BOOL CButtonST::SetIcon(HICON icon) {
    if (!ui::gdi::icon(icon))
        return FALSE;
    releasePicture();
    m_picture = reinterpret_cast<HBITMAP>(icon);
    const auto image = ui::gdi::icon(icon);
    m_transparent = image->pixel(0, image->height() - 1);
    if (m_hWnd)
        CButton::SetIcon(icon);
    return TRUE;
}

BOOL CButtonST::SetBitmaps(int bitmapId, COLORREF transparent) {
    HBITMAP bitmap = LoadBitmap(nullptr, MAKEINTRESOURCE(bitmapId));
    if (!bitmap)
        return FALSE;
    releasePicture();
    m_picture = bitmap;
    m_transparent = transparent;
    if (m_hWnd)
        SetBitmap(bitmap);
    return TRUE;
}

BOOL CButtonST::SetBitmapFile(const std::wstring& path, COLORREF transparent) {
    HBITMAP bitmap = ui::gdi::loadBitmapFile(path);
    if (!bitmap)
        return FALSE;
    releasePicture();
    m_picture = bitmap;
    m_transparent = transparent;
    if (m_hWnd)
        SetBitmap(bitmap);
    return TRUE;
}

void CButtonST::SetTooltipText(LPCTSTR text, BOOL activate) {
    if (!m_hWnd)
        return;
    if (!m_tooltip.GetSafeHwnd()) {
        if (!m_tooltip.Create(this))
            return;
        m_tooltip.AddTool(this, text ? text : L"");
    } else {
        m_tooltip.UpdateTipText(text ? text : L"", this);
    }
    m_tooltip.Activate(activate);
}

void CButtonST::SetTooltipText(int textResourceId, BOOL activate) {
    CString text;
    text.LoadString(UINT(textResourceId));
    SetTooltipText(text.GetString(), activate);
}

void CButtonST::ActivateTooltip(BOOL activate) {
    if (m_tooltip.GetSafeHwnd())
        m_tooltip.Activate(activate);
}

CString CButtonST::tooltipText() const {
    CString text;
    if (m_tooltip.GetSafeHwnd())
        m_tooltip.GetText(text, const_cast<CButtonST*>(this));
    return text;
}

void CButtonST::OnPaint() {
    CPaintDC dc(this);
    const ui::Window* window = ui::windowFromHandle(m_hWnd);
    if (!window)
        return;
    ui::ControlFont font(dc, *window);
    CRect client;
    GetClientRect(&client);
    const DWORD kind = GetStyle() & BS_TYPEMASK;
    const bool checkKind = kind != BS_PUSHBUTTON && kind != BS_DEFPUSHBUTTON && kind != BS_OWNERDRAW;
    const bool pushed = (GetState() & 0x0004) != 0 || (checkKind && GetCheck() == BST_CHECKED);
    RECT content = client;
    if (!m_border || (m_flat && !pushed)) {
        dc.FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
        content = {client.left + 2, client.top + 2, client.right - 2, client.bottom - 2};
    } else {
        content = ui::classic::drawPushButton(dc, client, pushed, kind == BS_DEFPUSHBUTTON);
    }
    CString text;
    GetWindowText(text);
    const bool enabled = IsWindowEnabled() != FALSE;
    if (const auto image = ui::gdi::bitmap(m_picture); image && !image->isNull()) {
        const int x =
            text.IsEmpty() ? int(content.left + content.right - image->width()) / 2 : int(content.left) + 2;
        const int y = int(content.top + content.bottom - image->height()) / 2;
        dc.DrawTransparent(x, y, *image, image->maskOf(ui::resolveColor(m_transparent)));
        content.left = x + image->width() + 4;
    }
    if (!text.IsEmpty())
        ui::classic::drawControlText(dc, text, content,
                                     DT_SINGLELINE | DT_VCENTER | (m_picture ? DT_LEFT : DT_CENTER), enabled);
    if (GetFocus() == this) {
        const RECT focus{client.left + 3, client.top + 3, client.right - 3, client.bottom - 3};
        dc.DrawFocusRect(&focus);
    }
}
