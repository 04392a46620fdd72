#include "platform/mfc/CAcUiDialog.h"

#include "platform/arx/CommandLine.h"
#include "platform/mfc/Win32Api.h"

CAcUiDialog::CAcUiDialog(UINT templateId, CWnd* parent, HINSTANCE) : CDialog(templateId, parent) {}

void CAcUiDialog::BeginEditorCommand() {
    if (m_inEditorCommand) return;
    m_inEditorCommand = true;
    host::beginEditorCommand();
    ShowWindow(SW_HIDE);
    // The user works in the drawing now: the host window takes input again.
    if (m_disabledOwner) ::EnableWindow(m_disabledOwner, TRUE);
}

void CAcUiDialog::CompleteEditorCommand(BOOL restoreDialog) {
    if (!m_inEditorCommand) return;
    m_inEditorCommand = false;
    host::completeEditorCommand(restoreDialog != FALSE);
    if (!restoreDialog) return;
    if (m_disabledOwner) ::EnableWindow(m_disabledOwner, FALSE);
    ShowWindow(SW_SHOW);
    SetActiveWindow();
}

void CAcUiDialog::CancelEditorCommand() {
    if (!m_inEditorCommand) return;
    m_inEditorCommand = false;
    host::cancelEditorCommand();
    if (m_disabledOwner) ::EnableWindow(m_disabledOwner, FALSE);
    ShowWindow(SW_SHOW);
    SetActiveWindow();
}
