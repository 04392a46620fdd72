#include "macrodlg/CBitmapPickerCombo.h"

#include <algorithm>

#include "platform/mfc/Bitmap.h"
#include "platform/mfc/BitmapImage.h"
#include "platform/mfc/ClassicLook.h"
#include "platform/mfc/Dc.h"
#include "platform/mfc/GdiColors.h"
#include "platform/mfc/GdiObjects.h"

namespace {

// The pictures are drawn whole: no colour of theirs is transparent (magenta appears in none).
constexpr COLORREF kOpaque = RGB(255, 0, 255);

}  // namespace

CBitmapPickerCombo::~CBitmapPickerCombo() {
    for (HBITMAP picture : m_pictures) {
        if (picture != nullptr)
            ::DeleteObject(picture);
    }
}

int CBitmapPickerCombo::AddBitmap(HBITMAP picture, const Mx_String& text) {
    const int index = AddString(text.c_str());
    if (index < 0) {
        if (picture != nullptr)
            ::DeleteObject(picture);
        return index;
    }
    m_pictures.insert(m_pictures.begin() + std::min<std::ptrdiff_t>(index, std::ptrdiff_t(m_pictures.size())),
                      picture);
    return index;
}

HBITMAP CBitmapPickerCombo::bitmapAt(int index) const {
    return index >= 0 && std::size_t(index) < m_pictures.size() ? m_pictures[std::size_t(index)] : nullptr;
}

void CBitmapPickerCombo::PreSubclassWindow() {
    CComboBox::PreSubclassWindow();
    ModifyStyle(CBS_OWNERDRAWVARIABLE, CBS_OWNERDRAWFIXED | CBS_HASSTRINGS);
}

BOOL CBitmapPickerCombo::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    auto* item = reinterpret_cast<LPDRAWITEMSTRUCT>(lParam);
    if (message != WM_DRAWITEM || item == nullptr)
        return CComboBox::OnChildNotify(message, wParam, lParam, result);
    CDC* dc = CDC::FromHandle(item->hDC);
    if (dc == nullptr)
        return TRUE;
    const int index = int(item->itemID);
    const bool enabled = !(item->itemState & ODS_DISABLED);
    const bool selected = (item->itemState & ODS_SELECTED) != 0;
    RECT area = item->rcItem;
    dc->FillSolidRect(&area, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (index < 0 || index >= GetCount()) {
        if (result)
            *result = TRUE;
        return TRUE;
    }
    int textLeft = int(area.left) + 2;
    if (const auto picture = ui::gdi::bitmap(bitmapAt(index)); picture && !picture->isNull()) {
        // The picture keeps its size; a row lower than the picture shows its middle.
        const int y = int(area.top + area.bottom - picture->height()) / 2;
        dc->DrawTransparent(int(area.left) + 2, y, *picture, picture->maskOf(ui::resolveColor(kOpaque)));
        textLeft += picture->width() + 4;
    }
    CString caption;
    GetLBText(index, caption);
    RECT label{textLeft, area.top, area.right, area.bottom};
    const COLORREF ink = GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    ui::classic::drawControlText(*dc, caption, label,
                                 DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS, enabled, ink);
    if ((item->itemState & ODS_FOCUS) && (item->itemState & ODS_COMBOBOXEDIT))
        dc->DrawFocusRect(&area);
    if (result)
        *result = TRUE;
    return TRUE;
}
