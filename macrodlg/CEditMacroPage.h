#pragma once
// What the macro editor's pages share: each is a child dialog inside the editor's tab control, shows
// the lists of the module the editor has selected (EditConstrData::moduleName) and hands every change
// to the core library at once. The constraints and geometry pages also decide what Escape does.
#include "platform/mfc/CDialog.h"
#include "platform/mxbase/EditConstrData.h"

class CDlgEditMacro;

class CEditMacroPage : public CDialog {
public:
    CEditMacroPage(UINT templateId, CDlgEditMacro& editor);

    // Creates the page as a child of `parent`; its control id is its template's.
    bool createPage(CWnd* parent);
    // Fills the page again from the drawing, for the editor's module.
    virtual void reload() = 0;
    // The editor leaves the page (another page, another module, or the editor closes).
    virtual void leave() {}

protected:
    // Pages whose grids start the recent-selection window answer whether Escape keeps its default
    // handling now; the others leave Escape to the editor (which closes).
    virtual bool handlesEscape() const { return false; }
    virtual bool escapeKeepsDefault() { return false; }

    BOOL PreTranslateMessage(MSG* msg) override;
    void OnOK() override {}
    void OnCancel() override {}

    EditConstrData& data();
    const Mx_String& moduleName();

    CDlgEditMacro& editor_;

private:
    UINT templateId_;
};
