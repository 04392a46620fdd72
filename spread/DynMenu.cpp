#include "spread/DynMenu.h"

#include <algorithm>

#include "platform/mfc/CWnd.h"
#include "platform/mfc/Menu.h"

dynMenu::dynMenu() = default;

dynMenu::~dynMenu() { release(); }

void dynMenu::release() {
    // Destroying the top menu destroys the sub-menus appended to it; a sub-menu that never made it into
    // the tree is still alive and destroyed on its own.
    if (top_) top_->DestroyMenu();
    top_.reset();
    for (std::unique_ptr<CMenu>& sub : subMenus_) {
        if (::IsMenu(sub->GetSafeHmenu()))
            sub->DestroyMenu();
        else
            sub->Detach();
    }
    subMenus_.clear();
}

HMENU dynMenu::menu() const { return top_ ? top_->GetSafeHmenu() : nullptr; }

bool dynMenu::build(const std::vector<int>& levels, const std::vector<Item>& items) {
    release();
    top_ = std::make_unique<CMenu>();
    if (!top_->CreatePopupMenu()) return false;

    // openMenus[i] is the menu that items of level i + 1 go into: the top menu, then the sub-menu most
    // recently opened at each level above.
    std::vector<CMenu*> openMenus{top_.get()};
    int nextId = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const Item& item = items[i];
        int level = i < levels.size() ? levels[i] : 1;
        if (level < 1) level = 1;
        // A level deeper than any sub-menu opened so far lands in the deepest one there is.
        std::size_t depth = std::min<std::size_t>(static_cast<std::size_t>(level), openMenus.size());
        CMenu* target = openMenus[depth - 1];
        openMenus.resize(depth);

        switch (item.type) {
        case kNormal:
        case kChecked:
        case kRadio:
        case kGrayed: {
            if (nextId >= kCommandCount) break;  // no id left: the item is dropped
            UINT id = static_cast<UINT>(kCommandIds[nextId++]);
            UINT flags = MF_STRING;
            if (item.type == kChecked) flags |= MF_CHECKED;
            if (item.type == kGrayed) flags |= MF_GRAYED;
            target->AppendMenu(flags, id, item.text.c_str());
            if (item.type == kRadio) target->CheckMenuRadioItem(id, id, id, MF_BYCOMMAND);
            break;
        }
        case kSeparator:
            target->AppendMenu(MF_SEPARATOR);
            break;
        case kSubMenu: {
            auto sub = std::make_unique<CMenu>();
            if (!sub->CreatePopupMenu()) break;
            target->AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(sub->GetSafeHmenu()), item.text.c_str());
            openMenus.push_back(sub.get());
            subMenus_.push_back(std::move(sub));
            break;
        }
        case kNoItem:
            if (nextId < kCommandCount) ++nextId;
            break;
        default:
            break;  // unknown types show nothing and take no id
        }
    }
    return true;
}

int dynMenu::show(UINT flags, int x, int y, CWnd* owner, const std::vector<int>& levels, const std::vector<Item>& items) {
    if (!build(levels, items)) return 0;
    return top_->TrackPopupMenu(flags, x, y, owner);
}
