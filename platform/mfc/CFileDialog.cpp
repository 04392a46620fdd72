#include "platform/mfc/CFileDialog.h"

#include <algorithm>

#include "platform/mfc/UiDriver.h"

namespace {

// Windows paths use '\', paths here may use '/': both separate.
int lastSeparator(const CString& path) { return std::max(path.ReverseFind(L'\\'), path.ReverseFind(L'/')); }

}  // namespace

CFileDialog::CFileDialog(BOOL openFileDialog, LPCTSTR defaultExtension, LPCTSTR fileName, DWORD flags, LPCTSTR filter,
                         CWnd* parent)
    : CDialog(0, parent),
      m_open(openFileDialog != FALSE),
      m_defaultExtension(defaultExtension),
      m_fileName(fileName),
      m_filter(filter) {
    m_ofn.Flags = flags;
}

INT_PTR CFileDialog::DoModal() {
    ui::FileDialogRequest request;
    bool multiple = (m_ofn.Flags & OFN_ALLOWMULTISELECT) != 0;
    request.kind = !m_open ? ui::FileDialogKind::Save : multiple ? ui::FileDialogKind::OpenMultiple : ui::FileDialogKind::Open;
    request.title = m_ofn.lpstrTitle ? m_ofn.lpstrTitle : L"";
    request.initialFolder = m_ofn.lpstrInitialDir ? m_ofn.lpstrInitialDir : L"";
    request.fileName = m_fileName.str();
    request.defaultExtension = m_defaultExtension.str();
    request.filter = m_filter.str();
    request.flags = m_ofn.Flags;
    ui::FileDialogAnswer answer = ui::activeDriver().fileDialog(request);
    m_chosen.clear();
    if (!answer.ok || answer.paths.empty()) return IDCANCEL;
    for (const std::wstring& p : answer.paths) {
        CString path(p);
        // A typed name without extension gets the default one, as the common dialog adds it.
        if (!m_defaultExtension.IsEmpty() && path.Mid(lastSeparator(path) + 1).Find(L'.') < 0)
            path += L"." + m_defaultExtension;
        m_chosen.push_back(path);
        if (!multiple) break;
    }
    return IDOK;
}

CString CFileDialog::GetPathName() const { return m_chosen.empty() ? CString() : m_chosen.front(); }

CString CFileDialog::GetFileName() const {
    CString path = GetPathName();
    return path.Mid(lastSeparator(path) + 1);
}

CString CFileDialog::GetFileExt() const {
    CString name = GetFileName();
    int dot = name.ReverseFind(L'.');
    return dot < 0 ? CString() : name.Mid(dot + 1);
}

CString CFileDialog::GetFileTitle() const {
    CString name = GetFileName();
    int dot = name.ReverseFind(L'.');
    return dot < 0 ? name : name.Left(dot);
}

CString CFileDialog::GetFolderPath() const {
    CString path = GetPathName();
    int at = lastSeparator(path);
    return at < 0 ? CString() : path.Left(at);
}

POSITION CFileDialog::GetStartPosition() const {
    // Positions are 1-based indexes into the chosen paths; null ends the iteration.
    return m_chosen.empty() ? nullptr : reinterpret_cast<POSITION>(static_cast<std::uintptr_t>(1));
}

CString CFileDialog::GetNextPathName(POSITION& position) const {
    auto index = reinterpret_cast<std::uintptr_t>(position);
    if (index == 0 || index > m_chosen.size()) {
        position = nullptr;
        return CString();
    }
    CString path = m_chosen[index - 1];
    position = index < m_chosen.size() ? reinterpret_cast<POSITION>(index + 1) : nullptr;
    return path;
}
