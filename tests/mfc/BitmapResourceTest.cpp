// Pictures and fonts as dialogs get them: bitmaps and icons by number along the resource chain, BMP
// files by product path, fonts by face and size, and system colours.
#include "platform/mfc/Bitmap.h"

#include <gtest/gtest.h>

#include "platform/arx/Utf8.h"
#include "platform/mfc/BitmapFile.h"
#include "platform/mfc/Dc.h"
#include "platform/mfc/Font.h"
#include "platform/mfc/GdiColors.h"
#include "platform/mfc/GdiObjects.h"
#include "platform/mfc/Resources.h"

namespace {

std::vector<unsigned char> bmpBytes(const ui::BitmapImage& image)
{
    const std::string bytes = ui::encodeBmp(image);
    return {bytes.begin(), bytes.end()};
}

}  // namespace

TEST(BitmapResource, LoadsByNumberFromTheCurrentModuleThenTheChain)
{
    HINSTANCE own = ui::loadResourceModuleFromText("own", "STRING 1 \"own\"\n").module;
    HINSTANCE chained = ui::loadResourceModuleFromText("chained", "STRING 2 \"chained\"\n").module;
    ui::findResourceModule(own)->addBitmap(8134, bmpBytes(ui::BitmapImage(13, 13, RGB(1, 2, 3))));
    ui::findResourceModule(chained)->addBitmap(8134, bmpBytes(ui::BitmapImage(2, 2)));
    ui::findResourceModule(chained)->addBitmap(8136, bmpBytes(ui::BitmapImage(13, 13, RGB(4, 5, 6))));
    ui::findResourceModule(chained)->addBitmap(8137, {'B', 'M', 0, 0});  // damaged resource
    const HINSTANCE previous = AfxGetResourceHandle();
    AfxSetResourceHandle(own);
    ui::addToResourceChain(chained);
    const int objectsBefore = ui::gdi::liveCount();
    {
        CBitmap checked, unchecked, damaged;
        ASSERT_TRUE(checked.LoadBitmap(8134));
        ASSERT_TRUE(unchecked.LoadBitmap(8136));
        EXPECT_FALSE(damaged.LoadBitmap(8137));
        EXPECT_FALSE(damaged.LoadBitmap(4242));
        BITMAP info;
        ASSERT_EQ(checked.GetBitmap(&info), int(sizeof(BITMAP)));
        EXPECT_EQ(info.bmWidth, 13);
        EXPECT_EQ(checked.image()->pixel(0, 0), RGB(1, 2, 3));  // the current module wins
        EXPECT_EQ(unchecked.image()->pixel(12, 12), RGB(4, 5, 6));
        // Every load is a picture of its own: drawing on one does not change the next load.
        checked.image()->setPixel(0, 0, 0);
        CBitmap again;
        again.LoadBitmap(MAKEINTRESOURCE(8134));
        EXPECT_EQ(again.image()->pixel(0, 0), RGB(1, 2, 3));
        // A bitmap number also finds an icon resource and the reverse.
        EXPECT_NE(LoadIcon(nullptr, MAKEINTRESOURCE(8136)), nullptr);
    }
    EXPECT_EQ(ui::gdi::liveCount(), objectsBefore + 1) << "only the icon handle is still alive";
    ui::removeFromResourceChain(chained);
    AfxSetResourceHandle(previous);
    ui::unloadResourceModule(own);
    ui::unloadResourceModule(chained);
}

TEST(BitmapResource, AnIconAndABitmapOfOneNumberAreEachFoundByTheirOwnKind)
{
    HINSTANCE module = ui::loadResourceModuleFromText("shared numbers", "STRING 1 \"x\"\n").module;
    ui::findResourceModule(module)->addBitmap(232, bmpBytes(ui::BitmapImage(4, 4, RGB(10, 20, 30))));
    ui::findResourceModule(module)->addIcon(232, bmpBytes(ui::BitmapImage(4, 4, RGB(40, 50, 60))));
    const HINSTANCE previous = AfxGetResourceHandle();
    AfxSetResourceHandle(module);
    HICON icon = LoadIcon(nullptr, MAKEINTRESOURCE(232));
    HANDLE iconImage = LoadImage(nullptr, MAKEINTRESOURCE(232), IMAGE_ICON, 0, 0, 0);
    HANDLE bitmapImage = LoadImage(nullptr, MAKEINTRESOURCE(232), IMAGE_BITMAP, 0, 0, 0);
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadBitmap(232));
    EXPECT_EQ(ui::gdi::icon(icon)->pixel(1, 1), RGB(40, 50, 60));
    EXPECT_EQ(ui::gdi::bitmap(static_cast<HBITMAP>(iconImage))->pixel(1, 1), RGB(40, 50, 60));
    EXPECT_EQ(ui::gdi::bitmap(static_cast<HBITMAP>(bitmapImage))->pixel(1, 1), RGB(10, 20, 30));
    EXPECT_EQ(bitmap.image()->pixel(1, 1), RGB(10, 20, 30));
    DestroyIcon(icon);
    DeleteObject(iconImage);
    DeleteObject(bitmapImage);
    AfxSetResourceHandle(previous);
    ui::unloadResourceModule(module);
}

