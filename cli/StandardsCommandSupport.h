#pragma once
// What the standards commands (run, eval, check) share: finding a sheet in the library, reading
// NAME=VALUE arguments, and printing a run's variables and warnings as a table or as JSON.
#include <string>
#include <vector>

#include "cli/MessageBoxRecorder.h"
#include "platform/mxbase/Mx_String.h"

class VlVarCells;

namespace connsheet {

struct CommandContext;

// SHEET as the user gave it: an existing file, else a name below the library's "Connection Standards\"
// (with or without ".vls"). False, with `path` the last candidate tried, when none exists.
bool resolveStandardsSheet(const std::string& sheet, Mx_String& path);

// "NAME=VALUE" split at the first "="; false when there is no "=" or the name is empty.
bool splitAssignment(const std::string& text, std::string& name, std::string& value);

// A general variable given on the command line replaces one of the same name (letter case ignored)
// or is added.
void setGeneralVariable(std::vector<std::pair<Mx_String, Mx_String>>& variables, const std::string& name,
                        const std::string& value);

struct StandardsOutcome {
    bool ok = false;
    Mx_String sheet;
    const VlVarCells* variables = nullptr;  // may be null after a failed run
    std::vector<RecordedMessageBox> warnings;
};

// The aligned table (section, type, name, value) on `out` and the warnings ("warning: caption: text")
// on `err`; or, with `json`, one object on `out`:
// {"ok", "sheet", "variables": [{section, type, name, value, cell}], "warnings": [{caption, text}]}.
void printStandardsOutcome(const StandardsOutcome& outcome, bool json, CommandContext& context);

// "B5" for column 2, row 5; empty for a variable without a cell (column or row 0).
std::string cellAddress(int col, int row);

}  // namespace connsheet
