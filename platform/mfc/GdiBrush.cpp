#include "platform/mfc/GdiBrush.h"

#include "platform/mfc/GdiColors.h"

BOOL CBrush::CreateSolidBrush(COLORREF color)
{
    if (m_hObject != nullptr)
        return FALSE;
    m_hObject = ui::gdi::addBrush(ui::resolveColor(color));
    return TRUE;
}

BOOL CBrush::CreateSysColorBrush(int index)
{
    return CreateSolidBrush(GetSysColor(index));
}

COLORREF CBrush::color() const
{
    COLORREF color = 0;
    ui::gdi::brushColor(static_cast<HBRUSH>(m_hObject), color);
    return color;
}

BOOL CPen::CreatePen(int style, int width, COLORREF color)
{
    if (m_hObject != nullptr)
        return FALSE;
    m_hObject = ui::gdi::addPen({style, width, ui::resolveColor(color)});
    return TRUE;
}
