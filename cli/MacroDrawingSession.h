#pragma once
// What every command on a macro drawing does around its dialog: read the step file, load the module
// (its resources and installed dialogs) and open the drawing; play the steps on the dialog; report,
// print the log and close the drawing. The module stays loaded while the session lives.
//
//     MacroDrawingSession session;
//     if (int status = session.open(options.file, options.steps, context))
//         return status;
//     driver.onModal([&](ui::Automation& dialog) {
//         if (session.playSteps(dialog, options.dump, options.png, status, context))
//             dialog.close();
//     });
//     ... the dialog on session.drawing() ...
//     return session.finish(driver, source, options.log, status, context);
#include <optional>
#include <string>

#include "module/entry/ModuleEntry.h"
#include "platform/mfc/StepScript.h"

class MacroDrawing;
namespace ui {
class Automation;
class ScriptedDriver;
}  // namespace ui

namespace connsheet {

struct CommandContext;

class MacroDrawingSession {
public:
    // 0 when ready; otherwise the exit status, with the problem written to the context's error stream:
    // 2 an unreadable step file or drawing, 1 a module that could not be loaded.
    int open(const std::string& file, const std::string& steps, CommandContext& context);

    MacroDrawing& drawing();

    // What the steps could not do, on the error stream as "connsheet: SOURCE: problem" (SOURCE: the
    // step file, else the macro file); 1 when there was anything, else 0.
    static int reportProblems(const ui::ScriptedDriver& driver, const std::string& source,
                              CommandContext& context);
    // --log: the drawing's call log, then what the module asked of the host (commands posted, lines
    // printed, editor commands begun and completed).
    void printLog(CommandContext& context);
    // Plays the step file on a modal dialog. False when the steps closed it; otherwise, the dialog still
    // open, prints its window tree when `dump` is asked for and writes its picture to `png` when one is
    // (a failed write is reported and makes `status` 1), and returns true: the command then closes it.
    bool playSteps(ui::Automation& dialog, bool dump, const std::string& png, int& status,
                   CommandContext& context);
    // The end of a command's dialog: the steps' problems reported, the log printed when asked for, the
    // drawing closed. Returns `status`, or 1 when the steps met a problem.
    int finish(const ui::ScriptedDriver& driver, const std::string& source, bool log, int status,
               CommandContext& context);

private:
    std::optional<ui::StepScript> m_script;
    std::optional<ModuleFrame::LoadedModule> m_module;
};

}  // namespace connsheet
