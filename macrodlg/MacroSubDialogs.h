#pragma once
// Plugs the macro sub-dialogs (bolt advanced, pattern, profile advanced, segmented profiles, array)
// into the seams the pages and the entry points call (MacroSubDialogRunners.h, ProfAdvDialogRunner.h).
// The module's initialisation calls it once.
void installMacroSubDialogs();
