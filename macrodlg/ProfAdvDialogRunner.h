#pragma once
// How the entry points and the profile pages reach the profile-advanced dialog (template 220): the
// dialog is built elsewhere and plugs in here. Without one installed nothing is opened.
#include <functional>

#include "macrodlg/VlMACallBackData.h"

struct ProfAdvRequest {
    VlMACallBackData* data = nullptr;
    VlMACallBack callback = nullptr;
    bool mode = false;             // the dialog's mode flag
    bool option = false;           // in: the caller's option; out: the dialog's result option
    bool showOption = false;       // the option's check box takes the place of the group field
    bool createdCoordSys = false;  // out: the dialog created a coordinate-system object
    AcDbObjectId coordSysId;       // out: that object
};

// Runs the dialog modally on the request.
using ProfAdvDialogRunner = std::function<void(ProfAdvRequest& request)>;
void setProfAdvDialogRunner(ProfAdvDialogRunner runner);
// False when no dialog is installed (nothing ran).
bool runProfAdvDialog(ProfAdvRequest& request);
