#include "platform/mfc/Menu.h"

#include <algorithm>
#include <utility>  // exchange
#include <memory>
#include <unordered_map>

#include "platform/mfc/CWnd.h"
#include "platform/mfc/MessageLoop.h"

namespace {

struct Item {
    UINT id = 0;
    std::wstring text;
    UINT state = 0;  // MF_GRAYED, MF_DISABLED, MF_CHECKED, MFT_RADIOCHECK, MF_SEPARATOR, MF_POPUP
    HMENU subMenu = nullptr;
};

struct MenuData {
    std::vector<Item> items;
};

struct MenuTable {
    std::uintptr_t next = 0x7000;
    std::unordered_map<std::uintptr_t, MenuData> menus;
};

MenuTable& table()
{
    static MenuTable t;
    return t;
}

MenuData* find(HMENU menu)
{
    const auto it = table().menus.find(reinterpret_cast<std::uintptr_t>(menu));
    return it == table().menus.end() ? nullptr : &it->second;
}

HMENU create()
{
    const std::uintptr_t key = table().next++;
    table().menus.emplace(key, MenuData{});
    return reinterpret_cast<HMENU>(key);
}

// The item named by position or by command id (searched in sub-menus too, as Windows does).
Item* locate(HMENU menu, UINT item, UINT flags, HMENU* owner = nullptr)
{
    MenuData* data = find(menu);
    if (!data)
        return nullptr;
    if (flags & MF_BYPOSITION) {
        if (item >= data->items.size())
            return nullptr;
        if (owner)
            *owner = menu;
        return &data->items[item];
    }
    for (Item& entry : data->items) {
        if (!(entry.state & (MF_POPUP | MF_SEPARATOR)) && entry.id == item) {
            if (owner)
                *owner = menu;
            return &entry;
        }
        if (entry.state & MF_POPUP)
            if (Item* found = locate(entry.subMenu, item, flags, owner))
                return found;
    }
    return nullptr;
}

Item makeItem(UINT flags, UINT_PTR idOrSubMenu, LPCTSTR text)
{
    Item item;
    item.state = flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MFT_RADIOCHECK | MF_SEPARATOR | MF_POPUP);
    if (flags & MF_POPUP)
        item.subMenu = reinterpret_cast<HMENU>(idOrSubMenu);
    else
        item.id = static_cast<UINT>(idOrSubMenu);
    if (text && !(flags & MF_SEPARATOR))
        item.text = text;
    return item;
}

bool isChoosable(const std::vector<ui::MenuItem>& items, UINT id)
{
    for (const ui::MenuItem& item : items) {
        if (item.separator)
            continue;
        if (!item.subItems.empty() || item.id == 0) {
            if (isChoosable(item.subItems, id))
                return true;
            continue;
        }
        if (item.id == id && !item.grayed)
            return true;
    }
    return false;
}

}  // namespace

HMENU CreatePopupMenu()
{
    return create();
}

HMENU CreateMenu()
{
    return create();
}

BOOL DestroyMenu(HMENU menu)
{
    MenuData* data = find(menu);
    if (!data)
        return FALSE;
    const std::vector<Item> items = data->items;
    table().menus.erase(reinterpret_cast<std::uintptr_t>(menu));
    for (const Item& item : items)
        if (item.state & MF_POPUP)
            DestroyMenu(item.subMenu);
    return TRUE;
}

BOOL IsMenu(HMENU menu)
{
    return find(menu) ? TRUE : FALSE;
}

BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR idOrSubMenu, LPCTSTR text)
{
    MenuData* data = find(menu);
    if (!data)
        return FALSE;
    // A sub-menu must exist and must not contain the menu it joins (a cycle would never end).
    if (flags & MF_POPUP) {
        HMENU sub = reinterpret_cast<HMENU>(idOrSubMenu);
        if (!find(sub) || sub == menu)
            return FALSE;
    }
    data->items.push_back(makeItem(flags, idOrSubMenu, text));
    return TRUE;
}

BOOL InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR idOrSubMenu, LPCTSTR text)
{
    MenuData* data = find(menu);
    if (!data)
        return FALSE;
    if ((flags & MF_POPUP) && (!find(reinterpret_cast<HMENU>(idOrSubMenu)) || reinterpret_cast<HMENU>(idOrSubMenu) == menu))
        return FALSE;
    std::size_t at = data->items.size();
    if (flags & MF_BYPOSITION) {
        if (position != UINT(-1))
            at = std::min<std::size_t>(position, data->items.size());
    } else {
        const auto it = std::find_if(data->items.begin(), data->items.end(), [&](const Item& i) { return i.id == position; });
        if (it == data->items.end())
            return FALSE;
        at = std::size_t(it - data->items.begin());
    }
    data->items.insert(data->items.begin() + std::ptrdiff_t(at), makeItem(flags & ~MF_BYPOSITION, idOrSubMenu, text));
    return TRUE;
}

