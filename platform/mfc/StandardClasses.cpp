#include "platform/mfc/StandardClasses.h"

#include "platform/mfc/CButton.h"
#include "platform/mfc/CComboBox.h"
#include "platform/mfc/CDialog.h"
#include "platform/mfc/CEdit.h"
#include "platform/mfc/CListBox.h"
#include "platform/mfc/CStatic.h"
#include "platform/mfc/ControlPainting.h"

namespace ui {

std::vector<WindowClass> standardWindowClasses() {
    std::vector<WindowClass> all;
    all.push_back({WC_BUTTON, makeButtonProcedure, [] { return std::make_unique<CButton>(); }});
    all.push_back({WC_EDIT, makeEditProcedure, [] { return std::make_unique<CEdit>(); }});
    all.push_back({WC_STATIC, makeStaticProcedure, [] { return std::make_unique<CStatic>(); }});
    all.push_back({WC_COMBOBOX, makeComboBoxProcedure, [] { return std::make_unique<CComboBox>(); }});
    all.push_back({WC_LISTBOX, makeListBoxProcedure, [] { return std::make_unique<CListBox>(); }});
    all.push_back({WC_DIALOG, makeDialogProcedure, [] { return std::make_unique<CWnd>(); }});
    all.push_back({kDroppedListClass, makeDroppedListProcedure, nullptr});
    all.push_back({L"Window", nullptr, nullptr});
    return all;
}

}  // namespace ui
