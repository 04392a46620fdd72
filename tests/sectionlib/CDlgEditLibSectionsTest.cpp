#include "sectionlib/CDlgEditLibSections.h"

#include "platform/grid/window/GridAutomation.h"
#include "platform/mfc/GTestSupport.h"
#include "platform/mfc/GoldenPicture.h"
#include "platform/mfc/ScriptedDriver.h"
#include "platform/mfc/TabCtrl.h"
#include "platform/mfc/Win32Api.h"
#include "platform/mxbase/Mx_SectionTableManager.h"
#include "sectionlib/CTabEditLibEntries.h"
#include "sectionlib/CTabEditLibTypes.h"
#include "sectionlib/CTabEditLibValues.h"
#include "sectionlib/SectionLibHooks.h"
#include "tests/sectionlib/SectionLibTestSupport.h"

namespace {

using Page = CTabEditLibEntries;
using Values = CTabEditLibValues;
constexpr int kGroupsPage = 8138, kTypesPage = 8139, kValuesPage = 8716;

class EditLibSections : public ScratchLibraryTest {
protected:
    void SetUp() override {
        ScratchLibraryTest::SetUp();
        data = DlgEditLibData::builtIn();
        gSectionTableManager.reset();
    }
    void TearDown() override {
        gSectionTableManager.reset();
        sectionlib::setSpreadOptionsHook(nullptr);
        ScratchLibraryTest::TearDown();
    }
    DlgEditLibData data;
};

// The controls of one page (the pages share control ids).
ui::Automation page(ui::Automation& dlg, int id) {
    return ui::Automation(dlg.find(id));
}

void showTab(ui::Automation& dlg, int index) {
    dlg.control<ui::TabCtrlVerbs>(CDlgEditLibSections::IDC_TABS).clickTab(index);
}

TEST_F(EditLibSections, GroupsAreEditedInTheCopyAndHandedBackOnOk) {
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        EXPECT_EQ(dlg.text(0), L"Section library");
        ui::Automation groups = page(dlg, kGroupsPage);
        EXPECT_EQ(groups.items(Page::IDC_LIST),
                  (std::vector<std::wstring>{L"Rolled sections", L"Hollow sections", L"Plates and bars",
                                             L"Cold-formed sections"}));
        EXPECT_EQ(groups.selection(Page::IDC_LIST), 0);
        EXPECT_EQ(groups.checked(Page::IDC_ENABLED), BST_CHECKED);
        auto names = groups.control<ui::GridAutomation>(Page::IDC_NAMES);
        EXPECT_EQ(names.text(1, 1), L"Rolled sections");
        names.type(1, 2, L"Walzprofile");  // German
        groups.type(Page::IDC_PICTURE, L"rolled.bmp");

        // Another group: the first is stored; switching it off disables its details.
        groups.select(Page::IDC_LIST, 1);
        groups.click(Page::IDC_ENABLED);
        EXPECT_FALSE(groups.enabled(Page::IDC_PICTURE));
        EXPECT_TRUE(groups.enabled(Page::IDC_ENABLED));
        EXPECT_FALSE(groups.control<ui::CheckComboVerbs>(Page::IDC_LIST).checked(1));

        // Moving the shown group keeps it shown; nothing happens at the top.
        groups.click(Page::IDC_UP);
        EXPECT_EQ(groups.selection(Page::IDC_LIST), 0);
        EXPECT_EQ(groups.items(Page::IDC_LIST)[0], L"Hollow sections");
        groups.click(Page::IDC_UP);
        EXPECT_EQ(groups.items(Page::IDC_LIST)[0], L"Hollow sections");
        groups.click(Page::IDC_DOWN);
        EXPECT_EQ(groups.selection(Page::IDC_LIST), 1);

        // A new group, ticked off in the list itself.
        groups.click(Page::IDC_NEW);
        EXPECT_EQ(groups.selection(Page::IDC_LIST), 4);
        EXPECT_EQ(groups.items(Page::IDC_LIST)[4], L"New");
        groups.control<ui::CheckComboVerbs>(Page::IDC_LIST).toggleCheck(4);
        EXPECT_EQ(groups.checked(Page::IDC_ENABLED), BST_UNCHECKED);
        dlg.click(IDOK);
    });
    const DlgEditLibData before = data;
    ASSERT_TRUE(StartDlgEditLibSections(data, L""));
    ui::expectDriverDone(driver);
    ASSERT_EQ(data.groups.length(), 5);
    EXPECT_EQ(data.groups[0].names.at(1), Mx_String(L"Walzprofile"));
    EXPECT_EQ(data.groups[0].names.at(0), Mx_String(L"Rolled sections"));
    EXPECT_EQ(data.groups[0].picture, Mx_String(L"rolled.bmp"));
    EXPECT_FALSE(data.groups[1].enabled);
    EXPECT_EQ(data.groups[1].id, 2);
    EXPECT_EQ(data.groups[4].id, 5);
    EXPECT_FALSE(data.groups[4].enabled);
    EXPECT_EQ(data.types, before.types);
}

