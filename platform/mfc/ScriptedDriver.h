#pragma once
// The UI driver for tests: a queue of steps for modal dialogs, queued answers for message boxes, file
// dialogs and popup menus, and a log of everything asked.
//
//   ui::ScriptedDriver driver;
//   driver.onModal([](ui::Automation& dlg) { dlg.type(IDC_NAME, L"abc"); dlg.click(IDOK); });
//   MyDialog d;
//   EXPECT_EQ(d.DoModal(), IDOK);
//   EXPECT_TRUE(driver.messageBoxes().empty());
//
// Each modal dialog takes steps from the front of the queue until it ends; a nested modal dialog (a
// prompt opened by a step) takes the next steps. A dialog that is still open when the queue is empty
// is cancelled (IDCANCEL, then EndDialog(IDCANCEL) if it refuses) and listed in unfinishedDialogs().
// The driver installs itself for its lifetime.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/mfc/Automation.h"
#include "platform/mfc/UiDriver.h"

namespace ui {

class ScriptedDriver : public UiDriver {
public:
    using Step = std::function<void(Automation&)>;

    ScriptedDriver();
    ~ScriptedDriver() override;
    ScriptedDriver(const ScriptedDriver&) = delete;
    ScriptedDriver& operator=(const ScriptedDriver&) = delete;

    ScriptedDriver& onModal(Step step);
    // Answers for message boxes, in order; when none is queued the default button answers.
    ScriptedDriver& answerMessageBox(int answer);
    ScriptedDriver& answerFileDialog(FileDialogAnswer answer);
    // 0 dismisses the menu; an id the menu cannot give (missing, greyed) dismisses it and is a problem.
    ScriptedDriver& answerPopupMenu(UINT commandId);

    struct LoggedMessageBox {
        std::wstring text;
        std::wstring caption;
        UINT type = 0;
        int answer = 0;
    };
    const std::vector<LoggedMessageBox>& messageBoxes() const { return m_messageBoxes; }
    const std::vector<FileDialogRequest>& fileDialogs() const { return m_fileDialogs; }
    const std::vector<PopupMenuRequest>& popupMenus() const { return m_popupMenus; }
    // "caption (template 253)" for every dialog cancelled because the steps ran out.
    const std::vector<std::wstring>& unfinishedDialogs() const { return m_unfinished; }
    // Automation problems (missing, hidden or disabled controls acted on).
    const std::vector<std::wstring>& problems() const { return m_problems; }
    std::size_t remainingSteps() const { return m_steps.size(); }
    // Captions of the modal dialogs run, outermost first in order of opening.
    const std::vector<std::wstring>& modalDialogs() const { return m_modalDialogs; }

    void runModal(CDialog& dialog) override;
    int messageBox(const MessageBoxRequest& request) override;
    FileDialogAnswer fileDialog(const FileDialogRequest& request) override;
    UINT popupMenu(const PopupMenuRequest& request) override;

private:
    std::deque<Step> m_steps;
    std::deque<int> m_boxAnswers;
    std::deque<FileDialogAnswer> m_fileAnswers;
    std::deque<UINT> m_menuAnswers;
    std::vector<LoggedMessageBox> m_messageBoxes;
    std::vector<FileDialogRequest> m_fileDialogs;
    std::vector<PopupMenuRequest> m_popupMenus;
    std::vector<std::wstring> m_unfinished;
    std::vector<std::wstring> m_problems;
    std::vector<std::wstring> m_modalDialogs;
};

}  // namespace ui
