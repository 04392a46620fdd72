#pragma once
// MFC's CRichEditCtrl over "RichEdit20W": an edit control (text, selection, read-only, limits, the
// EN_ notifications, typing through the automation API) that also carries character formats. There
// is no rendering of formats; they are kept per range so code that colours or bolds text can be
// checked (formatAt).
#include <vector>

#include "platform/mfc/CEdit.h"

#define RICHEDIT_CLASS L"RichEdit20W"

constexpr DWORD CFM_BOLD = 0x1;
constexpr DWORD CFM_ITALIC = 0x2;
constexpr DWORD CFM_UNDERLINE = 0x4;
constexpr DWORD CFM_SIZE = 0x80000000;
constexpr DWORD CFM_COLOR = 0x40000000;
constexpr DWORD CFM_FACE = 0x20000000;
constexpr DWORD CFE_BOLD = 0x1;
constexpr DWORD CFE_ITALIC = 0x2;
constexpr DWORD CFE_UNDERLINE = 0x4;
constexpr DWORD CFE_AUTOCOLOR = 0x40000000;
constexpr DWORD ENM_NONE = 0x0;
constexpr DWORD ENM_CHANGE = 0x1;
constexpr DWORD ENM_UPDATE = 0x2;
constexpr DWORD ENM_SELCHANGE = 0x80000;

struct CHARFORMAT {
    UINT cbSize = sizeof(CHARFORMAT);
    DWORD dwMask = 0;
    DWORD dwEffects = 0;
    LONG yHeight = 0;  // twips
    LONG yOffset = 0;
    COLORREF crTextColor = 0;
    BYTE bCharSet = 0;
    BYTE bPitchAndFamily = 0;
    WCHAR szFaceName[32] = {};
};
using CHARFORMAT2 = CHARFORMAT;

class CRichEditCtrl : public CEdit {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    using CEdit::Create;  // the window-class form stays callable beside this one

    // Applies the format's masked fields to the selection (an empty selection formats nothing, as the
    // text typed next is not modelled).
    BOOL SetSelectionCharFormat(const CHARFORMAT& format);
    BOOL SetDefaultCharFormat(const CHARFORMAT& format);
    // The format at a character position: the default with every range covering it applied in order.
    CHARFORMAT formatAt(int position) const;
    COLORREF SetBackgroundColor(BOOL useSystemColor, COLORREF color);
    COLORREF backgroundColor() const { return m_background; }
    DWORD SetEventMask(DWORD mask);
    DWORD GetEventMask() const { return m_eventMask; }
    // The text in [start, end).
    CString GetTextRange(int start, int end) const;

private:
    struct Range {
        int start;
        int end;
        CHARFORMAT format;
    };
    CHARFORMAT m_default;
    std::vector<Range> m_ranges;
    COLORREF m_background = 0xFFFFFF;
    DWORD m_eventMask = ENM_NONE;
};

namespace ui {
void registerRichEditClass();
}
