#include "cli/MacroDrawingSession.h"

#include <ostream>

#include "cli/Commands.h"
#include "platform/arx/Utf8.h"
#include "platform/mxbase/MacroDrawing.h"

namespace connsheet {

int MacroDrawingSession::open(const std::string& file, const std::string& steps, CommandContext& context) {
    if (!steps.empty()) {
        std::string error;
        m_script = ui::StepScript::load(steps, &error);
        if (!m_script) {
            context.err << "connsheet: " << error << '\n';
            return 2;
        }
    }
    m_module.emplace();
    if (!m_module->ok()) {
        context.err << "connsheet: the module could not be loaded\n";
        return 1;
    }
    Mx_String error;
    if (drawing().open(Mx_String(utf8::decode(file)), &error) != Acad::eOk) {
        context.err << "connsheet: " << utf8::encode(error.c_str()) << '\n';
        return 2;
    }
    return 0;
}

MacroDrawing& MacroDrawingSession::drawing() {
    return MacroDrawing::active();
}

}  // namespace connsheet
