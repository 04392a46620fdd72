#include "platform/mfc/DialogSizeStore.h"

#include <gtest/gtest.h>

#include "platform/mfc/Registry.h"
#include "platform/mfc/RegistryScope.h"

using ui::DialogPlacement;
using ui::DialogSizeStore;

TEST(DialogSizeStore, RoundTripAndDamagedValues)
{
    ui::RegistryScope registry;
    EXPECT_FALSE(DialogSizeStore::read(L"DLG_GENVARS"));
    DialogPlacement placement;
    placement.width = 640;
    placement.height = 480;
    EXPECT_TRUE(DialogSizeStore::write(L"DLG_GENVARS", placement));
    auto back = DialogSizeStore::read(L"DLG_GENVARS");
    ASSERT_TRUE(back);
    EXPECT_EQ(back->width, 640);
    EXPECT_FALSE(back->left);

    placement.left = -20;  // a window partly off the left of the screen
    placement.top = 30;
    EXPECT_TRUE(DialogSizeStore::write(L"DLG_EDIT_MACRO", placement));
    back = DialogSizeStore::read(L"DLG_EDIT_MACRO");
    ASSERT_TRUE(back && back->left);
    EXPECT_EQ(*back->left, -20);

    EXPECT_FALSE(DialogSizeStore::write(L"", placement));
    placement.width = 0;
    EXPECT_FALSE(DialogSizeStore::write(L"DLG_X", placement));

    // Sizes no dialog could have saved are not restored.
    const std::wstring key = DialogSizeStore::keyFor(L"DLG_BAD");
    for (DWORD width : {DWORD(0), DWORD(0xFFFFFFFF), DWORD(100000)}) {
        ui::registry::writeDword(HKEY_CURRENT_USER, key, L"Width", width);
        ui::registry::writeDword(HKEY_CURRENT_USER, key, L"Height", 300);
        EXPECT_FALSE(DialogSizeStore::read(L"DLG_BAD")) << width;
    }

    bool on = false;
    EXPECT_FALSE(DialogSizeStore::readSwitch(L"DLG_SELECT_MACRO", L"LARGE_DLG", on));
    EXPECT_TRUE(DialogSizeStore::writeSwitch(L"DLG_SELECT_MACRO", L"LARGE_DLG", true));
    EXPECT_TRUE(DialogSizeStore::readSwitch(L"DLG_SELECT_MACRO", L"LARGE_DLG", on));
    EXPECT_TRUE(on);
}
