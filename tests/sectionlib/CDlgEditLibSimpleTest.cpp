#include "sectionlib/CDlgEditLibSimple.h"

#include "platform/mfc/GTestSupport.h"
#include "platform/mfc/GoldenPicture.h"
#include "platform/mfc/ScriptedDriver.h"
#include "platform/mfc/Win32Api.h"
#include "tests/sectionlib/SectionLibTestSupport.h"

namespace {

using Dlg = CDlgEditLibSimple;

class EditLibSimple : public ScratchLibraryTest {
protected:
    void SetUp() override {
        ScratchLibraryTest::SetUp();
        ASSERT_TRUE(ipe.readFromFile(L"IPE"));
    }
    Mx_StringArray sysNames(const Mx_ProfValuesTable& table) {
        Mx_StringArray names;
        table.getColumn(names, 0);
        return names;
    }
    Mx_ProfValuesTable ipe;
};

TEST_F(EditLibSimple, GeneratedNameFollowsTheValuesAndTheSizeGoesInSorted) {
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        EXPECT_EQ(dlg.text(0), L"New size");
        EXPECT_EQ(dlg.checked(Dlg::IDC_GENERATED), BST_CHECKED);
        EXPECT_EQ(dlg.text(Dlg::IDC_NAME), L"IPE 200");
        EXPECT_FALSE(dlg.enabled(Dlg::IDC_NAME));
        // IPE has seven values (h .. G): the other four fields and labels are hidden.
        EXPECT_EQ(dlg.text(Dlg::valueLabel(1)), L"h:");
        EXPECT_EQ(dlg.text(Dlg::valueField(3)), L"5.6");
        EXPECT_TRUE(dlg.visible(Dlg::valueField(7)));
        EXPECT_FALSE(dlg.visible(Dlg::valueField(8)));
        EXPECT_FALSE(dlg.visible(Dlg::valueLabel(11)));
        dlg.type(Dlg::valueField(1), L"210");
        EXPECT_EQ(dlg.text(Dlg::IDC_NAME), L"IPE 210");
        dlg.type(Dlg::valueField(2), L"105");  // not a name value
        EXPECT_EQ(dlg.text(Dlg::IDC_NAME), L"IPE 210");
        dlg.click(IDOK);
    });
    // The inactive size before 200 does not count in the row handed back.
    ipe.rows[0][1] = L"0";
    int row = -1;
    ASSERT_TRUE(StartDlgEditLibSimple(L"200", ipe, row));
    ui::expectDriverDone(driver);
    EXPECT_TRUE(driver.messageBoxes().empty());
    int index = -1;
    ASSERT_TRUE(ipe.findSysName(L"210", index));
    EXPECT_EQ(ipe.rows[index - 1][0], Mx_String(L"200"));
    EXPECT_EQ(row, index - 1);
    EXPECT_EQ(ipe.rows[index][1], Mx_String(L"1"));
    EXPECT_EQ(ipe.rows[index][5], Mx_String(L"IPE210"));
    EXPECT_EQ(ipe.rows[index][6], Mx_String(L"210"));
    EXPECT_EQ(ipe.rows[index][7], Mx_String(L"105"));
    EXPECT_EQ(ipe.rows[index][8], Mx_String(L"5.6"));
}

TEST_F(EditLibSimple, TypedNameTakesEveryLanguagesAffixes) {
    Mx_ProfValuesTable hea;
    ASSERT_TRUE(hea.readFromFile(L"HEA"));
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        EXPECT_EQ(dlg.text(Dlg::IDC_NAME), L"HE 200 A");
        dlg.click(Dlg::IDC_TYPED);
        EXPECT_TRUE(dlg.enabled(Dlg::IDC_NAME));
        EXPECT_EQ(dlg.text(Dlg::IDC_NAME), L"200");
        dlg.type(Dlg::valueField(1), L"195");  // the typed name does not follow the values
        EXPECT_EQ(dlg.text(Dlg::IDC_NAME), L"200");
        dlg.type(Dlg::IDC_NAME, L"200 S");
        dlg.click(Dlg::IDC_TYPED);
        EXPECT_EQ(dlg.text(Dlg::IDC_NAME), L"200 S") << "a second click keeps the typed name";
        dlg.click(IDOK);
    });
    int row = -1;
    ASSERT_TRUE(StartDlgEditLibSimple(L"200", hea, row));
    int index = -1;
    ASSERT_TRUE(hea.findSysName(L"200 S", index));
    EXPECT_EQ(hea.rows[index][2], Mx_String(L"HE 200 S A"));
    EXPECT_EQ(hea.rows[index][3], Mx_String(L"IPBl 200 S"));
    EXPECT_EQ(hea.rows[index][6], Mx_String(L"195"));
    EXPECT_EQ(hea.rows[index - 1][0], Mx_String(L"200"));
}

