#include "platform/mfc/CComboBox.h"

#include <string>

BOOL CComboBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(WC_COMBOBOX, L"", style, rect, parent, id);
}

void CComboBox::GetLBText(int index, CString& text) const {
    int length = GetLBTextLen(index);
    if (length < 0) {
        text.Empty();
        return;
    }
    std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
    GetLBText(index, buffer.data());
    buffer.resize(static_cast<std::size_t>(length));
    text = CString(std::move(buffer));
}