TEST_F(EditLibSections, DeletingSelectsTheNextOrTheNewLastAndCancelKeepsTheData) {
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        ui::Automation groups = page(dlg, kGroupsPage);
        groups.select(Page::IDC_LIST, 3);
        groups.click(Page::IDC_DELETE);  // the last: the new last is shown
        EXPECT_EQ(groups.selection(Page::IDC_LIST), 2);
        EXPECT_EQ(groups.control<ui::GridAutomation>(Page::IDC_NAMES).text(1, 1), L"Plates and bars");
        groups.select(Page::IDC_LIST, 0);
        groups.click(Page::IDC_DELETE);  // the next one moves up into its place
        EXPECT_EQ(groups.selection(Page::IDC_LIST), 0);
        EXPECT_EQ(groups.items(Page::IDC_LIST)[0], L"Hollow sections");
        groups.click(Page::IDC_DELETE);
        groups.click(Page::IDC_DELETE);  // the only one: nothing is left to show
        EXPECT_EQ(groups.selection(Page::IDC_LIST), -1);
        EXPECT_FALSE(groups.enabled(Page::IDC_DELETE));
        EXPECT_FALSE(groups.enabled(Page::IDC_PICTURE));
        EXPECT_EQ(groups.control<ui::GridAutomation>(Page::IDC_NAMES).text(1, 1), L"");
        dlg.click(IDCANCEL);
    });
    const DlgEditLibData before = data;
    EXPECT_FALSE(StartDlgEditLibSections(data, L""));
    EXPECT_TRUE(data == before);
}

TEST_F(EditLibSections, TypesKeepTheirGroupsIdAndNewTypesTheirName) {
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        // A group renamed on its page is offered under its new name on the types page.
        ui::Automation groups = page(dlg, kGroupsPage);
        groups.select(Page::IDC_LIST, 1);
        groups.control<ui::GridAutomation>(Page::IDC_NAMES).type(1, 1, L"Tubes");
        showTab(dlg, 1);
        ui::Automation types = page(dlg, kTypesPage);
        EXPECT_TRUE(types.visible(Page::IDC_LIST));
        EXPECT_FALSE(dlg.visible(kGroupsPage));
        types.select(Page::IDC_LIST, 9);  // RectTube, in the hollow sections
        EXPECT_EQ(types.text(CTabEditLibTypes::IDC_DIMENSIONS), L"h;b;t;r");
        EXPECT_EQ(types.items(CTabEditLibTypes::IDC_GROUP)[1], L"Tubes");
        EXPECT_EQ(types.selection(CTabEditLibTypes::IDC_GROUP), 1);
        types.select(CTabEditLibTypes::IDC_GROUP, 3);
        types.type(CTabEditLibTypes::IDC_DIMENSIONS, L"h;b;t;ro");
        types.click(Page::IDC_NEW);
        EXPECT_EQ(types.items(Page::IDC_LIST).back(), L"New type");
        EXPECT_EQ(types.selection(CTabEditLibTypes::IDC_GROUP), -1);
        showTab(dlg, 2);  // the values page offers the new type as a shape
        EXPECT_EQ(page(dlg, kValuesPage).items(Values::IDC_SHAPE)[24], L"New type");
        dlg.click(IDOK);
    });
    ASSERT_TRUE(StartDlgEditLibSections(data, L""));
    EXPECT_EQ(data.groups[1].names.at(0), Mx_String(L"Tubes"));
    EXPECT_EQ(data.types[9].groupId, data.groups[3].id);
    EXPECT_EQ(data.dimensionNames(10).at(3), Mx_String(L"ro"));
    ASSERT_EQ(data.types.length(), 25);
    EXPECT_EQ(data.types[24].id, 25);
    EXPECT_EQ(data.types[24].groupId, -1);
    EXPECT_EQ(data.types[24].names.at(2), Mx_String(L"New type"));
}

