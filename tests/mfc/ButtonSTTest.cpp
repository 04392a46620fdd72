// The core's picture controls: CButtonST (picture and tooltip), CCheckComboBox (check marks that
// follow their items), CColorStatic (paints in its colours).
#include "platform/mfc/ButtonST.h"

#include <gtest/gtest.h>

#include "platform/mfc/BitmapFile.h"
#include "platform/mfc/CheckComboBox.h"
#include "platform/mfc/ColorStatic.h"
#include "platform/mfc/Dc.h"
#include "platform/mfc/GdiColors.h"
#include "platform/mfc/GdiObjects.h"
#include "platform/mfc/Resources.h"
#include "tests/mfc/GdiTestParent.h"

namespace {

// A resource module with icon 257 (a 2 x 2 picture) made current for the test.
struct IconResources {
    HINSTANCE module = nullptr;
    HINSTANCE previous = AfxGetResourceHandle();
    IconResources()
    {
        module = ui::loadResourceModuleFromText("buttonst-test", "STRING 1 \"x\"\n").module;
        const std::string bmp = ui::encodeBmp(ui::BitmapImage(2, 2, RGB(0, 128, 0)));
        ui::findResourceModule(module)->addIcon(257, std::vector<unsigned char>(bmp.begin(), bmp.end()));
        AfxSetResourceHandle(module);
    }
    ~IconResources()
    {
        AfxSetResourceHandle(previous);
        ui::unloadResourceModule(module);
    }
};

}  // namespace

TEST(ButtonST, ShowsAResourcePictureAndATooltipAndStillClicks)
{
    test::Parent parent;
    ui::Automation user{parent};
    IconResources resources;
    const int objectsBefore = ui::gdi::liveCount();
    {
        CButton plain;
        ASSERT_TRUE(plain.Create(L"Up", BS_PUSHBUTTON | WS_VISIBLE, CRect(0, 0, 20, 20), &parent, 1181));
        CButtonST button;
        ASSERT_TRUE(button.SubclassDlgItem(1181, &parent));
        EXPECT_TRUE(button.SetIcon(257));
        EXPECT_TRUE(button.hasPicture());
        EXPECT_FALSE(button.SetIcon(999));  // no such icon: the picture stays
        EXPECT_TRUE(button.hasPicture());
        button.SetTooltipText(L"Move up");
        EXPECT_EQ(ui::toolTipText(user, 1181), L"Move up");
        button.SetTooltipText(L"Move down");
        EXPECT_EQ(button.tooltipText(), L"Move down");
        button.ActivateTooltip(FALSE);
        EXPECT_EQ(ui::toolTipText(user, 1181), L"");

        parent.take();
        user.click(1181);
        EXPECT_EQ(parent.take(), std::vector<std::wstring>{L"command 1181:0"});
        button.UnsubclassWindow();
    }
    EXPECT_EQ(ui::gdi::liveCount(), objectsBefore) << "the button releases its picture";
}

TEST(CheckComboBox, MarksFollowTheirItemsAndAUserTickNotifies)
{
    test::Parent parent;
    ui::Automation user{parent};
    CCheckComboBox combo;
    ASSERT_TRUE(combo.Create(CBS_DROPDOWNLIST | WS_VISIBLE, CRect(0, 0, 100, 80), &parent, 1108));
    for (const wchar_t* text : {L"A", L"B", L"C"})
        combo.AddString(text);
    combo.SetCheck(1, TRUE);
    combo.InsertString(0, L"Z");
    EXPECT_TRUE(combo.GetCheck(2));  // "B" moved down, its mark with it
    combo.DeleteString(0);
    EXPECT_TRUE(combo.GetCheck(1));
    EXPECT_FALSE(combo.SetCheck(5, TRUE));
    EXPECT_EQ(combo.checkedText(), L"B");
    combo.CheckAll(TRUE);
    EXPECT_EQ(combo.checkedText(L";"), L"A;B;C");

    parent.take();
    auto verbs = user.control<ui::CheckComboVerbs>(1108);
    verbs.toggleCheck(0);
    EXPECT_FALSE(verbs.checked(0));
    EXPECT_EQ(parent.take(), std::vector<std::wstring>{L"command 1108:" + std::to_wstring(CBN_CHECKCHANGE)});
    // Ticking does not change the selection.
    EXPECT_EQ(combo.GetCurSel(), -1);
    combo.ResetContent();
    EXPECT_EQ(combo.checkedCount(), 0);
}

TEST(ColorStatic, PaintsItsBackgroundAndTextColours)
{
    test::Parent parent;
    CColorStatic label;
    ASSERT_TRUE(label.Create(L"ab", SS_LEFT | WS_VISIBLE, CRect(0, 0, 30, 14), &parent, 1353));
    label.SetBkColor(RGB(255, 255, 0));
    label.SetTextColor(RGB(255, 0, 0));
    const ui::Painting painting = ui::paintWindow(label.GetSafeHwnd());
    ASSERT_EQ(painting.image.width(), 30);
    EXPECT_EQ(painting.image.pixel(29, 0), RGB(255, 255, 0));
    int red = 0;  // the text's ink: antialiased, so counted rather than matched one pixel
    for (int y = 0; y < 14; ++y)
        for (int x = 0; x < 30; ++x)
            red += GetGValue(painting.image.pixel(x, y)) < 128 && GetRValue(painting.image.pixel(x, y)) > 200;
    EXPECT_GT(red, 5);
    ASSERT_FALSE(painting.calls.empty());
    EXPECT_EQ(painting.calls[0], L"FillSolidRect(0,0,30,14,#FFFF00)");
    // System-colour values are accepted and resolved when painting.
    label.SetBkColor(ui::systemColorFlag | COLOR_BTNFACE);
    EXPECT_EQ(ui::paintWindow(label.GetSafeHwnd()).image.pixel(29, 0), GetSysColor(COLOR_BTNFACE));
}
