#pragma once
// What the standards commands (run, eval, check) share: finding a sheet in the library, reading
// NAME=VALUE arguments, and printing a run's variables and warnings as a table or as JSON.
#include <iosfwd>
#include <string>
#include <vector>

#include "standards/VlValueType.h"

#include "cli/MessageBoxRecorder.h"
#include "platform/mxbase/Mx_String.h"
#include "standards/VlRunReport.h"

class AcTransaction;
class MacroData;
class Mx_DbMacro;
class VlAutoStandardsData;
class VlDlgStandardsData;
class VlVarCells;

class Mx_Macro;

namespace connsheet {

struct CommandContext;

// SHEET as the user gave it: an existing file, else a name below the library's "Connection Standards\"
// (with or without ".vls"). False, with `path` the last candidate tried, when none exists.
bool resolveStandardsSheet(const std::string& sheet, Mx_String& path);

// "connsheet: SHEET: no such sheet (tried PATH)", PATH with "/" throughout (displayPath), so that it
// can be pasted into a shell.
void reportNoSuchSheet(std::ostream& err, const std::string& sheet, const Mx_String& tried);

// Prepares a run of `sheet` against a macro read with its tab data, as "run" and "batch" give it: the
// macro's own general variables first, then the library's stored ones (`stored`, when given, as they
// apply to `macroFile`: platform/mxbase/GeneralVariableFilter.h), then `given` (which change or add),
// mapped to `mapsTo` or, when that is empty, to defaultMapsTo. The transaction must outlive the
// run. False when the engine cannot prepare it.
bool prepareMacroRun(Mx_DbMacro& macro, MacroData& macroData, const Mx_String& sheet, const Mx_String& mapsTo,
                     const std::vector<std::pair<std::string, std::string>>& given,
                     AcTransaction& transaction, VlDlgStandardsData& data,
                     const VlAutoStandardsData* stored = nullptr, const std::string& macroFile = {});

// The target a run of `sheet` against the macro uses when none is given: the maps-to text the macro
// keeps for that sheet (its settings' standards sheets, Mx_Macro::standards), else the macro's name.
Mx_String defaultMapsTo(const Mx_Macro& macro, const Mx_String& sheet);

// The library's stored general variables (generalVariablesPath()), which "run", "batch" and "genvars"
// share. False, with "connsheet COMMAND: file:line: problem" on err, when the file cannot be read.
bool loadStoredGeneralVariables(const char* command, VlAutoStandardsData& stored, CommandContext& context);

// "NAME=VALUE" split at the first "="; false when there is no "=" or the name is empty.
bool splitAssignment(const std::string& text, std::string& name, std::string& value);

// A general variable given on the command line replaces one of the same name (letter case ignored)
// or is added.
void setGeneralVariable(std::vector<std::pair<Mx_String, Mx_String>>& variables, const std::string& name,
                        const std::string& value);

struct StandardsOutcome {
    bool completed = false;  // the engine ran the sheet to its end
    Mx_String sheet;
    const VlVarCells* variables = nullptr;  // may be null after a failed run
    std::vector<RecordedMessageBox> warnings;
    // What the run found wrong (VlRunReport), then the message boxes that left no finding of their own.
    std::vector<VlRunFinding> findings;
    bool quiet = false;  // --no-warnings: neither boxes nor warning findings are printed (errors are)

    // Success: the run completed, every equation computed and every output set. The exit status (0 or
    // 1) and JSON's "ok" both say this.
    bool succeeded() const;
    // The first error's cause, for the command's last line; empty when there is none.
    std::string firstError() const;
};

// The report's findings, then one "message" warning per box whose text no finding carries (a box
// shown whatever the warnings switch says, such as the duplicate-names box).
std::vector<VlRunFinding> collectFindings(const VlRunReport& report,
                                          const std::vector<RecordedMessageBox>& boxes);

// The aligned table (section, type, name, value) on `out`; the warnings ("warning: caption: text")
// and the findings ("sheet: B23: error: cause [in equation]") on `err`; or, with `json`, one object on
// `out`: {"ok", "sheet", "variables": [{section, type, name, value, cell}], "warnings": [{kind, sheet,
// cell, row, equation, cause, text}], "findings": [{kind, severity, sheet, cell, row, equation, cause,
// text}]}.
void printStandardsOutcome(const StandardsOutcome& outcome, bool json, CommandContext& context);

// How run and eval print their outcome: the aligned table, one JSON object, or CSV (section, type,
// name, value, cell). `quiet` prints nothing on standard output; errors still go to standard error.
struct StandardsOutput {
    enum class Format { table, json, csv };
    Format format = Format::table;
    bool quiet = false;
};
void printStandardsOutcome(const StandardsOutcome& outcome, const StandardsOutput& output,
                           CommandContext& context);

// Checks a NAME=VALUE given for a variable of this type: a Double takes a number, an Int a whole
// number, a String anything; empty is always allowed (the variable starts empty). False with the
// reason in `why`.
bool acceptsValue(VlValueType type, const std::string& value, std::string& why);

// The whole standard input (for "-" given as a file).
bool readStandardInput(CommandContext& context, std::string& bytes);

// "B5" for column 2, row 5; empty for a variable without a cell (column or row 0).
std::string cellAddress(int col, int row);

}  // namespace connsheet
