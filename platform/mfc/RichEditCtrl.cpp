#include "platform/mfc/RichEditCtrl.h"

#include <algorithm>
#include <cwchar>  // wcsncpy
#include <utility>  // exchange

#include "platform/mfc/GdiColors.h"
#include "platform/mfc/StandardClasses.h"
#include "platform/mfc/WindowClass.h"

namespace ui {

void registerRichEditClass()
{
    // The edit control's behaviour is the rich edit's too; only the wrapper differs.
    registerWindowClass({RICHEDIT_CLASS, [] { return makeEditProcedure(); },
                         [] { return std::make_unique<CRichEditCtrl>(); }});
}

}  // namespace ui

namespace {

void merge(CHARFORMAT& into, const CHARFORMAT& from)
{
    const DWORD effects = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE;
    into.dwEffects = (into.dwEffects & ~(from.dwMask & effects)) | (from.dwEffects & from.dwMask & effects);
    if (from.dwMask & CFM_COLOR) {
        into.crTextColor = from.crTextColor;
        into.dwEffects = (into.dwEffects & ~CFE_AUTOCOLOR) | (from.dwEffects & CFE_AUTOCOLOR);
    }
    if (from.dwMask & CFM_SIZE)
        into.yHeight = from.yHeight;
    if (from.dwMask & CFM_FACE)
        std::wcsncpy(into.szFaceName, from.szFaceName, 31);
    into.dwMask |= from.dwMask;
}

}  // namespace

BOOL CRichEditCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    if (!ui::isWindowClassRegistered(RICHEDIT_CLASS))
        ui::registerRichEditClass();
    return CWnd::Create(RICHEDIT_CLASS, L"", style | WS_CHILD, rect, parent, id);
}

BOOL CRichEditCtrl::SetSelectionCharFormat(const CHARFORMAT& format)
{
    int start = 0, end = 0;
    GetSel(start, end);
    if (start == end)
        return FALSE;
    m_ranges.push_back({std::min(start, end), std::max(start, end), format});
    return TRUE;
}

BOOL CRichEditCtrl::SetDefaultCharFormat(const CHARFORMAT& format)
{
    merge(m_default, format);
    return TRUE;
}

CHARFORMAT CRichEditCtrl::formatAt(int position) const
{
    CHARFORMAT result = m_default;
    for (const Range& range : m_ranges)
        if (position >= range.start && position < range.end)
            merge(result, range.format);
    return result;
}

COLORREF CRichEditCtrl::SetBackgroundColor(BOOL useSystemColor, COLORREF color)
{
    return std::exchange(m_background, useSystemColor ? GetSysColor(COLOR_WINDOW) : ui::resolveColor(color));
}

DWORD CRichEditCtrl::SetEventMask(DWORD mask)
{
    return std::exchange(m_eventMask, mask);
}

CString CRichEditCtrl::GetTextRange(int start, int end) const
{
    CString text;
    GetWindowText(text);
    const int length = text.GetLength();
    start = std::clamp(start, 0, length);
    end = end < 0 ? length : std::clamp(end, start, length);
    return text.Mid(start, end - start);
}
