#pragma once
// Who answers the user interface. Everything that would wait for a person goes to the active driver:
// modal dialogs (after OnInitDialog), message boxes, file dialogs and popup menus. Nothing blocks.
//
// Tests install a ui::ScriptedDriver (ScriptedDriver.h); the connsheet command runs with the default
// driver, which cancels modal dialogs, prints message boxes to stderr ("warning: caption: text") and
// takes their default answer, cancels file dialogs and dismisses popup menus.
#include <string>
#include <vector>

#include "platform/mfc/Win32Types.h"

class CDialog;

namespace ui {

struct MessageBoxRequest {
    std::wstring text;
    std::wstring caption;
    UINT type = MB_OK;  // buttons | icon | default button
    HWND owner = nullptr;
};

// The answer Windows gives when the user just presses Return: the default button of the set.
int defaultMessageBoxAnswer(UINT type);

enum class FileDialogKind { Open, Save, OpenMultiple };

struct FileDialogRequest {
    FileDialogKind kind = FileDialogKind::Open;
    std::wstring title;
    std::wstring initialFolder;
    std::wstring fileName;          // initial name
    std::wstring defaultExtension;  // without the dot
    std::wstring filter;            // "Sheets (*.vls)|*.vls|All (*.*)|*.*||"
    DWORD flags = 0;
};

struct FileDialogAnswer {
    bool ok = false;
    std::vector<std::wstring> paths;  // full paths; one unless OpenMultiple
};

struct MenuItem {
    UINT id = 0;
    std::wstring text;
    bool separator = false;
    bool checked = false;
    bool grayed = false;
    std::vector<MenuItem> subItems;
};

struct PopupMenuRequest {
    std::vector<MenuItem> items;
    POINT at{};
    HWND owner = nullptr;
};

class UiDriver {
public:
    virtual ~UiDriver() = default;
    // Runs a modal dialog whose OnInitDialog has run. Must return only once dialog.IsModalEnded().
    virtual void runModal(CDialog& dialog) = 0;
    virtual int messageBox(const MessageBoxRequest& request) = 0;
    virtual FileDialogAnswer fileDialog(const FileDialogRequest& request) = 0;
    // The chosen command id, or 0 when the menu is dismissed. Grayed items and separators cannot be
    // chosen.
    virtual UINT popupMenu(const PopupMenuRequest& request) = 0;
};

// The driver answering now: the innermost installed one, else the default driver.
UiDriver& activeDriver();
// Installed drivers form a stack; ScriptedDriver installs itself for its lifetime.
void pushDriver(UiDriver* driver);
void popDriver(UiDriver* driver);

// The default driver's record of modal dialogs it had to cancel (caption and template id).
std::vector<std::wstring> defaultDriverCancelledDialogs();

}  // namespace ui
