#pragma once
// Internal: the window classes every process has ("Button", "Edit", "Static", "ComboBox", "ListBox",
// "#32770" dialogs, and a plain "Window" for custom CWnd windows).
#include <vector>

#include "platform/mfc/WindowClass.h"

namespace ui {

std::vector<WindowClass> standardWindowClasses();

std::unique_ptr<WindowProcedure> makeButtonProcedure();
std::unique_ptr<WindowProcedure> makeEditProcedure();
std::unique_ptr<WindowProcedure> makeStaticProcedure();
std::unique_ptr<WindowProcedure> makeComboBoxProcedure();
std::unique_ptr<WindowProcedure> makeListBoxProcedure();
std::unique_ptr<WindowProcedure> makeDialogProcedure();

}  // namespace ui
