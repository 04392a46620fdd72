#include "spread/Mx_DlgPromptString.h"

#include <gtest/gtest.h>

#include "module/ModuleResources.h"
#include "platform/mfc/GTestSupport.h"
#include "platform/mfc/Resources.h"
#include "platform/mfc/VlTempResourceOverride.h"

namespace {

constexpr int kPrompt = Mx_DlgPromptString::IDC_PROMPT;
constexpr int kEdit = Mx_DlgPromptString::IDC_VALUE;

struct PromptTest : ::testing::Test {
    VlTempResourceOverride::Scope resources{ModuleResources::resourceOverride()};
};

}  // namespace

TEST_F(PromptTest, ShowsItsTextsAndSelectsTheValue) {
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        EXPECT_EQ(dlg.text(0), L"Rename");
        EXPECT_EQ(dlg.text(kPrompt), L"New name:");
        EXPECT_EQ(dlg.text(kEdit), L"Plate");
        EXPECT_EQ(dlg.text(IDOK), L"Apply");
        EXPECT_EQ(dlg.text(IDCANCEL), L"Cancel") << "an empty caption keeps the template's";
        EXPECT_EQ(dlg.focusedId(), kEdit);
        dlg.typeHere(L"Bolt");  // the whole text was selected, so typing replaces it
        EXPECT_EQ(dlg.text(kEdit), L"Bolt");
        dlg.click(IDOK);
    });
    Mx_DlgPromptString prompt;
    prompt.setTitle(L"Rename");
    prompt.setPrompt(L"New name:");
    prompt.setValue(L"Plate");
    prompt.setOkCaption(L"Apply");
    EXPECT_EQ(prompt.DoModal(), IDOK);
    ui::expectDriverDone(driver);
    EXPECT_TRUE(prompt.accepted());
    EXPECT_EQ(prompt.value(), L"Bolt");
}

TEST_F(PromptTest, OkWithAnEmptyEditIsIgnoredAndCancelKeepsTheValue) {
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        dlg.type(kEdit, L"");
        dlg.click(IDOK);
        EXPECT_TRUE(dlg.visible(kEdit)) << "the prompt is still open";
        dlg.press(VK_RETURN);
        EXPECT_TRUE(dlg.visible(kEdit));
        dlg.type(kEdit, L"typed but cancelled");
        dlg.click(IDCANCEL);
    });
    Mx_DlgPromptString prompt;
    prompt.setValue(L"before");
    EXPECT_EQ(prompt.DoModal(), IDCANCEL);
    ui::expectDriverDone(driver);
    EXPECT_FALSE(prompt.accepted());
    EXPECT_EQ(prompt.value(), L"before");
}

TEST_F(PromptTest, WithoutTheEditOkAcceptsTheValueAsItIs) {
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        EXPECT_FALSE(dlg.visible(kEdit));
        dlg.click(IDOK);
    });
    Mx_DlgPromptString prompt;
    prompt.setShowEdit(false);
    prompt.setPrompt(L"Really?");
    EXPECT_EQ(prompt.DoModal(), IDOK);
    ui::expectDriverDone(driver);
    EXPECT_TRUE(prompt.accepted());
    EXPECT_EQ(prompt.value(), L"");
}

TEST(PromptGridHeader, AsksForARowOrColumnHeaderStartingFromNew) {
    const HINSTANCE before = AfxGetResourceHandle();
    ui::ScriptedDriver driver;
    driver.onModal([](ui::Automation& dlg) {
        EXPECT_EQ(dlg.text(0), L"Header");
        EXPECT_EQ(dlg.text(kPrompt), L"Header text of the row:");
        EXPECT_EQ(dlg.text(kEdit), L"New");
        EXPECT_EQ(dlg.text(IDOK), L"Ok");
        dlg.type(kEdit, L"Bolts");
        dlg.click(IDOK);
    });
    driver.onModal([](ui::Automation& dlg) {
        EXPECT_EQ(dlg.text(kPrompt), L"Header text of the column:");
        dlg.type(kEdit, L"ignored");
        dlg.click(IDCANCEL);
    });
    EXPECT_EQ(promptGridHeader(nullptr, true), L"Bolts");
    EXPECT_EQ(promptGridHeader(nullptr, false), L"New") << "a cancelled prompt gives the initial text";
    ui::expectDriverDone(driver);
    EXPECT_EQ(AfxGetResourceHandle(), before) << "the resource handle is restored";
}
