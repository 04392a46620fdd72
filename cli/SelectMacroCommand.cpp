// connsheet select-macro: the macro selection on the library's macros, as the product opens it, with a
// step file played on it. Prints the chosen macro (as a drawing name) and the option when the dialog
// ends with OK.
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/ModalSteps.h"
#include "macrodlg/MacroDlgEntryPoints.h"
#include "module/entry/ModuleEntry.h"
#include "platform/mxbase/Mx_String.h"
#include "platform/mxbase/Mx_StringArray.h"

namespace connsheet {
namespace {

struct SelectMacroOptions {
    ModalStepsOptions modal;
    std::vector<std::string> names;
    std::string title;
    bool option = false;
    bool note = false;
};

int runSelectMacro(const SelectMacroOptions& options, CommandContext& context) {
    ModuleFrame::LoadedModule module;
    if (!module.ok()) {
        context.err << "connsheet: the module could not be loaded\n";
        return 1;
    }
    Mx_StringArray names;
    for (const std::string& name : options.names)
        names.append(Mx_String(name));
    Mx_String chosen;
    bool option = options.option;
    ModalStepsOutcome outcome;
    const int status = runModalWithSteps(
        options.modal,
        [&] {
            return StartDlgSelectMacro(Mx_String(options.title), names, 0, 0, chosen, option, options.note);
        },
        outcome, context);
    if (status != 0 || outcome.leftOpen)
        return status;
    if (!outcome.accepted) {
        context.err << "connsheet select-macro: cancelled\n";
        return 1;
    }
    context.out << "chosen: " << chosen.toUtf8() << "\noption: " << (option ? 1 : 0) << '\n';
    return 0;
}

}  // namespace

void addSelectMacroCommand(CLI::App& app, CommandContext& context) {
    auto options = std::make_shared<SelectMacroOptions>();
    auto* command = app.add_subcommand(
        "select-macro", "Choose a macro of the library in the macro selection, with a step file");
    command->add_option("NAME", options->names,
                        "Macros on offer, below the library's \"Macros\" (default: every macro there)");
    command->add_option("--steps", options->modal.steps, "Play a step file on the dialog");
    command->add_option("--png", options->modal.png,
                        "Write the picture of the dialog left open after the steps to this PNG file");
    command->add_option("--scale", options->modal.scale, "Pixels per dialog pixel (1 = 96 dpi)")
        ->check(CLI::Range(1, 4));
    command->add_option("--title", options->title, "The dialog's caption");
    command->add_flag("--option", options->option, "Offer \"New macro\"");
    command->add_flag("--note", options->note, "Say why \"New macro\" is not offered (without --option)");
    command->callback([&context, options] { context.exitStatus = runSelectMacro(*options, context); });
}

}  // namespace connsheet
