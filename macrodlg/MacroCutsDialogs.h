#pragma once
// Plugs the macro cuts dialog (223) and the profile cuts dialog (235) into the entry points
// StartDlgMacroCuts and StartEditProfCutsDlg. The module's init calls it.
void installMacroCutsDialogs();
