#include "platform/mfc/WindowRenderer.h"

#include <gtest/gtest.h>

#include "platform/mfc/Automation.h"
#include "platform/mfc/Bitmap.h"
#include "platform/mfc/CDialog.h"
#include "platform/mfc/GdiColors.h"
#include "platform/mfc/GoldenPicture.h"
#include "platform/mfc/MessageLoop.h"
#include "platform/mfc/Resources.h"
#include "platform/mfc/Window.h"

namespace {

class RenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ui::resetMessageQueue();
        AfxSetResourceHandle(ui::platformResources());
    }
    void TearDown() override { AfxSetResourceHandle(nullptr); }
};

TEST_F(RenderTest, SampleDialog) {
    CDialog dialog(9001);
    ASSERT_TRUE(dialog.Create(9001));
    dialog.ShowWindow(SW_SHOW);
    // Filled in as a user leaves it: a name typed, boxes and a radio button chosen, items picked, one
    // button disabled.
    ui::Automation user(dialog);
    user.type(1001, L"HEA 200");
    user.click(1002);
    user.click(1003);
    user.click(1003);
    user.click(1006);
    for (const wchar_t* kind : {L"Beam", L"Column", L"Plate"})
        user.send(1007, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kind));
    user.select(1007, 1);
    user.send(1008, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"mm"));
    user.type(1008, L"mm");
    for (const wchar_t* item : {L"Bolt M16", L"Bolt M20", L"Bolt M24"})
        user.send(1009, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    user.select(1009, 1);
    dialog.SetDlgItemText(1010, L"First line\r\nSecond line");
    dialog.GetDlgItem(1012)->EnableWindow(FALSE);
    user.setFocus(1001);
    const ui::BitmapImage picture = ui::renderWindow(dialog.GetSafeHwnd());
    const RECT frame = ui::frameInsets(dialog.GetStyle(), dialog.GetExStyle());
    EXPECT_EQ(picture.width(), 330 + frame.left + frame.right);
    ui::expectMatchesGolden(picture, "sample_dialog");
    dialog.DestroyWindow();
}

TEST_F(RenderTest, PromptDialog) {
    CDialog dialog(9002);
    ASSERT_TRUE(dialog.Create(9002));
    dialog.ShowWindow(SW_SHOW);
    ui::Automation user(dialog);
    user.type(1101, L"Connection 12");
    ui::expectMatchesGolden(ui::renderWindow(dialog.GetSafeHwnd()), "prompt_dialog");
    dialog.DestroyWindow();
}

TEST_F(RenderTest, SampleDialogWithOpenList) {
    CDialog dialog(9001);
    ASSERT_TRUE(dialog.Create(9001));
    dialog.ShowWindow(SW_SHOW);
    ui::Automation user(dialog);
    for (const wchar_t* kind : {L"Beam", L"Column", L"Plate"})
        user.send(1007, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kind));
    user.select(1007, 2);
    user.setFocus(1007);
    user.send(1007, CB_SHOWDROPDOWN, TRUE);
    ui::expectMatchesGolden(ui::renderWindow(dialog.GetSafeHwnd()), "sample_dialog_open_list");
    dialog.DestroyWindow();
}

