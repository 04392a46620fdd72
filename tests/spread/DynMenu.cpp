#include "spread/DynMenu.h"

#include <gtest/gtest.h>

#include "platform/mfc/CWnd.h"
#include "platform/mfc/Menu.h"
#include "platform/mfc/MessageLoop.h"
#include "platform/mfc/ScriptedDriver.h"
#include "platform/mfc/Win32Api.h"

namespace {

using Item = dynMenu::Item;

// Shows the items with a scripted driver that dismisses the menu; returns what the driver was shown.
std::vector<ui::MenuItem> shown(const std::vector<int>& levels, const std::vector<Item>& items) {
    ui::ScriptedDriver driver;
    driver.answerPopupMenu(0);
    dynMenu menu;
    menu.show(TPM_RETURNCMD, 10, 20, nullptr, levels, items);
    if (driver.popupMenus().size() != 1u) return {};
    return driver.popupMenus()[0].items;
}

std::vector<UINT> ids(const std::vector<ui::MenuItem>& items) {
    std::vector<UINT> out;
    for (const ui::MenuItem& m : items) out.push_back(m.separator ? 0u : m.id);
    return out;
}

std::vector<Item> normals(int count) {
    std::vector<Item> items;
    for (int i = 0; i < count; ++i) items.push_back({Mx_String(L"Item ") + Mx_String(i), dynMenu::kNormal});
    return items;
}

}  // namespace

TEST(DynMenu, CommandIdsFollowThePoolSkippingSeparatorsAndConsumingNoItems) {
    struct Case {
        const char* name;
        std::vector<int> types;
        std::vector<UINT> ids;  // 0 for a separator
    };
    const Case cases[] = {
        {"normal separator normal", {1, 5, 1}, {32811, 0, 32812}},
        {"no item between normals", {1, 7, 1}, {32811, 32816}},
        {"every command type", {1, 2, 3, 4}, {32811, 32812, 32816, 32817}},
        {"leading no items", {7, 7, 7, 7, 7, 1}, {32800}},
    };
    for (const Case& c : cases) {
        std::vector<Item> items;
        for (int t : c.types) items.push_back({L"x", t});
        EXPECT_EQ(ids(shown(std::vector<int>(items.size(), 1), items)), c.ids) << c.name;
    }
}

TEST(DynMenu, AtMostTenCommands) {
    std::vector<ui::MenuItem> items = shown(std::vector<int>(12, 1), normals(12));
    ASSERT_EQ(items.size(), 10u);
    EXPECT_EQ(items.front().id, 32811u);
    EXPECT_EQ(items.back().id, 32804u);
    EXPECT_EQ(items.back().text, L"Item 9");

    // Separators and sub-menus take no id, so they still appear after the pool is used up.
    std::vector<Item> more = normals(10);
    more.push_back({L"", dynMenu::kSeparator});
    more.push_back({L"late", dynMenu::kNormal});
    more.push_back({L"Sub", dynMenu::kSubMenu});
    items = shown(std::vector<int>(more.size(), 1), more);
    ASSERT_EQ(items.size(), 12u);
    EXPECT_TRUE(items[10].separator);
    EXPECT_EQ(items[11].text, L"Sub");
}

TEST(DynMenu, StatesOfTheItemTypes) {
    std::vector<ui::MenuItem> items = shown({1, 1, 1, 1}, {{L"n", 1}, {L"c", 2}, {L"r", 3}, {L"g", 4}});
    ASSERT_EQ(items.size(), 4u);
    EXPECT_FALSE(items[0].checked || items[0].grayed);
    EXPECT_TRUE(items[1].checked);
    EXPECT_TRUE(items[2].checked);
    EXPECT_TRUE(items[3].grayed);
    EXPECT_EQ(items[1].text, L"c");
}

TEST(DynMenu, LevelsNestIntoTheMostRecentSubMenu) {
    // A, [Sub1: B, [Sub2: C], D], E, [Sub3: F]
    std::vector<ui::MenuItem> items = shown(
        {1, 1, 2, 2, 3, 2, 1, 1, 2},
        {{L"A", 1}, {L"Sub1", 6}, {L"B", 1}, {L"Sub2", 6}, {L"C", 1}, {L"D", 1}, {L"E", 1}, {L"Sub3", 6}, {L"F", 1}});
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[0].text, L"A");
    ASSERT_EQ(items[1].subItems.size(), 3u);
    EXPECT_EQ(items[1].subItems[0].id, 32812u);
    ASSERT_EQ(items[1].subItems[1].subItems.size(), 1u);
    EXPECT_EQ(items[1].subItems[1].subItems[0].text, L"C");
    EXPECT_EQ(items[1].subItems[1].subItems[0].id, 32816u);
    EXPECT_EQ(items[1].subItems[2].text, L"D");
    EXPECT_EQ(items[2].text, L"E");
    EXPECT_EQ(items[2].id, 32818u);
    ASSERT_EQ(items[3].subItems.size(), 1u);
    EXPECT_EQ(items[3].subItems[0].text, L"F");

    // A level with no sub-menu opened for it goes into the deepest menu there is; a missing level is 1.
    items = shown({3, 0}, {{L"deep", 1}, {L"flat", 1}, {L"unlevelled", 1}});
    EXPECT_EQ(ids(items), (std::vector<UINT>{32811, 32812, 32816}));
}

TEST(DynMenu, PickedCommandReachesTheOwnerOrIsReturned) {
    struct Owner : CWnd {
        std::vector<int> commands;
        BOOL OnCommand(WPARAM wParam, LPARAM) override {
            commands.push_back(LOWORD(wParam));
            return TRUE;
        }
    } owner;
    ASSERT_TRUE(owner.CreateEx(0, L"Static", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));

    ui::ScriptedDriver driver;
    driver.answerPopupMenu(32816).answerPopupMenu(32812);
    dynMenu menu;
    std::vector<Item> items{{L"a", 1}, {L"b", 4}, {L"c", 1}};
    EXPECT_EQ(menu.show(TPM_RETURNCMD, 0, 0, &owner, {1, 1, 1}, items), 32816);
    EXPECT_TRUE(owner.commands.empty()) << "TPM_RETURNCMD sends nothing";

    EXPECT_EQ(menu.show(TPM_RETURNCMD, 0, 0, &owner, {1, 1, 1}, items), 0) << "greyed items cannot be picked";
    driver.answerPopupMenu(32816);

    menu.show(TPM_LEFTALIGN, 0, 0, &owner, {1, 1, 1}, items);
    ui::pumpMessages();
    EXPECT_EQ(owner.commands, (std::vector<int>{32816}));
}

TEST(DynMenu, MenusAreReleasedWhenRebuiltAndDestroyed) {
    const int before = ui::liveMenuCount();
    {
        ui::ScriptedDriver driver;
        dynMenu menu;
        std::vector<Item> items{{L"Sub", 6}, {L"a", 1}, {L"Sub2", 6}, {L"b", 1}};
        menu.show(TPM_RETURNCMD, 0, 0, nullptr, {1, 2, 2, 3}, items);
        const int shownOnce = ui::liveMenuCount();
        EXPECT_EQ(shownOnce, before + 3);
        menu.show(TPM_RETURNCMD, 0, 0, nullptr, {1, 2, 2, 3}, items);
        EXPECT_EQ(ui::liveMenuCount(), shownOnce);
    }
    EXPECT_EQ(ui::liveMenuCount(), before);
}
