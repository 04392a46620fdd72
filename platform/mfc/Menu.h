#pragma once
// Menus: MFC's CMenu over HMENU handles, with the Win32 calls behind it. A popup menu is shown by
// handing its items to the active UI driver (UiDriver.h), which picks one (tests script the pick; the
// command dismisses menus). The picked command reaches the owner as a posted WM_COMMAND, or is
// returned with TPM_RETURNCMD, as TrackPopupMenu does.
#include <memory>
#include <vector>

#include "platform/mfc/AfxTypes.h"
#include "platform/mfc/UiDriver.h"

class CWnd;

constexpr UINT MF_STRING = 0x0;
constexpr UINT MF_ENABLED = 0x0;
constexpr UINT MF_UNCHECKED = 0x0;
constexpr UINT MF_BYCOMMAND = 0x0;
constexpr UINT MF_GRAYED = 0x1;
constexpr UINT MF_DISABLED = 0x2;
constexpr UINT MF_CHECKED = 0x8;
constexpr UINT MF_POPUP = 0x10;
constexpr UINT MF_BYPOSITION = 0x400;
constexpr UINT MF_SEPARATOR = 0x800;
constexpr UINT MFT_RADIOCHECK = 0x200;
constexpr UINT MF_END = 0x80;

constexpr UINT TPM_LEFTBUTTON = 0x0;
constexpr UINT TPM_LEFTALIGN = 0x0;
constexpr UINT TPM_TOPALIGN = 0x0;
constexpr UINT TPM_RIGHTBUTTON = 0x2;
constexpr UINT TPM_CENTERALIGN = 0x4;
constexpr UINT TPM_RIGHTALIGN = 0x8;
constexpr UINT TPM_NONOTIFY = 0x80;
constexpr UINT TPM_RETURNCMD = 0x100;

HMENU CreatePopupMenu();
HMENU CreateMenu();
// Destroys the menu and, as Windows does, every sub-menu appended to it. False for a dead handle.
BOOL DestroyMenu(HMENU menu);
BOOL IsMenu(HMENU menu);
// For MF_POPUP items `idOrSubMenu` is the sub-menu's handle.
BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR idOrSubMenu, LPCTSTR text);
BOOL InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR idOrSubMenu, LPCTSTR text);
BOOL DeleteMenu(HMENU menu, UINT position, UINT flags);
BOOL RemoveMenu(HMENU menu, UINT position, UINT flags);
// Returns the previous check state (MF_CHECKED / MF_UNCHECKED), or -1 when there is no such item.
DWORD CheckMenuItem(HMENU menu, UINT item, UINT flags);
// Checks `check` with a radio mark and unchecks the others of first..last.
BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags);
// Returns the previous state (MF_ENABLED / MF_GRAYED / MF_DISABLED), or -1 when there is no such item.
BOOL EnableMenuItem(HMENU menu, UINT item, UINT flags);
int GetMenuItemCount(HMENU menu);
UINT GetMenuItemID(HMENU menu, int position);
// The state flags of the item (MF_CHECKED, MF_GRAYED, MF_SEPARATOR, MF_POPUP...), or -1.
UINT GetMenuState(HMENU menu, UINT item, UINT flags);
int GetMenuString(HMENU menu, UINT item, LPTSTR buffer, int maxCount, UINT flags);
HMENU GetSubMenu(HMENU menu, int position);
// With TPM_RETURNCMD returns the picked id (0 when dismissed) and sends nothing; otherwise posts
// WM_COMMAND(id) to the owner and returns TRUE when an item was picked.
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, const RECT* ignored);

namespace ui {
// The menu as the driver sees it (items, sub-menus, states).
std::vector<MenuItem> menuItems(HMENU menu);
// Menus created and not yet destroyed.
int liveMenuCount();
}  // namespace ui

class CMenu {
public:
    CMenu() = default;
    // Destroys the menu it still holds, as MFC does.
    ~CMenu();
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    HMENU m_hMenu = nullptr;
    HMENU GetSafeHmenu() const { return m_hMenu; }
    operator HMENU() const { return m_hMenu; }

    BOOL CreatePopupMenu();
    BOOL CreateMenu();
    BOOL DestroyMenu();
    BOOL Attach(HMENU menu);
    HMENU Detach();

    BOOL AppendMenu(UINT flags, UINT_PTR idOrSubMenu = 0, LPCTSTR text = nullptr);
    BOOL InsertMenu(UINT position, UINT flags, UINT_PTR idOrSubMenu = 0, LPCTSTR text = nullptr);
    BOOL DeleteMenu(UINT position, UINT flags);
    BOOL RemoveMenu(UINT position, UINT flags);
    UINT CheckMenuItem(UINT item, UINT flags);
    BOOL CheckMenuRadioItem(UINT first, UINT last, UINT check, UINT flags);
    UINT EnableMenuItem(UINT item, UINT flags);
    UINT GetMenuItemCount() const;
    UINT GetMenuItemID(int position) const;
    UINT GetMenuState(UINT item, UINT flags) const;
    int GetMenuString(UINT item, CString& text, UINT flags) const;
    // A sub-menu wrapper owned by this CMenu (not owning the sub-menu's handle); null when none.
    CMenu* GetSubMenu(int position) const;
    BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT rect = nullptr);

private:
    // Wrappers handed out by GetSubMenu: they name a sub-menu the parent owns and never destroy it.
    mutable std::vector<std::unique_ptr<CMenu>> m_subMenuWrappers;
    bool m_owns = true;
};
