#include "platform/mfc/ItemList.h"

#include <algorithm>
#include <cwctype>

namespace ui {
namespace {

int compareNoCase(const std::wstring& a, const std::wstring& b) {
    std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        wint_t x = std::towlower(a[i]), y = std::towlower(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool startsWithNoCase(const std::wstring& text, const std::wstring& prefix) {
    if (prefix.size() > text.size()) return false;
    return compareNoCase(text.substr(0, prefix.size()), prefix) == 0;
}

}  // namespace

int ItemList::add(const std::wstring& text, bool sorted) {
    std::size_t at = m_items.size();
    if (sorted) {
        at = 0;
        while (at < m_items.size() && compareNoCase(m_items[at].text, text) <= 0) ++at;
    }
    m_items.insert(m_items.begin() + static_cast<std::ptrdiff_t>(at), Item{text});
    return static_cast<int>(at);
}

int ItemList::insert(int index, const std::wstring& text) {
    if (index == -1) index = count();
    if (index < 0 || index > count()) return -1;
    m_items.insert(m_items.begin() + index, Item{text});
    return index;
}

bool ItemList::remove(int index) {
    if (!valid(index)) return false;
    m_items.erase(m_items.begin() + index);
    return true;
}

int ItemList::find(int startAfter, const std::wstring& text, bool exact) const {
    int n = count();
    if (n == 0) return -1;
    int first = valid(startAfter) ? startAfter + 1 : 0;
    for (int k = 0; k < n; ++k) {
        int i = (first + k) % n;
        const std::wstring& item = m_items[static_cast<std::size_t>(i)].text;
        if (exact ? compareNoCase(item, text) == 0 : startsWithNoCase(item, text)) return i;
    }
    return -1;
}

std::vector<std::wstring> ItemList::texts() const {
    std::vector<std::wstring> all;
    all.reserve(m_items.size());
    for (const Item& i : m_items) all.push_back(i.text);
    return all;
}

long ItemList::copyText(int index, wchar_t* buffer) const
{
    if (!valid(index))
        return -1;
    const std::wstring& item = at(index).text;
    if (buffer) {
        std::copy(item.begin(), item.end(), buffer);
        buffer[item.size()] = L'\0';
    }
    return static_cast<long>(item.size());
}

}  // namespace ui
