#pragma once
// `connsheet show NUMBER` for the dialogs that have data of their own: the dialog is opened on its data
// class (defaults, or --data FILE.json in the layout of DialogDataJson.h; the general variables dialog
// on the library's stored general variables, which show never saves), the steps are played, and
// what OK gave back is printed as JSON (the general variables as their file's text).
#include <string>

#include "cli/ModalSteps.h"

namespace connsheet {

struct CommandContext;

// Whether the number names such a dialog.
bool isDataDialog(unsigned id);

// Runs it; the exit status (2 for an unreadable --data file or step file).
int showDataDialog(unsigned id, const std::string& dataFile, const ModalStepsOptions& options,
                   CommandContext& context);

}  // namespace connsheet
