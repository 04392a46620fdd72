#include "macrodlg/MacroEditorWindow.h"

namespace {

MacroEditorFactory& factory() {
    static MacroEditorFactory installed;
    return installed;
}

}  // namespace

void setMacroEditorFactory(MacroEditorFactory made) {
    factory() = std::move(made);
}

std::unique_ptr<MacroEditorWindow> makeMacroEditor() {
    return factory() ? factory()() : nullptr;
}
