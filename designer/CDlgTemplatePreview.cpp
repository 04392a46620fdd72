#include "designer/CDlgTemplatePreview.h"

#include "platform/mfc/Dc.h"
#include "platform/mfc/GdiColors.h"
#include "platform/mfc/Resources.h"
#include "platform/mfc/Window.h"

namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr int kMinimumSide = 40;  // a template without a bitmap still gets a window to show its controls

}  // namespace

CDlgTemplatePreview::~CDlgTemplatePreview() {
    if (GetSafeHwnd())
        DestroyWindow();
}

bool CDlgTemplatePreview::open(const Mx_String& path) {
    Mx_DlgDesignerData probe;
    if (!probe.readFromFile(path, false))
        return false;
    ui::DialogTemplate dialogTemplate;
    dialogTemplate.caption = probe.getName().str();
    dialogTemplate.style = kStyle;
    dialogTemplate.cx = 100;
    dialogTemplate.cy = 100;
    if (!CreateIndirect(dialogTemplate, nullptr))
        return false;
    m_data.initialize(this, 33000, 33099, 0, 0, 0, 0, 0, false);
    m_data.readFromFile(path, true);
    int width = 0, height = 0;
    m_data.getImageSize(width, height);
    // The client area is the bitmap's size.
    const RECT insets = ui::frameInsets(kStyle, 0);
    MoveWindow(0, 0, std::max(width, kMinimumSide) + insets.left + insets.right,
               std::max(height, kMinimumSide) + insets.top + insets.bottom, TRUE);
    m_data.redrawAllControls();
    return true;
}

BOOL CDlgTemplatePreview::PreTranslateMessage(MSG* msg) {
    // The template's own keyboard order, as a product dialog hands the Tab key to it.
    if (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_TAB) {
        Mx_TabMsgHandle result = kTabNotHandled;
        if (m_data.handleTabKey(VK_TAB, result)) {
            if (result == kTabLeaveForward)
                m_data.setFocusToCtrl(true);
            if (result == kTabLeaveBackward)
                m_data.setFocusToCtrl(false);
            return TRUE;
        }
    }
    return CDialog::PreTranslateMessage(msg);
}

BOOL CDlgTemplatePreview::OnEraseBkgnd(CDC* dc) {
    if (dc) {
        CRect client;
        GetClientRect(&client);
        dc->FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
    }
    m_data.OnEraseBkgnd(dc);
    return TRUE;
}
