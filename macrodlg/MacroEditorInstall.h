#pragma once
// Plugs the macro editor (CDlgEditMacro) into the entry points' editor factory. Called from the module's
// initialisation, so every program that loads the module opens the editor through
// StartDlgEditConstrModal and StartDlgEditConstraints.
void installMacroEditor();
