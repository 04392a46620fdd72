#pragma once
// What every command on a macro drawing does before it opens its dialog: read the step file, load the
// module (its resources and installed dialogs) and open the drawing. The module stays loaded while the
// session lives.
//
//     MacroDrawingSession session;
//     if (int status = session.open(options.file, options.steps, context))
//         return status;
//     ... session.drawing(), session.script() ...
#include <optional>
#include <string>

#include "module/entry/ModuleEntry.h"
#include "platform/mfc/StepScript.h"

class MacroDrawing;

namespace connsheet {

struct CommandContext;

class MacroDrawingSession {
public:
    // 0 when ready; otherwise the exit status, with the problem written to the context's error stream:
    // 2 an unreadable step file or drawing, 1 a module that could not be loaded.
    int open(const std::string& file, const std::string& steps, CommandContext& context);

    // The step file's script; empty when no step file was given.
    std::optional<ui::StepScript>& script() { return m_script; }
    MacroDrawing& drawing();

private:
    std::optional<ui::StepScript> m_script;
    std::optional<ModuleFrame::LoadedModule> m_module;
};

}  // namespace connsheet
