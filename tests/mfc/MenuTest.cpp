#include "platform/mfc/Menu.h"

#include <gtest/gtest.h>

#include "platform/arx/Utf8.h"
#include "platform/mfc/CDialog.h"
#include "platform/mfc/GTestSupport.h"
#include "platform/mfc/Resources.h"
#include "platform/mfc/ScriptedDriver.h"
#include "tests/mfc/GdiTestParent.h"

namespace {

// Normal, checked, radio, greyed, separator and a sub-menu with one item.
void build(CMenu& menu, CMenu& sub)
{
    ASSERT_TRUE(menu.CreatePopupMenu());
    ASSERT_TRUE(sub.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, 32811, L"Copy");
    menu.AppendMenu(MF_STRING | MF_CHECKED, 32812, L"Paste");
    menu.AppendMenu(MF_STRING, 32816, L"Radio");
    menu.CheckMenuRadioItem(32816, 32816, 32816, MF_BYCOMMAND);
    menu.AppendMenu(MF_STRING | MF_GRAYED, 32817, L"Greyed");
    menu.AppendMenu(MF_SEPARATOR);
    sub.AppendMenu(MF_STRING, 32818, L"Deep");
    menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(sub.m_hMenu), L"More");
}

}  // namespace

TEST(Menu, TheDriverSeesTheItemsAndItsPickReachesTheOwner)
{
    test::Parent owner;
    CMenu menu, sub;
    build(menu, sub);
    ui::ScriptedDriver driver;
    driver.answerPopupMenu(32818);
    EXPECT_TRUE(menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, 10, 20, &owner));
    ui::pumpMessages();
    EXPECT_EQ(owner.take(), std::vector<std::wstring>{L"command 32818:0"});

    ASSERT_EQ(driver.popupMenus().size(), 1u);
    const ui::PopupMenuRequest& shown = driver.popupMenus()[0];
    EXPECT_EQ(shown.at.x, 10);
    ASSERT_EQ(shown.items.size(), 6u);
    EXPECT_FALSE(shown.items[0].checked);
    EXPECT_TRUE(shown.items[1].checked);
    EXPECT_TRUE(shown.items[2].checked);
    EXPECT_TRUE(shown.items[3].grayed);
    EXPECT_TRUE(shown.items[4].separator);
    ASSERT_EQ(shown.items[5].subItems.size(), 1u);
    EXPECT_EQ(shown.items[5].subItems[0].id, 32818u);
    EXPECT_EQ(menu.GetMenuState(32816, MF_BYCOMMAND) & (MF_CHECKED | MFT_RADIOCHECK), MF_CHECKED | MFT_RADIOCHECK);
    sub.Detach();  // owned by the menu now, destroyed with it
}

TEST(Menu, ReturnCommandAndWhatCannotBePicked)
{
    test::Parent owner;
    CMenu menu, sub;
    build(menu, sub);
    ui::ScriptedDriver driver;
    driver.answerPopupMenu(32811).answerPopupMenu(32817).answerPopupMenu(12345).answerPopupMenu(0);
    EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 0, 0, &owner), 32811);
    // A greyed item, an id not in the menu and a dismissal all come back as nothing picked.
    EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 0, 0, &owner), 0);
    EXPECT_FALSE(menu.TrackPopupMenu(0, 0, 0, &owner));
    EXPECT_FALSE(menu.TrackPopupMenu(0, 0, 0, &owner));
    ui::pumpMessages();
    EXPECT_TRUE(owner.take().empty());
    sub.Detach();
}

