#include "platform/mfc/ScriptedDriver.h"

#include "platform/mfc/CDialog.h"
#include "platform/mfc/MessageLoop.h"

namespace ui {
namespace {

// Problems go to the innermost scripted driver while one is installed.
std::vector<ScriptedDriver*>& scripted() {
    static std::vector<ScriptedDriver*>* s = new std::vector<ScriptedDriver*>;
    return *s;
}

}  // namespace

ScriptedDriver::ScriptedDriver() {
    pushDriver(this);
    scripted().push_back(this);
    setProblemReporter([](const std::wstring& problem) {
        if (!scripted().empty()) scripted().back()->m_problems.push_back(problem);
    });
}

ScriptedDriver::~ScriptedDriver() {
    popDriver(this);
    auto& s = scripted();
    for (auto it = s.begin(); it != s.end(); ++it)
        if (*it == this) {
            s.erase(it);
            break;
        }
    if (s.empty()) setProblemReporter(nullptr);
}

ScriptedDriver& ScriptedDriver::onModal(Step step) {
    m_steps.push_back(std::move(step));
    return *this;
}

ScriptedDriver& ScriptedDriver::answerMessageBox(int answer) {
    m_boxAnswers.push_back(answer);
    return *this;
}

ScriptedDriver& ScriptedDriver::answerFileDialog(FileDialogAnswer answer) {
    m_fileAnswers.push_back(std::move(answer));
    return *this;
}

ScriptedDriver& ScriptedDriver::answerPopupMenu(UINT commandId) {
    m_menuAnswers.push_back(commandId);
    return *this;
}

void ScriptedDriver::runModal(CDialog& dialog) {
    CString caption;
    dialog.GetWindowText(caption);
    m_modalDialogs.push_back(caption.str());
    pumpMessages();
    while (!dialog.IsModalEnded() && !m_steps.empty()) {
        Step step = std::move(m_steps.front());
        m_steps.pop_front();
        Automation automation(dialog.m_hWnd);
        step(automation);
        pumpMessages();
    }
    if (dialog.IsModalEnded()) return;
    // Out of steps: the dialog is cancelled as Escape would, and forced closed if it refuses.
    m_unfinished.push_back(caption.str() + L" (template " + std::to_wstring(dialog.GetTemplateId()) + L")");
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    pumpMessages();
    if (!dialog.IsModalEnded()) dialog.EndDialog(IDCANCEL);
}

int ScriptedDriver::messageBox(const MessageBoxRequest& request) {
    int answer = defaultMessageBoxAnswer(request.type);
    if (!m_boxAnswers.empty()) {
        answer = m_boxAnswers.front();
        m_boxAnswers.pop_front();
    }
    m_messageBoxes.push_back({request.text, request.caption, request.type, answer});
    return answer;
}

FileDialogAnswer ScriptedDriver::fileDialog(const FileDialogRequest& request) {
    m_fileDialogs.push_back(request);
    if (m_fileAnswers.empty()) return {};
    FileDialogAnswer answer = std::move(m_fileAnswers.front());
    m_fileAnswers.pop_front();
    return answer;
}

UINT ScriptedDriver::popupMenu(const PopupMenuRequest& request) {
    m_popupMenus.push_back(request);
    if (m_menuAnswers.empty()) return 0;
    UINT answer = m_menuAnswers.front();
    m_menuAnswers.pop_front();
    if (answer == 0) return 0;  // the scripted user dismisses the menu
    // Only an item the user could click is chosen; anything else dismisses the menu.
    std::function<bool(const std::vector<MenuItem>&)> choosable = [&](const std::vector<MenuItem>& items) {
        for (const MenuItem& i : items) {
            if (!i.separator && !i.grayed && i.subItems.empty() && i.id == answer) return true;
            if (!i.grayed && choosable(i.subItems)) return true;
        }
        return false;
    };
    if (!choosable(request.items)) {
        m_problems.push_back(L"popup menu has no enabled item " + std::to_wstring(answer));
        return 0;
    }
    return answer;
}

}  // namespace ui
