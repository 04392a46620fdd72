#pragma once
// CDlgDesigner (dialog 227): where an author composes a dialog template - picks its bitmap, adds
// controls, drags and resizes them with the mouse, sets each one's type, text and list, and saves.
//
// The bitmap and the controls sit at the dialog's client origin; the tool buttons and the property
// panel stand on the right. A click marks the template changed; leaving with OK or the close box (or
// opening another template) asks whether to save it first. Escape does not close the designer.
#include "designer/Mx_DlgDesignerData.h"
#include "platform/mfc/ButtonST.h"
#include "platform/mfc/CAcUiDialog.h"
#include "platform/mxbase/ui/CResizer.h"

class CDlgDesigner : public CAcUiDialog {
public:
    enum : UINT { IDD = 227 };
    enum : int {
        IDC_OPEN = 1299,
        IDC_SAVE_AS = 1302,
        IDC_ADD = 1300,
        IDC_REMOVE = 1301,
        IDC_BITMAP = 1303,
        IDC_WIDTH = 1306,
        IDC_HEIGHT = 1307,
        IDC_COPY = 1199,
        IDC_ALIGN_BOTTOMS = 1200,
        IDC_ATTACH_RIGHT = 1201,
        IDC_TYPE = 1005,
        IDC_CONTENTS = 1304,
        IDC_LIST = 1305,
        IDC_TYPE_LABEL = 1015,
        IDC_CONTENTS_LABEL = 1016,
        IDC_LIST_LABEL = 1017,
    };
    static constexpr int kFirstControlId = 33000;
    static constexpr int kLastControlId = 33099;

    // `path`: the template to open (a full path below the designer's root folder); empty for a new one.
    explicit CDlgDesigner(const Mx_String& path, CWnd* parent = nullptr);

    const Mx_DlgDesignerData& data() const { return m_data; }
    Mx_DlgDesignerData& data() { return m_data; }
    bool isModified() const { return m_modified; }

    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnClose() override;
    void OnDestroy() override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnGetMinMaxInfo(MINMAXINFO* info) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    BOOL OnSetCursor(CWnd* window, UINT hitTest, UINT message) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;

private:
    // The save question when the template changed; false when the user cancels the action.
    bool askToSave();
    // Save as: false when the user cancels or the path cannot hold the template.
    bool saveAs();
    bool saveTo(const Mx_String& path);
    void openTemplate();
    void chooseBitmap();
    void updateTitle();
    Mx_String currentPath() const;

    Mx_String m_path;
    Mx_DlgDesignerData m_data;
    CButtonST m_buttons[8];
    CResizer m_resizer;
    bool m_modified = false;
    int m_minWidth = 0;
    int m_minHeight = 0;
};

// Runs the designer on a template (empty: a new one) with the module's resources current. True when it
// ends with OK.
bool StartDlgDesigner(const Mx_String& path);
