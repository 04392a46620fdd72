// connsheet macro: the macro dialog on a macro file, as the product opens it (modal), with a step
// file played on it. Every edit the steps make is written into the file at once, as the dialog writes
// into the drawing; --log prints what the dialog asked of the drawing and of the host.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/MacroDrawingSession.h"
#include "cli/MacroSubDialogCommand.h"
#include "cli/StandardsCommandSupport.h"
#include "macrodlg/MacroDlgEntryPoints.h"
#include "module/entry/ModuleEntry.h"
#include "platform/arx/AcTransaction.h"
#include "platform/arx/CommandLine.h"
#include "platform/arx/Utf8.h"
#include "platform/mfc/Automation.h"
#include "platform/mfc/CDialog.h"
#include "platform/mfc/ScriptedDriver.h"
#include "platform/mfc/StepScript.h"
#include "platform/mfc/Win32Api.h"
#include "platform/mfc/WindowRenderer.h"
#include "platform/mxbase/MacroData.h"
#include "platform/mxbase/MacroDrawing.h"
#include "platform/mxbase/Mx_DbMacro.h"
#include "standards/StartDlgStandardsSS.h"
#include "standards/VlDlgStandardsData.h"

namespace connsheet {
namespace {

struct MacroOptions {
    std::string file;
    std::string standards;
    std::string steps;
    std::string png;
    bool dump = false;
    bool log = false;
    bool boltAdvanced = false;
    std::string pattern;
};

// "Load from standards" runs the sheet on every edited macro, as "connsheet run" does, and writes the
// macros back into the drawing.
MacroData::StandardsRunner standardsRunner(const Mx_String& sheet) {
    return [sheet](MacroData& data, Mx_String& message) {
        MacroDrawing& drawing = MacroDrawing::active();
        bool all = true;
        for (int i = 0; i < data.objectIds.length(); ++i) {
            Mx_DbMacro* macro = drawing.object(data.objectIds[i]);
            AcArray<AcDbObjectId> one;
            one.append(data.objectIds[i]);
            MacroData tabs;
            if (macro == nullptr || drawing.initMacroData(one, tabs) != Acad::eOk)
                return false;
            VlDlgStandardsData run;
            AcTransaction transaction;
            if (!prepareMacroRun(*macro, tabs, sheet, defaultMapsTo(*macro->macroRead(), sheet), {},
                                 transaction, run) ||
                !StartDlgStandardsSS(run)) {
                all = false;
                message = Mx_String(L"the sheet did not run on macro " + std::to_wstring(one[0].asOldId()));
                continue;
            }
            Mx_String error;
            if (drawing.save(one[0], tabs, &error) != Acad::eOk) {
                all = false;
                message = error;
            }
        }
        return all;
    };
}

int runMacro(const MacroOptions& options, CommandContext& context) {
    MacroDrawingSession session;
    if (const int opened = session.open(options.file, options.steps, context))
        return opened;
    MacroDrawing& drawing = session.drawing();
    MacroData data;
    drawing.initMacroData(drawing.objectIds(), data);
    if (!options.standards.empty()) {
        Mx_String sheet;
        if (!resolveStandardsSheet(options.standards, sheet)) {
            reportNoSuchSheet(context.err, options.standards, sheet);
            return 2;
        }
        MacroData::setStandardsRunner(standardsRunner(sheet));
    }
    host::clearEvents();

    int status = 0;
    ui::ScriptedDriver driver;
    driver.onModal([&](ui::Automation& dialog) {
        if (session.playSteps(dialog, options.dump, options.png, status, context))
            dialog.close();
    });
    if (options.boltAdvanced || !options.pattern.empty()) {
        std::string problem;
        const MacroSubDialog which =
            options.boltAdvanced ? MacroSubDialog::BoltAdvanced : MacroSubDialog::Pattern;
        if (!openMacroSubDialog(which, options.pattern, data, problem)) {
            context.err << "connsheet: " << options.file << ": " << problem << '\n';
            drawing.close();
            return 2;
        }
    } else {
        StartDlgMacro(data);
    }
    status = session.finish(driver, options.steps.empty() ? options.file : options.steps, options.log, status,
                            context);
    MacroData::setStandardsRunner({});
    return status;
}

}  // namespace

void addMacroCommand(CLI::App& app, CommandContext& context) {
    auto options = std::make_shared<MacroOptions>();
    auto* command = app.add_subcommand(
        "macro",
        "Open the macro dialog on a macro file (or a folder of them); edits are written back at once");
    command->add_option("FILE", options->file, "Macro file (.json), or a folder of macro files")->required();
    command->add_option("--steps", options->steps, "Play a step file on the dialog");
    command->add_flag("--dump", options->dump, "Print the dialog's window tree after the steps");
    command->add_option("--png", options->png, "Write the dialog's picture after the steps");
    command->add_option("--standards", options->standards,
                        "The standards sheet \"Load from standards\" runs (file, or name in the library)");
    command->add_flag("--log", options->log, "Print what the dialog asked of the drawing and the host");
    command->add_flag("--bolt-advanced", options->boltAdvanced,
                      "Open the bolt-advanced dialog of the macro's bolt tab instead of the macro dialog");
    command->add_option("--pattern", options->pattern,
                        "Open the pattern dialog on the macro's bolt pattern of that name instead");
    command->callback([&context, options] { context.exitStatus = runMacro(*options, context); });
}

}  // namespace connsheet
