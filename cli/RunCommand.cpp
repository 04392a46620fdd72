// connsheet run: a main standards run of a sheet against a macro file, as the product runs it from a
// macro: StartDlgStandardsSS in mode 0, mapping by module group ("Module.<group>") or through the
// sheet's mapping file (any other target; by default the macro's name).
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/MessageBoxRecorder.h"
#include "cli/StandardsCommandSupport.h"
#include "platform/arx/AcTransaction.h"
#include "platform/mxbase/MacroData.h"
#include "platform/mxbase/Mx_DbMacro.h"
#include "platform/mxbase/Mx_Macro.h"
#include "platform/mxbase/Mx_Settings.h"
#include "platform/mxbase/NumberFunctions.h"
#include "standards/DisplayPath.h"
#include "standards/StandardsTimers.h"
#include "standards/StartDlgStandardsSS.h"
#include "standards/VlDlgStandardsData.h"

namespace connsheet {
namespace {

struct RunOptions {
    std::string sheet;
    std::string macro;
    std::string mapsTo;
    std::vector<std::string> generalVariables;
    std::string out;
    bool json = false;
    bool timings = false;
    bool noWarnings = false;
};

// Switches the document's standards warnings for the length of a run and back on every way out.
class WarningsSwitch {
public:
    explicit WarningsSwitch(bool on) : previous_(gSettings.standardsWarnings()) { gSettings.setStandardsWarnings(on); }
    ~WarningsSwitch() { gSettings.setStandardsWarnings(previous_); }
    WarningsSwitch(const WarningsSwitch&) = delete;
    WarningsSwitch& operator=(const WarningsSwitch&) = delete;

private:
    bool previous_;
};

int runStandards(const RunOptions& options, CommandContext& context) {
    Mx_String sheet;
    if (!resolveStandardsSheet(options.sheet, sheet)) {
        context.err << "connsheet run: sheet not found: " << options.sheet << '\n';
        return 1;
    }
    std::vector<std::pair<Mx_String, Mx_String>> generalVariables;
    std::vector<std::pair<std::string, std::string>> given;
    for (const std::string& assignment : options.generalVariables) {
        std::string name, value;
        if (!splitAssignment(assignment, name, value)) {
            context.err << "connsheet run: --gen expects NAME=VALUE, not \"" << assignment << "\"\n";
            return 2;
        }
        given.emplace_back(name, value);
    }

    Mx_DbMacro macro;
    MacroData macroData;
    Mx_String error;
    if (macro.readFromFile(Mx_String(options.macro), &macroData, &error) != Acad::eOk) {
        context.err << "connsheet run: " << error.toUtf8() << '\n';
        return 1;
    }

    // The macro's own general variables first, as the product hands them to a run; the command line
    // may change or add some.
    const Mx_Macro* content = macro.macroRead();
    for (const MacroGeneralVariable& variable : content->generalVariables())
        generalVariables.emplace_back(variable.name, formatShortest(variable.value));
    for (const auto& [name, value] : given) setGeneralVariable(generalVariables, name, value);

    const Mx_String mapsTo = options.mapsTo.empty() ? content->name() : Mx_String(options.mapsTo);
    VlDlgStandardsData data;
    if (data.initialize(&macro, sheet, mapsTo, &macroData) != Acad::eOk) {
        context.err << "connsheet run: cannot prepare the run\n";
        return 1;
    }
    AcTransaction transaction;
    data.transaction = &transaction;
    for (const auto& [name, value] : generalVariables) {
        data.genVarNames.append(name);
        data.genVarValues.append(value);
    }

    StandardsOutcome outcome;
    outcome.sheet = displayPath(sheet);
    {
        WarningsSwitch warnings(!options.noWarnings);
        MessageBoxRecorder recorder;
        if (options.timings) resetStandardsTimers();
        outcome.ok = StartDlgStandardsSS(data);
        // The duplicate-name box is shown whatever the switch says; --no-warnings silences it too.
        if (!options.noWarnings) outcome.warnings = recorder.boxes();
    }
    outcome.variables = &data.varCells;
    printStandardsOutcome(outcome, options.json, context);
    if (options.timings) (options.json ? context.err : context.out) << standardsTimersReport().toUtf8();
    if (!outcome.ok) {
        context.err << "connsheet run: the run of " << displayPath(sheet).toUtf8() << " failed\n";
        return 1;
    }

    if (!options.out.empty()) {
        if (macro.writeToFile(Mx_String(options.out), &macroData, &error) != Acad::eOk) {
            context.err << "connsheet run: " << options.out << ": " << error.toUtf8() << '\n';
            return 1;
        }
    }
    return 0;
}

}  // namespace

void addRunCommand(CLI::App& app, CommandContext& context) {
    auto* command = app.add_subcommand("run", "Run a standards sheet against a macro and write its outputs back");
    auto options = std::make_shared<RunOptions>();
    command->add_option("SHEET", options->sheet, "Sheet file, or a name below \"Connection Standards\"")->required();
    command->add_option("--macro", options->macro, "Macro file (JSON)")->required();
    command->add_option("--maps-to", options->mapsTo,
                        "Target: \"Module.<group>\", or a key of the sheet's mapping file (default: the macro's name)");
    command->add_option("--gen", options->generalVariables, "General variable NAME=VALUE (repeatable)")
        ->allow_extra_args(false);
    command->add_option("--out", options->out, "Write the updated macro to this file");
    command->add_flag("--json", options->json, "Print one JSON object");
    command->add_flag("--timings", options->timings, "Print the engine's phase timers");
    command->add_flag("--no-warnings", options->noWarnings, "Do not show failed equations and other warnings");
    command->callback([&context, options] { context.exitStatus = runStandards(*options, context); });
}

}  // namespace connsheet
