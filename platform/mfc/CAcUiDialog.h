#pragma once
// The host's dialog base class. Its editor-command pair lets a dialog step aside while the user picks
// in the drawing: BeginEditorCommand hides the dialog (and re-enables the host's main window) and
// starts a host editor command; CompleteEditorCommand / CancelEditorCommand end it and show the dialog
// again.
#include "platform/mfc/CDialog.h"

class CAcUiDialog : public CDialog {
public:
    explicit CAcUiDialog(UINT templateId, CWnd* parent = nullptr, HINSTANCE resources = nullptr);

    void BeginEditorCommand();
    void CompleteEditorCommand(BOOL restoreDialog = TRUE);
    void CancelEditorCommand();
    bool inEditorCommand() const { return m_inEditorCommand; }

private:
    bool m_inEditorCommand = false;
};

using CAdUiDialog = CAcUiDialog;
