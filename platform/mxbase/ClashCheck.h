#pragma once
// The clash checker of the drawing: while it is switched on, the macro dialogs have the objects they
// edit checked against the rest of the drawing after every change.
//
// Two macro objects clash when they are the same connection placed twice on the same members: equal
// macro names and equal base profiles. The checker keeps, per dialog (by its registry id), the
// objects it was told about and the clashes last found; every call is written to the drawing's call
// log.
#include "platform/arx/AcArray.h"
#include "platform/arx/AcDbObjectId.h"

// The global switch (off until switched on).
void clashSetStatus(bool on);
bool clashGetStatus();

void clashInitDlgStarted(int dialogId);
// Forgets what was found for the dialog and takes its objects.
void clashResetInfo(int dialogId, const AcArray<AcDbObjectId>& ids);
// Checks the objects against every other object of the drawing when the switch is on. Returns the
// number of clashes found (0 when the switch is off).
int clashcheck(int dialogId, const AcArray<AcDbObjectId>& ids);
void clashDlgClosed(int dialogId);

// For tests and the call log: the clashes last found for a dialog, -1 for a dialog not started.
int clashLastCount(int dialogId);
// Number of dialogs started and not closed.
int clashOpenDialogs();