// Every standard control in the states it draws differently, in one dialog of its own.
constexpr const char* kGallery = R"(
DIALOG 100 0 0 330 228
  CAPTION "Controls"
  STYLE WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME
  CONTROL Static     10 "Left text that is long enough to wrap onto a second line" 7 7 80 16 SS_LEFT
  CONTROL Static     11 "Centred"        90  7  50  8 SS_CENTER
  CONTROL Static     12 "Right"          90 16  50  8 SS_RIGHT
  CONTROL Static     13 "Disabled label" 145 7  60  8 WS_DISABLED
  CONTROL Static     14 "Sunken"         145 16 60 10 SS_SUNKEN | SS_CENTERIMAGE
  CONTROL Static     15 ""               210 7  20 16 SS_BLACKRECT
  CONTROL Static     16 ""               235 7  20 16 SS_GRAYFRAME
  CONTROL Static     17 ""               260 7  20 16 SS_ETCHEDFRAME
  CONTROL Static     18 ""               285 7  18 16 SS_BITMAP
  CONTROL Static     19 ""               307 7  18 16 SS_ICON | SS_CENTERIMAGE
  CONTROL Static     20 ""               7  27 316  2 SS_ETCHEDHORZ
  CONTROL Button     30 "Push"           7  33  50 14 WS_TABSTOP
  CONTROL Button     31 "Default"        60 33  50 14 BS_DEFPUSHBUTTON | WS_TABSTOP
  CONTROL Button     32 "Pressed"        113 33 50 14 WS_TABSTOP
  CONTROL Button     33 "Disabled"       166 33 50 14 WS_DISABLED
  CONTROL Button     34 "Focused"        219 33 50 14 WS_TABSTOP
  CONTROL Button     35 ""               272 33 24 14 BS_BITMAP
  CONTROL Button     40 "Unchecked"      7  52  60 10 BS_AUTOCHECKBOX | WS_TABSTOP
  CONTROL Button     41 "Checked"        70 52  60 10 BS_AUTOCHECKBOX
  CONTROL Button     42 "Third state"    133 52 60 10 BS_AUTO3STATE
  CONTROL Button     43 "Disabled"       196 52 60 10 BS_AUTOCHECKBOX | WS_DISABLED
  CONTROL Button     44 "Text left"      259 52 60 10 BS_AUTOCHECKBOX | BS_LEFTTEXT
  CONTROL Button     50 "Group"          7  64 150 26 BS_GROUPBOX
  CONTROL Button     51 "Off"            14 75  35 10 BS_AUTORADIOBUTTON | WS_GROUP
  CONTROL Button     52 "On"             52 75  35 10 BS_AUTORADIOBUTTON
  CONTROL Button     53 "Disabled"       90 75  50 10 BS_AUTORADIOBUTTON | WS_DISABLED
  CONTROL Button     54 "Disabled group" 163 64 160 26 BS_GROUPBOX | WS_DISABLED
  CONTROL Edit       60 ""               7  95 100 14 ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP
  CONTROL Edit       61 ""               110 95 70 14 ES_READONLY | WS_BORDER
  CONTROL Edit       62 ""               183 95 70 14 WS_BORDER | WS_DISABLED
  CONTROL Edit       63 ""               256 95 67 14 ES_PASSWORD | WS_BORDER
  CONTROL Edit       64 ""               7 113 100 24 ES_MULTILINE | WS_BORDER
  CONTROL Edit       65 ""               110 113 70 14 ES_RIGHT | WS_BORDER
  CONTROL Edit       66 ""               183 113 70 14 ES_CENTER | WS_BORDER
  CONTROL ComboBox   70 ""               7 141 80 60 CBS_DROPDOWNLIST | WS_TABSTOP
  CONTROL ComboBox   71 ""               90 141 80 60 CBS_DROPDOWN
  CONTROL ComboBox   72 ""               173 141 70 60 CBS_DROPDOWNLIST | WS_DISABLED
  CONTROL ComboBox   73 ""               256 113 67 60 CBS_SIMPLE
  CONTROL ListBox    80 ""               7 158 80 40 WS_BORDER | LBS_NOTIFY
  CONTROL ListBox    81 ""               90 158 80 40 WS_BORDER | LBS_MULTIPLESEL
  CONTROL ListBox    82 ""               173 158 70 40 WS_BORDER | WS_DISABLED
  CONTROL Button     IDOK "OK"           220 208 50 14 BS_DEFPUSHBUTTON | WS_TABSTOP
  CONTROL Button     IDCANCEL "Cancel"   273 208 50 14 WS_TABSTOP
END
)";

