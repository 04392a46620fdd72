#include "sectionlib/CTabEditLibTypes.h"

#include "platform/mfc/CComboBox.h"
#include "platform/mfc/CString.h"
#include "platform/mxbase/MacroLangs.h"
#include "platform/mxbase/UiTexts.h"
#include "platform/mxbase/ui/DialogControls.h"

int CTabEditLibTypes::appendNew() {
    return data_.types.appendNewType(dialString(764));
}

void CTabEditLibTypes::storeMore(int index) {
    auto* groups = static_cast<CComboBox*>(GetDlgItem(IDC_GROUP));
    const int chosen = groups ? groups->GetCurSel() : -1;
    data_.types[index].groupId = chosen >= 0 && chosen < data_.groups.length() ? data_.groups[chosen].id : -1;
    CString text;
    GetDlgItemText(IDC_DIMENSIONS, text);
    data_.types[index].dimensions = Mx_String(static_cast<LPCTSTR>(text));
}

void CTabEditLibTypes::showMore(int index) {
    int language = -1;
    if (!MacroLangs::GetAllLanguages().find(MacroLangs::GetCurLanguage(), language))
        language = 0;
    // The groups may have changed on their page since the list was last filled.
    const int group = index >= 0 ? data_.groups.indexOfId(data_.types[index].groupId) : -1;
    FillCombo(this, IDC_GROUP, data_.groups.namesOfAllGroups(language), group);
    SetDlgItemText(IDC_DIMENSIONS, index >= 0 ? data_.types[index].dimensions.c_str() : L"");
}

void CTabEditLibTypes::enableMore(bool enable) {
    EnDisCtrl(this, IDC_GROUP, enable);
    EnDisCtrl(this, IDC_DIMENSIONS, enable);
}
