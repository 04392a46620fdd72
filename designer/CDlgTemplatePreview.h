#pragma once
// CDlgTemplatePreview: a modeless window that shows a template as a product dialog shows it (design mode
// off): the bitmap on the button face, the controls live over it, sized to the bitmap. The command line
// draws templates with it; tests read their values through it.
#include "designer/Mx_DlgDesignerData.h"
#include "platform/mfc/CDialog.h"

class CDlgTemplatePreview : public CDialog {
public:
    CDlgTemplatePreview() = default;
    ~CDlgTemplatePreview() override;

    // Creates the window and loads the template at `path` with its bitmap. False when the template
    // cannot be read (the window is then not created).
    bool open(const Mx_String& path);

    Mx_DlgDesignerData& data() { return m_data; }
    const Mx_DlgDesignerData& data() const { return m_data; }

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    BOOL OnEraseBkgnd(CDC* dc) override;

private:
    Mx_DlgDesignerData m_data;
};