class GalleryTest : public RenderTest {
protected:
    void SetUp() override {
        RenderTest::SetUp();
        module = ui::loadResourceModuleFromText("gallery", kGallery).module;
        ASSERT_NE(module, nullptr);
        AfxSetResourceHandle(module);
    }
    void TearDown() override {
        AfxSetResourceHandle(nullptr);
        ui::unloadResourceModule(module);
    }

    HINSTANCE module = nullptr;

    // A 16 x 16 picture: a blue square with a yellow cross on a magenta (transparent for icons) ground.
    static HBITMAP picture() {
        ui::BitmapImage pixels(16, 16, RGB(255, 0, 255));
        for (int y = 2; y < 14; ++y)
            for (int x = 2; x < 14; ++x)
                pixels.setPixel(x, y,
                                (x == 7 || x == 8 || y == 7 || y == 8) ? RGB(255, 220, 0) : RGB(0, 70, 160));
        CBitmap bitmap;
        bitmap.CreateBitmapFrom(pixels);
        return static_cast<HBITMAP>(bitmap.Detach());
    }

    void fill(CDialog& dialog) {
        ui::Automation user(dialog);
        dialog.SendDlgItemMessage(18, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture()));
        dialog.SendDlgItemMessage(19, STM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(picture()));
        dialog.SendDlgItemMessage(35, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture()));
        dialog.SendDlgItemMessage(32, BM_SETSTATE, TRUE);
        dialog.CheckDlgButton(41, BST_CHECKED);
        dialog.CheckDlgButton(42, BST_INDETERMINATE);
        dialog.CheckDlgButton(43, BST_CHECKED);
        dialog.CheckDlgButton(44, BST_CHECKED);
        dialog.CheckDlgButton(52, BST_CHECKED);
        dialog.CheckDlgButton(53, BST_CHECKED);
        dialog.SetDlgItemText(60, L"Selected text");
        dialog.SetDlgItemText(61, L"Read-only");
        dialog.SetDlgItemText(62, L"Disabled");
        dialog.SetDlgItemText(63, L"password");
        dialog.SetDlgItemText(64, L"Two lines\r\nof text");
        dialog.SetDlgItemText(65, L"12.50");
        dialog.SetDlgItemText(66, L"centre");
        for (int combo : {70, 71, 72, 73})
            for (const wchar_t* item : {L"Beam", L"Column", L"Plate"})
                dialog.SendDlgItemMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        dialog.SendDlgItemMessage(70, CB_SETCURSEL, 0);
        dialog.SetDlgItemText(71, L"Typed");
        dialog.SendDlgItemMessage(72, CB_SETCURSEL, 2);
        dialog.SendDlgItemMessage(73, CB_SETCURSEL, 1);
        for (int list : {80, 81, 82})
            for (const wchar_t* item : {L"M16", L"M20", L"M24", L"M30"})
                dialog.SendDlgItemMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        dialog.SendDlgItemMessage(80, LB_SETCURSEL, 1);
        dialog.SendDlgItemMessage(81, LB_SETSEL, TRUE, 0);
        dialog.SendDlgItemMessage(81, LB_SETSEL, TRUE, 2);
        dialog.SendDlgItemMessage(82, LB_SETCURSEL, 3);
        user.setFocus(60);
        dialog.SendDlgItemMessage(60, EM_SETSEL, 0, 8);
    }
};

TEST_F(GalleryTest, EveryControlKindInItsStates) {
    CDialog dialog(100);
    ASSERT_TRUE(dialog.Create(100));
    dialog.ShowWindow(SW_SHOW);
    fill(dialog);
    ui::expectMatchesGolden(ui::renderWindow(dialog.GetSafeHwnd()), "control_gallery");
    ui::Automation(dialog).setFocus(34);
    ui::expectMatchesGolden(ui::renderWindow(dialog.GetSafeHwnd(), 2), "control_gallery_scale2");
    dialog.DestroyWindow();
}

}  // namespace
