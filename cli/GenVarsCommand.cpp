// connsheet genvars: the library's general variables (the ones run and batch apply), printed, or
// edited in the general variables dialog by a step file.
#include <memory>
#include <ostream>
#include <string>

#include "cli/Commands.h"
#include "cli/ModalSteps.h"
#include "cli/StandardsCommandSupport.h"
#include "platform/mxbase/FileSystem.h"
#include "platform/mxbase/VlAutoStandardsData.h"
#include "standards/StartDlgGenVars.h"

namespace connsheet {
namespace {

struct GenVarsOptions {
    ModalStepsOptions modal;
};

int runGenVars(const GenVarsOptions& options, CommandContext& context) {
    VlAutoStandardsData stored;
    if (!loadStoredGeneralVariables("genvars", stored, context))
        return 1;
    const Mx_String path = generalVariablesPath();
    if (options.modal.steps.empty() && options.modal.png.empty()) {
        context.out << stored.text();
        return 0;
    }
    VlAutoStandardsData edited = stored;
    ModalStepsOutcome outcome;
    const int status = runModalWithSteps(
        options.modal, [&edited] { return StartDlgGenVars(edited); }, outcome, context);
    if (status != 0 || !outcome.accepted)
        return status;
    std::string error;
    if (!edited.save(path, &error)) {
        context.err << "connsheet genvars: " << error << '\n';
        return 1;
    }
    context.err << "connsheet genvars: saved " << fsys::resolve(path.view()).string() << '\n';
    context.out << edited.text();
    return 0;
}

}  // namespace

void addGenVarsCommand(CLI::App& app, CommandContext& context) {
    auto options = std::make_shared<GenVarsOptions>();
    auto* command = app.add_subcommand(
        "genvars", "Print the library's general variables, or edit them in their dialog with a step file");
    command->add_option("--steps", options->modal.steps,
                        "Play a step file on the general variables dialog; OK saves the edited variables");
    command->add_option(
        "--choose", options->modal.fileAnswers,
        "Paths (\";\"-separated) the next \"...\" file dialog chooses (repeatable, in order)");
    command->add_option("--png", options->modal.png,
                        "Write the picture of the dialog left open after the steps to this PNG file");
    command->add_option("--scale", options->modal.scale, "Pixels per dialog pixel (1 = 96 dpi)")
        ->check(CLI::Range(1, 4));
    command->callback([&context, options] { context.exitStatus = runGenVars(*options, context); });
}

}  // namespace connsheet
