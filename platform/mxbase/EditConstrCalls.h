#pragma once
// The core library's calls behind the macro editor: they change the macro that an EditConstrData names
// (its first object) in the drawing. Every change is written back into the macro's file at once
// (MacroDrawing::save, atomically) and noted in the drawing's call log; a change that fails (an unknown
// module or index, a refused value, a file that cannot be written) leaves the macro and the file as they
// were.
//
// What the user does in the drawing while a command waits for input is the drawing's next pick of
// geometry (setNextGeometryPick): a command without one is cancelled.
#include <functional>

#include "platform/arx/AcadStatus.h"
#include "platform/mxbase/EditConstrData.h"
#include "platform/mxbase/MacroConstraint.h"
#include "platform/mxbase/MacroVariable.h"
#include "platform/mxbase/Mx_Array.h"
#include "platform/mxbase/Mx_String.h"
#include "platform/mxbase/Mx_StringArray.h"

class Mx_Macro;

// The edited macro as the drawing holds it; null when the data names no macro in the drawing.
const Mx_Macro* EditedMacro(const EditConstrData& data);

// --- modules
Acad::ErrorStatus GetModuleNames(const EditConstrData& data, Mx_StringArray& names);
Acad::ErrorStatus RemoveModule(EditConstrData& data, const Mx_String& module);
// eInvalidInput for an empty name, one with surrounding blanks or a character a product file cannot
// hold (control characters, \ / : * ? " < > |); eDuplicateKey for the name of another module.
Acad::ErrorStatus RenameModule(EditConstrData& data, const Mx_String& module, const Mx_String& newName);

// --- constraints of a module
Acad::ErrorStatus GetConstraints(const EditConstrData& data, const Mx_String& module,
                                 Mx_Array<MacroConstraint>& constraints);
// Highlights constraint `index` in the drawing (the highlights stay until UnHighlightConstraints).
Acad::ErrorStatus HighlightConstraint(EditConstrData& data, const Mx_String& module, int index);
void UnHighlightConstraints(EditConstrData& data);
// The constraints highlighted now, as "module:index".
Mx_StringArray HighlightedConstraints();
Acad::ErrorStatus UpdateConstraint(EditConstrData& data, const Mx_String& module, int index,
                                   const MacroConstraint& constraint);
Acad::ErrorStatus DeleteConstraint(EditConstrData& data, const Mx_String& module, int index);
// Sorts by `column` of the editor's list: 0 kind, 1 objects, 2 value (stable, ascending).
Acad::ErrorStatus SortConstraints(EditConstrData& data, const Mx_String& module, int column);
// The constraint list's context menu.
enum ConstraintMenuAction : int { kMenuMoveUp = 0, kMenuMoveDown = 1, kMenuDuplicate = 2, kMenuDelete = 3 };
Acad::ErrorStatus ContextMenuAction(EditConstrData& data, const Mx_String& module, int index, int action);

// --- geometry of a module
Acad::ErrorStatus GetGeometries(const EditConstrData& data, const Mx_String& module,
                                Mx_Array<MacroGeometry>& geometries);
Acad::ErrorStatus HighlightObject(EditConstrData& data, const Mx_String& module, int index);
void UnHighlightObject(EditConstrData& data);
// Changes the geometry's offset (its name and type stay).
Acad::ErrorStatus UpdateConstrGeom(EditConstrData& data, const Mx_String& module, int index, double offset);
Acad::ErrorStatus UpdateGeomFlexibility(EditConstrData& data, const Mx_String& module, int index,
                                        bool flexible);

// --- variables and equations of a module: replaces both lists (variables are matched by name; a
// new name adds a variable, a missing one removes it). eDuplicateKey for two variables of one name.
Acad::ErrorStatus UpdateVarsEqs(EditConstrData& data, const Mx_String& module,
                                const Mx_Array<MacroVariable>& variables, const Mx_StringArray& equations);

// --- commands in the drawing
// Macro command `code` (0-13) on the data's module (data.moduleName): 0-10 add a constraint of that
// kind on the picked geometry, 11 adds a module (named after the first picked name, its geometry the
// rest of the pick), 12 a bolt pattern (bolt modules), 13 the module's coordinate system. False, with
// nothing changed, when the pick is cancelled or does not fit.
bool StartMacroCommand(EditConstrData& data, int code);
// The user picks other macros in the drawing (MacroDrawing::setNextPick); true when the data now names
// another macro.
bool SelectOtherMacro(EditConstrData& data);
// Zooms the drawing to the edited macro.
void ZoomCommand(EditConstrData& data);
// The core's macro cut editor on the module: the user picks one of its cuts to edit. True when a cut
// of the module was picked.
bool StartEditMacroCutDlg(EditConstrData& data);

// The user's next pick of geometry in the drawing (names), taken by the next command; cleared by an
// empty array with `cancel`.
void setNextGeometryPick(const Mx_StringArray& names);
void cancelNextGeometryPick();
bool hasNextGeometryPick();
// What the host does while a drawing command waits for the user (its own message loop runs). The
// window platform installs one that delivers posted messages; none by default.
void setDrawingInteraction(std::function<void()> interaction);