TEST_F(EditLibSections, ChangedTablesAreSavedRegisteredOrKeptAsTheUserSays) {
    ui::ScriptedDriver driver;
    driver.answerMessageBox(IDCANCEL).answerMessageBox(IDYES);
    driver.onModal([](ui::Automation& dlg) {
        showTab(dlg, 2);
        ui::Automation values = page(dlg, kValuesPage);
        EXPECT_EQ(values.items(Values::IDC_TABLES), (std::vector<std::wstring>{L"HEA", L"HEB", L"IPE"}));
        values.select(Values::IDC_TABLES, L"IPE");  // nothing changed: no question
        auto grid = values.control<ui::GridAutomation>(Values::IDC_GRID);
        EXPECT_EQ(grid.text(3, 7), L"IPE 200");
        EXPECT_EQ(grid.text(7, 0), L"h");
        EXPECT_TRUE(grid.checked(2, 7));
        grid.type(8, 7, L"101");
        grid.click(2, 1);                           // IPE 80 off
        values.select(Values::IDC_TABLES, L"HEB");  // Cancel: stays on IPE with the edits
        EXPECT_EQ(values.selection(Values::IDC_TABLES), 2);
        EXPECT_EQ(grid.text(8, 7), L"101");
        values.select(Values::IDC_TABLES, L"HEB");  // Yes: saved
        EXPECT_EQ(grid.text(3, 1), L"HE 100 B");
        dlg.click(IDCANCEL);
    });
    EXPECT_FALSE(StartDlgEditLibSections(data, L""));
    ASSERT_EQ(driver.messageBoxes().size(), 2u);
    EXPECT_EQ(driver.messageBoxes()[0].caption, L"Save the table");
    EXPECT_EQ(driver.messageBoxes()[0].text, L"The table <IPE> has changed. Save the changes?");
    EXPECT_EQ(driver.messageBoxes()[0].type, static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION));

    Mx_ProfValuesTable ipe;
    ASSERT_TRUE(ipe.readFromFile(L"IPE"));
    EXPECT_EQ(ipe.image, Mx_String(L"ipe.bmp"));
    EXPECT_EQ(ipe.rows[6][7], Mx_String(L"101"));
    EXPECT_EQ(ipe.rows[0][1], Mx_String(L"0"));
    Mx_String value;
    ASSERT_EQ(gSectionTableManager.getSectionValue(L"IPE 200", 1, value), Acad::eOk);
    EXPECT_EQ(value, Mx_String(L"101")) << "a saved table is registered at once";
}

