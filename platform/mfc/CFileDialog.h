#pragma once
// MFC's CFileDialog: open, save and multiple-selection file dialogs. DoModal asks the active UI driver
// (tests script the answer; the command cancels), so nothing waits for a person.
#include <vector>

#include "platform/mfc/CDialog.h"
#include "platform/mfc/Position.h"

constexpr DWORD OFN_READONLY = 0x1;
constexpr DWORD OFN_OVERWRITEPROMPT = 0x2;
constexpr DWORD OFN_HIDEREADONLY = 0x4;
constexpr DWORD OFN_NOCHANGEDIR = 0x8;
constexpr DWORD OFN_ALLOWMULTISELECT = 0x200;
constexpr DWORD OFN_PATHMUSTEXIST = 0x800;
constexpr DWORD OFN_FILEMUSTEXIST = 0x1000;
constexpr DWORD OFN_EXPLORER = 0x80000;

struct OPENFILENAME {
    DWORD Flags = 0;
    LPCTSTR lpstrInitialDir = nullptr;
    LPCTSTR lpstrTitle = nullptr;
    LPCTSTR lpstrDefExt = nullptr;
    DWORD nFilterIndex = 1;
};

class CFileDialog : public CDialog {
public:
    explicit CFileDialog(BOOL openFileDialog, LPCTSTR defaultExtension = nullptr, LPCTSTR fileName = nullptr,
                         DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR filter = nullptr,
                         CWnd* parent = nullptr);

    // IDOK with the chosen path(s), or IDCANCEL.
    INT_PTR DoModal() override;

    CString GetPathName() const;    // the (first) chosen full path
    CString GetFileName() const;    // its name with extension
    CString GetFileExt() const;     // its extension without the dot
    CString GetFileTitle() const;   // its name without extension
    CString GetFolderPath() const;  // its folder, without a trailing separator
    // Multiple selection: iterate the chosen paths.
    POSITION GetStartPosition() const;
    CString GetNextPathName(POSITION& position) const;

    OPENFILENAME m_ofn;

private:
    bool m_open;
    CString m_defaultExtension;
    CString m_fileName;
    CString m_filter;
    CString m_title;
    CString m_initialFolder;
    std::vector<CString> m_chosen;
};
