#include "designer/CDlgDesigner.h"

#include "module/ModuleResources.h"
#include "platform/mfc/CFileDialog.h"
#include "platform/mfc/CString.h"
#include "platform/mfc/Dc.h"
#include "platform/mfc/VlTempResourceOverride.h"
#include "platform/mxbase/ObjectExportFiles.h"
#include "platform/mxbase/UiTexts.h"
#include "platform/mxbase/ui/DialogSize.h"

namespace {

constexpr const wchar_t* kSizeKey = L"DLG_DLGDESIGNER";

struct IconButton {
    int id;
    int icon;
    int tooltip;  // dialog text; 0 for none
};
constexpr IconButton kIconButtons[8] = {
    {CDlgDesigner::IDC_OPEN, 232, 841},   {CDlgDesigner::IDC_SAVE_AS, 233, 842},
    {CDlgDesigner::IDC_ADD, 212, 606},    {CDlgDesigner::IDC_REMOVE, 206, 607},
    {CDlgDesigner::IDC_BITMAP, 231, 839}, {CDlgDesigner::IDC_WIDTH, 235, 90},
    {CDlgDesigner::IDC_HEIGHT, 236, 744}, {CDlgDesigner::IDC_COPY, 223, 0},
};

const CResizer::Rule kResizeRules[] = {
    {CDlgDesigner::IDC_OPEN, CResizer::TopRight},
    {CDlgDesigner::IDC_SAVE_AS, CResizer::TopRight},
    {CDlgDesigner::IDC_ADD, CResizer::TopRight},
    {CDlgDesigner::IDC_REMOVE, CResizer::TopRight},
    {CDlgDesigner::IDC_BITMAP, CResizer::TopRight},
    {CDlgDesigner::IDC_WIDTH, CResizer::TopRight},
    {CDlgDesigner::IDC_HEIGHT, CResizer::TopRight},
    {CDlgDesigner::IDC_COPY, CResizer::TopRight},
    {CDlgDesigner::IDC_ALIGN_BOTTOMS, CResizer::TopRight},
    {CDlgDesigner::IDC_ATTACH_RIGHT, CResizer::TopRight},
    {CDlgDesigner::IDC_TYPE, CResizer::TopRight},
    {CDlgDesigner::IDC_CONTENTS, CResizer::TopRight},
    {CDlgDesigner::IDC_LIST, CResizer::TopRight},
    {CDlgDesigner::IDC_TYPE_LABEL, CResizer::TopRight},
    {CDlgDesigner::IDC_CONTENTS_LABEL, CResizer::TopRight},
    {CDlgDesigner::IDC_LIST_LABEL, CResizer::TopRight},
    {IDOK, CResizer::BottomRight},
    {IDCANCEL, CResizer::BottomRight},
};

Mx_String filter(int text, const wchar_t* pattern) {
    Mx_String result = dialString(text);
    result += L" (";
    result += pattern;
    result += L")|";
    result += pattern;
    result += L"||";
    return result;
}

Mx_String folderOf(const Mx_String& path) {
    const int separator = std::max(path.findLastFrom(L'\\'), path.findLastFrom(L'/'));
    return separator < 0 ? Mx_String() : path.getSubStringAt(0, separator);
}

}  // namespace

CDlgDesigner::CDlgDesigner(const Mx_String& path, CWnd* parent) : CAcUiDialog(IDD, parent), m_path(path) {}

BOOL CDlgDesigner::OnInitDialog() {
    CAcUiDialog::OnInitDialog();
    m_data.initialize(this, kFirstControlId, kLastControlId, IDC_TYPE, IDC_CONTENTS_LABEL, IDC_CONTENTS,
                      IDC_LIST_LABEL, IDC_LIST, true);
    for (int i = 0; i < 8; ++i) {
        CButtonST& button = m_buttons[i];
        if (!button.SubclassDlgItem(static_cast<UINT>(kIconButtons[i].id), this))
            continue;
        button.SetIcon(kIconButtons[i].icon);
        if (kIconButtons[i].tooltip)
            button.SetTooltipText(dialString(kIconButtons[i].tooltip).c_str());
    }
    SetDlgItemText(IDC_TYPE_LABEL, dialString(836).c_str());
    SetDlgItemText(IDOK, dialString(285).c_str());
    updateTitle();

    getDlgSize(this, m_minWidth, m_minHeight);
    m_resizer.Init(this, kResizeRules);
    ChangeDlgSize(this, kSizeKey);

    m_modified = false;
    if (!m_path.isEmpty() && ObjectExportFileExists(m_path) && m_data.readFromFile(m_path, true)) {
        m_data.redrawAllControls();
        Invalidate();
        m_modified = false;
        updateTitle();
    }
    return TRUE;
}

