#include "module/entry/ModuleEntry.h"

#include <gtest/gtest.h>

#include "macrodlg/MacroDlgEntryPoints.h"
#include "macrodlg/MacroDlgRegistry.h"
#include "macrodlg/MacroEditorWindow.h"
#include "macrodlg/MacroSubDialogRunners.h"
#include "macrodlg/ProfAdvDialogRunner.h"
#include "module/ModuleResources.h"
#include "platform/mfc/Bitmap.h"
#include "platform/mfc/Resources.h"
#include "platform/mxbase/EditConstrData.h"

TEST(ModuleEntry, AnswersTheApiVersionOfItsHost) {
    EXPECT_EQ(acrxGetApiVersion(), 0x110000);
}

TEST(ModuleEntry, InitialisationUnlocksTheApplicationAndLoadsTheCheckBoxPictures) {
    int application = 0;
    ASSERT_TRUE(ModuleFrame::attach());
    EXPECT_EQ(ModuleFrame::checkBoxBitmap(true), nullptr) << "not before initialisation";
    const HINSTANCE before = AfxGetResourceHandle();
    EXPECT_EQ(acrxEntryPoint(AcRx::kInitAppMsg, &application), AcRx::kRetOK);
    EXPECT_EQ(AfxGetResourceHandle(), before) << "the resource scope is left as it was";
    EXPECT_TRUE(acrxDynamicLinker->isUnlocked(&application));
    EXPECT_TRUE(acrxDynamicLinker->isMDIAware(&application));
    ASSERT_NE(ModuleFrame::checkBoxBitmap(true), nullptr);
    BITMAP picture{};
    ASSERT_TRUE(ModuleFrame::checkBoxBitmap(false)->GetBitmap(&picture));
    EXPECT_EQ(picture.bmWidth, 13);
    EXPECT_EQ(acrxEntryPoint(AcRx::kLoadDwgMsg, &application), AcRx::kRetOK) << "other messages do nothing";

    acedRegCmds->addGroup(L"MXFRAME_SS");
    EXPECT_EQ(acrxEntryPoint(AcRx::kUnloadAppMsg, &application), AcRx::kRetOK);
    EXPECT_TRUE(acedRegCmds->groups().empty());
    ModuleFrame::detach();
    EXPECT_FALSE(ModuleFrame::isAttached());
}

TEST(ModuleEntry, WhileLoadedTheModulesTemplatesAreFoundThroughTheResourceChain) {
    EXPECT_EQ(AfxFindResourceHandle(8131), nullptr) << "not loaded: not in the chain";
    {
        ModuleFrame::LoadedModule module;
        ASSERT_TRUE(module.ok());
        EXPECT_EQ(AfxFindResourceHandle(8131), ModuleResources::handle());
    }
    EXPECT_EQ(AfxFindResourceHandle(8131), nullptr) << "unloaded: out of the chain again";
}

// What the module plugs in while loaded (the macro editor, the sub-dialogs, the settings) it takes back
// on unload: asked afterwards, the entry points open nothing and answer as a cancelled dialog.
TEST(ModuleEntry, UnloadTakesBackTheDialogsItPluggedIn) {
    {
        ModuleFrame::LoadedModule module;
        ASSERT_TRUE(module.ok());
        EXPECT_NE(makeMacroEditor(), nullptr);
    }
    EXPECT_EQ(makeMacroEditor(), nullptr);
    SelectMacroRequest select;
    EXPECT_EQ(runSubDialog(select), IDCANCEL);
    MacroCutsRequest cuts;
    EXPECT_EQ(runSubDialog(cuts), IDCANCEL);
    ProfCutsRequest profileCuts;
    EXPECT_EQ(runSubDialog(profileCuts), IDCANCEL);
    ArrayRequest array;
    EXPECT_EQ(runSubDialog(array), IDCANCEL);
    BoltAdvRequest bolts;
    EXPECT_EQ(runSubDialog(bolts), IDCANCEL);
    PatternRequest pattern;
    EXPECT_EQ(runSubDialog(pattern), IDCANCEL);
    ProfSegmRequest segments;
    EXPECT_EQ(runSubDialog(segments), IDCANCEL);
    ProfAdvRequest advanced;
    EXPECT_FALSE(runProfAdvDialog(advanced));
    EditConstrData settings;
    EXPECT_EQ(runMacroSettings(settings, nullptr), IDCANCEL);
}