TEST_F(EditLibSections, NewRenamedAndDeletedTables) {
    ui::ScriptedDriver driver;
    driver.answerMessageBox(IDOK).answerMessageBox(IDYES);  // the refused rename, the delete
    driver.onModal([](ui::Automation& dlg) {
        showTab(dlg, 2);
        ui::Automation values = page(dlg, kValuesPage);
        values.click(Values::IDC_NEW);
        EXPECT_EQ(values.items(Values::IDC_TABLES).back(), L"New table");
        auto grid = values.control<ui::GridAutomation>(Values::IDC_GRID);
        EXPECT_EQ(grid.cols(), 8);
        EXPECT_EQ(grid.text(7, 0), L"Value1");
        EXPECT_EQ(grid.text(8, 1), L"0");
        grid.type(1, 1, L"1");
        // Renaming to another table's name is refused; to a new name, saved under it.
        values.click(Values::IDC_RENAME);
    });
    driver.onModal([](ui::Automation& prompt) {
        prompt.type(8003, L"ipe");
        prompt.click(IDOK);
    });
    driver.onModal([](ui::Automation& dlg) {
        ui::Automation values = page(dlg, kValuesPage);
        EXPECT_EQ(values.items(Values::IDC_TABLES).back(), L"New table");
        values.click(Values::IDC_RENAME);
    });
    driver.onModal([](ui::Automation& prompt) {
        prompt.type(8003, L"UPN");
        prompt.click(IDOK);
    });
    driver.onModal([](ui::Automation& dlg) {
        ui::Automation values = page(dlg, kValuesPage);
        EXPECT_EQ(values.items(Values::IDC_TABLES),
                  (std::vector<std::wstring>{L"HEA", L"HEB", L"IPE", L"UPN"}));
        values.select(Values::IDC_TABLES, L"HEA");
        values.click(Values::IDC_DELETE);
        EXPECT_EQ(values.items(Values::IDC_TABLES), (std::vector<std::wstring>{L"HEB", L"IPE", L"UPN"}));
        EXPECT_EQ(values.selection(Values::IDC_TABLES), 0);
        dlg.click(IDOK);
    });
    ASSERT_TRUE(StartDlgEditLibSections(data, L""));
    EXPECT_TRUE(driver.problems().empty());
    EXPECT_FALSE(std::filesystem::exists(prof("HEA.pr")));
    EXPECT_FALSE(std::filesystem::exists(prof("New table.pr")));
    EXPECT_EQ(bytesOf(prof("IPE.pr")), bytesOf(bundledProf() / "IPE.pr")) << "the refused rename kept IPE";
    Mx_ProfValuesTable upn;
    ASSERT_TRUE(upn.readFromFile(L"UPN"));
    EXPECT_EQ(upn.rows.length(), 1);
    EXPECT_EQ(upn.rows[0][0], Mx_String(L"1"));
    EXPECT_EQ(upn.headers.at(6), Mx_String(L"Value1"));
}

TEST_F(EditLibSections, OpensOnTheNamedTableAndAnUnsavedNewTableGoesOnNo) {
    ui::ScriptedDriver driver;
    driver.answerMessageBox(IDNO);
    driver.onModal([](ui::Automation& dlg) {
        ui::Automation values = page(dlg, kValuesPage);
        EXPECT_TRUE(values.visible(Values::IDC_TABLES));
        EXPECT_EQ(values.selection(Values::IDC_TABLES), 1);  // "heb"
        values.click(Values::IDC_NEW);
        values.select(Values::IDC_TABLES, L"IPE");
        EXPECT_EQ(values.items(Values::IDC_TABLES), (std::vector<std::wstring>{L"HEA", L"HEB", L"IPE"}));
        EXPECT_EQ(values.selection(Values::IDC_TABLES), 2);
        dlg.click(IDCANCEL);
    });
    EXPECT_FALSE(StartDlgEditLibSections(data, L"heb"));
    EXPECT_EQ(driver.messageBoxes().size(), 1u);
}

