#pragma once
// Plugs the macro editor (CDlgEditMacro) into the entry points' editor factory. Called from the module's
// initialisation, so every program that loads the module opens the editor through
// StartDlgEditConstrModal and StartDlgEditConstraints.
void installMacroEditor();
// Deletes the modeless editors that closed themselves and wait for their handlers to return; the
// module's unload calls it, so none outlives the module.
void releaseRetiredMacroEditors();
