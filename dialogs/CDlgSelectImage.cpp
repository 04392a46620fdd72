#include "dialogs/CDlgSelectImage.h"

#include "dialogs/RunOnCopy.h"
#include "dialogs/StartDialogs.h"
#include "platform/arx/Utf8.h"
#include "platform/mfc/BitmapFile.h"
#include "platform/mfc/WindowClass.h"
#include "platform/mxbase/MacroLangs.h"
#include "platform/mxbase/StringFunctions.h"
#include "platform/mxbase/UiTexts.h"
#include "platform/mxbase/ui/DialogSize.h"

namespace {

constexpr wchar_t kSizeKey[] = L"DLG_SELECT_IMAGE";

// The picture's size in pixels; 0 by 0 when it cannot be read.
CSize pictureSize(const Mx_String& path) {
    std::wstring native = path.str();
    for (wchar_t& c : native)
        if (c == L'\\')
            c = L'/';
    const ui::BmpReadResult read = ui::readBmpFile(utf8::encode(native));
    return read.ok ? CSize(read.image.width(), read.image.height()) : CSize(0, 0);
}

}  // namespace

CDlgSelectImage::CDlgSelectImage(CWnd* parent) : CAcUiDialog(IDD, parent) {
    // The template's list view needs the common controls, which the host registers at its start.
    if (!ui::isWindowClassRegistered(WC_LISTVIEW))
        InitCommonControls();
}

BOOL CDlgSelectImage::OnInitDialog() {
    CAcUiDialog::OnInitDialog();
    SetWindowText(data.title.c_str());
    SetDlgItemText(IDOK, dialString(1).c_str());
    SetDlgItemText(IDCANCEL, dialString(2).c_str());

    if (!data.images.isEmpty()) {
        // All thumbnails take the size of the first picture that can be read (the pictures of one
        // call are made alike); a first picture that is missing must not shrink the others to nothing.
        CSize thumbnail(0, 0);
        for (const Mx_String& path : data.images) {
            thumbnail = pictureSize(path);
            if (thumbnail.cx > 0 && thumbnail.cy > 0)
                break;
        }
        m_images.init(this, IDC_IMAGES, thumbnail);
        for (const Mx_String& path : data.images)
            m_images.addImage(gMacroLangs.GetString(getFileName(path, false)).str(), path.str());
        m_images.drawThumbnails();
    }

    getDlgSize(this, m_initialWidth, m_initialHeight);
    m_resizer.Init(
        this,
        {{IDC_IMAGES, CResizer::All}, {IDOK, CResizer::BottomRight}, {IDCANCEL, CResizer::BottomRight}});
    ChangeDlgSize(this, kSizeKey);
    return TRUE;
}

bool CDlgSelectImage::takeSelection() {
    const Mx_String name(m_images.GetSafeHwnd() ? m_images.selectedName() : std::wstring());
    if (name.isEmpty())
        return false;
    data.selected = name;
    return true;
}

void CDlgSelectImage::OnOK() {
    if (takeSelection())
        CAcUiDialog::OnOK();
}

BOOL CDlgSelectImage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header && static_cast<int>(header->idFrom) == IDC_IMAGES && header->code == NM_DBLCLK) {
        if (takeSelection())
            EndDialog(IDOK);
        return TRUE;
    }
    return CAcUiDialog::OnNotify(wParam, lParam, result);
}

void CDlgSelectImage::OnSize(UINT type, int cx, int cy) {
    CAcUiDialog::OnSize(type, cx, cy);
    m_resizer.Move();
}

void CDlgSelectImage::OnGetMinMaxInfo(MINMAXINFO* info) {
    CAcUiDialog::OnGetMinMaxInfo(info);
    info->ptMinTrackSize.x = m_initialWidth;
    info->ptMinTrackSize.y = m_initialHeight;
}

void CDlgSelectImage::OnDestroy() {
    WriteDlgSize(this, kSizeKey);
    CAcUiDialog::OnDestroy();
}

bool StartDlgSelectImage(VlSelectImageDlgData& data) {
    return runOnCopy<CDlgSelectImage>(data);
}
