#include "platform/mxbase/ui/DialogControls.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/mfc/CButton.h"
#include "platform/mfc/CComboBox.h"
#include "platform/mxbase/ui/CResizer.h"

namespace {

class Owner : public CWnd {
public:
    Owner() { EXPECT_TRUE(CreateEx(0, L"Window", L"", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0)); }
};

class Page : public CWnd {
public:
    explicit Page(CWnd* parent) { EXPECT_TRUE(Create(L"Window", L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), parent, 50)); }
};

}  // namespace

TEST(DialogControls, FillComboEnableShowAndMissingControls)
{
    Owner owner;
    auto comboObject = std::make_unique<CComboBox>();
    CComboBox* combo = comboObject.get();
    ASSERT_TRUE(combo->Create(CBS_DROPDOWNLIST | WS_VISIBLE, CRect(0, 0, 80, 60), &owner, 1384));
    combo->AddString(L"old");
    const Mx_StringArray items{L"M12", L"M16", L"M20"};
    EXPECT_TRUE(FillCombo(combo, items, 1));
    EXPECT_EQ(combo->GetCount(), 3);
    EXPECT_EQ(combo->GetCurSel(), 1);
    EXPECT_TRUE(FillCombo(combo, items, Mx_String(L"M20")));
    EXPECT_EQ(combo->GetCurSel(), 2);
    EXPECT_TRUE(FillCombo(&owner, 1384, items, 7));
    EXPECT_EQ(combo->GetCurSel(), -1);
    EXPECT_TRUE(FillCombo(combo, items, Mx_String(L"M99")));
    EXPECT_EQ(combo->GetCurSel(), -1);

    EXPECT_TRUE(EnDisCtrl(&owner, 1384, false));
    EXPECT_FALSE(combo->IsWindowEnabled());
    EXPECT_TRUE(ShowOrHideCtrl(combo, false));
    EXPECT_FALSE(combo->IsWindowVisible());
    // Controls a template does not have are ignored.
    EXPECT_FALSE(EnDisCtrl(&owner, 4242, true));
    EXPECT_FALSE(ShowOrHideCtrl(&owner, 4242, true));
    EXPECT_FALSE(FillCombo(&owner, 4242, items));
    EXPECT_FALSE(disableTriState(&owner, 4242));
    EXPECT_FALSE(EnDisCtrl(static_cast<CWnd*>(nullptr), true));
}

TEST(DialogControls, DisableTriStateLeavesATwoStateBox)
{
    Owner owner;
    auto boxObject = std::make_unique<CButton>();
    CButton* box = boxObject.get();
    ASSERT_TRUE(box->Create(L"box", BS_AUTO3STATE | WS_VISIBLE, CRect(0, 0, 50, 12), &owner, 1120));
    for (int state : {BST_INDETERMINATE, BST_CHECKED, BST_UNCHECKED}) {
        box->SetButtonStyle(BS_AUTO3STATE);
        box->SetCheck(state);
        EXPECT_TRUE(disableTriState(&owner, 1120));
        EXPECT_EQ(box->GetButtonStyle() & BS_TYPEMASK, BS_AUTOCHECKBOX);
        EXPECT_EQ(box->GetCheck(), state == BST_CHECKED ? BST_CHECKED : BST_UNCHECKED);
    }
}

TEST(DialogControls, OwnerOfAPageIsFoundUpTheParentChain)
{
    Owner owner;
    Page outer(&owner);
    Page inner(&outer);
    EXPECT_EQ(getDlgOwner<Owner>(&inner), &owner);
    EXPECT_EQ(getDlgOwner<Page>(&inner), &outer);
    EXPECT_EQ(getDlgOwner<Owner>(&owner), nullptr);
    EXPECT_EQ(getDlgOwner(&inner), &owner);
    EXPECT_EQ(getDlgOwner(&owner), nullptr);
}

TEST(CResizer, ControlsFollowTheEdgesTheyAreAnchoredTo)
{
    Owner owner;
    const struct {
        int id;
        CRect rect;
    } controls[] = {{1, CRect(10, 10, 290, 150)}, {2, CRect(200, 170, 290, 190)}, {3, CRect(10, 170, 60, 190)}, {4, CRect(10, 155, 290, 165)}};
    std::vector<std::unique_ptr<CButton>> buttons;
    for (const auto& c : controls) {
        buttons.push_back(std::make_unique<CButton>());
        ASSERT_TRUE(buttons.back()->Create(L"", BS_PUSHBUTTON | WS_VISIBLE, c.rect, &owner, UINT(c.id)));
    }
    CResizer resizer;
    EXPECT_EQ(resizer.Init(&owner, {{1, CResizer::All}, {2, CResizer::BottomRight}, {3, CResizer::BottomLeft},
                                    {4, CResizer::LeftRight | CResizer::Bottom}, {99, CResizer::All}}),
              4);
    owner.MoveWindow(0, 0, 400, 260);
    resizer.Move();
    auto rectOf = [&](int id) {
        CRect rect;
        owner.GetDlgItem(id)->GetWindowRect(&rect);
        owner.ScreenToClient(&rect);
        return rect;
    };
    EXPECT_EQ(rectOf(1), CRect(10, 10, 390, 210));
    EXPECT_EQ(rectOf(2), CRect(300, 230, 390, 250));
    EXPECT_EQ(rectOf(3), CRect(10, 230, 60, 250));
    EXPECT_EQ(rectOf(4), CRect(10, 215, 390, 225));
    // Smaller than at Init: sizes shrink to nothing but never turn inside out.
    owner.MoveWindow(0, 0, 20, 20);
    resizer.Move();
    EXPECT_EQ(rectOf(1).Width(), 0);
    EXPECT_GE(rectOf(1).Height(), 0);
}
