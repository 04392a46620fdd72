// The templates bundled with the example library, shown as a product dialog shows them.
#include <gtest/gtest.h>

#include "designer/CDlgTemplatePreview.h"
#include "platform/mfc/Automation.h"
#include "platform/mfc/GoldenPicture.h"
#include "platform/mfc/Win32Api.h"
#include "platform/mfc/WindowRenderer.h"
#include "platform/mxbase/Mx_Settings.h"

namespace {

Mx_String bundled(const char* name) {
    gSettings.setLibDir(Mx_String(std::string(CONNSHEET_SOURCE_DIR) + "/examples/library/"));
    Mx_String path = getDesignerRootFolder();
    path += Mx_String(name);
    path += L".txt";
    return path;
}

}  // namespace

TEST(BundledTemplates, EndPlateFieldsNamedAfterTheMacroVariables) {
    CDlgTemplatePreview preview;
    ASSERT_TRUE(preview.open(bundled("End Plate")));
    Mx_StringArray names;
    preview.data().getAllCtrlNames(names);
    EXPECT_EQ(names,
              (Mx_StringArray{L"Width", L"Height", L"Gauge", L"EdgeDistance", L"Pitch", L"Thickness"}));
    int width = 0, height = 0;
    preview.data().getImageSize(width, height);
    EXPECT_EQ(width, 420);
    EXPECT_EQ(height, 370);
    ::ShowWindow(preview.GetSafeHwnd(), SW_SHOW);
    ui::expectMatchesGolden(ui::renderWindow(preview.GetSafeHwnd(), 1), "template-end-plate");
    // Tab runs through the fields row by row and wraps around inside the template.
    ui::Automation dlg(preview);
    preview.data().setFocusToCtrl(true);
    std::vector<std::wstring> visited;
    for (int i = 0; i < 9; ++i) {
        visited.push_back(dlg.text(dlg.focusedId()));
        dlg.press(VK_TAB);
    }
    EXPECT_EQ(visited, (std::vector<std::wstring>{L"Gauge", L"Thickness", L"EdgeDistance", L"Pitch",
                                                  L"Height", L"4", L"2", L"Width", L"Gauge"}));
    gSettings.setLibDir(Mx_String());
}

TEST(BundledTemplates, BoltAssemblyFlexButtonsFormOneGroup) {
    CDlgTemplatePreview preview;
    ASSERT_TRUE(preview.open(bundled("Bolt Assembly")));
    Mx_StringArray groups, names;
    preview.data().getFlexBtnsGroups(groups);
    EXPECT_EQ(groups, Mx_StringArray{L"BoltParts"});
    preview.data().getAllFlexVarsOfGroup(L"BoltParts", names);
    EXPECT_EQ(names,
              (Mx_StringArray{L"BoltHead", L"WasherUnderHead", L"WasherUnderNut", L"Nut", L"SecondNut"}));
    ::ShowWindow(preview.GetSafeHwnd(), SW_SHOW);
    ui::expectMatchesGolden(ui::renderWindow(preview.GetSafeHwnd(), 1), "template-bolt-assembly");
    // Pressing a flex button checks it, as a push-like check box.
    ui::Automation dlg(preview);
    dlg.click(33004);
    int state = -1;
    EXPECT_TRUE(preview.data().getFlexBtnStatus(4, state));
    EXPECT_EQ(state, 1);
    gSettings.setLibDir(Mx_String());
}
