#pragma once
// Module-group mode of a standards mapping: the spreadsheet variable's name itself says what it
// reaches inside a module of the group.
//
//   numeric  "gen.X"                     the macro's general variable "gen_X" (read with 4 decimals)
//   string   "P.Name" / "P.Material"     section / material of plate or profile P (read only)
//   numeric  "C.Cut" .. "C.CutRadius"    cut value 0..8 of cut C (.Cut .CutPoly .CutLength .CutCenter
//                                        .CutInside .CutOutside .Chamfer1 .Chamfer2 .CutRadius)
//   numeric  "X.Diameter" / ".HoleOffset" the tab's bolt diameter / hole offset
//   any      "P.NrBolts1" / ".NrBolts2"  number of bolts of pattern P in direction 1 / 2
//   numeric  "P.ReverseStart1" / "2"     reverse-start flag of pattern P as "1"/"0" (bolt modules)
//   string   "X.MemberName"              owned member name of the tab's profile group
//   numeric  anything else               the module variable of that whole name
//   string   anything else               nothing (failure)
//
// Suffixes and names are compared ignoring letter case, as everywhere in the product's libraries.
#include "platform/arx/AcadStatus.h"
#include "platform/mxbase/Mx_String.h"
#include "standards/VlValueType.h"

class MacroTabData;
class Mx_Macro;
class Mx_Module;

namespace vlnames {

// One module's part of a spreadsheet variable in module-group mode; `tab` is the module's page data.
// eOk when the module gave (get) or took (set) the value; `value` is unchanged on failure.
Acad::ErrorStatus exchange(Mx_Macro& macro, Mx_Module& module, MacroTabData& tab, const Mx_String& name,
                           VlValueType type, Mx_String& value, bool set);

// A module variable, read or written as text. Before a write a flexible or linked variable is fixed
// (its flex/fix button clicked), since a value written to it would not stay.
Acad::ErrorStatus exchangeModuleVariable(Mx_Module& module, MacroTabData& tab, const Mx_String& variable,
                                         Mx_String& value, bool set);

}  // namespace vlnames
