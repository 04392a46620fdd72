#include "cli/MacroDrawingSession.h"

#include <ostream>

#include "cli/Commands.h"
#include "platform/arx/CommandLine.h"
#include "platform/arx/Utf8.h"
#include "platform/mfc/Automation.h"
#include "platform/mfc/CDialog.h"
#include "platform/mfc/ScriptedDriver.h"
#include "platform/mfc/WindowRenderer.h"
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

namespace {

std::string hostEventText(const host::Event& event) {
    switch (event.kind) {
        case host::EventKind::PostCommand:
            return "acedPostCommand " + utf8::encode(event.text);
        case host::EventKind::PostCommandPrompt:
            return "acedPostCommandPrompt";
        case host::EventKind::Print:
            return "acutPrintf " + utf8::encode(event.text);
        case host::EventKind::BeginEditorCommand:
            return "BeginEditorCommand";
        case host::EventKind::CompleteEditorCommand:
            return "CompleteEditorCommand";
        default:
            return {};
    }
}

}  // namespace

int MacroDrawingSession::reportProblems(const ui::ScriptedDriver& driver, const std::string& source,
                                        CommandContext& context) {
    for (const std::wstring& problem : driver.problems())
        context.err << "connsheet: " << source << ": " << utf8::encode(problem) << '\n';
    return driver.problems().empty() ? 0 : 1;
}

void MacroDrawingSession::printLog(CommandContext& context) {
    context.out << utf8::encode(drawing().logText());
    for (const host::Event& event : host::events()) {
        const std::string line = hostEventText(event);
        if (!line.empty())
            context.out << line << (line.back() == '\n' ? "" : "\n");
    }
}

bool MacroDrawingSession::playSteps(ui::Automation& dialog, bool dump, const std::string& png, int& status,
                                    CommandContext& context) {
    if (m_script)
        m_script->run(dialog);
    const auto* shown = dynamic_cast<const CDialog*>(CWnd::FromHandle(dialog.root()));
    if (shown == nullptr || shown->IsModalEnded())
        return false;  // the steps closed it
    if (dump)
        context.out << utf8::encode(dialog.dump());
    if (!png.empty()) {
        std::string problem;
        if (!ui::writePng(png, ui::renderWindow(dialog.root(), 1), &problem)) {
            context.err << "connsheet: " << problem << '\n';
            status = 1;
        }
    }
    return true;
}

int MacroDrawingSession::finish(const ui::ScriptedDriver& driver, const std::string& source, bool log,
                                int status, CommandContext& context) {
    if (reportProblems(driver, source, context))
        status = 1;
    if (log)
        printLog(context);
    drawing().close();
    return status;
}

}  // namespace connsheet
