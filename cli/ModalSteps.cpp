#include "cli/ModalSteps.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <ostream>

#include "cli/Commands.h"
#include "platform/arx/Utf8.h"
#include "platform/mfc/Automation.h"
#include "platform/mfc/ScriptedDriver.h"
#include "platform/mfc/StepScript.h"
#include "platform/mfc/Win32Api.h"
#include "platform/mfc/WindowRenderer.h"

namespace connsheet {

int runModalWithSteps(const ModalStepsOptions& options, const std::function<bool()>& open,
                      ModalStepsOutcome& outcome, CommandContext& context) {
    std::optional<ui::StepScript> script;
    if (!options.steps.empty()) {
        std::string error;
        script = ui::StepScript::load(options.steps, &error);
        if (!script) {
            context.err << "connsheet: " << error << '\n';
            return 2;
        }
    }

    int status = 0;
    ui::ScriptedDriver driver;
    for (const std::string& answer : options.fileAnswers) {
        ui::FileDialogAnswer chosen{true, {}};
        std::size_t start = 0;
        while (start <= answer.size()) {
            const std::size_t end = std::min(answer.find(';', start), answer.size());
            if (end > start)
                chosen.paths.push_back(utf8::decode(answer.substr(start, end - start)));
            start = end + 1;
        }
        driver.answerFileDialog(chosen);
    }
    driver.onModal([&script](ui::Automation& dialog) {
        if (script)
            script->run(dialog);
    });
    // Reached only by a dialog still open after the steps.
    driver.onModal([&](ui::Automation& dialog) {
        outcome.leftOpen = true;
        if (options.png.empty()) {
            context.out << utf8::encode(dialog.dump());
        } else {
            std::string error;
            if (!ui::writePng(options.png, ui::renderWindow(dialog.root(), options.scale), &error)) {
                context.err << "connsheet: " << error << '\n';
                status = 1;
            }
        }
        dialog.close();
    });
    outcome.accepted = open();
    for (const auto& box : driver.messageBoxes())
        context.err << "warning: " << utf8::encode(box.caption) << ": " << utf8::encode(box.text) << '\n';
    for (const std::wstring& problem : driver.problems()) {
        context.err << "connsheet: " << options.steps << ": " << utf8::encode(problem) << '\n';
        status = 1;
    }
    return status;
}

}  // namespace connsheet
