// The standard controls' own behaviour: what Win32 does that dialog code relies on.
#include <gtest/gtest.h>

#include <utility>  // std::exchange

#include "platform/mfc/Automation.h"
#include "platform/mfc/CButton.h"
#include "platform/mfc/CComboBox.h"
#include "platform/mfc/CEdit.h"
#include "platform/mfc/CListBox.h"
#include "platform/mfc/MessageLoop.h"
#include "platform/mfc/Win32Api.h"

namespace {

// A parent that records the notifications of its children as "id:code".
class Parent : public CWnd {
public:
    std::vector<std::wstring> seen;
    Parent() { EXPECT_TRUE(CreateEx(0, L"Window", L"", WS_POPUP | WS_VISIBLE, CRect(0, 0, 400, 300), nullptr, 0)); }

    BOOL OnCommand(WPARAM wParam, LPARAM) override {
        seen.push_back(std::to_wstring(LOWORD(wParam)) + L":" + std::to_wstring(HIWORD(wParam)));
        return TRUE;
    }
    std::vector<std::wstring> take() { return std::exchange(seen, {}); }
};

std::wstring note(int id, WORD code) { return std::to_wstring(id) + L":" + std::to_wstring(code); }

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override { ui::resetMessageQueue(); }
    Parent parent;
    ui::Automation user{parent};
};

TEST_F(ControlsTest, ButtonKindsChangeTheirCheckOnClick) {
    struct Case {
        DWORD style;
        std::vector<int> afterClicks;  // check state after 1, 2, 3 clicks
    };
    const Case cases[] = {
        {BS_AUTOCHECKBOX, {1, 0, 1}},
        {BS_AUTO3STATE, {1, 2, 0}},
        {BS_CHECKBOX, {0, 0, 0}},  // not automatic: the dialog sets the state itself
        {BS_AUTOCHECKBOX | BS_PUSHLIKE | BS_ICON | BS_VCENTER, {1, 0, 1}},
        {BS_PUSHBUTTON, {-1, -1, -1}},
    };
    int id = 100;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        CButton* b = new CButton;  // owned by... nobody: windows of a test parent die with it
        ASSERT_TRUE(b->Create(L"b", c.style | WS_VISIBLE | WS_TABSTOP, CRect(0, 0, 20, 20), &parent, ++id));
        for (int expected : c.afterClicks) {
            user.click(id);
            EXPECT_EQ(user.checked(id), expected);
        }
        EXPECT_EQ(parent.take(), std::vector<std::wstring>(3, note(id, BN_CLICKED)));
        b->SetCheck(BST_CHECKED);
        EXPECT_TRUE(parent.take().empty()) << "SetCheck does not notify";
        delete b;
    }
}

TEST_F(ControlsTest, RadioGroupsEndAtTheNextGroupStyle) {
    CButton r1, r2, r3;
    ASSERT_TRUE(r1.Create(L"1", BS_AUTORADIOBUTTON | WS_GROUP | WS_VISIBLE, CRect(0, 0, 9, 9), &parent, 1));
    ASSERT_TRUE(r2.Create(L"2", BS_AUTORADIOBUTTON | WS_VISIBLE, CRect(0, 0, 9, 9), &parent, 2));
    ASSERT_TRUE(r3.Create(L"3", BS_AUTORADIOBUTTON | WS_GROUP | WS_VISIBLE, CRect(0, 0, 9, 9), &parent, 3));
    user.click(1);
    user.click(3);
    user.click(2);
    EXPECT_EQ(r1.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(r2.GetCheck(), BST_CHECKED);
    EXPECT_EQ(r3.GetCheck(), BST_CHECKED) << "another group";
}

TEST_F(ControlsTest, EditNotifiesEveryChangeAndRespectsItsStyles) {
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_VISIBLE | ES_AUTOHSCROLL, CRect(0, 0, 99, 20), &parent, 7));
    edit.SetWindowText(L"abc");
    EXPECT_EQ(parent.take(), (std::vector<std::wstring>{note(7, EN_UPDATE), note(7, EN_CHANGE)}));
    EXPECT_FALSE(edit.GetModify()) << "only the user modifies";

    edit.SetSel(1, 2);
    edit.ReplaceSel(L"XY");
    CString text;
    edit.GetWindowText(text);
    EXPECT_EQ(text, L"aXYc");
    int start = 0, end = 0;
    edit.GetSel(start, end);
    EXPECT_EQ(start, 3);
    EXPECT_EQ(end, 3);

    edit.SetSel(0, -1);
    edit.GetSel(start, end);
    EXPECT_EQ(end, 4);
    edit.SetSel(10, 2);  // out of range and reversed: clamped and ordered
    edit.GetSel(start, end);
    EXPECT_EQ(start, 2);
    EXPECT_EQ(end, 4);

    edit.SetLimitText(5);
    user.type(7, L"1234567");
    EXPECT_EQ(user.text(7), L"12345");
    EXPECT_TRUE(edit.GetModify());

    edit.SetReadOnly();
    user.type(7, L"zz");
    EXPECT_EQ(user.text(7), L"12345") << "read-only ignores typing";

    CEdit number;
    ASSERT_TRUE(number.Create(WS_VISIBLE | ES_NUMBER | ES_UPPERCASE, CRect(0, 0, 99, 20), &parent, 8));
    user.type(8, L"1a2");
    EXPECT_EQ(user.text(8), L"12");
    user.press(VK_BACK);
    user.press(VK_HOME);
    user.press(VK_DELETE);
    EXPECT_EQ(user.text(8), L"");
    user.typeHere(L"1234");
    user.press(VK_HOME);
    user.press(VK_RIGHT);
    user.press(VK_RIGHT, ui::Keys::Shift);
    user.press(VK_RIGHT, ui::Keys::Shift);
    user.typeHere(L"0");
    EXPECT_EQ(user.text(8), L"104") << "Shift+Right selects, typing replaces the selection";
}

