#pragma once
// Mx_DlgPromptString: the one-line prompt (dialog 8069). The caller sets the texts, runs it modally and
// reads the value and whether it was accepted:
//
//     Mx_DlgPromptString prompt(parent);
//     prompt.setTitle(L"Name"); prompt.setPrompt(L"New name:"); prompt.setValue(current);
//     if (prompt.DoModal() == IDOK && prompt.accepted()) use(prompt.value());
//
// With the edit shown, OK is refused while the edit is empty. Cancel leaves the value as it was set.
#include "platform/mfc/CAcUiDialog.h"
#include "platform/mxbase/Mx_String.h"

class Mx_DlgPromptString : public CAcUiDialog {
public:
    enum : UINT { IDD = 8069 };
    enum : int { IDC_PROMPT = 8600, IDC_VALUE = 8003 };

    explicit Mx_DlgPromptString(CWnd* parent = nullptr);

    void setTitle(const Mx_String& title) { title_ = title; }
    void setPrompt(const Mx_String& prompt) { prompt_ = prompt; }
    void setValue(const Mx_String& value) { value_ = value; }
    // An empty caption keeps the template's ("OK", "Cancel").
    void setOkCaption(const Mx_String& caption) { okCaption_ = caption; }
    void setCancelCaption(const Mx_String& caption) { cancelCaption_ = caption; }
    // Without the edit the dialog is a plain question; OK then keeps the value.
    void setShowEdit(bool show) { showEdit_ = show; }

    const Mx_String& title() const { return title_; }
    const Mx_String& prompt() const { return prompt_; }
    const Mx_String& value() const { return value_; }
    bool showEdit() const { return showEdit_; }
    bool accepted() const { return accepted_; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    bool showEdit_ = true;
    bool accepted_ = false;
    Mx_String title_;
    Mx_String prompt_;
    Mx_String value_;
    Mx_String okCaption_;
    Mx_String cancelCaption_;
};

// The header prompt of the spreadsheet window's insertRow / insertCol: asks for the header text of a
// new row (isRow) or column, starting from the texts' "New" (text 171). Returns the text the prompt
// ends with, so a cancelled prompt gives the initial text. The module's resources are made current for
// the prompt, as the grid may belong to a modeless window outside any entry point.
// Matches Mx_Spread::HeaderPrompt.
Mx_String promptGridHeader(CWnd* owner, bool isRow);
