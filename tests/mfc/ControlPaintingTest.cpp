// The standard controls as they paint themselves: what a person would see on the pixels, and what the
// call log says was drawn.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>  // abs

#include "platform/mfc/Bitmap.h"
#include "platform/mfc/ButtonST.h"
#include "platform/mfc/CButton.h"
#include "platform/mfc/CComboBox.h"
#include "platform/mfc/CEdit.h"
#include "platform/mfc/CListBox.h"
#include "platform/mfc/CStatic.h"
#include "platform/mfc/CheckComboBox.h"
#include "platform/mfc/ControlPainting.h"
#include "platform/mfc/Dc.h"
#include "platform/mfc/GdiColors.h"
#include "platform/mfc/Resources.h"
#include "platform/mfc/TabCtrl.h"
#include "platform/mfc/ToolTip.h"
#include "platform/mfc/Win32Api.h"
#include "platform/mfc/Window.h"
#include "platform/mfc/WindowRenderer.h"
#include "tests/mfc/GdiTestParent.h"

namespace {

COLORREF sys(int index) {
    return GetSysColor(index);
}

// How many pixels of the area have the colour; text is antialiased, so its ink is counted with a
// tolerance per channel.
int countColor(const ui::BitmapImage& image, const RECT& area, COLORREF color, int tolerance = 0) {
    auto channel = [](COLORREF c, int shift) { return int((c >> shift) & 0xFF); };
    int n = 0;
    for (int y = int(area.top); y < area.bottom; ++y)
        for (int x = int(area.left); x < area.right; ++x) {
            bool close = true;
            for (int shift : {0, 8, 16})
                close =
                    close && std::abs(channel(image.pixel(x, y), shift) - channel(color, shift)) <= tolerance;
            n += close ? 1 : 0;
        }
    return n;
}

int countColor(const ui::BitmapImage& image, COLORREF color, int tolerance = 0) {
    return countColor(image, {0, 0, image.width(), image.height()}, color, tolerance);
}

// Ink of text in about this colour.
int countNear(const ui::BitmapImage& image, COLORREF color) {
    return countColor(image, color, 47);
}

bool anyCall(const std::vector<std::wstring>& calls, const std::wstring& part) {
    return std::any_of(calls.begin(), calls.end(),
                       [&](const std::wstring& c) { return c.find(part) != std::wstring::npos; });
}

class ControlPaintingTest : public ::testing::Test {
protected:
    test::Parent parent;