void CDlgDesigner::updateTitle() {
    Mx_String title = dialString(843);
    if (!m_data.getName().isEmpty()) {
        title += L" - <";
        title += m_data.getName();
        title += L">";
    }
    SetWindowText(title.c_str());
}

Mx_String CDlgDesigner::currentPath() const {
    Mx_String path = getDesignerRootFolder();
    path += m_data.getName();
    path += L".txt";
    return path;
}

BOOL CDlgDesigner::PreTranslateMessage(MSG* msg) {
    // An author drags with the mouse and types in the panel; Escape closing the window by accident would
    // throw the work away.
    if (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE)
        return TRUE;
    return CAcUiDialog::PreTranslateMessage(msg);
}

bool CDlgDesigner::askToSave() {
    if (!m_modified)
        return true;
    Mx_String text = dialString(838);
    text += L"\n<";
    text += m_data.getName();
    text += L">";
    const int answer = MessageBox(text.c_str(), dialString(837).c_str(), MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDCANCEL)
        return false;
    if (answer == IDNO)
        return true;
    // A template without a name has nowhere to go yet: Yes asks for one.
    if (m_data.getName().isEmpty())
        return saveAs();
    return saveTo(currentPath());
}

bool CDlgDesigner::saveTo(const Mx_String& path) {
    if (!m_data.writeToFile(path)) {
        Mx_String text = L"The dialog template could not be saved as\n";
        text += path;
        text += L"\nTemplates are kept below\n";
        text += getDesignerRootFolder();
        MessageBox(text.c_str(), dialString(842).c_str(), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    m_modified = false;
    updateTitle();
    return true;
}

bool CDlgDesigner::saveAs() {
    const Mx_String filterText = filter(840, L"*.txt");
    CFileDialog dialog(FALSE, L"txt", m_data.getName().isEmpty() ? nullptr : currentPath().c_str(),
                       OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filterText.c_str(), this);
    const Mx_String title = dialString(842);
    const Mx_String folder = m_data.getName().isEmpty() ? getDesignerRootFolder() : folderOf(currentPath());
    dialog.m_ofn.lpstrTitle = title.c_str();
    dialog.m_ofn.lpstrInitialDir = folder.c_str();
    if (dialog.DoModal() != IDOK)
        return false;
    return saveTo(Mx_String(static_cast<LPCTSTR>(dialog.GetPathName())));
}

void CDlgDesigner::openTemplate() {
    if (!askToSave())
        return;
    const Mx_String filterText = filter(840, L"*.txt");
    CFileDialog dialog(TRUE, L"txt", nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, filterText.c_str(), this);
    const Mx_String title = dialString(841);
    const Mx_String folder = m_data.getName().isEmpty() ? getDesignerRootFolder() : folderOf(currentPath());
    dialog.m_ofn.lpstrTitle = title.c_str();
    dialog.m_ofn.lpstrInitialDir = folder.c_str();
    if (dialog.DoModal() != IDOK)
        return;
    m_data.removeAllDrawnCtrls();
    m_data.readFromFile(Mx_String(static_cast<LPCTSTR>(dialog.GetPathName())), true);
    m_data.redrawAllControls();
    m_data.updatePropsOfCurSel();
    Invalidate();
    m_modified = false;
    updateTitle();
}

void CDlgDesigner::chooseBitmap() {
    if (m_data.getName().isEmpty() && (!saveAs() || m_data.getName().isEmpty()))
        return;
    const Mx_String filterText = filter(839, L"*.bmp");
    CFileDialog dialog(TRUE, L"bmp", nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, filterText.c_str(), this);
    const Mx_String root = getDesignerRootFolder();
    dialog.m_ofn.lpstrInitialDir = root.c_str();
    if (dialog.DoModal() != IDOK)
        return;
    const Mx_String chosen(static_cast<LPCTSTR>(dialog.GetPathName()));
    Mx_String target = root;
    target += m_data.getName();
    target += L".bmp";
    if (!chosen.equal(target, false))
        ObjectExportCopyFile(chosen, target, true);
    m_data.attachBitmap(target);
    m_data.redrawAllControls();
    Invalidate();
    m_modified = true;
}

BOOL CDlgDesigner::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    switch (id) {
        case IDC_TYPE:
            if (code == CBN_SELCHANGE) {
                m_data.propsOfCurSelUpdated();
                m_data.updatePropsOfCurSel();
                Invalidate();
            }
            return TRUE;
        case IDC_CONTENTS:
        case IDC_LIST:
            if (code == EN_CHANGE)
                m_data.propsOfCurSelUpdated();
            return TRUE;
        default:
            break;
    }
    if (code != BN_CLICKED)
        return CAcUiDialog::OnCommand(wParam, lParam);
    switch (id) {
        case IDC_OPEN:
            openTemplate();
            return TRUE;
        case IDC_SAVE_AS:
            saveAs();
            return TRUE;
        case IDC_ADD:
            if (m_data.addNewControl(kCtrlEdit))
                m_modified = true;
            Invalidate();
            return TRUE;
        case IDC_REMOVE:
            m_data.removeCurControls();
            m_data.updatePropsOfCurSel();
            Invalidate();
            m_modified = true;
            return TRUE;
        case IDC_BITMAP:
            chooseBitmap();
            return TRUE;
        case IDC_WIDTH:
            m_data.changeCtrlSize(true);
            break;
        case IDC_HEIGHT:
            m_data.changeCtrlSize(false);
            break;
        case IDC_COPY:
            m_data.copyCurCtrls();
            break;
        case IDC_ALIGN_BOTTOMS:
            m_data.outlineCurCtrls();
            break;
        case IDC_ATTACH_RIGHT:
            m_data.stickRightCurCtrls();
            break;
        default:
            return CAcUiDialog::OnCommand(wParam, lParam);
    }
    // The layout commands change positions the save must keep.
    m_data.updatePropsOfCurSel();
    Invalidate();
    m_modified = true;
    return TRUE;
}

void CDlgDesigner::OnOK() {
    if (!askToSave())
        return;
    CAcUiDialog::OnOK();
}

void CDlgDesigner::OnClose() {
    if (!askToSave())
        return;
    EndDialog(IDCANCEL);
}

void CDlgDesigner::OnDestroy() {
    WriteDlgSize(this, kSizeKey);
    m_data.removeAllDrawnCtrls();
    CAcUiDialog::OnDestroy();
}

void CDlgDesigner::OnSize(UINT type, int cx, int cy) {
    CAcUiDialog::OnSize(type, cx, cy);
    m_resizer.Move();
    Invalidate();
}

void CDlgDesigner::OnGetMinMaxInfo(MINMAXINFO* info) {
    CAcUiDialog::OnGetMinMaxInfo(info);
    if (info && m_minWidth > 0) {
        info->ptMinTrackSize.x = m_minWidth;
        info->ptMinTrackSize.y = m_minHeight;
    }
}

void CDlgDesigner::OnLButtonDown(UINT flags, CPoint point) {
    m_data.OnLButtonDown(flags, point);
    m_data.updatePropsOfCurSel();
    m_modified = true;
}

BOOL CDlgDesigner::OnSetCursor(CWnd* window, UINT hitTest, UINT message) {
    if (m_data.OnSetCursor(hitTest, message))
        return TRUE;
    return CAcUiDialog::OnSetCursor(window, hitTest, message);
}

void CDlgDesigner::OnPaint() {
    CPaintDC dc(this);
    m_data.OnPaint(&dc);
}

BOOL CDlgDesigner::OnEraseBkgnd(CDC* dc) {
    m_data.OnEraseBkgnd(dc);
    return TRUE;
}

bool StartDlgDesigner(const Mx_String& path) {
    VlTempResourceOverride::Scope resources(ModuleResources::resourceOverride());
    CDlgDesigner dialog(path);
    return dialog.DoModal() == IDOK;
}
