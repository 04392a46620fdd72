#include "platform/mxbase/ui/DlgOpenMulti.h"

#include "platform/mfc/CFileDialog.h"
#include "platform/mfc/CString.h"

bool DlgOpenMulti(CWnd* parent, const Mx_String& title, const Mx_String& extension,
                  const Mx_String& description, const Mx_String& folder, Mx_StringArray& paths) {
    paths.removeAll();
    const Mx_String filter = description + L" (*." + extension + L")|*." + extension + L"||";
    // No default extension: a chosen folder must not come back as a drawing's name.
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT | OFN_EXPLORER,
                       filter.c_str(), parent);
    dialog.m_ofn.lpstrTitle = title.c_str();
    dialog.m_ofn.lpstrInitialDir = folder.c_str();
    if (dialog.DoModal() != IDOK)
        return false;
    POSITION position = dialog.GetStartPosition();
    while (position)
        paths.append(Mx_String(static_cast<LPCTSTR>(dialog.GetNextPathName(position))));
    return true;
}
