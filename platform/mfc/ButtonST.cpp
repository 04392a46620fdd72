#include "platform/mfc/ButtonST.h"

#include "platform/mfc/Bitmap.h"
#include "platform/mfc/GdiObjects.h"

CButtonST::~CButtonST()
{
    releasePicture();
}

void CButtonST::releasePicture()
{
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

BOOL CButtonST::SetIcon(int iconId)
{
    if (iconId == 0) {
        releasePicture();
        return TRUE;
    }
    HICON icon = LoadIcon(nullptr, MAKEINTRESOURCE(iconId));
    if (!icon)
        return FALSE;
    return SetIcon(icon);
}

BOOL CButtonST::SetIcon(HICON icon)
{
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

BOOL CButtonST::SetBitmaps(int bitmapId, COLORREF transparent)
{
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

BOOL CButtonST::SetBitmapFile(const std::wstring& path, COLORREF transparent)
{
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

void CButtonST::SetTooltipText(LPCTSTR text, BOOL activate)
{
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

void CButtonST::SetTooltipText(int textResourceId, BOOL activate)
{
    CString text;
    text.LoadString(UINT(textResourceId));
    SetTooltipText(text.GetString(), activate);
}

void CButtonST::ActivateTooltip(BOOL activate)
{
    if (m_tooltip.GetSafeHwnd())
        m_tooltip.Activate(activate);
}

CString CButtonST::tooltipText() const
{
    CString text;
    if (m_tooltip.GetSafeHwnd())
        m_tooltip.GetText(text, const_cast<CButtonST*>(this));
    return text;
}
