// connsheet run: a main standards run of a sheet against a macro file, as the product runs it from a
// macro: StartDlgStandardsSS in mode 0, mapping by module group ("Module.<group>") or through the
// sheet's mapping file (any other target; by default the macro's name).
#include <algorithm>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/MacroFileWriter.h"
#include "cli/MessageBoxRecorder.h"
#include "cli/StandardsCommandSupport.h"
#include "platform/arx/AcTransaction.h"
#include "platform/mxbase/FileSystem.h"
#include "platform/mxbase/FileWatch.h"
#include "platform/mxbase/MacroData.h"
#include "platform/mxbase/MacroJson.h"
#include "platform/mxbase/Mx_DbMacro.h"
#include "platform/mxbase/Mx_Macro.h"
#include "platform/mxbase/Mx_Settings.h"
#include "platform/mxbase/NumberFunctions.h"
#include "platform/mxbase/VlAutoStandardsData.h"
#include "standards/DisplayPath.h"
#include "standards/StandardsTimers.h"
#include "standards/StartDlgStandardsSS.h"
#include "standards/VlDlgStandardsData.h"
#include "standards/VlRunReport.h"

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
    bool allowFailures = false;
    bool csv = false;
    bool quiet = false;
};

// Switches the document's standards warnings for the length of a run and back on every way out.
class WarningsSwitch {
public:
    explicit WarningsSwitch(bool on) : previous_(gSettings.standardsWarnings()) {
        gSettings.setStandardsWarnings(on);
    }
    ~WarningsSwitch() { gSettings.setStandardsWarnings(previous_); }
    WarningsSwitch(const WarningsSwitch&) = delete;
    WarningsSwitch& operator=(const WarningsSwitch&) = delete;

private:
    bool previous_;
};

// The failure's one line on stderr: why the run failed, or how many errors a completed run had.
void sayFailure(const StandardsOutcome& outcome, const Mx_String& sheet, CommandContext& context) {
    const std::string shown = displayPath(sheet).toUtf8();
    if (!outcome.completed) {
        const std::string why = outcome.firstError();
        context.err << "connsheet run: the run of " << shown << " failed" << (why.empty() ? "" : ": " + why)
                    << '\n';
        return;
    }
    const auto errors = std::count_if(outcome.findings.begin(), outcome.findings.end(),
                                      [](const VlRunFinding& f) { return f.isError(); });
    context.err << "connsheet run: " << shown << ": " << errors << (errors == 1 ? " error" : " errors")
                << '\n';
}

