#include "platform/mfc/ControlPainting.h"

#include <algorithm>

#include "platform/mfc/Bitmap.h"
#include "platform/mfc/CString.h"
#include "platform/mfc/Dc.h"
#include "platform/mfc/GdiColors.h"
#include "platform/mfc/GdiObjects.h"
#include "platform/mfc/Window.h"

namespace ui {

ControlFont::ControlFont(CDC& dc, const Window& window) : m_dc(dc) {
    const LOGFONT font = fontOrDefault(window.fontHandle);
    m_font.CreateFontIndirect(&font);
    m_previous = m_dc.SelectObject(&m_font);
}

ControlFont::~ControlFont() {
    m_dc.SelectObject(m_previous);
}

bool hasFocus(const Window& window) {
    return focusWindow() == window.handle;
}

CSize pictureSize(HANDLE picture) {
    const auto image = gdi::bitmap(static_cast<HBITMAP>(picture));
    return image ? CSize(image->width(), image->height()) : CSize();
}

void drawBitmap(CDC& dc, HBITMAP bitmap, int x, int y) {
    const auto image = gdi::bitmap(bitmap);
    if (!image || image->isNull())
        return;
    // An all-black mask keeps every pixel of the picture.
    dc.DrawTransparent(x, y, *image, BitmapImage(image->width(), image->height(), 0x000000));
}

void drawPicture(CDC& dc, HANDLE picture, bool icon, int x, int y) {
    if (icon)
        dc.DrawIcon(x, y, static_cast<HICON>(picture));
    else
        drawBitmap(dc, static_cast<HBITMAP>(picture), x, y);
}

std::wstring maskedText(const std::wstring& text, wchar_t bullet) {
    return std::wstring(text.size(), bullet);
}

void drawFieldLine(CDC& dc, const FieldLine& line, const RECT& area, UINT format) {
    const int length = static_cast<int>(line.text.size());
    auto widthTo = [&](int chars) {
        return int(
            dc.GetTextExtent(CString(line.text.substr(0, std::size_t(std::clamp(chars, 0, length))))).cx);
    };
    const int areaWidth = int(area.right - area.left);
    const int total = widthTo(length);
    int x = int(area.left);
    if (total <= areaWidth) {
        if (format & DT_CENTER)
            x += (areaWidth - total) / 2;
        else if (format & DT_RIGHT)
            x = int(area.right) - total;
    } else {
        // Scrolled as little as keeps the caret inside the area.
        const int caretX = widthTo(line.caret);
        x -= std::max(0, caretX - areaWidth + 1);
    }
    const int lineHeight = int(dc.GetTextExtent(CString(L"Xg")).cy);
    const int y = (format & DT_VCENTER) ? int(area.top + area.bottom - lineHeight) / 2 : int(area.top);
    const int mode = dc.SetBkMode(TRANSPARENT);
    const COLORREF previous = dc.SetTextColor(GetSysColor(line.enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    dc.TextOut(x, y, CString(line.text));
    const int from = std::clamp(std::min(line.selectionStart, line.selectionEnd), 0, length);
    const int to = std::clamp(std::max(line.selectionStart, line.selectionEnd), 0, length);
    if (line.showSelection && from < to) {
        const int left = x + widthTo(from), right = x + widthTo(to);
        dc.FillSolidRect(left, y, right - left, lineHeight, GetSysColor(COLOR_HIGHLIGHT));
        dc.SetTextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
        dc.TextOut(left, y, CString(line.text.substr(std::size_t(from), std::size_t(to - from))));
    }
    dc.SetTextColor(previous);
    dc.SetBkMode(mode);
}

void askParentToDraw(const Window& control, CDC& dc, UINT type, int item, const RECT& rect, UINT state,
                     DWORD_PTR data) {
    if (!control.parent)
        return;
    DRAWITEMSTRUCT draw;
    draw.CtlType = type;
    draw.CtlID = static_cast<UINT>(control.id);
    draw.itemID = static_cast<UINT>(item);
    draw.itemAction = ODA_DRAWENTIRE;
    draw.itemState = state | (control.isEnabled() ? 0 : ODS_DISABLED);
    draw.hwndItem = control.handle;
    draw.hDC = dc.GetSafeHdc();
    draw.rcItem = rect;
    draw.itemData = data;
    sendMessage(control.parent->handle, WM_DRAWITEM, static_cast<WPARAM>(control.id),
                reinterpret_cast<LPARAM>(&draw));
}

int lineHeightOf(const Window& window) {
    CDC measuring;
    ControlFont font(measuring, window);
    return std::max(1, int(measuring.GetTextExtent(CString(L"Xg")).cy));
}

void drawListItems(CDC& dc, const std::vector<std::wstring>& texts, const std::vector<bool>& selected,
                   const RECT& area, const ListLook& look) {
    dc.FillSolidRect(&area, GetSysColor(look.enabled ? COLOR_WINDOW : COLOR_BTNFACE));
    const int count = static_cast<int>(texts.size());
    for (int index = std::max(0, look.top); index < count; ++index) {
        const int top = int(area.top) + (index - look.top) * look.itemHeight;
        if (top >= area.bottom)
            break;
        const RECT row{area.left, top, area.right, top + look.itemHeight};
        const bool highlighted = index < int(selected.size()) && selected[std::size_t(index)];
        if (highlighted)
            dc.FillSolidRect(&row, GetSysColor(COLOR_HIGHLIGHT));
        RECT text{row.left + 2, row.top, row.right - 1, row.bottom};
        const COLORREF ink = !look.enabled ? GetSysColor(COLOR_GRAYTEXT)
                             : highlighted ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                                           : GetSysColor(COLOR_WINDOWTEXT);
        const int mode = dc.SetBkMode(TRANSPARENT);
        const COLORREF previous = dc.SetTextColor(ink);
        dc.DrawText(CString(texts[std::size_t(index)]), &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        dc.SetTextColor(previous);
        dc.SetBkMode(mode);
        if (index == look.focus)
            dc.DrawFocusRect(&row);
    }
}

}  // namespace ui