BOOL RemoveMenu(HMENU menu, UINT position, UINT flags)
{
    HMENU owner = nullptr;
    Item* item = locate(menu, position, flags, &owner);
    if (!item)
        return FALSE;
    MenuData* data = find(owner);
    data->items.erase(data->items.begin() + (item - data->items.data()));
    return TRUE;
}

BOOL DeleteMenu(HMENU menu, UINT position, UINT flags)
{
    HMENU owner = nullptr;
    Item* item = locate(menu, position, flags, &owner);
    if (!item)
        return FALSE;
    HMENU sub = (item->state & MF_POPUP) ? item->subMenu : nullptr;
    RemoveMenu(owner, UINT(item - find(owner)->items.data()), MF_BYPOSITION);
    if (sub)
        DestroyMenu(sub);
    return TRUE;
}

DWORD CheckMenuItem(HMENU menu, UINT itemId, UINT flags)
{
    Item* item = locate(menu, itemId, flags);
    if (!item)
        return DWORD(-1);
    const DWORD previous = item->state & MF_CHECKED;
    item->state = (item->state & ~MF_CHECKED) | (flags & MF_CHECKED);
    return previous;
}

BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags)
{
    MenuData* data = find(menu);
    if (!data)
        return FALSE;
    bool found = false;
    if (flags & MF_BYPOSITION) {
        for (UINT i = first; i <= last && i < data->items.size(); ++i) {
            Item& item = data->items[i];
            item.state &= ~(MF_CHECKED | MFT_RADIOCHECK);
            if (i == check)
                item.state |= MF_CHECKED | MFT_RADIOCHECK, found = true;
        }
    } else {
        for (Item& item : data->items) {
            if ((item.state & (MF_POPUP | MF_SEPARATOR)) || item.id < first || item.id > last)
                continue;
            item.state &= ~(MF_CHECKED | MFT_RADIOCHECK);
            if (item.id == check)
                item.state |= MF_CHECKED | MFT_RADIOCHECK, found = true;
        }
    }
    return found ? TRUE : FALSE;
}

BOOL EnableMenuItem(HMENU menu, UINT itemId, UINT flags)
{
    Item* item = locate(menu, itemId, flags);
    if (!item)
        return -1;
    const BOOL previous = BOOL(item->state & (MF_GRAYED | MF_DISABLED));
    item->state = (item->state & ~(MF_GRAYED | MF_DISABLED)) | (flags & (MF_GRAYED | MF_DISABLED));
    return previous;
}

int GetMenuItemCount(HMENU menu)
{
    MenuData* data = find(menu);
    return data ? int(data->items.size()) : -1;
}

UINT GetMenuItemID(HMENU menu, int position)
{
    MenuData* data = find(menu);
    if (!data || position < 0 || std::size_t(position) >= data->items.size())
        return UINT(-1);
    const Item& item = data->items[std::size_t(position)];
    if (item.state & MF_POPUP)
        return UINT(-1);
    return (item.state & MF_SEPARATOR) ? 0 : item.id;
}

UINT GetMenuState(HMENU menu, UINT itemId, UINT flags)
{
    Item* item = locate(menu, itemId, flags);
    return item ? item->state : UINT(-1);
}

int GetMenuString(HMENU menu, UINT itemId, LPTSTR buffer, int maxCount, UINT flags)
{
    Item* item = locate(menu, itemId, flags);
    if (!item)
        return 0;
    if (!buffer || maxCount <= 0)
        return int(item->text.size());
    const std::size_t count = std::min<std::size_t>(item->text.size(), std::size_t(maxCount - 1));
    std::copy_n(item->text.c_str(), count, buffer);
    buffer[count] = L'\0';
    return int(count);
}

HMENU GetSubMenu(HMENU menu, int position)
{
    MenuData* data = find(menu);
    if (!data || position < 0 || std::size_t(position) >= data->items.size())
        return nullptr;
    const Item& item = data->items[std::size_t(position)];
    return (item.state & MF_POPUP) ? item.subMenu : nullptr;
}

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT*)
{
    if (!find(menu))
        return FALSE;
    ui::PopupMenuRequest request;
    request.items = ui::menuItems(menu);
    request.at = POINT{x, y};
    request.owner = owner;
    const UINT picked = ui::activeDriver().popupMenu(request);
    // Only an item the user could click counts; a driver naming anything else dismissed the menu.
    const UINT command = picked != 0 && isChoosable(request.items, picked) ? picked : 0;
    if (flags & TPM_RETURNCMD)
        return BOOL(command);
    if (command == 0)
        return FALSE;
    if (owner)
        ui::postMessage(owner, WM_COMMAND, MAKEWPARAM(WORD(command), 0), 0);
    return TRUE;
}