TEST_F(EditLibSimple, RefusedOkKeepsTheDialogOpenAndCancelKeepsTheTable) {
    const Mx_StringArray before = sysNames(ipe);
    ui::ScriptedDriver driver;
    driver.answerMessageBox(IDOK).answerMessageBox(IDOK);
    driver.onModal([](ui::Automation& dlg) {
        dlg.click(IDOK);  // 200 exists
        EXPECT_TRUE(dlg.visible(IDOK));
        dlg.type(Dlg::valueField(2), L"wide");
        dlg.type(Dlg::valueField(1), L"205");
        dlg.click(IDOK);  // b is not a number
        EXPECT_TRUE(dlg.visible(IDOK));
        dlg.click(IDCANCEL);
    });
    int row = 42;
    EXPECT_FALSE(StartDlgEditLibSimple(L"200", ipe, row));
    ASSERT_EQ(driver.messageBoxes().size(), 2u);
    EXPECT_EQ(driver.messageBoxes()[0].caption, L"Invalid value");
    EXPECT_NE(driver.messageBoxes()[0].text.find(L"<200>"), std::wstring::npos);
    EXPECT_EQ(driver.messageBoxes()[1].text, L"Please correct the value.");
    EXPECT_EQ(driver.messageBoxes()[1].type & MB_ICONEXCLAMATION, static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_EQ(sysNames(ipe), before);
    EXPECT_EQ(row, 42);
}

TEST_F(EditLibSimple, RectangularTubeCheckRefusesBeforeAddingSoASecondOkAddsOnce) {
    writeProf("RHS.pr",
              "10\nSysName\tI/O\tEnglish\tGerman\tFrench\tDutch\th\tb\tt\tr\n"
              "100x50\t1\tRHS 100x50\tRHS 100x50\tRHS 100x50\tRHS100x50\t100\t50\t4\t8\n");
    Mx_ProfValuesTable rhs;
    ASSERT_TRUE(rhs.readFromFile(L"RHS"));
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        EXPECT_EQ(dlg.text(Dlg::IDC_NAME), L"RHS 100x50");
        dlg.type(Dlg::valueField(1), L"120");
        dlg.type(Dlg::valueField(4), L"3");
        EXPECT_EQ(dlg.text(Dlg::IDC_NAME), L"RHS 120x50");
        dlg.click(IDOK);
        EXPECT_TRUE(dlg.visible(IDOK));
        dlg.type(Dlg::valueField(4), L"0");
        dlg.click(IDOK);
    });
    int row = -1;
    ASSERT_TRUE(StartDlgEditLibSimple(L"100x50", rhs, row));
    ASSERT_EQ(driver.messageBoxes().size(), 1u);
    EXPECT_EQ(driver.messageBoxes()[0].text,
              L"The last value must be 0 or greater than the value before it.\nThe size was not added.\n\n"
              L"Please correct the value.");
    EXPECT_EQ(sysNames(rhs), (Mx_StringArray{Mx_String(L"100x50"), Mx_String(L"120x50")}));
    EXPECT_EQ(rhs.rows[1][9], Mx_String(L"0"));
    EXPECT_EQ(row, 1);
}

TEST_F(EditLibSimple, Picture) {
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        dlg.type(Dlg::valueField(1), L"210");
        dlg.type(Dlg::valueField(2), L"105");
        dlg.setFocus(Dlg::valueField(2));
        ui::expectMatchesGolden(ui::renderWindow(dlg.root()), "section_library_new_size");
        dlg.click(IDCANCEL);
    });
    int row = -1;
    EXPECT_FALSE(StartDlgEditLibSimple(L"200", ipe, row));
}

}  // namespace
