#pragma once
// MFC's CEdit: single- or multi-line text with a selection, read-only and length limit. Text changes
// made through the window (SetWindowText, ReplaceSel, typing) send EN_UPDATE and EN_CHANGE to the
// parent, as Win32 does; focus changes send EN_SETFOCUS / EN_KILLFOCUS.
#include "platform/mfc/CWnd.h"

class CEdit : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    using CWnd::Create;  // the window-class form stays callable beside this one

    // Selection as character positions [start, end); SetSel(0, -1) selects all, SetSel(-1) removes it.
    void GetSel(int& start, int& end) const;
    DWORD GetSel() const { return static_cast<DWORD>(SendMessage(EM_GETSEL)); }
    void SetSel(int start, int end, BOOL noScroll = FALSE);
    void SetSel(DWORD selection, BOOL noScroll = FALSE) { SetSel(LOWORD(selection), HIWORD(selection), noScroll); }
    void ReplaceSel(LPCTSTR text, BOOL canUndo = FALSE);
    void Clear() { ReplaceSel(L""); }
    BOOL SetReadOnly(BOOL readOnly = TRUE) { return static_cast<BOOL>(SendMessage(EM_SETREADONLY, readOnly)); }
    void SetLimitText(UINT max) { SendMessage(EM_SETLIMITTEXT, max); }
    void LimitText(int max = 0) { SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(max)); }
    BOOL GetModify() const { return static_cast<BOOL>(SendMessage(EM_GETMODIFY)); }
    void SetModify(BOOL modified = TRUE) { SendMessage(EM_SETMODIFY, modified); }
    int GetLineCount() const { return static_cast<int>(SendMessage(EM_GETLINECOUNT)); }
};
