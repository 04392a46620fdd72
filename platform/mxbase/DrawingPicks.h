#pragma once
// What the profile-advanced dialog asks of the drawing: the offset types a profile can be placed
// with, the drawing's coordinate systems, and the user's picks (a plane, a coordinate system, a
// point). Picks have no mouse here: planes and coordinate systems are the user's picks of
// platform/mxbase/UserPicks.h; the next point is set beforehand; without an answer the pick is cancelled. Every pick and every coordinate
// system made is written to the drawing's call log (MacroDrawing::note).
#include "platform/arx/AcDbObjectId.h"
#include "platform/mxbase/Mx_String.h"
#include "platform/mxbase/Mx_StringArray.h"
#include "platform/mxbase/UserPicks.h"

// The offset types in the dialog's order: the nine insertion points of a section, top left to
// bottom right, then "*VARIES*".
void getOffsetTypeStrings(Mx_StringArray& names);
// The offset type of a line of that list (0..8); -1 for a line that stands for no type.
int getProfOffsetType(int index);

// The drawing's named coordinate systems, in the order they were made.
void getAllCoordSys(Mx_StringArray& names);
// Makes a coordinate system at the profile ("CS1", "CS2", ...); its object id and name come back.
bool createCoordSys(AcDbObjectId& id, Mx_String& name);

bool UserPickPoint(double& x, double& y);

namespace drawingpicks {
// The answer of the next point pick (taken by the pick).
void setNextPoint(double x, double y);
// Forgets the coordinate systems made and the answers not taken (the user's queued picks too).
void reset();
}  // namespace drawingpicks