int runStandards(const RunOptions& options, CommandContext& context) {
    // The library's files do not change under one run: each is looked up once, not once per use (the
    // sheet's name alone is tried in three places, each ignoring letter case), and none is watched
    // for changes (inotify) since the process ends with the run.
    fsys::FileWatch::disable();
    fsys::StatScope files;
    Mx_String sheet;
    if (!resolveStandardsSheet(options.sheet, sheet)) {
        context.err << "connsheet run: sheet not found: " << options.sheet << '\n';
        return 1;
    }
    std::vector<std::pair<std::string, std::string>> given;
    for (const std::string& assignment : options.generalVariables) {
        std::string name, value;
        if (!splitAssignment(assignment, name, value)) {
            context.err << "connsheet run: --gen expects NAME=VALUE, not \"" << assignment << "\"\n";
            return 2;
        }
        given.emplace_back(name, value);
    }
    const bool macroToStdout = isStandardStream(options.out);
    if (macroToStdout && options.json) {
        context.err << "connsheet run: --out - and --json would both print to standard output\n";
        return 2;
    }

    Mx_DbMacro macro;
    MacroData macroData;
    Mx_String error;
    if (isStandardStream(options.macro)) {
        std::string text;
        if (!readStandardInput(context, text) || macro.readFromText(text, &macroData, &error) != Acad::eOk) {
            context.err << "connsheet run: standard input: "
                        << (error.isEmpty() ? "cannot be read" : error.toUtf8()) << '\n';
            return 1;
        }
    } else if (macro.readFromFile(Mx_String(options.macro), &macroData, &error) != Acad::eOk) {
        context.err << "connsheet run: " << error.toUtf8() << '\n';
        return 1;
    }

    // The macro's own general variables first, as the product hands them to a run; the command line
    // may change or add some.
    const Mx_String mapsTo =
        options.mapsTo.empty() ? defaultMapsTo(*macro.macroRead(), sheet) : Mx_String(options.mapsTo);
    VlDlgStandardsData data;
    AcTransaction transaction;
    // Then the library's stored general variables that apply to the macro's file.
    VlAutoStandardsData stored;
    if (!loadStoredGeneralVariables("run", stored, context))
        return 1;
    if (!prepareMacroRun(macro, macroData, sheet, mapsTo, given, transaction, data, &stored,
                         isStandardStream(options.macro) ? std::string() : options.macro)) {
        context.err << "connsheet run: cannot prepare the run\n";
        return 1;
    }

    StandardsOutcome outcome;
    outcome.sheet = displayPath(sheet);
    outcome.quiet = options.noWarnings;
    {
        WarningsSwitch warnings(!options.noWarnings);
        MessageBoxRecorder recorder;
        VlRunReport report;
        VlRunReportScope reporting(report);
        if (options.timings)
            resetStandardsTimers();
        outcome.completed = StartDlgStandardsSS(data);
        // The duplicate-name box is shown whatever the switch says; --no-warnings silences it too.
        if (!options.noWarnings)
            outcome.warnings = recorder.boxes();
        outcome.findings = collectFindings(report, outcome.warnings);
        if (outcome.completed && mapsTo.isEmpty() && data.moduleGroup.isEmpty()) {
            // Without a target no mapping line can be found: say what to give.
            for (VlRunFinding& f : outcome.findings)
                if (f.kind == "mapping")
                    f.cause += " (the macro has no name: give the target with --maps-to)";
        }
    }
    outcome.variables = macroToStdout ? nullptr : &data.varCells;

    // The macro is written before anything is printed, so that "ok" can tell whether it was.
    bool written = false;
    if (!options.out.empty() && outcome.completed && (outcome.succeeded() || options.allowFailures)) {
        if (macroToStdout) {
            context.out << macrojson::write(*macro.macroRead(), &macroData);
            written = true;
        } else if (writeMacroKeepingLayout(options.out, isStandardStream(options.macro) ? std::string() : options.macro,
                                            macro, macroData, error)) {
            written = true;
        } else {
            VlRunFinding failed;
            failed.kind = "write";
            failed.cause = options.out + ": " + error.toUtf8();
            failed.text = failed.cause;
            outcome.findings.push_back(std::move(failed));
        }
    }
    StandardsOutput output;
    output.format = options.json  ? StandardsOutput::Format::json
                    : options.csv ? StandardsOutput::Format::csv
                                  : StandardsOutput::Format::table;
    output.quiet = options.quiet;
    printStandardsOutcome(outcome, output, context);
    if (options.timings)
        (options.json || macroToStdout ? context.err : context.out) << standardsTimersReport().toUtf8();
    if (outcome.succeeded())
        return 0;
    if (!outcome.findings.empty() && outcome.findings.back().kind == "write") {
        context.err << "connsheet run: " << outcome.findings.back().cause << '\n';
        return 1;
    }
    sayFailure(outcome, sheet, context);
    if (!options.out.empty() && !written && outcome.completed && !options.allowFailures)
        context.err << "connsheet run: " << options.out
                    << " not written (--allow-failures writes it all the same)\n";
    return 1;
}

}  // namespace

void addRunCommand(CLI::App& app, CommandContext& context) {
    auto* command =
        app.add_subcommand("run", "Run a standards sheet against a macro and write its outputs back");
    auto options = std::make_shared<RunOptions>();
    command->add_option("SHEET", options->sheet, "Sheet file, or a name below \"Connection Standards\"")
        ->required();
    command->add_option("--macro", options->macro, "Macro file (JSON; \"-\": standard input)")->required();
    command->add_option(
        "--maps-to", options->mapsTo,
        "Target: \"Module.<group>\", or a key of the sheet's mapping file (default: the macro's name)");
    command->add_option("--gen", options->generalVariables, "General variable NAME=VALUE (repeatable)")
        ->allow_extra_args(false);
    command->add_option("--out", options->out,
                        "Write the updated macro to this file (\"-\": standard output)");
    auto* json = command->add_flag("--json", options->json, "Print one JSON object");
    command->add_flag("--csv", options->csv, "Print the variables as CSV (section, type, name, value, cell)")->excludes(json);
    command->add_flag("--quiet", options->quiet, "Print nothing but errors; the exit status tells the outcome");
    command->add_flag("--timings", options->timings, "Print the engine's phase timers");
    command->add_flag("--no-warnings", options->noWarnings, "Do not show warnings (errors are still shown)");
    command->add_flag(
        "--allow-failures", options->allowFailures,
        "Write --out even when equations failed or outputs were not set (the exit status stays 1)");
    command->callback([&context, options] { context.exitStatus = runStandards(*options, context); });
}

}  // namespace connsheet
