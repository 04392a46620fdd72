#pragma once
// MFC's CDialog over the window model. A dialog is built from a template found by number along the
// resource chain (Resources.h), or from a template given directly. DoModal hands the dialog to the
// active UI driver (ui::UiDriver) after OnInitDialog; the driver returns when EndDialog was called.
//
// Keys are handled as IsDialogMessage does: Escape sends IDCANCEL, Return sends the focused push
// button's id or else the default button's (IDOK when none is marked), Tab and Shift+Tab move the
// focus among WS_TABSTOP controls. WM_CLOSE sends IDCANCEL. IDOK and IDCANCEL call OnOK and OnCancel.
#include "platform/mfc/CWnd.h"

namespace ui {
struct DialogTemplate;
}

class CDialog : public CWnd {
public:
    CDialog();
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    // Runs the dialog modally: IDOK, IDCANCEL or the value given to EndDialog; -1 when the template is
    // missing or the window could not be created.
    virtual INT_PTR DoModal();
    // Creates the dialog modeless (it shows itself when its template has WS_VISIBLE, else call
    // ShowWindow). False when the template is missing.
    virtual BOOL Create(UINT templateId, CWnd* parent = nullptr);
    using CWnd::Create;  // the window-class form stays callable beside this one
    BOOL CreateIndirect(const ui::DialogTemplate& dialogTemplate, CWnd* parent = nullptr);
    // Modal: ends the modal loop with the result. Modeless: hides the dialog (it stays alive until
    // DestroyWindow), as Win32 does.
    void EndDialog(int result);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    void SetDefID(UINT id);
    DWORD GetDefID() const;
    void GotoDlgCtrl(CWnd* control);
    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    // Dialog units to pixels with the fixed base units (see ui::dialogUnitsToPixels).
    void MapDialogRect(LPRECT rect) const;

    bool IsModal() const { return m_modal; }
    // True once EndDialog ran in the current modal loop, or the window is gone.
    bool IsModalEnded() const;
    int GetModalResult() const { return m_result; }
    UINT GetTemplateId() const { return m_templateId; }

    CWnd* m_pParentWnd = nullptr;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    // Builds the window from a template. Shared by DoModal and Create.
    BOOL createFromTemplate(const ui::DialogTemplate& dialogTemplate, CWnd* parent, bool modal);

    UINT m_templateId = 0;

    // The owner a modal dialog disabled (re-enabled when it ends).
    HWND m_disabledOwner = nullptr;

private:
    bool m_modal = false;
    bool m_ended = false;
    int m_result = 0;
    UINT m_defaultId = IDOK;
    bool m_defaultIdSet = false;
};
