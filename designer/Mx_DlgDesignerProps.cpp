// The designer window's property panel: the type list, the contents field and the list field show the
// one selected control, and edits in them go straight back into it.
#include "designer/CControlRect.h"
#include "designer/CControlTracker.h"
#include "designer/Mx_DlgDesignerData.h"
#include "platform/mfc/CComboBox.h"
#include "platform/mfc/CString.h"
#include "platform/mfc/CWnd.h"

void Mx_DlgDesignerData::updatePropsOfCurSel() {
    if (!tracker || !designMode)
        return;
    updatingProps = true;
    updateProps(getCurSel());
    const int single = tracker->getSingleSelectedId();
    if (single > 0)
        tracker->selectById(single, true);
    updatingProps = false;
}

void Mx_DlgDesignerData::updateProps(int index) {
    CWnd* dialog = getDlgPtr();
    if (!designMode || !dialog)
        return;
    auto* typeCombo = dynamic_cast<CComboBox*>(dialog->GetDlgItem(typeComboId));
    CWnd* contentsLabel = dialog->GetDlgItem(contentsLabelId);
    CWnd* contentsEdit = dialog->GetDlgItem(contentsEditId);
    CWnd* listLabel = dialog->GetDlgItem(listLabelId);
    CWnd* listEdit = dialog->GetDlgItem(listEditId);
    if (!typeCombo || !contentsEdit || !listEdit)
        return;
    auto show = [](CWnd* window, const Mx_String& text, bool enable) {
        if (!window)
            return;
        window->SetWindowText(text.c_str());
        window->EnableWindow(enable ? TRUE : FALSE);
    };
    const Mx_DesignerControl* control = controls.at(index);
    if (!control) {
        typeCombo->SetCurSel(-1);
        typeCombo->EnableWindow(FALSE);
        show(contentsLabel, Mx_String(), false);
        show(contentsEdit, Mx_String(), false);
        show(listLabel, Mx_String(), false);
        show(listEdit, Mx_String(), false);
        return;
    }
    typeCombo->SetCurSel(control->type);
    typeCombo->EnableWindow(TRUE);
    show(contentsLabel, designer::contentsCaption(control->type), true);
    show(contentsEdit, control->contents, true);
    if (designer::usesListField(control->type)) {
        show(listLabel, designer::listHint(control->type), true);
        show(listEdit, control->getMergedExtComboList(), true);
    } else {
        show(listLabel, Mx_String(), false);
        show(listEdit, Mx_String(), false);
    }
}

void Mx_DlgDesignerData::readProps(int index) {
    CWnd* dialog = getDlgPtr();
    Mx_DesignerControl* control = controls.at(index);
    if (!designMode || !dialog || !control)
        return;
    auto* typeCombo = dynamic_cast<CComboBox*>(dialog->GetDlgItem(typeComboId));
    CString text;
    if (typeCombo && typeCombo->GetCurSel() >= 0)
        control->type = static_cast<Mx_ControlType>(typeCombo->GetCurSel());
    dialog->GetDlgItemText(contentsEditId, text);
    control->contents = static_cast<LPCTSTR>(text);
    dialog->GetDlgItemText(listEditId, text);
    control->setSplitExtComboList(Mx_String(static_cast<LPCTSTR>(text)));
}

void Mx_DlgDesignerData::propsOfCurSelUpdated() {
    if (!tracker || !designMode || updatingProps)
        return;
    const int index = getCurSel();
    if (index < 0)
        return;
    const Mx_DesignerControl before = controls[index];
    readProps(index);
    const Mx_DesignerControl& after = controls[index];
    if (!after.contents.equal(before.contents)) {
        int drawnIndex = -1;
        CControlRect* rect = nullptr;
        if (findDrawnCtrlFromResource(after.resId, drawnIndex, rect)) {
            rect->window()->SetWindowText(after.contents.c_str());
            rect->window()->Invalidate();
        }
    }
    if (after.type != before.type) {
        const int resId = after.resId;
        getSizeFromAllControls();
        redrawAllControls();
        tracker->selectById(resId, true);
    }
}
