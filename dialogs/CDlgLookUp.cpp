#include "dialogs/CDlgLookUp.h"

#include "dialogs/RunOnCopy.h"
#include "dialogs/StartDialogs.h"
#include "platform/mfc/CComboBox.h"
#include "platform/mfc/CString.h"
#include "platform/mxbase/StringFunctions.h"
#include "platform/mxbase/UiTexts.h"
#include "platform/mxbase/ui/DialogControls.h"

CDlgLookUp::CDlgLookUp(CWnd* parent) : CAcUiDialog(IDD, parent) {}

BOOL CDlgLookUp::OnInitDialog() {
    CAcUiDialog::OnInitDialog();
    SetWindowText(dialString(1499).c_str());
    SetDlgItemText(IDOK, dialString(1).c_str());
    SetDlgItemText(IDCANCEL, dialString(2).c_str());
    SetDlgItemText(IDC_GROUP, dialString(1500).c_str());
    SetDlgItemText(IDC_TEXT1_LABEL, dialString(87).c_str());
    SetDlgItemText(IDC_TEXT2_LABEL, coreString(2262).c_str());
    SetDlgItemText(IDC_TEXT3_LABEL, coreString(2263).c_str());
    SetDlgItemText(IDC_TEXT4_LABEL, dialString(95).c_str());
    SetDlgItemText(IDC_TEXT5_LABEL, dialString(96).c_str());
    SetDlgItemText(IDC_CHOICE_B_LABEL, dialString(1501).c_str());
    SetDlgItemText(IDC_MODE_TABLE, dialString(1516).c_str());
    SetDlgItemText(IDC_MODE_DRAWING, dialString(1517).c_str());
    SetDlgItemText(IDC_FLAG, dialString(1502).c_str());
    SetDlgItemText(IDC_SHOW_ALL, dialString(1503).c_str());

    struct Text {
        int id;
        const Mx_StringArray& list;
        const Mx_String& text;
    };
    for (const Text& t : {Text{IDC_TEXT1, data.list1, data.text1}, Text{IDC_TEXT2, data.list2, data.text2},
                          Text{IDC_TEXT3, data.list3, data.text3}, Text{IDC_TEXT4, data.list4, data.text4},
                          Text{IDC_TEXT5, data.list5, data.text5}}) {
        FillCombo(this, t.id, t.list);
        SetDlgItemText(t.id, t.text.c_str());
    }
    FillCombo(this, IDC_CHOICE_A, stringArr(dialString(88), dialString(89), dialString(1511)), data.choiceA);
    FillCombo(this, IDC_CHOICE_B, stringArr(dialString(1504), dialString(1505), dialString(1506)),
              data.choiceB);
    CheckRadioButton(IDC_MODE_TABLE, IDC_MODE_DRAWING, data.mode == 0 ? IDC_MODE_TABLE : IDC_MODE_DRAWING);
    CheckDlgButton(IDC_FLAG, data.flag ? BST_CHECKED : BST_UNCHECKED);
    enableFlag();
    return TRUE;
}

void CDlgLookUp::enableFlag() {
    EnDisCtrl(this, IDC_FLAG, IsDlgButtonChecked(IDC_MODE_TABLE) == BST_CHECKED);
}

BOOL CDlgLookUp::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    if (HIWORD(wParam) == BN_CLICKED) {
        if (id == IDC_MODE_TABLE || id == IDC_MODE_DRAWING) {
            CAcUiDialog::OnCommand(wParam, lParam);  // the radio button checks itself first
            enableFlag();
            return TRUE;
        }
        if (id == IDC_SHOW_ALL) {
            collect(kShowAll);
            EndDialog(IDOK);
            return TRUE;
        }
    }
    return CAcUiDialog::OnCommand(wParam, lParam);
}

void CDlgLookUp::collect(Result result) {
    CString text;
    struct Text {
        int id;
        Mx_String& text;
    };
    for (const Text& t :
         {Text{IDC_TEXT1, data.text1}, Text{IDC_TEXT2, data.text2}, Text{IDC_TEXT3, data.text3},
          Text{IDC_TEXT4, data.text4}, Text{IDC_TEXT5, data.text5}}) {
        GetDlgItemText(t.id, text);
        t.text = text.str();
    }
    auto selection = [this](int id) {
        CWnd* combo = GetDlgItem(id);
        return combo ? static_cast<int>(combo->SendMessage(CB_GETCURSEL)) : -1;
    };
    data.choiceA = selection(IDC_CHOICE_A);
    data.choiceB = selection(IDC_CHOICE_B);
    data.mode = IsDlgButtonChecked(IDC_MODE_TABLE) == BST_CHECKED ? 0 : 1;
    data.flag = IsDlgButtonChecked(IDC_FLAG) == BST_CHECKED;
    data.result = result;
}

void CDlgLookUp::OnOK() {
    collect(kOk);
    CAcUiDialog::OnOK();
}

bool StartDlgLookUp(VlLookUpDlgData& data) {
    return runOnCopy<CDlgLookUp>(data);
}
