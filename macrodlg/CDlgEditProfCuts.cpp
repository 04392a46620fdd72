#include "macrodlg/CDlgEditProfCuts.h"

#include <algorithm>

#include "platform/arx/CommandLine.h"
#include "platform/mxbase/UiTexts.h"

namespace {

constexpr COLORREF kPictureBackground = RGB(255, 0, 255);
constexpr int kRemoveBitmap = 206;
constexpr int kSelectBitmap = 217;

}  // namespace

CDlgEditProfCuts::CDlgEditProfCuts(CWnd* parent) : CAcUiDialog(IDD, parent) {}

BOOL CDlgEditProfCuts::OnInitDialog() {
    CAcUiDialog::OnInitDialog();
    SetWindowText(dialString(1123).c_str());
    SetDlgItemText(IDOK, dialString(285).c_str());
    SetDlgItemText(IDC_NO_PREVIEW, dialString(1125).c_str());
    m_cuts.SubclassDlgItem(IDC_CUTS, this);
    if (m_remove.SubclassDlgItem(IDC_REMOVE, this)) {
        m_remove.SetBitmaps(kRemoveBitmap, kPictureBackground);
        m_remove.SetTooltipText(dialString(1122).c_str());
    }
    if (m_otherProfile.SubclassDlgItem(IDC_OTHER_PROFILE, this)) {
        m_otherProfile.SetWindowText(dialString(1124).c_str());
        m_otherProfile.SetFlat(FALSE);  // a button with a caption looks like one
        m_otherProfile.SetBitmaps(kSelectBitmap, kPictureBackground);
        m_otherProfile.SetTooltipText(dialString(1121).c_str());
    }
    CheckDlgButton(IDC_NO_PREVIEW, preview ? BST_UNCHECKED : BST_CHECKED);
    fillList();
    select(0);
    return TRUE;
}

void CDlgEditProfCuts::fillList() {
    m_cuts.ResetContent();
    Mx_StringArray descs;
    data.getCutDescs(descs);
    for (int i = 0; i < descs.length(); ++i)
        m_cuts.AddString(descs[i].c_str());
}

void CDlgEditProfCuts::select(int index) {
    const int count = m_cuts.GetCount();
    if (count <= 0) {
        m_cuts.SetCurSel(-1);
        m_previewIndex = -1;
        return;
    }
    index = std::clamp(index, 0, count - 1);
    m_cuts.SetCurSel(index);
    if (preview && data.drawCutPreview(index))
        m_previewIndex = index;
}

void CDlgEditProfCuts::removePreview() {
    if (m_previewIndex >= 0)
        data.removeCutPreview(m_previewIndex);
    m_previewIndex = -1;
}

void CDlgEditProfCuts::removeSelectedCut() {
    const int index = m_cuts.GetCurSel();
    if (index < 0)
        return;
    if (preview)
        removePreview();
    data.removeCut(index);
    fillList();
    select(index);
}

void CDlgEditProfCuts::selectOtherProfile() {
    if (preview) {
        data.removeAllCutPreviews();
        m_previewIndex = -1;
    }
    acedPostCommand(L"CANCELCMD");
    BeginEditorCommand();
    if (data.selectOtherProf()) {
        fillList();
        select(0);
    } else if (preview) {
        // The profile stays: its selected cut is shown again.
        select(m_cuts.GetCurSel());
    }
    CompleteEditorCommand();
}

void CDlgEditProfCuts::switchPreview(bool on) {
    if (on == preview)
        return;
    if (!on) {
        // A preview left in the drawing once previews are off would never be taken away again.
        data.removeAllCutPreviews();
        m_previewIndex = -1;
        preview = false;
        return;
    }
    preview = true;
    const int index = m_cuts.GetCurSel();
    if (index >= 0)
        select(index);
}

BOOL CDlgEditProfCuts::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (id == IDC_CUTS && code == CBN_SELCHANGE) {
        const int index = m_cuts.GetCurSel();
        if (preview)
            removePreview();
        select(index);
        return TRUE;
    }
    if (code == BN_CLICKED) {
        switch (id) {
            case IDC_NO_PREVIEW:
                switchPreview(IsDlgButtonChecked(IDC_NO_PREVIEW) != BST_CHECKED);
                return TRUE;
            case IDC_REMOVE:
                removeSelectedCut();
                return TRUE;
            case IDC_OTHER_PROFILE:
                selectOtherProfile();
                return TRUE;
            default:
                break;
        }
    }
    return CAcUiDialog::OnCommand(wParam, lParam);
}

void CDlgEditProfCuts::OnDestroy() {
    if (preview)
        data.removeAllCutPreviews();
    CAcUiDialog::OnDestroy();
}