namespace ui {

std::vector<MenuItem> menuItems(HMENU menu)
{
    std::vector<MenuItem> result;
    MenuData* data = find(menu);
    if (!data)
        return result;
    for (const Item& item : data->items) {
        MenuItem entry;
        entry.text = item.text;
        entry.separator = (item.state & MF_SEPARATOR) != 0;
        entry.checked = (item.state & MF_CHECKED) != 0;
        entry.grayed = (item.state & (MF_GRAYED | MF_DISABLED)) != 0;
        if (item.state & MF_POPUP)
            entry.subItems = menuItems(item.subMenu);
        else if (!entry.separator)
            entry.id = item.id;
        result.push_back(std::move(entry));
    }
    return result;
}

int liveMenuCount()
{
    return int(table().menus.size());
}

}  // namespace ui

CMenu::~CMenu()
{
    if (m_owns)
        DestroyMenu();
}

BOOL CMenu::CreatePopupMenu()
{
    if (m_hMenu)
        return FALSE;
    m_hMenu = ::CreatePopupMenu();
    return TRUE;
}

BOOL CMenu::CreateMenu()
{
    if (m_hMenu)
        return FALSE;
    m_hMenu = ::CreateMenu();
    return TRUE;
}

BOOL CMenu::DestroyMenu()
{
    if (!m_hMenu)
        return FALSE;
    const BOOL destroyed = ::DestroyMenu(m_hMenu);
    m_hMenu = nullptr;
    m_subMenuWrappers.clear();
    return destroyed;
}

BOOL CMenu::Attach(HMENU menu)
{
    if (m_hMenu || !::IsMenu(menu))
        return FALSE;
    m_hMenu = menu;
    return TRUE;
}

HMENU CMenu::Detach()
{
    m_subMenuWrappers.clear();
    return std::exchange(m_hMenu, nullptr);
}

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR idOrSubMenu, LPCTSTR text)
{
    return ::AppendMenu(m_hMenu, flags, idOrSubMenu, text);
}

BOOL CMenu::InsertMenu(UINT position, UINT flags, UINT_PTR idOrSubMenu, LPCTSTR text)
{
    return ::InsertMenu(m_hMenu, position, flags, idOrSubMenu, text);
}

BOOL CMenu::DeleteMenu(UINT position, UINT flags)
{
    return ::DeleteMenu(m_hMenu, position, flags);
}

BOOL CMenu::RemoveMenu(UINT position, UINT flags)
{
    return ::RemoveMenu(m_hMenu, position, flags);
}

UINT CMenu::CheckMenuItem(UINT item, UINT flags)
{
    return ::CheckMenuItem(m_hMenu, item, flags);
}

BOOL CMenu::CheckMenuRadioItem(UINT first, UINT last, UINT check, UINT flags)
{
    return ::CheckMenuRadioItem(m_hMenu, first, last, check, flags);
}

UINT CMenu::EnableMenuItem(UINT item, UINT flags)
{
    return UINT(::EnableMenuItem(m_hMenu, item, flags));
}

UINT CMenu::GetMenuItemCount() const
{
    return UINT(::GetMenuItemCount(m_hMenu));
}

UINT CMenu::GetMenuItemID(int position) const
{
    return ::GetMenuItemID(m_hMenu, position);
}

UINT CMenu::GetMenuState(UINT item, UINT flags) const
{
    return ::GetMenuState(m_hMenu, item, flags);
}

int CMenu::GetMenuString(UINT item, CString& text, UINT flags) const
{
    const int length = ::GetMenuString(m_hMenu, item, nullptr, 0, flags);
    std::wstring buffer(std::size_t(length) + 1, L'\0');
    ::GetMenuString(m_hMenu, item, buffer.data(), length + 1, flags);
    buffer.resize(std::size_t(length));
    text = CString(buffer);
    return length;
}

CMenu* CMenu::GetSubMenu(int position) const
{
    HMENU sub = ::GetSubMenu(m_hMenu, position);
    if (!sub)
        return nullptr;
    for (const auto& wrapper : m_subMenuWrappers)
        if (wrapper->m_hMenu == sub)
            return wrapper.get();
    auto wrapper = std::make_unique<CMenu>();
    wrapper->m_hMenu = sub;
    wrapper->m_owns = false;
    m_subMenuWrappers.push_back(std::move(wrapper));
    return m_subMenuWrappers.back().get();
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT rect)
{
    return ::TrackPopupMenu(m_hMenu, flags, x, y, 0, owner ? owner->GetSafeHwnd() : nullptr, rect);
}
