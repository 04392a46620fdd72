#include "platform/mfc/CListBox.h"

#include <string>

BOOL CListBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(WC_LISTBOX, L"", style, rect, parent, id);
}

void CListBox::GetText(int index, CString& text) const {
    int length = GetTextLen(index);
    if (length < 0) {
        text.Empty();
        return;
    }
    std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
    GetText(index, buffer.data());
    buffer.resize(static_cast<std::size_t>(length));
    text = CString(std::move(buffer));
}
