#pragma once
// Internal: the window classes every process has ("Button", "Edit", "Static", "ComboBox", "ListBox",
// "#32770" dialogs, and a plain "Window" for custom CWnd windows).
#include <vector>

#include "platform/mfc/WindowClass.h"

class CDC;

namespace ui {

std::vector<WindowClass> standardWindowClasses();

std::unique_ptr<WindowProcedure> makeButtonProcedure();
std::unique_ptr<WindowProcedure> makeEditProcedure();
std::unique_ptr<WindowProcedure> makeStaticProcedure();
std::unique_ptr<WindowProcedure> makeComboBoxProcedure();
std::unique_ptr<WindowProcedure> makeListBoxProcedure();
std::unique_ptr<WindowProcedure> makeDialogProcedure();
std::unique_ptr<WindowProcedure> makeDroppedListProcedure();

// Paints a combo box's items as its open list shows them, filling `area` of `dc`.
void paintComboList(Window& combo, CDC& dc, const RECT& area);

}  // namespace ui