TEST(BitmapResource, LoadImageReadsProductPathsAndStretches)
{
    std::string path = std::string(CONNSHEET_TEST_DATA_DIR) + "/mfc/bmp/rgb24.bmp";
    std::wstring productPath = utf8::decode(path);
    std::replace(productPath.begin(), productPath.end(), L'/', L'\\');
    HANDLE image = LoadImage(nullptr, productPath.c_str(), IMAGE_BITMAP, 6, 4, LR_LOADFROMFILE);
    ASSERT_NE(image, nullptr);
    const auto picture = ui::gdi::bitmap(static_cast<HBITMAP>(image));
    EXPECT_EQ(picture->width(), 6);
    EXPECT_EQ(picture->pixel(5, 3), RGB(255, 255, 0));
    EXPECT_TRUE(DeleteObject(image));
    EXPECT_FALSE(DeleteObject(image)) << "a deleted handle stays dead";
    EXPECT_EQ(LoadImage(nullptr, L"C:\\nowhere\\x.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);
    std::string error;
    EXPECT_EQ(ui::gdi::loadBitmapFile(L"/nowhere/x.bmp", &error), nullptr);
    EXPECT_NE(error.find("/nowhere/x.bmp"), std::string::npos);
}

TEST(BitmapResource, IconsAreDrawnWithTheirBottomLeftColourTransparent)
{
    ui::BitmapImage picture(2, 2, RGB(255, 0, 255));
    picture.setPixel(1, 0, RGB(0, 0, 255));
    HICON icon = reinterpret_cast<HICON>(ui::gdi::addBitmap(std::make_shared<ui::BitmapImage>(picture)));
    CBitmap canvas;
    canvas.CreateBitmapFrom(ui::BitmapImage(2, 2, RGB(9, 9, 9)));
    CDC dc;
    dc.SelectObject(&canvas);
    EXPECT_TRUE(dc.DrawIcon(0, 0, icon));
    EXPECT_EQ(canvas.image()->pixels(), (std::vector<std::uint32_t>{RGB(9, 9, 9), RGB(0, 0, 255), RGB(9, 9, 9), RGB(9, 9, 9)}));
    DestroyIcon(icon);
}

TEST(Font, FacesSizesAndWeights)
{
    CFont bold, point;
    ASSERT_TRUE(bold.CreateFont(-13, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Verdana"));
    EXPECT_FALSE(bold.CreateFont(-13, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Again"));
    LOGFONT font;
    ASSERT_TRUE(bold.GetLogFont(&font));
    EXPECT_STREQ(font.lfFaceName, L"Verdana");
    EXPECT_EQ(font.lfWeight, FW_BOLD);
    ASSERT_TRUE(point.CreatePointFont(80, L"Tahoma"));
    point.GetLogFont(&font);
    EXPECT_EQ(font.lfHeight, -11);
    // A face name longer than LOGFONT holds is cut, never overrun.
    CFont longName;
    longName.CreatePointFont(100, L"An Extremely Long Font Face Name That Goes On And On");
    longName.GetLogFont(&font);
    EXPECT_EQ(std::wstring(font.lfFaceName).size(), 31u);
    EXPECT_STREQ(ui::fontOrDefault(nullptr).lfFaceName, L"Tahoma");
}

TEST(GdiColors, SystemColoursAndSystemColourValues)
{
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(240, 240, 240));
    EXPECT_EQ(GetSysColor(99), 0u);
    EXPECT_EQ(ui::resolveColor(0x8000000B), GetSysColor(COLOR_INACTIVEBORDER));
    EXPECT_EQ(ui::resolveColor(0x8000000F), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(ui::resolveColor(0x6A240A), COLORREF(0x6A240A));
    EXPECT_EQ(ui::resolveColor(0x7F6A240A), COLORREF(0x6A240A)) << "the unused top byte is ignored";
    EXPECT_EQ(GetSysColorBrush(COLOR_BTNFACE), GetSysColorBrush(COLOR_BTNFACE));
}
