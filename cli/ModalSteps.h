#pragma once
// Running a modal dialog from the command line: a step file is played on it as a user would act, and
// what is left open afterwards is drawn (--png) or printed as its window tree, then cancelled.
//
//     ModalStepsOptions options{steps, png, scale};
//     ModalStepsOutcome outcome;
//     int status = runModalWithSteps(options, [&] { return StartDlgGrid(data); }, outcome, context);
//
// A dialog the steps open from the first one (a prompt, a sub-dialog) is the one drawn when the steps
// leave it open. Message boxes take their default answer and are printed as "warning: caption: text".
#include <functional>
#include <string>
#include <vector>

namespace connsheet {

struct CommandContext;

struct ModalStepsOptions {
    std::string steps;  // the step file; empty: none
    std::string png;    // where the picture of the dialog left open goes; empty: its window tree on out
    int scale = 1;
    // The answers of the file dialogs the steps open, in order: the chosen paths, ";"-separated. A
    // file dialog without an answer is cancelled.
    std::vector<std::string> fileAnswers;
};

struct ModalStepsOutcome {
    bool accepted = false;  // the entry point returned true (the dialog ended with OK)
    bool leftOpen = false;  // the steps left a dialog open: it was shown, then cancelled
};

// 0 when the steps ran without problems; 1 when a step acted on nothing or the picture could not be
// written; 2 when the step file cannot be read.
int runModalWithSteps(const ModalStepsOptions& options, const std::function<bool()>& open,
                      ModalStepsOutcome& outcome, CommandContext& context);

}  // namespace connsheet
