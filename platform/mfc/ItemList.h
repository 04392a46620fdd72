#pragma once
// Internal: the item store shared by the combo box and list box procedures (texts with item data,
// optional case-insensitive sorting, prefix and exact search with Win32's wrap-around).
#include <string>
#include <vector>

#include "platform/mfc/Win32Types.h"

namespace ui {

class ItemList {
public:
    struct Item {
        std::wstring text;
        DWORD_PTR data = 0;
        bool selected = false;  // multiple-selection list boxes
    };

    int count() const { return static_cast<int>(m_items.size()); }
    bool valid(int index) const { return index >= 0 && index < count(); }
    Item& at(int index) { return m_items[static_cast<std::size_t>(index)]; }
    const Item& at(int index) const { return m_items[static_cast<std::size_t>(index)]; }
    // Sorted lists insert in place (case-insensitive); others append. Returns the index.
    int add(const std::wstring& text, bool sorted);
    // -1 appends; an index past the end fails with -1.
    int insert(int index, const std::wstring& text);
    bool remove(int index);
    void clear() { m_items.clear(); }
    // Searches after `startAfter` (-1 = from the start), wrapping once round; -1 when not found.
    int find(int startAfter, const std::wstring& text, bool exact) const;
    // LB_GETTEXT / CB_GETLBTEXT: copies item `index` with its terminator into `buffer` (when given) and
    // returns its length; -1 for an index out of range.
    long copyText(int index, wchar_t* buffer) const;
    std::vector<std::wstring> texts() const;

private:
    std::vector<Item> m_items;
};

}  // namespace ui