TEST_F(EditLibSections, ShapeWithFewerDimensionsAsksBeforeColumnsGo) {
    ui::ScriptedDriver driver;
    driver.answerMessageBox(IDNO).answerMessageBox(IDYES).answerMessageBox(IDNO);
    driver.onModal([](ui::Automation& dlg) {
        showTab(dlg, 2);
        ui::Automation values = page(dlg, kValuesPage);
        values.select(Values::IDC_TABLES, L"IPE");
        EXPECT_EQ(values.text(Values::IDC_SHAPE), L"ipe.bmp");
        auto grid = values.control<ui::GridAutomation>(Values::IDC_GRID);
        values.select(Values::IDC_SHAPE, L"Rect");  // h, b: No keeps the seven value columns
        EXPECT_EQ(grid.cols(), 13);
        EXPECT_EQ(grid.text(7, 0), L"h");
        EXPECT_EQ(grid.text(8, 0), L"b");
        values.select(Values::IDC_SHAPE, L"RoundTube");  // d, t: Yes removes the others
        EXPECT_EQ(grid.cols(), 8);
        EXPECT_EQ(grid.text(7, 0), L"d");
        values.select(Values::IDC_SHAPE, L"I");  // more dimensions: columns are added, nothing asked
        EXPECT_EQ(grid.cols(), 11);
        EXPECT_EQ(grid.text(11, 0), L"r");
        dlg.click(IDOK);  // No: the table file stays as it was
    });
    ASSERT_TRUE(StartDlgEditLibSections(data, L""));
    ASSERT_EQ(driver.messageBoxes().size(), 3u);
    EXPECT_EQ(driver.messageBoxes()[0].caption, L"Columns");
    EXPECT_EQ(driver.messageBoxes()[0].text,
              L"The shape Rect needs fewer columns than the table has.\nRemove the extra columns?");
    EXPECT_EQ(driver.messageBoxes()[2].caption, L"Save the table");
    EXPECT_EQ(bytesOf(prof("IPE.pr")), bytesOf(bundledProf() / "IPE.pr"));
}

Mx_Spread* gSearched = nullptr;

TEST_F(EditLibSections, OptionsAndSearchReachTheTablesGrid) {
    // Options (the grid's header editor) that renamed a row and added a column: the rows are the
    // table's again afterwards.
    Mx_Spread::setHeaderEditor([](CWnd*, Mx_Spread::HeaderSettings& settings) {
        settings.rowHeaders[1] = L"renamed";
        settings.cols += 1;
        return true;
    });
    sectionlib::setSearchHook([](Mx_Spread& grid) { gSearched = &grid; });
    ui::ScriptedDriver driver;
    driver.answerMessageBox(IDNO);  // leaving the changed table
    driver.onModal([](ui::Automation& dlg) {
        showTab(dlg, 2);
        ui::Automation values = page(dlg, kValuesPage);
        values.select(Values::IDC_TABLES, L"HEB");
        values.click(Values::IDC_OPTIONS);
        auto grid = values.control<ui::GridAutomation>(Values::IDC_GRID);
        EXPECT_EQ(grid.text(0, 2), L"HEB");
        EXPECT_EQ(grid.cols(), 14);
        values.click(Values::IDC_SEARCH);
        EXPECT_EQ(gSearched ? gSearched->GetSafeHwnd() : nullptr, grid.hwnd());
        // Row commands act on the grid: a row inserted behind the current one gets the table's name.
        grid.click(1, 3);
        values.click(Values::IDC_INSERT_ROW);
        EXPECT_EQ(grid.rows(), 20);
        EXPECT_EQ(grid.text(0, 4), L"HEB");
        values.click(Values::IDC_ROW_UP);
        dlg.click(IDOK);
    });
    ASSERT_TRUE(StartDlgEditLibSections(data, L""));
    sectionlib::setSearchHook(nullptr);
    Mx_Spread::setHeaderEditor(nullptr);
    ASSERT_EQ(driver.messageBoxes().size(), 1u);
    EXPECT_EQ(bytesOf(prof("HEB.pr")), bytesOf(bundledProf() / "HEB.pr")) << "No keeps the file";
}

TEST_F(EditLibSections, Picture) {
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        showTab(dlg, 2);
        page(dlg, kValuesPage).select(Values::IDC_TABLES, L"IPE");
        ui::expectMatchesGolden(ui::renderWindow(dlg.root()), "section_library_values");
        dlg.click(IDCANCEL);
    });
    EXPECT_FALSE(StartDlgEditLibSections(data, L""));
}

}  // namespace
