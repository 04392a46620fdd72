#pragma once
// How the library's general variables (VlAutoStandardsData) reach a standards run.
//
// A filter names the drawings and folders a row applies to, ";"-separated, each relative to the
// library's "Macros\" folder ("Halls\", "Halls\North.dwg"). Here a macro file stands for its drawing:
// an entry names the macro file of the same path, whatever the extension ("Halls\North.dwg" applies
// to "Halls\North.json"), or a folder holding it at any depth. Letter case and "\" or "/" do not
// matter. An empty filter applies everywhere; a non-empty one never applies to a macro that lies
// outside "Macros\" (or that has no file, as a macro read from standard input).
//
// The list a run gets, in this order:
//   1. the macro's own general variables;
//   2. the drawing list's rows that apply: a name the macro does not have is added (the drawing's
//      own value wins);
//   3. the standards list's rows that apply: added the same way, except that a row whose override
//      is on ("1", "true" or "yes", any letter case) replaces the value of the same name;
//   4. what the caller gives last (the command line's --gen).
// Rows with an empty name are skipped; names are compared ignoring letter case.
#include <utility>
#include <vector>

#include "platform/mxbase/Mx_String.h"

class VlAutoStandardsData;

// The path of `file` below the "Macros\" folder of the library `libDir`, with "\" separators; empty
// when the file lies outside it (or is empty).
Mx_String macroPathInLibrary(const Mx_String& file, const Mx_String& libDir);

// Whether a filter applies to the macro at `relativePath` (as macroPathInLibrary gives it).
bool filterApplies(const Mx_String& filter, const Mx_String& relativePath);

// Whether an override text is on.
bool overrideIsOn(const Mx_String& override);

// Steps 2 and 3 above on `variables` (name, value), which hold the macro's own.
void applyGeneralVariables(const VlAutoStandardsData& stored, const Mx_String& relativePath,
                           std::vector<std::pair<Mx_String, Mx_String>>& variables);
