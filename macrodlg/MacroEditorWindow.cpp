#include "macrodlg/MacroEditorWindow.h"

namespace {

MacroEditorFactory& factory() {
    static MacroEditorFactory installed;
    return installed;
}

MacroSettingsRunner& settingsRunner() {
    static MacroSettingsRunner installed;
    return installed;
}

}  // namespace

void setMacroEditorFactory(MacroEditorFactory made) {
    factory() = std::move(made);
}

std::unique_ptr<MacroEditorWindow> makeMacroEditor() {
    return factory() ? factory()() : nullptr;
}

void setMacroSettingsRunner(MacroSettingsRunner made) {
    settingsRunner() = std::move(made);
}

INT_PTR runMacroSettings(EditConstrData& data, CWnd* owner) {
    return settingsRunner() ? settingsRunner()(data, owner) : IDCANCEL;
}
