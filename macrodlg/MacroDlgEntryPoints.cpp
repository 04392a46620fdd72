#include "macrodlg/MacroDlgEntryPoints.h"

#include <new>

#include "macrodlg/CDlgMacro.h"
#include "macrodlg/MacroDlgRegistry.h"
#include "macrodlg/MacroEditorWindow.h"
#include "macrodlg/MacroSubDialogRunners.h"
#include "macrodlg/ProfAdvDialogRunner.h"
#include "module/ModuleResources.h"
#include "platform/arx/CommandLine.h"
#include "platform/mfc/MessageLoop.h"
#include "platform/mfc/VlTempResourceOverride.h"
#include "platform/mfc/Win32Api.h"
#include "platform/mxbase/MacroData.h"
#include "platform/mxbase/MacroDrawing.h"

namespace {

constexpr UINT kDeferredCloseMs = 50;

void CALLBACK deferredCloseTimer(HWND, UINT, UINT_PTR timer, DWORD) {
    acutPrintf(L"Delayed timer called.\n");
    MacroDlgRegistry& registry = MacroDlgRegistry::instance();
    int dialogId = -1;
    if (!registry.deferredDialog(timer, dialogId))
        return;
    ::KillTimer(nullptr, timer);
    EndDlgMacroModeless(dialogId);  // may defer again, with a timer of its own
    registry.removeDeferred(timer);
}

void focusHostMainWindow() {
    if (CWnd* main = adsw_acadMainWnd())
        ::SetFocus(main->GetSafeHwnd());
}

// Destroys and unregisters the dialog in slot `id`; false (and still registered) when its window
// could not be destroyed.
bool destroyMacroDlg(int id) {
    MacroDlgRegistry& registry = MacroDlgRegistry::instance();
    CDlgMacro* dialog = registry.at(id);
    const HWND window = dialog->GetSafeHwnd();
    if (window != nullptr && !dialog->DestroyWindow())
        return false;
    registry.release(id);
    if (dialog->isClosingItself())
        registry.retire(dialog);
    else
        delete dialog;
    acedPostCommandPrompt();
    return true;
}

}  // namespace

void StartDlgMacro(MacroData& macro) {
    MacroDlgRegistry::instance().deleteRetired();
    CDlgMacro dialog(nullptr);
    dialog.setRegistryId(-1);
    dialog.setMacroData(macro);
    dialog.DoModal();
    macro = dialog.macroData();
}

bool StartDlgMacroModeless(bool keepFocus, MacroData& macro, int& id) {
    VlTempResourceOverride::Scope resources(ModuleResources::resourceOverride());
    MacroDlgRegistry& registry = MacroDlgRegistry::instance();
    registry.deleteRetired();
    id = registry.highestEmptySlot();
    if (id < 0)
        id = registry.appendSlot();
    CDlgMacro* dialog = new (std::nothrow) CDlgMacro(adsw_acadMainWnd());
    if (dialog == nullptr)
        return false;
    dialog->setRegistryId(id);
    dialog->setMacroData(macro);
    if (!dialog->Create(CDlgMacro::IDD, adsw_acadMainWnd())) {
        delete dialog;
        return false;
    }
    dialog->ShowWindow(SW_SHOW);
    registry.place(id, dialog);
    if (keepFocus)
        dialog->placeInitialFocus();
    else
        focusHostMainWindow();
    return true;
}

bool GetDlgMacroData(int id, MacroData& macro) {
    const CDlgMacro* dialog = MacroDlgRegistry::instance().at(id);
    if (dialog == nullptr)
        return false;
    macro = dialog->macroData();
    return true;
}

bool EndDlgMacroModeless(int id) {
    MacroDlgRegistry& registry = MacroDlgRegistry::instance();
    CDlgMacro* dialog = registry.at(id);
    if (dialog == nullptr)
        return false;
    if (dialog->macroData().inUse) {
        const UINT_PTR timer = ::SetTimer(nullptr, 0, kDeferredCloseMs, deferredCloseTimer);
        registry.addDeferred(timer, id);
        return true;
    }
    return destroyMacroDlg(id);
}

void DestroyAllMacroDlgs() {
    MacroDlgRegistry& registry = MacroDlgRegistry::instance();
    for (int id = registry.length() - 1; id >= 0; --id)
        EndDlgMacroModeless(id);
    registry.deleteRetired();
}

int settleDeferredMacroDlgCloses() {
    MacroDlgRegistry& registry = MacroDlgRegistry::instance();
    int closed = 0;
    while (!registry.deferred().empty()) {
        const auto [timer, id] = registry.deferred().front();
        ::KillTimer(nullptr, timer);
        registry.removeDeferred(timer);
        if (registry.at(id) != nullptr && destroyMacroDlg(id))
            ++closed;
    }
    registry.deleteRetired();
    return closed;
}