TEST_F(ControlsTest, EditFocusNotificationsAndKillFocusOrder) {
    CEdit a, b;
    ASSERT_TRUE(a.Create(WS_VISIBLE, CRect(0, 0, 9, 9), &parent, 1));
    ASSERT_TRUE(b.Create(WS_VISIBLE, CRect(0, 0, 9, 9), &parent, 2));
    user.setFocus(1);
    user.setFocus(2);
    EXPECT_EQ(parent.take(), (std::vector<std::wstring>{note(1, EN_SETFOCUS), note(1, EN_KILLFOCUS), note(2, EN_SETFOCUS)}));
}

TEST_F(ControlsTest, ComboSelectionProgrammaticVersusUser) {
    CComboBox list, edit;
    ASSERT_TRUE(list.Create(WS_VISIBLE | CBS_DROPDOWNLIST | CBS_SORT, CRect(0, 0, 99, 99), &parent, 1));
    ASSERT_TRUE(edit.Create(WS_VISIBLE | CBS_DROPDOWN, CRect(0, 0, 99, 99), &parent, 2));
    EXPECT_EQ(list.AddString(L"pear"), 0);
    EXPECT_EQ(list.AddString(L"Apple"), 0) << "sorted without regard to case";
    EXPECT_EQ(list.AddString(L"fig"), 1);
    list.SetItemData(1, 42);

    EXPECT_EQ(list.SetCurSel(2), 2);
    EXPECT_EQ(user.text(1), L"pear");
    EXPECT_EQ(list.SetCurSel(7), CB_ERR);
    EXPECT_EQ(list.GetCurSel(), CB_ERR) << "a bad index clears the selection";
    EXPECT_EQ(user.text(1), L"");
    EXPECT_EQ(list.FindString(-1, L"F"), 1);
    EXPECT_EQ(list.FindString(1, L"F"), 1) << "the search wraps round";
    EXPECT_EQ(list.FindStringExact(-1, L"fi"), CB_ERR);
    EXPECT_EQ(list.SelectString(-1, L"ap"), 0);
    EXPECT_TRUE(parent.take().empty()) << "programmatic changes do not notify";
    list.SetWindowText(L"nothing like it");
    EXPECT_EQ(list.GetCurSel(), 0) << "a drop-down list only shows its items";

    user.select(1, L"fig");
    EXPECT_EQ(list.GetItemData(list.GetCurSel()), 42u);
    EXPECT_EQ(parent.take(), (std::vector<std::wstring>{note(1, CBN_SETFOCUS), note(1, CBN_DROPDOWN), note(1, CBN_SELENDOK),
                                                        note(1, CBN_CLOSEUP), note(1, CBN_SELCHANGE)}));
    list.DeleteString(0);
    EXPECT_EQ(list.GetCurSel(), 0) << "the selection follows its item";

    // The edit part of a drop-down combo changes after CBN_SELCHANGE, as in Win32.
    edit.AddString(L"mm");
    edit.AddString(L"in");
    edit.SetWindowText(L"typed");
    struct Peek : CWnd {
        CString textDuringChange;
        BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM, LRESULT*) override {
            if (message == WM_COMMAND && HIWORD(wParam) == CBN_SELCHANGE) GetWindowText(textDuringChange);
            return FALSE;
        }
    } peek;
    ASSERT_TRUE(peek.SubclassWindow(edit.m_hWnd));
    user.select(2, 1);
    EXPECT_EQ(peek.textDuringChange, L"typed");
    EXPECT_EQ(user.text(2), L"in");
    peek.UnsubclassWindow();
    user.type(2, L"cm");
    EXPECT_EQ(user.text(2), L"cm");
    EXPECT_EQ(edit.GetCurSel(), 1) << "typing does not change the list selection";
}

TEST_F(ControlsTest, ListBoxSingleAndMultipleSelection) {
    CListBox single, multiple;
    ASSERT_TRUE(single.Create(WS_VISIBLE | LBS_NOTIFY, CRect(0, 0, 99, 99), &parent, 1));
    ASSERT_TRUE(multiple.Create(WS_VISIBLE | LBS_MULTIPLESEL, CRect(0, 0, 99, 99), &parent, 2));
    for (const wchar_t* t : {L"a", L"b", L"c"}) {
        single.AddString(t);
        multiple.AddString(t);
    }
    user.select(1, 2);
    EXPECT_EQ(single.GetCurSel(), 2);
    user.press(VK_UP);
    EXPECT_EQ(single.GetCurSel(), 1);
    EXPECT_EQ(parent.take(), (std::vector<std::wstring>{note(1, LBN_SETFOCUS), note(1, LBN_SELCHANGE), note(1, LBN_SELCHANGE)}));
    EXPECT_EQ(multiple.SetCurSel(1), LB_ERR) << "multiple-selection boxes select with SetSel";

    user.select(2, 0);
    user.select(2, 2);
    user.select(2, 0);
    int picked[3] = {};
    ASSERT_EQ(multiple.GetSelCount(), 1);
    ASSERT_EQ(multiple.GetSelItems(3, picked), 1);
    EXPECT_EQ(picked[0], 2);
    EXPECT_EQ(parent.take(), std::vector<std::wstring>{note(1, LBN_KILLFOCUS)}) << "the second box has no LBS_NOTIFY";
    CString text;
    multiple.GetText(5, text);
    EXPECT_EQ(text, L"");
}

}  // namespace