    HWND make(const wchar_t* className, const wchar_t* text, DWORD style, const RECT& rect, int id) {
        ui::CreateParams params;
        params.className = className;
        params.text = text;
        params.style = style | WS_CHILD | WS_VISIBLE;
        params.rect = rect;
        params.parent = parent.GetSafeHwnd();
        params.id = id;
        return ui::createWindow(params);
    }
};

TEST_F(ControlPaintingTest, PushButtonsShowDefaultRingPressedStateGreyTextAndFocus) {
    HWND normal = make(WC_BUTTON, L"Apply", BS_PUSHBUTTON, {0, 0, 75, 23}, 1);
    HWND byDefault = make(WC_BUTTON, L"OK", BS_DEFPUSHBUTTON, {0, 30, 75, 53}, 2);
    HWND disabled = make(WC_BUTTON, L"Apply", BS_PUSHBUTTON | WS_DISABLED, {0, 60, 75, 83}, 3);

    const ui::Painting plain = ui::paintWindow(normal);
    EXPECT_EQ(plain.image.pixel(0, 0), sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(plain.image.pixel(74, 22), sys(COLOR_3DDKSHADOW));
    EXPECT_GT(countNear(plain.image, sys(COLOR_BTNTEXT)), 10) << "the caption in the button-text colour";
    EXPECT_FALSE(anyCall(plain.calls, L"DrawFocusRect"));

    const ui::Painting ring = ui::paintWindow(byDefault);
    EXPECT_EQ(ring.image.pixel(0, 0), sys(COLOR_WINDOWFRAME));
    EXPECT_EQ(ring.image.pixel(1, 1), sys(COLOR_BTNHIGHLIGHT)) << "the raised face inside the ring";

    const ui::Painting grey = ui::paintWindow(disabled);
    EXPECT_EQ(countNear(grey.image, sys(COLOR_BTNTEXT)), 0) << "a disabled caption has no black";
    EXPECT_GT(countColor(grey.image, {3, 3, 72, 20}, sys(COLOR_BTNSHADOW), 47), 10) << "it is embossed grey";

    ::SendMessage(normal, BM_SETSTATE, TRUE, 0);
    EXPECT_EQ(ui::paintWindow(normal).image.pixel(0, 0), sys(COLOR_BTNSHADOW))
        << "pressed: a flat shadow frame";
    ::SendMessage(normal, BM_SETSTATE, FALSE, 0);

    ui::setFocus(normal);
    EXPECT_TRUE(anyCall(ui::paintWindow(normal).calls, L"DrawFocusRect"));
}

TEST_F(ControlPaintingTest, CheckBoxesAndRadioButtonsShowTheirState) {
    HWND check = make(WC_BUTTON, L"Enabled", BS_AUTO3STATE, {0, 0, 100, 13}, 1);
    HWND leftText = make(WC_BUTTON, L"Left", BS_AUTOCHECKBOX | BS_LEFTTEXT, {0, 20, 100, 33}, 2);
    HWND radio = make(WC_BUTTON, L"Right", BS_AUTORADIOBUTTON, {0, 40, 100, 52}, 3);
    const RECT box{2, 2, 11, 11};  // inside the box's sunken edge
    auto ink = [&](HWND button, const RECT& area) {
        return countColor(ui::paintWindow(button).image, area, sys(COLOR_WINDOWTEXT));
    };

    EXPECT_EQ(ink(check, box), 0) << "unchecked: an empty white box";
    EXPECT_EQ(ui::paintWindow(check).image.pixel(6, 6), sys(COLOR_WINDOW));
    ::SendMessage(check, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_GE(ink(check, box), 15) << "checked: the tick";
    ::SendMessage(check, BM_SETCHECK, BST_INDETERMINATE, 0);
    const ui::Painting grey = ui::paintWindow(check);
    EXPECT_EQ(countColor(grey.image, box, sys(COLOR_WINDOWTEXT)), 0);
    EXPECT_GE(countColor(grey.image, box, sys(COLOR_BTNSHADOW)), 15)
        << "indeterminate: a grey tick on the face";

    ::SendMessage(leftText, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_GE(ink(leftText, {89, 2, 98, 11}), 15) << "BS_LEFTTEXT puts the box at the right";
    EXPECT_EQ(ui::paintWindow(leftText).image.pixel(87, 0), sys(COLOR_BTNSHADOW)) << "the box's sunken edge";
    EXPECT_EQ(ui::paintWindow(leftText).image.pixel(0, 0), sys(COLOR_BTNFACE));

    EXPECT_EQ(ink(radio, {3, 3, 9, 9}), 0);
    ::SendMessage(radio, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_GE(ink(radio, {3, 3, 9, 9}), 12) << "checked: the dot";

    ui::setFocus(check);
    const ui::Painting focused = ui::paintWindow(check);
    const auto focus = std::find_if(focused.calls.begin(), focused.calls.end(),
                                    [](const std::wstring& c) { return c.starts_with(L"DrawFocusRect("); });
    ASSERT_NE(focus, focused.calls.end());
    EXPECT_FALSE(focus->starts_with(L"DrawFocusRect(0,"))
        << "the focus goes around the text, not the box: " << *focus;
}

TEST_F(ControlPaintingTest, GroupBoxFramesWithoutCoveringTheControlsInside) {
    // First in z-order, so drawn over the controls it holds, as in dialog templates.
    make(WC_BUTTON, L"Options", BS_GROUPBOX, {10, 10, 200, 100}, 1);
    make(WC_STATIC, L"", SS_BLACKRECT, {30, 40, 60, 60}, 2);
    make(WC_BUTTON, L"Inside", BS_AUTOCHECKBOX, {30, 70, 120, 83}, 3);
    const ui::BitmapImage picture = ui::renderWindow(parent.GetSafeHwnd());

    EXPECT_EQ(picture.pixel(45, 50), sys(COLOR_WINDOWFRAME)) << "the rectangle inside shows";
    EXPECT_EQ(picture.pixel(34, 76), sys(COLOR_WINDOW)) << "so does the check box";
    EXPECT_EQ(picture.pixel(10, 60), sys(COLOR_BTNSHADOW)) << "the etched frame's left line";
    EXPECT_EQ(picture.pixel(11, 60), sys(COLOR_BTNHIGHLIGHT));
    // The caption breaks the frame's top line; past the caption the line runs on.
    EXPECT_EQ(countColor(picture, {20, 10, 21, 20}, sys(COLOR_BTNSHADOW)), 0) << "no line under the caption";
    EXPECT_GT(countColor(picture, {150, 10, 190, 20}, sys(COLOR_BTNSHADOW)), 30)
        << "the top line right of the caption";
}

TEST_F(ControlPaintingTest, EditFieldsShowTheirTextSelectionAndKind) {
    HWND edit = make(WC_EDIT, L"", ES_AUTOHSCROLL, {0, 0, 120, 20}, 1);
    HWND readOnly = make(WC_EDIT, L"fixed", ES_READONLY, {0, 30, 120, 50}, 2);
    HWND disabled = make(WC_EDIT, L"off", WS_DISABLED, {0, 60, 120, 80}, 3);
    HWND password = make(WC_EDIT, L"", ES_PASSWORD, {0, 90, 120, 110}, 4);

    EXPECT_EQ(ui::paintWindow(edit).image.pixel(110, 10), sys(COLOR_WINDOW));
    EXPECT_EQ(ui::paintWindow(readOnly).image.pixel(110, 10), sys(COLOR_BTNFACE));
    EXPECT_EQ(ui::paintWindow(disabled).image.pixel(110, 10), sys(COLOR_BTNFACE));
    EXPECT_EQ(countColor(ui::paintWindow(disabled).image, sys(COLOR_WINDOWTEXT)), 0)
        << "disabled text is grey";

    ::SetWindowText(password, L"secret");
    const ui::Painting hidden = ui::paintWindow(password);
    EXPECT_FALSE(anyCall(hidden.calls, L"secret"));
    EXPECT_TRUE(anyCall(hidden.calls, L"\x25CF\x25CF\x25CF\x25CF\x25CF\x25CF"));

    ::SetWindowText(edit, L"Beam");
    ::SendMessage(edit, EM_SETSEL, 0, 4);
    EXPECT_EQ(countColor(ui::paintWindow(edit).image, sys(COLOR_HIGHLIGHT)), 0)
        << "no selection without the focus";
    ui::setFocus(edit);
    EXPECT_GT(countColor(ui::paintWindow(edit).image, sys(COLOR_HIGHLIGHT)), 20);

    // A text wider than the field scrolls so the caret (at the end) stays in view.
    ::SetWindowText(edit, L"a long text that will never fit in the narrow field");
    ::SendMessage(edit, EM_SETSEL, 50, 50);
    const ui::Painting scrolled = ui::paintWindow(edit);
    EXPECT_TRUE(anyCall(scrolled.calls, L"TextOut(-")) << "the start of the text is scrolled out";
    ::SendMessage(edit, EM_SETSEL, 0, 0);
    EXPECT_FALSE(anyCall(ui::paintWindow(edit).calls, L"TextOut(-")) << "caret at the start: no scrolling";
}

TEST_F(ControlPaintingTest, MultiLineEditWrapsItsLinesAndScrollsToTheCaret) {
    HWND wrapping = make(WC_EDIT, L"", ES_MULTILINE, {0, 0, 70, 30}, 1);
    HWND scrolling = make(WC_EDIT, L"", ES_MULTILINE | ES_AUTOHSCROLL, {0, 100, 90, 180}, 2);
    for (HWND edit : {wrapping, scrolling})
        ::SetWindowText(edit, L"Bolts of the end plate\r\nWeldededededededededed");
    ::SendMessage(wrapping, EM_SETSEL, 0, 0);
    std::vector<std::wstring> calls = ui::paintWindow(wrapping).calls;
    EXPECT_TRUE(anyCall(calls, L"\"Bolts of the \"")) << "broken after a space, which stays on the line";
    EXPECT_TRUE(anyCall(calls, L"\"end plate\""));
    ::SendMessage(wrapping, EM_SETSEL, 40, 40);
    calls = ui::paintWindow(wrapping).calls;
    EXPECT_FALSE(anyCall(calls, L"\"Bolts of the \"")) << "scrolled down to the caret";
    EXPECT_TRUE(anyCall(calls, L",\"Welded"));
    EXPECT_FALSE(anyCall(calls, L"\"Weldededededededededed\"")) << "a word too long for a line is broken too";
    EXPECT_TRUE(anyCall(ui::paintWindow(scrolling).calls, L"\"Bolts of the end plate\""));
}

TEST_F(ControlPaintingTest, ComboBoxesShowTheSelectionAndTheirOpenList) {
    HWND combo = make(WC_COMBOBOX, L"", CBS_DROPDOWNLIST, {10, 10, 130, 100}, 1);
    for (const wchar_t* item : {L"First", L"Second", L"Third"})
        ::SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    ::SendMessage(combo, CB_SETCURSEL, 1, 0);
    ui::Painting field = ui::paintWindow(combo);
    EXPECT_TRUE(anyCall(field.calls, L"DrawText(\"Second\""));
    EXPECT_EQ(field.image.pixel(80, 5), sys(COLOR_BTNFACE)) << "a drop-down list's field is on the face";
    EXPECT_EQ(field.image.pixel(110, 60), sys(COLOR_BTNFACE))
        << "below the field the combo box paints nothing";
    ui::setFocus(combo);
    EXPECT_EQ(ui::paintWindow(combo).image.pixel(80, 5), sys(COLOR_HIGHLIGHT))
        << "focused: the text is highlighted";

    const std::size_t windows = ui::topLevelWindows().size();
    ::SendMessage(combo, CB_SHOWDROPDOWN, TRUE, 0);
    ASSERT_EQ(ui::topLevelWindows().size(), windows + 1) << "the open list is a pop-up";
    const ui::BitmapImage dropped = ui::renderWindow(parent.GetSafeHwnd());
    // The list below the field: every item, the selected one highlighted.
    int highlightRows = 0;
    for (int y = 35; y < 90; ++y)
        highlightRows += dropped.pixel(100, y) == sys(COLOR_HIGHLIGHT) ? 1 : 0;
    EXPECT_GT(highlightRows, 8);
    EXPECT_EQ(dropped.pixel(100, 33), sys(COLOR_WINDOW)) << "the list's first row is white";
    const HWND list = ui::topLevelWindows().back();
    const ui::Painting rows = ui::paintWindow(list);
    for (const wchar_t* item : {L"\"First\"", L"\"Second\"", L"\"Third\""})
        EXPECT_TRUE(anyCall(rows.calls, item)) << item;

    ::SendMessage(combo, CB_SHOWDROPDOWN, FALSE, 0);
    EXPECT_EQ(ui::topLevelWindows().size(), windows);
    EXPECT_EQ(ui::windowFromHandle(list), nullptr);
    ::SendMessage(combo, CB_SHOWDROPDOWN, TRUE, 0);
    ::DestroyWindow(combo);
    EXPECT_EQ(ui::topLevelWindows().size(), windows) << "the list goes with its combo box";
}

TEST_F(ControlPaintingTest, DropDownAndSimpleComboBoxesHaveWhiteFields) {
    HWND dropDown = make(WC_COMBOBOX, L"typed", CBS_DROPDOWN, {0, 0, 120, 80}, 1);
    HWND simple = make(WC_COMBOBOX, L"", CBS_SIMPLE, {0, 100, 120, 180}, 2);
    ::SendMessage(simple, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"inch"));
    const ui::Painting field = ui::paintWindow(dropDown);
    EXPECT_EQ(field.image.pixel(60, 4), sys(COLOR_WINDOW));
    EXPECT_TRUE(anyCall(field.calls, L"\"typed\""));
    EXPECT_TRUE(anyCall(ui::paintWindow(simple).calls, L"\"inch\""))
        << "a simple combo box always shows its list";
}

TEST_F(ControlPaintingTest, ListBoxesHighlightTheirSelection) {
    HWND single = make(WC_LISTBOX, L"", LBS_NOTIFY, {0, 0, 100, 40}, 1);
    HWND multiple = make(WC_LISTBOX, L"", LBS_MULTIPLESEL, {0, 50, 100, 150}, 2);
    HWND disabled = make(WC_LISTBOX, L"", WS_DISABLED, {0, 160, 100, 200}, 3);
    for (HWND list : {single, multiple, disabled})
        for (const wchar_t* item : {L"zero", L"one", L"two", L"three", L"four", L"five"})
            ::SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    const int row = ui::lineHeightOf(*ui::windowFromHandle(single));

    ::SendMessage(single, LB_SETCURSEL, 1, 0);
    ui::BitmapImage image = ui::paintWindow(single).image;
    EXPECT_EQ(image.pixel(90, row / 2), sys(COLOR_WINDOW));
    EXPECT_EQ(image.pixel(90, row + row / 2), sys(COLOR_HIGHLIGHT));

    // Selecting an item below the visible rows scrolls it into view.
    ::SendMessage(single, LB_SETCURSEL, 5, 0);
    const std::vector<std::wstring> calls = ui::paintWindow(single).calls;
    EXPECT_TRUE(anyCall(calls, L"\"five\""));
    EXPECT_FALSE(anyCall(calls, L"\"zero\""));

    ::SendMessage(multiple, LB_SETSEL, TRUE, 0);
    ::SendMessage(multiple, LB_SETSEL, TRUE, 2);
    image = ui::paintWindow(multiple).image;
    EXPECT_EQ(image.pixel(90, row / 2), sys(COLOR_HIGHLIGHT));
    EXPECT_EQ(image.pixel(90, row + row / 2), sys(COLOR_WINDOW));
    EXPECT_EQ(image.pixel(90, 2 * row + row / 2), sys(COLOR_HIGHLIGHT));

    const ui::Painting grey = ui::paintWindow(disabled);
    EXPECT_EQ(countNear(grey.image, sys(COLOR_WINDOWTEXT)), 0);
    EXPECT_EQ(grey.image.pixel(90, 2), sys(COLOR_BTNFACE));
}

TEST_F(ControlPaintingTest, StaticsDrawTheirKinds) {
    HWND label = make(WC_STATIC, L"&Name:", SS_LEFT, {0, 0, 80, 14}, 1);
    HWND greyLabel = make(WC_STATIC, L"Name:", SS_LEFT | WS_DISABLED, {0, 20, 80, 34}, 2);
    HWND line = make(WC_STATIC, L"", SS_ETCHEDHORZ, {0, 40, 80, 42}, 3);

    const ui::Painting text = ui::paintWindow(label);
    EXPECT_TRUE(anyCall(text.calls, L"DrawText(\"&Name:\"")) << "the prefix is left to DrawText";
    EXPECT_GT(countNear(text.image, sys(COLOR_BTNTEXT)), 10);
    EXPECT_EQ(countNear(ui::paintWindow(greyLabel).image, sys(COLOR_BTNTEXT)), 0);
    const ui::BitmapImage etched = ui::paintWindow(line).image;
    EXPECT_EQ(etched.pixel(40, 0), sys(COLOR_BTNSHADOW));
    EXPECT_EQ(etched.pixel(40, 1), sys(COLOR_BTNHIGHLIGHT));
}

TEST_F(ControlPaintingTest, PictureStaticsShowTheirImageWithTransparency) {
    // A 4 x 4 picture: magenta (its bottom-left colour, so transparent as an icon) with a red middle.
    ui::BitmapImage pixels(4, 4, RGB(255, 0, 255));
    for (int y = 1; y < 3; ++y)
        for (int x = 1; x < 3; ++x)
            pixels.setPixel(x, y, RGB(255, 0, 0));
    CBitmap picture;
    ASSERT_TRUE(picture.CreateBitmapFrom(pixels));
    HWND bitmap = make(WC_STATIC, L"", SS_BITMAP, {0, 0, 10, 10}, 1);
    HWND icon = make(WC_STATIC, L"", SS_ICON | SS_CENTERIMAGE, {0, 20, 10, 30}, 2);
    ::SendMessage(bitmap, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(HBITMAP(picture)));
    ::SendMessage(icon, STM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(HBITMAP(picture)));

    const ui::BitmapImage opaque = ui::paintWindow(bitmap).image;
    EXPECT_EQ(opaque.pixel(0, 0), RGB(255, 0, 255)) << "a bitmap is drawn whole at the top-left";
    EXPECT_EQ(opaque.pixel(1, 1), RGB(255, 0, 0));
    const ui::BitmapImage transparent = ui::paintWindow(icon).image;
    EXPECT_EQ(countColor(transparent, RGB(255, 0, 255)), 0) << "an icon's transparent colour shows the face";
    EXPECT_EQ(transparent.pixel(4, 4), RGB(255, 0, 0)) << "centred: (10 - 4) / 2 + 1";
}

TEST_F(ControlPaintingTest, PictureStaticsLoadTheImageTheTemplateNames) {
    AfxSetResourceHandle(ui::platformResources());
    HWND fromTemplate = make(WC_STATIC, L"9050", SS_BITMAP, {0, 0, 10, 10}, 1);
    AfxSetResourceHandle(nullptr);
    EXPECT_NE(::SendMessage(fromTemplate, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
    EXPECT_TRUE(anyCall(ui::paintWindow(fromTemplate).calls, L"DrawTransparent(0,0,2,2)"));
}

class DrawingParent : public test::Parent {
public:
    std::vector<std::wstring> drawn;
    void OnDrawItem(int id, LPDRAWITEMSTRUCT item) override {
        CDC* dc = CDC::FromHandle(item->hDC);
        drawn.push_back(std::to_wstring(id) + L":" + std::to_wstring(item->CtlType) + L":" +
                        std::to_wstring(item->itemState) + (dc ? L":dc" : L":nodc"));
        if (dc)
            dc->FillSolidRect(&item->rcItem, RGB(0, 128, 0));
    }
};

class SelfDrawnButton : public CButton {
public:
    int draws = 0;
    void DrawItem(LPDRAWITEMSTRUCT item) override {
        ++draws;
        CDC::FromHandle(item->hDC)->FillSolidRect(&item->rcItem, RGB(0, 0, 255));
    }
};

TEST(OwnerDrawnControls, AskTheirParentToDrawOnThePaintContext) {
    DrawingParent owner;
    CButton button;
    ASSERT_TRUE(button.Create(L"x", BS_OWNERDRAW | WS_VISIBLE | WS_DISABLED, CRect(0, 0, 30, 20), &owner, 7));
    const ui::Painting painted = ui::paintWindow(button.GetSafeHwnd());
    EXPECT_EQ(owner.drawn, std::vector<std::wstring>{L"7:4:" + std::to_wstring(ODS_DISABLED) + L":dc"});
    EXPECT_EQ(painted.image.pixel(15, 10), RGB(0, 128, 0)) << "what the parent drew lands in the button";

    // A list box: one request per item shown, on the list's context.
    CListBox list;
    ASSERT_TRUE(list.Create(LBS_OWNERDRAWFIXED | WS_VISIBLE, CRect(0, 30, 60, 60), &owner, 9));
    list.AddString(L"a");
    list.AddString(L"b");
    list.SetCurSel(1);
    owner.drawn.clear();
    ui::paintWindow(list.GetSafeHwnd());
    EXPECT_EQ(owner.drawn,
              (std::vector<std::wstring>{L"9:2:0:dc", L"9:2:" + std::to_wstring(ODS_SELECTED) + L":dc"}));

    // Without an OnDrawItem of its own, the parent lets the button draw itself.
    test::Parent plain;
    SelfDrawnButton self;
    ASSERT_TRUE(self.Create(L"y", BS_OWNERDRAW | WS_VISIBLE, CRect(0, 0, 30, 20), &plain, 8));
    EXPECT_EQ(ui::paintWindow(self.GetSafeHwnd()).image.pixel(15, 10), RGB(0, 0, 255));
    EXPECT_EQ(self.draws, 1);
}

TEST_F(ControlPaintingTest, CheckComboBoxTicksItsItemsAndJoinsTheCheckedTexts) {
    CCheckComboBox combo;
    ASSERT_TRUE(combo.Create(CBS_DROPDOWNLIST | WS_VISIBLE, CRect(0, 0, 150, 120), &parent, 5));
    for (const wchar_t* item : {L"Beams", L"Columns", L"Plates"})
        combo.AddString(item);
    combo.SetCheck(0, TRUE);
    combo.SetCheck(2, TRUE);
    EXPECT_TRUE(anyCall(ui::paintWindow(combo.GetSafeHwnd()).calls, L"DrawText(\"Beams, Plates\""));

    combo.ShowDropDown(TRUE);
    const HWND list = ui::topLevelWindows().back();
    const ui::Painting rows = ui::paintWindow(list);
    EXPECT_TRUE(anyCall(rows.calls, L"\"Columns\""));
    const int row = ui::lineHeightOf(*ui::windowFromHandle(combo.GetSafeHwnd()));
    auto ticked = [&](int index) {
        const int top = index * row + (row - 13) / 2;
        return countColor(rows.image, {2, top + 2, 12, top + 11}, sys(COLOR_WINDOWTEXT)) >= 15;
    };
    EXPECT_TRUE(ticked(0));
    EXPECT_FALSE(ticked(1));
    EXPECT_TRUE(ticked(2));
    combo.ShowDropDown(FALSE);
}

TEST_F(ControlPaintingTest, ListViewReportHasHeaderGridAndSelection) {
    CListCtrl list;
    ASSERT_TRUE(list.Create(LVS_REPORT | LVS_SHOWSELALWAYS | WS_VISIBLE, CRect(0, 0, 200, 100), &parent, 6));
    list.InsertColumn(0, L"Name", LVCFMT_LEFT, 80);
    list.InsertColumn(1, L"Size", LVCFMT_LEFT, 60);
    list.InsertItem(0, L"HEA200");
    list.SetItemText(0, 1, L"200");
    list.InsertItem(1, L"IPE300");
    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    list.SetExtendedStyle(LVS_EX_GRIDLINES);
    const ui::Painting painted = ui::paintWindow(list.GetSafeHwnd());
    EXPECT_TRUE(anyCall(painted.calls, L"DrawText(\"Name\""));
    EXPECT_TRUE(anyCall(painted.calls, L"DrawText(\"Size\""));
    EXPECT_TRUE(anyCall(painted.calls, L"DrawText(\"200\",86,"));
    EXPECT_EQ(painted.image.pixel(0, 0), sys(COLOR_3DLIGHT)) << "a raised header button";
    EXPECT_EQ(painted.image.pixel(79, 10), sys(COLOR_3DDKSHADOW)) << "the first button ends at its width";
    EXPECT_EQ(painted.image.pixel(75, 20 + 17 + 8), sys(COLOR_HIGHLIGHT)) << "the selected row";
    EXPECT_EQ(painted.image.pixel(150, 20 + 17 + 8), sys(COLOR_WINDOW))
        << "not full-row: only the first column";
    EXPECT_EQ(painted.image.pixel(150, 20 + 16), sys(COLOR_BTNFACE)) << "a grid line under the first row";
}

TEST_F(ControlPaintingTest, TabControlRaisesTheSelectedTab) {
    CTabCtrl tabs;
    ASSERT_TRUE(tabs.Create(WS_VISIBLE, CRect(0, 0, 200, 80), &parent, 7));
    tabs.InsertItem(0, L"General");
    tabs.InsertItem(1, L"Sizes");
    tabs.SetCurSel(1);
    CRect first, second;
    tabs.GetItemRect(0, &first);
    tabs.GetItemRect(1, &second);
    const ui::BitmapImage image = ui::paintWindow(tabs.GetSafeHwnd()).image;
    EXPECT_EQ(image.pixel(second.CenterPoint().x, 0), sys(COLOR_BTNHIGHLIGHT))
        << "the selected tab is taller";
    EXPECT_EQ(image.pixel(first.CenterPoint().x, 2), sys(COLOR_BTNHIGHLIGHT));
    EXPECT_NE(image.pixel(first.CenterPoint().x, 0), sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(image.pixel(first.CenterPoint().x, first.bottom), sys(COLOR_3DLIGHT))
        << "the page's edge under it";
    EXPECT_EQ(image.pixel(second.CenterPoint().x, second.bottom), sys(COLOR_BTNFACE)) << "joined to the page";
}

TEST_F(ControlPaintingTest, ShownToolTipIsAYellowBoxWithABlackFrame) {
    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(&parent));
    tip.SetWindowText(L"Profile name");
    ::MoveWindow(tip.GetSafeHwnd(), 10, 10, 90, 18, FALSE);
    const ui::Painting painted = ui::paintWindow(tip.GetSafeHwnd());
    EXPECT_EQ(painted.image.pixel(0, 0), sys(COLOR_WINDOWFRAME));
    EXPECT_EQ(painted.image.pixel(88, 2), sys(COLOR_INFOBK));
    EXPECT_TRUE(anyCall(painted.calls, L"\"Profile name\""));
}

TEST_F(ControlPaintingTest, ImageButtonShowsItsPictureAndCheckedState) {
    ui::BitmapImage pixels(8, 8, RGB(0, 255, 0));
    pixels.setPixel(4, 4, RGB(200, 0, 0));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmapFrom(pixels));
    CButtonST button;
    ASSERT_TRUE(
        button.Create(L"", BS_AUTOCHECKBOX | BS_PUSHLIKE | WS_VISIBLE, CRect(0, 0, 24, 24), &parent, 8));
    ASSERT_TRUE(button.SetIcon(HICON(bitmap.Detach())));
    ui::BitmapImage image = ui::paintWindow(button.GetSafeHwnd()).image;
    EXPECT_EQ(image.pixel(12, 12), RGB(200, 0, 0)) << "the picture, centred";
    EXPECT_EQ(countColor(image, RGB(0, 255, 0)), 0) << "its transparent colour shows the face";
    EXPECT_EQ(image.pixel(0, 0), sys(COLOR_BTNFACE)) << "flat until checked";
    button.SetCheck(BST_CHECKED);
    image = ui::paintWindow(button.GetSafeHwnd()).image;
    EXPECT_EQ(image.pixel(0, 0), sys(COLOR_BTNSHADOW)) << "checked: pushed in";
}

TEST_F(ControlPaintingTest, FieldBordersAreDrawnInTheShadowColour) {
    make(WC_EDIT, L"", WS_BORDER, {10, 10, 110, 30}, 1);
    make(WC_STATIC, L"", WS_BORDER, {10, 40, 110, 60}, 2);
    const ui::BitmapImage picture = ui::renderWindow(parent.GetSafeHwnd());
    EXPECT_EQ(picture.pixel(10, 20), sys(COLOR_BTNSHADOW));
    EXPECT_EQ(picture.pixel(11, 20), sys(COLOR_WINDOW));
    EXPECT_EQ(picture.pixel(10, 50), sys(COLOR_WINDOWFRAME)) << "other windows keep a black border";
}

}  // namespace
