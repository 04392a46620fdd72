// The CIS/2 options dialog, driven as a user drives it, with its translation table.
#include "dialogs/CDlgCis2Info.h"

#include <gtest/gtest.h>
#include <unistd.h>  // getpid

#include <filesystem>
#include <fstream>
#include <iterator>

#include "dialogs/StartDialogs.h"
#include "platform/mfc/GTestSupport.h"
#include "platform/mfc/GoldenPicture.h"
#include "platform/mfc/Win32Api.h"
#include "platform/mxbase/Mx_Settings.h"

namespace {

using D = CDlgCis2Info;
constexpr int kPairs = 1002;  // the translation editor's text box

struct Cis2Test : ::testing::Test {
    std::filesystem::path lib =
        std::filesystem::temp_directory_path() / ("connsheet-cis2-lib-" + std::to_string(::getpid()));
    void SetUp() override {
        std::filesystem::remove_all(lib);
        std::filesystem::create_directories(lib);
        gSettings.setLibDir(Mx_String(lib.wstring()));
    }
    void TearDown() override {
        gSettings.reset();
        std::filesystem::remove_all(lib);
    }
    std::string table() const {
        std::ifstream in(lib / "CIS2ProfNames.dat", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
};

}  // namespace

TEST_F(Cis2Test, TheAnalysisModelDisablesTheDesignOptions) {
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        EXPECT_EQ(dlg.text(D::IDC_INTRO),
                  L"Choose what the CIS/2 file should contain.\nSection names are translated with the CIS/2 "
                  L"translation table.");
        EXPECT_EQ(dlg.checked(D::IDC_ANALYSIS), BST_CHECKED);
        EXPECT_EQ(dlg.checked(D::IDC_LIBRARY_NAMES), BST_CHECKED) << "option 2 false";
        for (int id : {D::IDC_BOLTS, D::IDC_WELDS, D::IDC_CUTS, D::IDC_LIBRARY_NAMES, D::IDC_CIS2_NAMES})
            EXPECT_FALSE(dlg.enabled(id)) << id;
        ui::expectMatchesGolden(ui::renderWindow(dlg.root()), "cis2_dialog");
        dlg.click(D::IDC_DESIGN);
        for (int id : {D::IDC_BOLTS, D::IDC_WELDS, D::IDC_CUTS, D::IDC_LIBRARY_NAMES, D::IDC_CIS2_NAMES})
            EXPECT_TRUE(dlg.enabled(id)) << id;
        dlg.click(D::IDC_BOLTS);
        dlg.click(D::IDC_CUTS);
        dlg.click(D::IDC_CIS2_NAMES);
        dlg.click(D::IDC_ANALYSIS);
        EXPECT_FALSE(dlg.enabled(D::IDC_CUTS));
        dlg.click(D::IDC_DESIGN);
        dlg.click(IDOK);
    });
    VlDlgCis2Data data;
    EXPECT_TRUE(StartDlgCis2Info(data));
    ui::expectDriverDone(driver);
    EXPECT_FALSE(data.option0);
    EXPECT_FALSE(data.option1);
    EXPECT_TRUE(data.option2);
    EXPECT_FALSE(data.option3);
    EXPECT_TRUE(data.option4);
}

TEST_F(Cis2Test, TheTranslationTableIsEditedAndWrittenToTheLibrary) {
    std::ofstream(lib / "CIS2ProfNames.dat") << "HEA200\tHE200A\n";
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) { dlg.click(D::IDC_TRANSLATION); });
    driver.onModal([](ui::Automation& editor) {
        EXPECT_EQ(editor.text(0), L"Section name translation");
        EXPECT_EQ(editor.text(kPairs), L"HEA200 = HE200A\r\n");
        editor.type(kPairs, L"HEA200 = HE200A\nIPE300=IPE300\n# note\n\nUC203 =\n");
        editor.click(IDOK);
    });
    driver.onModal([](ui::Automation& dlg) { dlg.click(IDCANCEL); });
    VlDlgCis2Data data;
    EXPECT_FALSE(StartDlgCis2Info(data));
    ui::expectDriverDone(driver);
    EXPECT_EQ(
        table(),
        "# Section name of the library, a tab, its translation\nHEA200\tHE200A\nIPE300\tIPE300\nUC203\t\n");
}

TEST_F(Cis2Test, AnUnreadableTableIsNotReplaced) {
    const std::string broken = "HEA200 without a tab\n";
    std::ofstream(lib / "CIS2ProfNames.dat") << broken;
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        dlg.click(D::IDC_TRANSLATION);
        dlg.click(IDCANCEL);
    });
    VlDlgCis2Data data;
    EXPECT_FALSE(StartDlgCis2Info(data));
    ui::expectDriverDone(driver);
    ASSERT_EQ(driver.messageBoxes().size(), 1u);
    EXPECT_NE(driver.messageBoxes()[0].text.find(L":1: expected a section name"), std::wstring::npos);
    EXPECT_EQ(driver.modalDialogs().size(), 1u) << "no editor was opened";
    EXPECT_EQ(table(), broken);
}

TEST_F(Cis2Test, AFailedWriteIsSaidAndTheEditorStaysOpen) {
    const std::string kept = "HEA200\tHE200A\n";
    std::ofstream(lib / "CIS2ProfNames.dat") << kept;
    std::filesystem::permissions(lib / "CIS2ProfNames.dat", std::filesystem::perms::owner_read);
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        dlg.click(D::IDC_TRANSLATION);
        dlg.click(IDCANCEL);
    });
    driver.onModal([](ui::Automation& editor) {
        editor.type(kPairs, L"HEA200 = changed\n");
        editor.click(IDOK);
        EXPECT_TRUE(::IsWindowVisible(editor.root())) << "the edits are still there to save elsewhere";
        editor.click(IDCANCEL);
    });
    VlDlgCis2Data data;
    EXPECT_FALSE(StartDlgCis2Info(data));
    ui::expectDriverDone(driver);
    ASSERT_EQ(driver.messageBoxes().size(), 1u);
    EXPECT_EQ(driver.messageBoxes()[0].caption, L"Section name translation");
    EXPECT_EQ(table(), kept);
}
