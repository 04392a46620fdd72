#include "macrodlg/MacroEditorInstall.h"

#include <memory>
#include <vector>

#include "macrodlg/CDlgEditMacro.h"
#include "macrodlg/MacroEditorWindow.h"
#include "platform/mfc/Win32Api.h"

namespace {

// A modeless editor that closed itself is still inside its own handler when the entry point lets go
// of it: it is kept here and deleted when the next editor is made (its handler has long returned).
std::vector<std::unique_ptr<CDlgEditMacro>>& retired() {
    static std::vector<std::unique_ptr<CDlgEditMacro>> editors;
    return editors;
}

class EditMacroWindow : public MacroEditorWindow {
public:
    ~EditMacroWindow() override {
        if (dialog_ != nullptr && dialog_->isClosingItself())
            retired().push_back(std::move(dialog_));
    }

    void setData(const EditConstrData& data) override {
        data_ = data;
        if (dialog_ != nullptr)
            dialog_->setData(data);
    }
    const EditConstrData& data() const override { return dialog_ != nullptr ? dialog_->data() : data_; }
    void setModeless(bool modeless) override {
        data_.modeless = modeless;
        if (dialog_ != nullptr)
            dialog_->setModeless(modeless);
    }

    INT_PTR runModal(CWnd* owner) override {
        make(owner);
        return dialog_->DoModal();
    }

    bool createModeless(CWnd* owner) override {
        make(owner);
        dialog_->setModeless(true);
        if (!dialog_->Create(CDlgEditMacro::IDD, owner))
            return false;
        dialog_->ShowWindow(SW_SHOW);
        return true;
    }

    bool destroyWindow() override {
        if (dialog_ == nullptr || dialog_->GetSafeHwnd() == nullptr)
            return true;
        return dialog_->DestroyWindow() != FALSE;
    }

private:
    void make(CWnd* owner) {
        dialog_ = std::make_unique<CDlgEditMacro>(owner);
        dialog_->setData(data_);
    }

    EditConstrData data_;
    std::unique_ptr<CDlgEditMacro> dialog_;
};

}  // namespace

void installMacroEditor() {
    setMacroEditorFactory([] {
        retired().clear();
        return std::make_unique<EditMacroWindow>();
    });
}

void releaseRetiredMacroEditors() {
    retired().clear();
}