TEST(Menu, DestroyingAMenuDestroysItsSubMenus)
{
    const int before = ui::liveMenuCount();
    {
        CMenu menu, sub;
        build(menu, sub);
        EXPECT_EQ(ui::liveMenuCount(), before + 2);
        HMENU subHandle = sub.Detach();
        EXPECT_EQ(menu.GetSubMenu(5)->m_hMenu, subHandle);
        EXPECT_EQ(menu.GetMenuItemID(4), 0u);  // separator
        EXPECT_EQ(menu.GetMenuItemID(5), UINT(-1));  // sub-menu
        CString text;
        menu.GetMenuString(1, text, MF_BYPOSITION);
        EXPECT_EQ(text, L"Paste");
        EXPECT_EQ(::CheckMenuItem(menu, 32818, MF_BYCOMMAND | MF_CHECKED), DWORD(MF_UNCHECKED));  // found in the sub-menu
    }
    EXPECT_EQ(ui::liveMenuCount(), before);
    // A sub-menu wrapper does not destroy the sub-menu its parent still owns.
    {
        CMenu menu, sub;
        build(menu, sub);
        HMENU subHandle = sub.Detach();
        ASSERT_NE(menu.GetSubMenu(5), nullptr);
        HMENU kept = menu.Detach();
        EXPECT_TRUE(IsMenu(subHandle));
        DestroyMenu(kept);
        EXPECT_FALSE(IsMenu(subHandle));
    }
    // A menu cannot become its own sub-menu.
    CMenu menu;
    menu.CreatePopupMenu();
    EXPECT_FALSE(menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(menu.m_hMenu), L"self"));
}

namespace {

// A dialog built from a template with a list view and a tab control: double-clicking an item opens a
// popup menu and ends the dialog with the picked command.
class PickDialog : public CDialog {
public:
    PickDialog()
        : CDialog(9700)
    {
    }
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override
    {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (wParam == 10 && header->code == NM_DBLCLK) {
            CMenu menu;
            menu.CreatePopupMenu();
            menu.AppendMenu(MF_STRING, 32800, L"Open");
            menu.AppendMenu(MF_STRING, 32801, L"Delete");
            const int item = reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem;
            EndDialog(int(menu.TrackPopupMenu(TPM_RETURNCMD, 0, 0, this)) + item);
            return TRUE;
        }
        return CDialog::OnNotify(wParam, lParam, result);
    }
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        auto* list = static_cast<CListCtrl*>(GetDlgItem(10));
        list->InsertItem(0, L"one");
        list->InsertItem(1, L"two");
        return TRUE;
    }
};

}  // namespace

TEST(Menu, PickedFromAPopupOpenedInsideAModalDialog)
{
    InitCommonControls();
    // The list view in report view (style 1) and a tab control, from a resource template.
    const ui::ModuleLoad module = ui::loadResourceModuleFromText("menu-test", R"(
DIALOG 9700 0 0 200 120
  CAPTION "Pick"
  STYLE WS_POPUP | WS_CAPTION
  CONTROL SysListView32   10 ""  5  5 150 80 1 | WS_TABSTOP
  CONTROL SysTabControl32 11 ""  5 90 150 20
END
)");
    ASSERT_TRUE(module) << utf8::encode(module.error);
    const HINSTANCE previous = AfxGetResourceHandle();
    AfxSetResourceHandle(module.module);
    {
        ui::ScriptedDriver driver;
        driver.answerPopupMenu(32801);
        driver.onModal([](ui::Automation& dlg) {
            EXPECT_EQ(dlg.items(10), (std::vector<std::wstring>{L"one", L"two"}));
            EXPECT_NE(dlg.dump().find(L"SysListView32 #10"), std::wstring::npos) << utf8::encode(dlg.dump());
            dlg.control<ui::ListCtrlVerbs>(10).doubleClickItem(1);
        });
        PickDialog dialog;
        EXPECT_EQ(dialog.DoModal(), 32801 + 1);
        ASSERT_EQ(driver.popupMenus().size(), 1u);
        EXPECT_EQ(driver.popupMenus()[0].items[1].text, L"Delete");
        ui::expectDriverDone(driver);
    }
    AfxSetResourceHandle(previous);
    ui::unloadResourceModule(module.module);
}
