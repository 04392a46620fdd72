// The image selection dialog, driven as a user drives it.
#include "dialogs/CDlgSelectImage.h"

#include <gtest/gtest.h>
#include <unistd.h>  // getpid

#include <filesystem>
#include <fstream>

#include "dialogs/StartDialogs.h"
#include "platform/mfc/BitmapFile.h"
#include "platform/mfc/GTestSupport.h"
#include "platform/mfc/GoldenPicture.h"
#include "platform/mfc/ListCtrl.h"
#include "platform/mfc/RegistryScope.h"
#include "platform/mfc/Win32Api.h"
#include "platform/mxbase/MacroLangs.h"
#include "platform/mxbase/ui/DialogSize.h"

namespace {

using D = CDlgSelectImage;

struct SelectImageTest : ::testing::Test {
    ui::RegistryScope registry;
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("connsheet-select-image-" + std::to_string(::getpid()));
    void SetUp() override {
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        gMacroLangs.load(Mx_String((folder / "MacroLangs.txt").wstring()));  // none: names as they are
    }
    void TearDown() override {
        gMacroLangs.reset();
        std::filesystem::remove_all(folder);
    }
    // A picture of the size, a plate of the colour on white.
    Mx_String picture(const std::string& name, int width, int height, std::uint32_t colour) {
        ui::BitmapImage image(width, height, 0xFFFFFF);
        image.fill(width / 4, height / 4, width * 3 / 4, height * 3 / 4, colour);
        std::ofstream(folder / name, std::ios::binary) << ui::encodeBmp(image);
        return Mx_String((folder / name).wstring());
    }
};

// The centre of a thumbnail in the list's client area.
POINT itemCentre(ui::Automation& dlg, int index) {
    auto* list = dynamic_cast<CListCtrl*>(dlg.wnd(D::IDC_IMAGES));
    RECT rect{};
    if (list)
        list->GetItemRect(index, &rect, 0);  // the whole item
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

}  // namespace

TEST_F(SelectImageTest, OkWaitsForASelectionAndGivesTheTranslatedName) {
    std::ofstream(folder / "MacroLangs.txt") << "EndPlate\tEnd plate\n";
    gMacroLangs.load(Mx_String((folder / "MacroLangs.txt").wstring()));
    VlSelectImageDlgData data;
    data.title = L"Choose a connection";
    data.images = {picture("EndPlate.bmp", 48, 32, 0x0000C0), picture("FinPlate.bmp", 48, 32, 0x00A000)};
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        EXPECT_EQ(dlg.text(0), L"Choose a connection");
        EXPECT_EQ(dlg.items(D::IDC_IMAGES), (std::vector<std::wstring>{L"End plate", L"FinPlate"}));
        ui::expectMatchesGolden(ui::renderWindow(dlg.root()), "select_image_dialog");
        dlg.click(IDOK);
        ASSERT_TRUE(::IsWindowVisible(dlg.root())) << "nothing selected: the dialog stays";
        const POINT at = itemCentre(dlg, 0);
        dlg.mouseDown(D::IDC_IMAGES, at);
        dlg.mouseUp(D::IDC_IMAGES, at);
        dlg.click(IDOK);
    });
    EXPECT_TRUE(StartDlgSelectImage(data));
    ui::expectDriverDone(driver);
    EXPECT_EQ(data.selected, L"End plate");
}

TEST_F(SelectImageTest, ADoubleClickOnAThumbnailChoosesItAndOneOnNothingDoesNot) {
    VlSelectImageDlgData data;
    data.images = {picture("missing-first.bmp", 0, 0, 0), picture("Cleat.bmp", 40, 30, 0x808000)};
    std::filesystem::remove(folder / "missing-first.bmp");
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        auto* list = dynamic_cast<CImageListCtrl*>(dlg.wnd(D::IDC_IMAGES));
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->thumbnailSize(), CSize(40, 30)) << "the first picture that can be read sets the size";
        const RECT client = dlg.rect(D::IDC_IMAGES);
        dlg.send(D::IDC_IMAGES, WM_LBUTTONDBLCLK, 0,
                 MAKELPARAM(client.right - client.left - 10, client.bottom - client.top - 10));
        ASSERT_TRUE(::IsWindowVisible(dlg.root()));
        const POINT at = itemCentre(dlg, 1);
        dlg.mouseDown(D::IDC_IMAGES, at);
        dlg.mouseUp(D::IDC_IMAGES, at);
        dlg.send(D::IDC_IMAGES, WM_LBUTTONDBLCLK, 0, MAKELPARAM(at.x, at.y));
    });
    EXPECT_TRUE(StartDlgSelectImage(data));
    ui::expectDriverDone(driver);
    EXPECT_EQ(data.selected, L"Cleat");
}

TEST_F(SelectImageTest, WithoutPicturesNothingIsShownAndCancelKeepsTheSelection) {
    VlSelectImageDlgData data;
    data.selected = L"before";
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        EXPECT_TRUE(dlg.items(D::IDC_IMAGES).empty());
        dlg.click(IDOK);
        dlg.resize(700, 500);
        dlg.click(IDCANCEL);
    });
    EXPECT_FALSE(StartDlgSelectImage(data));
    ui::expectDriverDone(driver);
    EXPECT_EQ(data.selected, L"before");
    int width = 0, height = 0;
    EXPECT_TRUE(getDlgSize(L"DLG_SELECT_IMAGE", width, height));
    EXPECT_EQ(width, 700);
}