// --- the macro editor

bool StartDlgEditConstrModal(EditConstrData& data) {
    VlTempResourceOverride::Scope resources(ModuleResources::resourceOverride());
    std::unique_ptr<MacroEditorWindow> editor = makeMacroEditor();
    if (editor == nullptr)
        return false;
    editor->setData(data);
    return editor->runModal(adsw_acadMainWnd()) == IDOK;
}

bool StartDlgEditConstraints(EditConstrData& data) {
    VlTempResourceOverride::Scope resources(ModuleResources::resourceOverride());
    MacroDlgRegistry& registry = MacroDlgRegistry::instance();
    if (registry.editor() != nullptr)
        return true;
    std::unique_ptr<MacroEditorWindow> editor = makeMacroEditor();
    if (editor == nullptr)
        return true;
    editor->setData(data);
    editor->setModeless(true);
    if (!editor->createModeless(adsw_acadMainWnd()))
        return true;
    registry.setEditor(std::move(editor));
    focusHostMainWindow();
    return true;
}

void EndDlgEditConstraints() {
    std::unique_ptr<MacroEditorWindow> editor = MacroDlgRegistry::instance().takeEditor();
    if (editor == nullptr)
        return;
    const bool destroyed = editor->destroyWindow();
    editor.reset();
    if (!destroyed)
        acutPrintf(L"Erase window failed\n");
    acedPostCommandPrompt();
}

// --- the profile-advanced dialog

void StartDlgMacroProfAdv(MacroData& macro, const Mx_String& moduleName, const Mx_String& groupName,
                          bool mode) {
    VlMACallBackData data;
    data.groupName = groupName;
    data.moduleName = moduleName;
    data.initDataClass(macro);
    ProfAdvRequest request;
    request.data = &data;
    request.callback = standAloneProfAdvCallback;
    request.mode = mode;
    runProfAdvDialog(request);
    if (!macro.eraseAfter)
        return;
    if (macro.objectIds.length() == 1)
        EraseObject(macro.objectIds[0]);
    if (request.createdCoordSys)
        EraseObject(request.coordSysId);
}

void StartDlgMacroProfAdv(AcArray<AcDbObjectId>* ids, bool& option, VlMACallBack callback) {
    VlTempResourceOverride::Scope resources(ModuleResources::resourceOverride());
    if (ids == nullptr || ids->isEmpty())
        return;
    VlMACallBackData data;
    data.objectIds = *ids;
    ProfAdvRequest request;
    request.data = &data;
    request.callback = callback;
    request.mode = true;
    request.option = option;
    request.showOption = true;
    if (runProfAdvDialog(request))
        option = request.option;
}

// --- the other sub-dialogs

bool StartDlgSelectMacro(const Mx_String& title, const Mx_StringArray& names, const int& a, const int& b,
                         Mx_String& chosen, bool& option, bool showNote) {
    AcArray<bool> visible;
    for (int i = 0; i < names.length(); ++i)
        visible.append(true);
    return StartDlgSelectMacro(title, names, visible, a, b, chosen, option, showNote);
}

bool StartDlgSelectMacro(const Mx_String& title, const Mx_StringArray& names, const AcArray<bool>& visible,
                         const int& a, const int& b, Mx_String& chosen, bool& option, bool showNote) {
    VlTempResourceOverride::Scope resources(ModuleResources::resourceOverride());
    SelectMacroRequest request;
    request.title = title;
    request.filter.initialize(names, visible, a, b);
    request.option = option;
    request.showNote = showNote;
    if (runSubDialog(request) != IDOK)
        return false;
    chosen = request.chosen;
    option = request.option;
    return true;
}

bool StartDlgMacroCuts(DlgMacroCutsData& data, bool& flag) {
    VlTempResourceOverride::Scope resources(ModuleResources::resourceOverride());
    MacroCutsRequest request;
    request.data = data;
    const bool ok = runSubDialog(request) == IDOK;
    flag = request.data.flag;
    if (ok)
        data = request.data;
    return ok;
}

bool StartEditProfCutsDlg(DlgProfCutsData& data) {
    VlTempResourceOverride::Scope resources(ModuleResources::resourceOverride());
    MacroDlgRegistry& registry = MacroDlgRegistry::instance();
    ProfCutsRequest request;
    request.data = data;
    request.preview = registry.cutPreview;
    if (runSubDialog(request) != IDOK)
        return false;
    registry.cutPreview = request.preview;
    return true;
}

bool StartArrayDlg(DynArrayData& data, const AcArray<AcDbObjectId>& ids, const Mx_String& name) {
    VlTempResourceOverride::Scope resources(ModuleResources::resourceOverride());
    ArrayRequest request;
    request.data = data;
    request.ids = ids;
    request.moduleName = name;
    if (runSubDialog(request) != IDOK)
        return false;
    data = request.data;
    return true;
}
