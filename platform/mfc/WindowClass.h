#pragma once
// Window classes registered by name. A class says how to make the procedure that gives its windows
// their behaviour, and which CWnd wrapper GetDlgItem hands out for windows created without an object
// (a "Button" gives a CButton, so (CButton*)GetDlgItem(id) is a real CButton).
//
// The standard classes ("Button", "Edit", "Static", "ComboBox", "ListBox", "#32770" for dialogs) are
// registered before first use. Custom controls register theirs once, for example
//     ui::registerWindowClass({L"fpUSpread70", [] { return std::make_unique<GridProcedure>(); },
//                              [] { return std::make_unique<CWnd>(); }});
#include <functional>
#include <memory>
#include <string>

#include "platform/mfc/Window.h"

namespace ui {

struct WindowClass {
    std::wstring name;
    std::function<std::unique_ptr<WindowProcedure>()> makeProcedure;  // null = default handling only
    std::function<std::unique_ptr<CWnd>()> makeWrapper;               // null = plain CWnd
};

// Registers or replaces a class. Names compare case-insensitively, as Win32's do.
void registerWindowClass(WindowClass windowClass);
bool isWindowClassRegistered(const std::wstring& name);
// The class as registered (null when unknown).
const WindowClass* findWindowClass(const std::wstring& name);

}  // namespace ui
