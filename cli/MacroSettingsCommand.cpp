// connsheet macro-settings: the macro editor's settings dialog (8141) on a macro file, as its settings
// button opens it, with a step file played on it. OK writes the settings into the macro file (and the
// mapping page's links into the mapping files); anything else writes nothing.
#include <memory>
#include <optional>
#include <string>

#include "cli/Commands.h"
#include "cli/MacroDrawingSession.h"
#include "macrodlg/MacroEditorWindow.h"
#include "module/entry/ModuleEntry.h"
#include "platform/arx/Utf8.h"
#include "platform/mfc/Automation.h"
#include "platform/mfc/CDialog.h"
#include "platform/mfc/ScriptedDriver.h"
#include "platform/mfc/StepScript.h"
#include "platform/mfc/WindowRenderer.h"
#include "platform/mxbase/EditConstrData.h"
#include "platform/mxbase/MacroDrawing.h"

namespace connsheet {
namespace {

struct MacroSettingsOptions {
    std::string file;
    std::string steps;
    std::string png;
    bool log = false;
};

int runMacroSettingsDialog(const MacroSettingsOptions& options, CommandContext& context) {
    MacroDrawingSession session;
    if (const int opened = session.open(options.file, options.steps, context))
        return opened;
    MacroDrawing& drawing = session.drawing();
    EditConstrData data;
    data.objectIds = drawing.objectIds();

    int status = 0;
    ui::ScriptedDriver driver;
    driver.onModal([&](ui::Automation& dialog) {
        if (session.playSteps(dialog, false, options.png, status, context))
            dialog.close();
    });
    const INT_PTR result = runMacroSettings(data, nullptr);
    if (MacroDrawingSession::reportProblems(driver, options.steps.empty() ? options.file : options.steps,
                                            context))
        status = 1;
    if (result == IDOK)
        context.out << "settings written\n";
    if (options.log)
        context.out << utf8::encode(drawing.logText());
    drawing.close();
    return status;
}

}  // namespace

void addMacroSettingsCommand(CLI::App& app, CommandContext& context) {
    auto options = std::make_shared<MacroSettingsOptions>();
    auto* command = app.add_subcommand(
        "macro-settings", "Open the macro settings dialog on a macro file; OK writes the settings into it");
    command->add_option("FILE", options->file, "Macro file (.json), or a folder of macro files")->required();
    command->add_option("--steps", options->steps, "Play a step file on the dialog");
    command->add_option("--png", options->png, "Write the dialog's picture after the steps");
    command->add_flag("--log", options->log, "Print what the dialog asked of the drawing");
    command->callback(
        [&context, options] { context.exitStatus = runMacroSettingsDialog(*options, context); });
}

}  // namespace connsheet
