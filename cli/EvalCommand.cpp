// connsheet eval: a child-mode run of a sheet, as "CallChild" runs it, with the inputs named on the
// command line. The arguments are built from the sheet's own declarations in order (inputs, then
// outputs), so the sheet is loaded once to read them and evaluated in the same host window.
#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/MessageBoxRecorder.h"
#include "cli/StandardsCommandSupport.h"
#include "module/ModuleResources.h"
#include "platform/mfc/VlTempResourceOverride.h"
#include "standards/CDlgSSStandards.h"
#include "standards/DisplayPath.h"
#include "standards/VlDlgStandardsData.h"
#include "standards/VlRunReport.h"
#include "standards/VlSSDlgsMgr.h"

namespace connsheet {
namespace {

struct EvalOptions {
    std::string sheet;
    std::vector<std::string> inputs;
    std::vector<std::string> generalVariables;
    bool json = false;
    bool csv = false;
    bool quiet = false;
};

// Gives the host dialog back to the pool on every way out.
class PooledDialog {
public:
    PooledDialog() : dialog_(static_cast<CDlgSSStandards*>(gSSDlgsMgr.getDlg())) {}
    ~PooledDialog() {
        if (dialog_) gSSDlgsMgr.releaseDlg(dialog_);
    }
    PooledDialog(const PooledDialog&) = delete;
    PooledDialog& operator=(const PooledDialog&) = delete;
    CDlgSSStandards* get() const { return dialog_; }

private:
    CDlgSSStandards* dialog_;
};

int evalStandards(const EvalOptions& options, CommandContext& context) {
    Mx_String sheet;
    if (!resolveStandardsSheet(options.sheet, sheet)) {
        context.err << "connsheet eval: sheet not found: " << options.sheet << '\n';
        return 1;
    }
    std::vector<std::pair<std::string, std::string>> inputs;
    for (const std::string& assignment : options.inputs) {
        std::string name, value;
        if (!splitAssignment(assignment, name, value)) {
            context.err << "connsheet eval: expected NAME=VALUE, not \"" << assignment << "\"\n";
            return 2;
        }
        inputs.emplace_back(name, value);
    }
    std::vector<std::pair<Mx_String, Mx_String>> generalVariables;
    for (const std::string& assignment : options.generalVariables) {
        std::string name, value;
        if (!splitAssignment(assignment, name, value)) {
            context.err << "connsheet eval: --gen expects NAME=VALUE, not \"" << assignment << "\"\n";
            return 2;
        }
        setGeneralVariable(generalVariables, name, value);
    }

    MessageBoxRecorder recorder;
    VlRunReport report;
    VlRunReportScope reporting(report);
    // The host dialog's template is one of this module's resources, as in StartDlgStandardsSS.
    VlTempResourceOverride::Scope resources(ModuleResources::resourceOverride());
    PooledDialog dialog;
    if (!dialog.get()) {
        context.err << "connsheet eval: no window to evaluate the sheet in\n";
        return 1;
    }
    VlCalcSS& grid = dialog.get()->calcSS;
    if (grid.loadFile(sheet) != Acad::eOk || grid.initVarCells() != Acad::eOk) {
        const std::string why = vlTakeCause();
        context.err << "connsheet eval: the run of " << displayPath(sheet).toUtf8() << " failed: "
                    << (why.empty() ? "it cannot be loaded" : why) << '\n';
        return 1;
    }

    // One argument per input and output, in declaration order; locals take no argument.
    VlDlgStandardsData data;
    data.mode = VlDlgStandardsData::kChildRun;
    data.standardsFile = sheet;
    std::set<std::size_t> used;
    const VlVarCells& declared = grid.varCells();
    for (int i = 0; i < declared.length(); ++i) {
        if (declared[i].isLocal()) continue;
        VlVarCell argument = declared[i];
        argument.col = 0;
        argument.row = 0;
        argument.value = Mx_String();
        for (std::size_t k = 0; k < inputs.size(); ++k) {
            if (argument.isInput() && argument.name.equal(Mx_String(inputs[k].first), false)) {
                std::string why;
                if (!acceptsValue(argument.valueType, inputs[k].second, why)) {
                    context.err << "connsheet eval: " << inputs[k].first << " is "
                                << (argument.valueType == kVlInteger ? "an Int" : "a Double") << " input: " << why << '\n';
                    return 2;
                }
                argument.value = Mx_String(inputs[k].second);
                used.insert(k);
            }
        }
        data.varCells.append(argument);
    }
    for (std::size_t k = 0; k < inputs.size(); ++k) {
        if (!used.count(k)) {
            context.err << "connsheet eval: " << inputs[k].first << " is not an input of " << displayPath(sheet).toUtf8() << '\n';
            return 2;
        }
    }
    for (const auto& [name, value] : generalVariables) {
        data.genVarNames.append(name);
        data.genVarValues.append(value);
    }

    // The child run's two phases, as StartDlgStandardsSS runs them in mode 1; done here so that the
    // locals and the cells can be printed too, not only the arguments.
    StandardsOutcome outcome;
    outcome.sheet = displayPath(sheet);
    vlTakeCause();
    outcome.completed = grid.getFromVars(data) == Acad::eOk && grid.calcChild(data.varCells) == Acad::eOk;
    if (!outcome.completed) {
        VlRunFinding failed;
        failed.kind = "run-failed";
        failed.sheet = outcome.sheet.toUtf8();
        failed.cause = vlTakeCause();
        if (failed.cause.empty()) failed.cause = "the run failed";
        failed.text = "the run of " + failed.sheet + " failed: " + failed.cause;
        report.add(std::move(failed));
    }
    outcome.warnings = recorder.boxes();
    outcome.findings = collectFindings(report, outcome.warnings);
    outcome.variables = &grid.varCells();
    StandardsOutput output;
    output.format = options.json  ? StandardsOutput::Format::json
                    : options.csv ? StandardsOutput::Format::csv
                                  : StandardsOutput::Format::table;
    output.quiet = options.quiet;
    printStandardsOutcome(outcome, output, context);
    if (outcome.succeeded()) return 0;
    if (!outcome.completed)
        context.err << "connsheet eval: the run of " << displayPath(sheet).toUtf8() << " failed: " << outcome.firstError() << '\n';
    else
        context.err << "connsheet eval: " << displayPath(sheet).toUtf8() << ": " << outcome.firstError() << '\n';
    return 1;
}

}  // namespace

void addEvalCommand(CLI::App& app, CommandContext& context) {
    auto* command = app.add_subcommand("eval", "Evaluate a standards sheet as a child, with the inputs given");
    auto options = std::make_shared<EvalOptions>();
    command->add_option("SHEET", options->sheet, "Sheet file, or a name below \"Connection Standards\"")->required();
    command->add_option("INPUTS", options->inputs, "Input values NAME=VALUE");
    command->add_option("--gen", options->generalVariables, "General variable NAME=VALUE (repeatable)")
        ->allow_extra_args(false);
    auto* json = command->add_flag("--json", options->json, "Print one JSON object");
    command->add_flag("--csv", options->csv, "Print the variables as CSV (section, type, name, value, cell)")->excludes(json);
    command->add_flag("--quiet", options->quiet, "Print nothing but errors; the exit status tells the outcome");
    command->callback([&context, options] { context.exitStatus = evalStandards(*options, context); });
}

}  // namespace connsheet
