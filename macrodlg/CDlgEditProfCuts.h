#pragma once
// CDlgEditProfCuts: the cuts on one profile of the drawing (template 235). The selected cut is drawn as
// a preview in the drawing while previews are on; the remove button removes the selected cut from the
// drawing at once, and "Other profile" lets the user pick another profile. Nothing is copied back but
// the preview switch (see `preview`).
#include "platform/mfc/ButtonST.h"
#include "platform/mfc/CAcUiDialog.h"
#include "platform/mfc/CComboBox.h"
#include "platform/mxbase/MacroCutsData.h"

class CDlgEditProfCuts : public CAcUiDialog {
public:
    enum : UINT { IDD = 235 };
    enum : int {
        IDC_CUTS = 1339,
        IDC_NO_PREVIEW = 1340,
        IDC_REMOVE = 1087,
        IDC_OTHER_PROFILE = 1341,
    };

    explicit CDlgEditProfCuts(CWnd* parent = nullptr);

    DlgProfCutsData data;
    bool preview = true;  // the selected cut is drawn as a preview

    int previewIndex() const { return m_previewIndex; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;

private:
    void fillList();
    // Selects the cut (clamped into the list) and previews it when previews are on; with an empty list
    // nothing is selected and nothing is previewed.
    void select(int index);
    void removePreview();
    void removeSelectedCut();
    void selectOtherProfile();
    void switchPreview(bool on);

    CComboBox m_cuts;
    CButtonST m_remove;
    CButtonST m_otherProfile;
    int m_previewIndex = -1;
};
