#pragma once
// dynMenu: a popup menu built from a flat list of items with levels, as the grids' context menus and
// other dialogs need it. Every show builds a fresh menu; the items that carry a command take the ids
// of a fixed pool of ten, in order, so the owner maps an id back to the item that took it.
#include <memory>
#include <vector>

#include "platform/mfc/Win32Types.h"
#include "platform/mxbase/Mx_String.h"

class CMenu;
class CWnd;

class dynMenu {
public:
    enum ItemType : int {
        kNormal = 1,
        kChecked = 2,
        kRadio = 3,  // checked, as the single choice of its own group
        kGrayed = 4,
        kSeparator = 5,
        kSubMenu = 6,  // opens the next level
        kNoItem = 7,   // shows nothing, only uses up the next command id
    };

    struct Item {
        Mx_String text;
        int type = kNormal;
    };

    // The command ids, in the order items take them.
    static constexpr int kCommandIds[10] = {32811, 32812, 32816, 32817, 32818, 32800, 32801, 32802, 32803, 32804};
    static constexpr int kCommandCount = 10;

    dynMenu();
    ~dynMenu();
    dynMenu(const dynMenu&) = delete;
    dynMenu& operator=(const dynMenu&) = delete;

    // Builds the menu from the items (levels[i] is the level of items[i], 1 being the top menu; a
    // missing level counts as 1) and shows it at the screen position, commands going to the owner.
    // Returns what TrackPopupMenu returns: with TPM_RETURNCMD the picked id (0 when dismissed),
    // otherwise non-zero when an item was picked. 0 when the menu could not be built.
    int show(UINT flags, int x, int y, CWnd* owner, const std::vector<int>& levels, const std::vector<Item>& items);

    // Builds the menu without showing it; show() is build() and TrackPopupMenu.
    bool build(const std::vector<int>& levels, const std::vector<Item>& items);
    // The top menu of the last build; null before the first.
    HMENU menu() const;

private:
    void release();

    std::unique_ptr<CMenu> top_;
    std::vector<std::unique_ptr<CMenu>> subMenus_;
};
