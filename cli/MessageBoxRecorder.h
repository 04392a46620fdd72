#pragma once
// While alive, answers the message boxes of a standards run instead of the command's default driver
// and keeps them, so `run` and `eval` can print them as warnings (or put them into their JSON).
// Modal dialogs, file dialogs and menus still go to the driver that was active before.
#include <string>
#include <vector>

#include "platform/mfc/UiDriver.h"

namespace connsheet {

struct RecordedMessageBox {
    std::string caption;  // UTF-8
    std::string text;
};

class MessageBoxRecorder : public ui::UiDriver {
public:
    MessageBoxRecorder();
    ~MessageBoxRecorder() override;
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    void runModal(CDialog& dialog) override { previous_.runModal(dialog); }
    int messageBox(const ui::MessageBoxRequest& request) override;
    ui::FileDialogAnswer fileDialog(const ui::FileDialogRequest& request) override {
        return previous_.fileDialog(request);
    }
    UINT popupMenu(const ui::PopupMenuRequest& request) override { return previous_.popupMenu(request); }

    const std::vector<RecordedMessageBox>& boxes() const { return boxes_; }

private:
    ui::UiDriver& previous_;
    std::vector<RecordedMessageBox> boxes_;
};

}  // namespace connsheet
