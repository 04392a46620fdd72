#include "module/entry/ModuleEntry.h"

#include <memory>

#include "macrodlg/CDlgMacroSettings.h"
#include "macrodlg/CDlgSelectMacro.h"
#include "macrodlg/MacroCutsDialogs.h"
#include "macrodlg/MacroDlgEntryPoints.h"
#include "macrodlg/MacroEditorInstall.h"
#include "macrodlg/MacroEditorWindow.h"
#include "macrodlg/MacroSubDialogRunners.h"
#include "macrodlg/MacroSubDialogs.h"
#include "macrodlg/ProfAdvDialogRunner.h"
#include "module/ModuleResources.h"
#include "platform/mfc/Bitmap.h"
#include "platform/mfc/Resources.h"
#include "platform/mfc/VlTempResourceOverride.h"
#include "spread/CDlgSSOptions.h"
#include "spread/Mx_Spread.h"

void InitCommonControls();

namespace {

// The module-wide objects, alive from library attach to library detach.
struct ModuleObjects {
    AFX_EXTENSION_MODULE extension;
    std::unique_ptr<CDynLinkLibrary> resourceChain;
    CBitmap checked;
    CBitmap unchecked;
    bool initialised = false;
};

std::unique_ptr<ModuleObjects>& objects() {
    static std::unique_ptr<ModuleObjects> current;
    return current;
}

// What stands for the application when there is no host to hand one over.
int applicationTag = 0;
void* const kThisApplication = &applicationTag;

AcRx::AppRetCode initialise(void* application) {
    ModuleObjects* module = objects().get();
    if (module == nullptr)
        return AcRx::kRetError;
    acrxDynamicLinker->unlockApplication(application);
    acrxDynamicLinker->registerAppMDIAware(application);
    InitCommonControls();
    VlTempResourceOverride::Scope resources(ModuleResources::resourceOverride());
    module->checked.LoadBitmap(ModuleFrame::kCheckedBitmap);
    module->unchecked.LoadBitmap(ModuleFrame::kUncheckedBitmap);
    // The spreadsheet's header options open the module's options dialog.
    Mx_Spread::setHeaderEditor(editGridHeaders);
    installSelectMacroDialog();
    installMacroCutsDialogs();
    installMacroSubDialogs();
    installMacroEditor();
    installMacroSettingsDialog();
    module->initialised = true;
    return AcRx::kRetOK;
}

AcRx::AppRetCode unload() {
    acedRegCmds->removeGroup(L"MXFRAME_SS");
    DestroyAllMacroDlgs();
    settleDeferredMacroDlgCloses();
    EndDlgEditConstraints();
    releaseRetiredMacroEditors();
    Mx_Spread::setHeaderEditor(nullptr);
    // What initialise() plugged in goes too: an unloaded module's dialogs must not open (with a real
    // host its code is gone). The entry points then answer as a cancelled dialog.
    setSelectMacroRunner({});
    setMacroCutsRunner({});
    setProfCutsRunner({});
    setArrayRunner({});
    setBoltAdvRunner({});
    setPatternRunner({});
    setProfSegmRunner({});
    setProfAdvDialogRunner({});
    setMacroEditorFactory({});
    setMacroSettingsRunner({});
    if (ModuleObjects* module = objects().get())
        module->initialised = false;
    return AcRx::kRetOK;
}

}  // namespace

extern "C" AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode message, void* application) {
    switch (message) {
        case AcRx::kInitAppMsg:
            return initialise(application);
        case AcRx::kUnloadAppMsg:
            return unload();
        default:
            return AcRx::kRetOK;
    }
}

extern "C" int acrxGetApiVersion() {
    return ModuleFrame::kApiVersion;
}

namespace ModuleFrame {

bool attach() {
    if (objects() != nullptr)
        return true;
    const HINSTANCE instance = ModuleResources::handle();
    ModuleResources::resourceOverride().setDefaultResourceHandle(instance);
    auto module = std::make_unique<ModuleObjects>();
    if (!AfxInitExtensionModule(module->extension, instance))
        return false;
    module->resourceChain = std::make_unique<CDynLinkLibrary>(module->extension);
    objects() = std::move(module);
    return true;
}

void detach() {
    std::unique_ptr<ModuleObjects> module = std::move(objects());
    if (module == nullptr)
        return;
    module->resourceChain.reset();
    AfxTermExtensionModule(module->extension);
}

bool isAttached() {
    return objects() != nullptr;
}

bool isInitialised() {
    return objects() != nullptr && objects()->initialised;
}

CBitmap* checkBoxBitmap(bool checked) {
    if (!isInitialised())
        return nullptr;
    return checked ? &objects()->checked : &objects()->unchecked;
}

LoadedModule::LoadedModule() {
    m_ok = attach() && acrxEntryPoint(AcRx::kInitAppMsg, kThisApplication) == AcRx::kRetOK;
}

LoadedModule::~LoadedModule() {
    acrxEntryPoint(AcRx::kUnloadAppMsg, kThisApplication);
    detach();
}

}  // namespace ModuleFrame
