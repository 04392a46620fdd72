// connsheet edit-macro: the macro editor on a macro file, as the product opens it (modal), with a step
// file played on it. Every change the steps make is written into the file at once, as the editor writes
// into the drawing; --pick gives what the user picks in the drawing when a macro command asks;
// --log prints what the editor asked of the drawing and of the host.
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/MacroDrawingSession.h"
#include "macrodlg/MacroDlgEntryPoints.h"
#include "module/entry/ModuleEntry.h"
#include "platform/arx/CommandLine.h"
#include "platform/arx/Utf8.h"
#include "platform/mfc/Automation.h"
#include "platform/mfc/CDialog.h"
#include "platform/mfc/ScriptedDriver.h"
#include "platform/mfc/StepScript.h"
#include "platform/mfc/WindowRenderer.h"
#include "platform/mxbase/EditConstrCalls.h"
#include "platform/mxbase/EditConstrData.h"
#include "platform/mxbase/MacroDrawing.h"
#include "platform/mxbase/Mx_Macro.h"
#include "platform/mxbase/StringFunctions.h"

namespace connsheet {
namespace {

struct EditMacroOptions {
    std::string file;
    std::string steps;
    std::string png;
    std::string module;
    std::vector<std::string> picks;
    bool log = false;
};

// "A,B" as the names of one pick; an empty text is a pick of nothing.
Mx_StringArray pickOf(const std::string& text) {
    Mx_StringArray names;
    std::string name;
    for (std::size_t at = 0; at <= text.size(); ++at) {
        if (at < text.size() && text[at] != ',') {
            name += text[at];
            continue;
        }
        if (!name.empty())
            names.append(Mx_String(name));
        name.clear();
    }
    return names;
}

int runEditMacro(const EditMacroOptions& options, CommandContext& context) {
    MacroDrawingSession session;
    if (const int opened = session.open(options.file, options.steps, context))
        return opened;
    MacroDrawing& drawing = session.drawing();
    EditConstrData data;
    data.objectIds = drawing.objectIds();
    if (const Mx_Macro* macro = EditedMacro(data))
        data.macroName = macro->name();
    data.moduleName = Mx_String(options.module);

    // The user's picks, one for each command that asks the drawing for one.
    std::deque<Mx_StringArray> picks;
    for (const std::string& pick : options.picks)
        picks.push_back(pickOf(pick));
    setDrawingInteraction([&picks] {
        if (!hasNextGeometryPick() && !picks.empty()) {
            setNextGeometryPick(picks.front());
            picks.pop_front();
        }
    });
    host::clearEvents();

    int status = 0;
    ui::ScriptedDriver driver;
    driver.onModal([&](ui::Automation& dialog) {
        if (session.playSteps(dialog, false, options.png, status, context))
            dialog.click(IDOK);
    });
    StartDlgEditConstrModal(data);
    setDrawingInteraction({});
    cancelNextGeometryPick();
    return session.finish(driver, options.steps.empty() ? options.file : options.steps, options.log, status,
                          context);
}

}  // namespace

void addEditMacroCommand(CLI::App& app, CommandContext& context) {
    auto options = std::make_shared<EditMacroOptions>();
    auto* command = app.add_subcommand(
        "edit-macro", "Open the macro editor on a macro file; its changes are written back at once");
    command->add_option("FILE", options->file, "Macro file (.json)")->required();
    command->add_option("--steps", options->steps, "Play a step file on the editor");
    command->add_option("--png", options->png, "Write the editor's picture after the steps");
    command->add_option("--module", options->module, "The module the editor shows first");
    command->add_option("--pick", options->picks,
                        "What the user picks in the drawing for the next macro command: geometry names "
                        "separated by commas (repeat for later commands)");
    command->add_flag("--log", options->log, "Print what the editor asked of the drawing and the host");
    command->callback([&context, options] { context.exitStatus = runEditMacro(*options, context); });
}

}  // namespace connsheet
