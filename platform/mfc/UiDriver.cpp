#include "platform/mfc/UiDriver.h"

#include <algorithm>
#include <cstdio>

#include "platform/arx/Utf8.h"
#include "platform/mfc/CDialog.h"

namespace ui {
namespace {

// The command's driver: nobody is there to answer, so every question gets the answer Return or
// Escape would give, and message boxes are shown on stderr.
class DefaultDriver : public UiDriver {
public:
    void runModal(CDialog& dialog) override {
        CString caption;
        dialog.GetWindowText(caption);
        m_cancelled.push_back(caption.str() + L" (template " + std::to_wstring(dialog.GetTemplateId()) + L")");
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        if (!dialog.IsModalEnded()) dialog.EndDialog(IDCANCEL);
    }

    int messageBox(const MessageBoxRequest& request) override {
        std::string line = "warning: " + utf8::encode(request.caption) + ": " + utf8::encode(request.text) + "\n";
        std::fwrite(line.data(), 1, line.size(), stderr);
        return defaultMessageBoxAnswer(request.type);
    }

    FileDialogAnswer fileDialog(const FileDialogRequest&) override { return {}; }
    UINT popupMenu(const PopupMenuRequest&) override { return 0; }

    std::vector<std::wstring> m_cancelled;
};

DefaultDriver& defaultDriver() {
    static DefaultDriver* d = new DefaultDriver;  // never destroyed: dialogs may end at exit
    return *d;
}

std::vector<UiDriver*>& stack() {
    static std::vector<UiDriver*>* s = new std::vector<UiDriver*>;
    return *s;
}

}  // namespace

int defaultMessageBoxAnswer(UINT type) {
    static const int buttons[][3] = {
        {IDOK, 0, 0},                  // MB_OK
        {IDOK, IDCANCEL, 0},           // MB_OKCANCEL
        {IDABORT, IDRETRY, IDIGNORE},  // MB_ABORTRETRYIGNORE
        {IDYES, IDNO, IDCANCEL},       // MB_YESNOCANCEL
        {IDYES, IDNO, 0},              // MB_YESNO
        {IDRETRY, IDCANCEL, 0},        // MB_RETRYCANCEL
    };
    UINT set = type & MB_TYPEMASK;
    if (set >= sizeof(buttons) / sizeof(buttons[0])) set = 0;
    UINT which = (type & MB_DEFMASK) >> 8;
    // A default button the box does not have falls back on the first one, as Windows does.
    if (which > 2 || buttons[set][which] == 0) which = 0;
    return buttons[set][which];
}

UiDriver& activeDriver() { return stack().empty() ? defaultDriver() : *stack().back(); }

void pushDriver(UiDriver* driver) {
    if (driver) stack().push_back(driver);
}

void popDriver(UiDriver* driver) {
    auto& s = stack();
    auto it = std::find(s.rbegin(), s.rend(), driver);
    if (it != s.rend()) s.erase(std::next(it).base());
}

std::vector<std::wstring> defaultDriverCancelledDialogs() { return defaultDriver().m_cancelled; }

}  // namespace ui
