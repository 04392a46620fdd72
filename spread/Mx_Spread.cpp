// Mx_Spread: creation, house style, fonts, size, messages, keyboard, Tab handling, context menu and
// the check link. Cell access lives in Mx_SpreadCells.cpp, row and column editing, spans and search
// in Mx_SpreadRows.cpp, sizing and width policies in Mx_SpreadSizing.cpp.
#include "spread/Mx_Spread.h"

#include <algorithm>

#include "platform/grid/window/GridMessages.h"
#include "platform/grid/window/SSFunctions.h"
#include "platform/grid/Sheet.h"
#include "platform/mfc/Bitmap.h"
#include "platform/mfc/GdiColors.h"
#include "platform/mfc/GdiObjects.h"
#include "module/ModuleResources.h"
#include "platform/mfc/Menu.h"
#include "platform/mfc/Resources.h"
#include "platform/mfc/VlTempResourceOverride.h"
#include "platform/mfc/Win32Api.h"
#include "platform/mxbase/UiTexts.h"
#include "spread/CDlgFindReplace.h"
#include "spread/DynMenu.h"
#include "spread/Mx_DlgPromptString.h"
#include "spread/Mx_TabMsgHandle.h"
#include "spread/SpreadRedrawGuard.h"

namespace {

Mx_Spread::FindReplaceFactory gFindReplaceFactory = CDlgFindReplace::create;

Mx_Spread::HeaderPrompt gHeaderPrompt = promptGridHeader;

// The grid's private message that a spreadsheet window answers itself, with 0.
constexpr UINT kGridPrivateMessage = 0x517;
constexpr COLORREF kSystemForeground = 0x8000000B;
constexpr int kCheckedBitmap = 8134;
constexpr int kUncheckedBitmap = 8136;

bool startsWith(const CString& text, const wchar_t* prefix) {
    std::wstring_view s(static_cast<LPCTSTR>(text)), p(prefix);
    return s.substr(0, p.size()) == p;
}

}  // namespace

void Mx_Spread::setFindReplaceFactory(FindReplaceFactory factory) { gFindReplaceFactory = factory; }
void Mx_Spread::setHeaderPrompt(HeaderPrompt prompt) { gHeaderPrompt = prompt ? prompt : promptGridHeader; }
Mx_String Mx_Spread::promptHeader(bool isRow) { return gHeaderPrompt(GetParent(), isRow); }

Mx_Spread::Mx_Spread() { SSRegisterClass(); }

Mx_Spread::~Mx_Spread() {
    findReplace_.reset();
    // The window goes before the pictures it shows, so it never holds a dead bitmap.
    if (m_hWnd) DestroyWindow();
    if (checked_) DeleteObject(checked_);
    if (unchecked_) DeleteObject(unchecked_);
    menu_.reset();
}

// ---- Creation and style ------------------------------------------------------------------------------

bool Mx_Spread::createFromDlgItem(CWnd* dialog, int controlId, bool keepPlace) {
    if (created_ || !dialog || !dialog->GetSafeHwnd()) return false;
    CWnd* placeholder = dialog->GetDlgItem(controlId);
    if (!placeholder) return false;

    RECT place{}, frame{};
    placeholder->GetWindowRect(&place);
    if (keepPlace) {
        // Dialogs without caption and frame: the window rectangle is the client area.
        dialog->GetWindowRect(&frame);
        place = {place.left - frame.left, place.top - frame.top, place.right - frame.left, place.bottom - frame.top};
    } else {
        // NOTE: the grid takes exactly the placeholder's place in the client area, which is what
        // allowing for the dialog's frame and caption amounts to.
        dialog->ScreenToClient(&place);
    }
    DWORD style = WS_CHILD | WS_VISIBLE | (placeholder->GetStyle() & (WS_TABSTOP | WS_BORDER));
    HWND before = ::GetWindow(placeholder->GetSafeHwnd(), GW_HWNDPREV);
    placeholder->DestroyWindow();
    if (!CreateEx(0, SS_CLASSNAME, L"", style, place, dialog, static_cast<UINT>(controlId))) return false;
    // Keep the placeholder's place in the tab order.
    SetWindowPos(before ? CWnd::FromHandle(before) : nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    SetMaxRows(0);
    SetMaxCols(0);
    created_ = true;
    controlId_ = controlId;
    SetAppearance(1);
    for (WORD action = 0; action <= 2; ++action) SetActionKey(action, FALSE, FALSE, 0);
    return true;
}

bool Mx_Spread::initDefaults(int enterMode) {
    if (!created_) return false;
    SetBool(SSB_REDRAW, FALSE);
    // The house font is the sheet's default, so data cells in it (every cell a grown sheet adds)
    // need no font record of their own: a 100,000-row grid stays the size of its data.
    if (grid::Sheet* sheet = SSGetSheet(m_hWnd)) {
        grid::CellFont house;
        house.face = fontFace_.view().substr(0, 31);
        house.height = fontSize_ < 0 ? -fontSize_ : fontSize_;
        house.weight = 400;
        sheet->setDefaultFont(house);
    }
    SetBool(12, FALSE);
    SetBool(SSB_AUTOCALC, FALSE);
    SetBool(21, TRUE);
    SetBool(26, FALSE);
    SetBool(34, TRUE);
    SetBool(32, TRUE);
    SetBool(18, FALSE);
    SetBool(21, TRUE);
    SetBool(22, TRUE);
    SetBool(21, TRUE);
    SetGrayAreaColor(GetSysColor(COLOR_BTNFACE), kSystemForeground);
    SetCursor(1, reinterpret_cast<HCURSOR>(static_cast<std::intptr_t>(-1)));
    SetSelColor(0x6A240A, 0xFFFFFF);
    SetBool(SSB_PROCESSTAB, TRUE);
    SetBool(SSB_COLHEADERS, TRUE);
    SetBool(SSB_ROWHEADERS, TRUE);
    SetBool(18, TRUE);
    SetLockColor(0xE6E6E6, kSystemForeground);
    if (enterMode == 1) {
        SetBool(SSB_EDITMODEPERMANENT, TRUE);
        SetBool(SSB_PROCESSRETURN, FALSE);
        SetEditEnterAction(SS_ENTERACTION_NONE);
    } else if (enterMode == 0) {
        SetBool(SSB_EDITMODEPERMANENT, FALSE);
        SetBool(SSB_PROCESSRETURN, TRUE);
        SetEditEnterAction(SS_ENTERACTION_NEXT);
    }
    SetBool(SSB_REDRAW, TRUE);
    return true;
}

// ---- Fonts ---------------------------------------------------------------------------------------------

HFONT Mx_Spread::makeFont(const Mx_String& face, int size, bool bold) {
    LOGFONT lf;
    lf.lfHeight = size;
    lf.lfWidth = 0;
    lf.lfWeight = bold ? 700 : 400;
    lf.lfCharSet = 1;       // default character set
    lf.lfOutPrecision = 2;  // character output precision
    lf.lfClipPrecision = 1; // character clip precision
    std::wstring_view name = face.view().substr(0, 31);
    std::copy(name.begin(), name.end(), lf.lfFaceName);
    return ui::gdi::addFont(lf);
}

bool Mx_Spread::applyFont(int col1, int row1, int col2, int row2, const Mx_String& face, int size, bool bold,
                          bool withTextTip) {
    HFONT font = makeFont(face, size, bold);
    bool ok = SetFontRange(col1, row1, col2, row2, font, FALSE) != FALSE;
    if (ok && withTextTip) {
        WORD mode = 0;
        long delay = 0;
        LOGFONT old;
        COLORREF background = 0, foreground = 0;
        GetTextTip(&mode, &delay, &old, &background, &foreground);
        SetTextTip(1, 0, ui::gdi::font(font), background, foreground);
    }
    DeleteObject(font);
    return ok;
}

bool Mx_Spread::setFontRange(int col1, int row1, int col2, int row2, const Mx_String& face, int size, bool bold,
                             bool withTextTip) {
    if (!created_) return false;
    return applyFont(col1, row1, col2, row2, face, size, bold, withTextTip);
}

bool Mx_Spread::applyHeaderFonts() {
    if (!created_) return false;
    int cols = GetMaxCols(), rows = GetMaxRows();
    if (cols > 0) applyFont(1, 0, cols, 0, fontFace_, fontSize_, true, true);
    if (rows > 0) applyFont(0, 1, 0, rows, fontFace_, fontSize_, true, true);
    return true;
}

bool Mx_Spread::resetFonts(bool withTextTip) {
    if (!applyHeaderFonts()) return false;
    int cols = GetMaxCols(), rows = GetMaxRows();
    if (cols > 0 && rows > 0) applyFont(1, 1, cols, rows, fontFace_, fontSize_, false, withTextTip);
    return true;
}

bool Mx_Spread::boldRow(int row, bool withHeader) {
    if (!validRow(row)) return false;
    if (withHeader) applyFont(0, row, 0, row, fontFace_, fontSize_, true, true);
    int cols = GetMaxCols();
    if (cols > 0) applyFont(1, row, cols, row, fontFace_, fontSize_, false, false);
    return true;
}

bool Mx_Spread::boldCol(int col, bool withHeader) {
    if (!validCol(col)) return false;
    if (withHeader) applyFont(col, 0, col, 0, fontFace_, fontSize_, true, true);
    int rows = GetMaxRows();
    if (rows > 0) applyFont(col, 1, col, rows, fontFace_, fontSize_, false, false);
    return true;
}

bool Mx_Spread::isSpreadWindow() {
    CWnd* focus = CWnd::GetFocus();
    if (!focus) return false;
    CString name = focus->GetClassName();
    // "fpUSpr" is the Unicode build of the grid, the class every grid of this system has.
    return startsWith(name, L"SPR32") || startsWith(name, L"fpSpr") || startsWith(name, L"fpUSpr");
}

// ---- Size ------------------------------------------------------------------------------------------------

bool Mx_Spread::validCol(int col) {
    if (!created_) return false;
    return col >= 1 && col <= GetMaxCols();
}

bool Mx_Spread::validRow(int row) {
    if (!created_) return false;
    return row >= 1 && row <= GetMaxRows();
}

bool Mx_Spread::validRowOrHeader(int row) {
    if (!created_) return false;
    return row == SS_HEADER || (row >= 0 && row <= GetMaxRows());
}

bool Mx_Spread::validColOrHeader(int col) {
    if (!created_) return false;
    return col == SS_HEADER || (col >= 0 && col <= GetMaxCols());
}

int Mx_Spread::getMaxRows() { return created_ ? GetMaxRows() : -1; }
int Mx_Spread::getMaxCols() { return created_ ? GetMaxCols() : -1; }

bool Mx_Spread::setMaxRows(int rows, bool copyLastRow) {
    if (!created_ || rows < 0) return false;
    SpreadRedrawGuard redraw(m_hWnd);
    int old = GetMaxRows();
    if (!SetMaxRows(rows)) return false;
    if (rows <= old) return true;
    int cols = GetMaxCols();
    if (copyLastRow && old > 0 && cols > 0)
        for (int r = old + 1; r <= rows; ++r) CopyRange(1, old, cols, old, 1, r);
    if (old > 0)
        applyFont(0, old, 0, rows, fontFace_, fontSize_, true, true);
    else
        applyHeaderFonts();
    if (cols > 0) applyFont(1, std::max(old, 1), cols, rows, fontFace_, fontSize_, false, false);
    return true;
}

bool Mx_Spread::setMaxCols(int cols, bool copyLastCol) {
    if (!created_ || cols < 0) return false;
    SpreadRedrawGuard redraw(m_hWnd);
    int old = GetMaxCols();
    if (!SetMaxCols(cols)) return false;
    if (cols <= old) return true;
    int rows = GetMaxRows();
    if (copyLastCol && old > 0 && rows > 0)
        for (int c = old + 1; c <= cols; ++c) CopyRange(old, 1, old, rows, c, 1);
    if (old > 0)
        applyFont(old, 0, cols, 0, fontFace_, fontSize_, true, true);
    else
        applyHeaderFonts();
    if (rows > 0) applyFont(std::max(old, 1), 1, cols, rows, fontFace_, fontSize_, false, false);
    return true;
}

// ---- Messages ------------------------------------------------------------------------------------------

LRESULT Mx_Spread::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kGridPrivateMessage) return 0;
    if (message == WM_RBUTTONDOWN && created_ && !menuKinds_.empty()) {
        POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        showContextMenu(at);
        if (!::IsWindow(m_hWnd)) return 0;
    }
    LRESULT result = TSpread::WindowProc(message, wParam, lParam);
    if (message == WM_SIZE && m_hWnd) onResized();
    return result;
}

BOOL Mx_Spread::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_COMMAND) {
        WORD code = HIWORD(wParam);
        if (code == SSN_BUTTONDOWN || code == SSN_BUTTONUP) onCheckCommand(code == SSN_BUTTONUP);
    }
    // The dialog still gets the notification.
    return TSpread::OnChildNotify(message, wParam, lParam, result);
}

BOOL Mx_Spread::OnCommand(WPARAM wParam, LPARAM lParam) {
    WORD code = HIWORD(wParam);
    if (code == SSN_BUTTONDOWN || code == SSN_BUTTONUP) {
        onCheckCommand(code == SSN_BUTTONUP);
        return TSpread::OnCommand(wParam, lParam);
    }
    if (code == 0 && lParam == 0) {
        int id = LOWORD(wParam);
        for (std::size_t i = 0; i < menuCommandKinds_.size(); ++i)
            if (kMenuCommandIds[i] == id) {
                runMenuCommand(menuCommandKinds_[i]);
                return TRUE;
            }
    }
    return TSpread::OnCommand(wParam, lParam);
}

BOOL Mx_Spread::PreTranslateMessage(MSG* msg) {
    if (msg && msg->message == WM_KEYDOWN && created_) {
        switch (msg->wParam) {
        case VK_F3:
        case VK_F5:
            if (findReplace_) {
                if (msg->wParam == VK_F3)
                    findReplace_->findNext();
                else
                    findReplace_->replaceNext();
                return TRUE;
            }
            if (gFindReplaceFactory) {
                findReplace_ = gFindReplaceFactory(*this, msg->wParam == VK_F5);
                return TRUE;
            }
            break;
        case VK_F8:
            if (f8Enabled_) {
                SetBool(SSB_EDITMODEPERMANENT, !GetBool(SSB_EDITMODEPERMANENT));
                return TRUE;
            }
            break;
        default:
            break;
        }
    }
    return TSpread::PreTranslateMessage(msg);
}

// ---- Check link ------------------------------------------------------------------------------------------

bool Mx_Spread::linkCheckToCell(int checkCol, int dependentCol) {
    if (!validCol(checkCol) || !validCol(dependentCol)) return false;
    checkCol_ = checkCol;
    dependentCol_ = dependentCol;
    int rows = GetMaxRows();
    for (int row = 1; row <= rows; ++row) applyCheckLink(row);
    return true;
}

void Mx_Spread::applyCheckLink(int row) {
    Mx_String text;
    if (!readText(checkCol_, row, kValue, text)) return;
    if (text.equal(L"1"))
        SetLock(dependentCol_, row, FALSE);
    else if (text.equal(L"0"))
        SetLock(dependentCol_, row, TRUE);
}

// NOTE: a check box toggles between the button-down and the button-up notification. The active cell
// moves to the dependent cell only on the button-up one: moving it on the button-down one would take
// it out of the check column before the box has toggled, and the lock would lag one click behind.
void Mx_Spread::onCheckCommand(bool buttonUp) {
    if (!created_ || checkCol_ < 1 || dependentCol_ < 1) return;
    int col = 0, row = 0;
    if (!getActiveCell(col, row) || col != checkCol_ || !validRow(row)) return;
    applyCheckLink(row);
    if (buttonUp) SetActiveCell(dependentCol_, row);
}

// ---- Tab key -------------------------------------------------------------------------------------------

bool Mx_Spread::enterable(int col, int row, CellPos& reported) {
    if (GetLock(col, row)) return false;
    SS_COORD anchorCol = 0, anchorRow = 0, cols = 0, rows = 0;
    if (GetCellSpan(col, row, &anchorCol, &anchorRow, &cols, &rows) == SS_SPAN_NO) {
        reported = {col, row};
        return true;
    }
    if (GetLock(anchorCol, anchorRow)) return false;
    // The grid keeps the active cell on a span's anchor, so the anchor is what the caller compares.
    reported = {anchorCol, anchorRow};
    return true;
}

bool Mx_Spread::findEnterable(bool first, CellPos& pos) {
    int cols = GetMaxCols(), rows = GetMaxRows();
    if (first) {
        for (int row = 1; row <= rows; ++row)
            for (int col = 1; col <= cols; ++col)
                if (enterable(col, row, pos)) return true;
    } else {
        for (int row = rows; row >= 1; --row)
            for (int col = cols; col >= 1; --col)
                if (enterable(col, row, pos)) return true;
    }
    return false;
}

bool Mx_Spread::handleTabKey(UINT key, int& result) {
    result = kTabNotHandled;
    if (key != VK_TAB || !created_ || !IsWindowVisible() || !isSpreadWindow()) return false;
    int col = 0, row = 0;
    getActiveCell(col, row);
    bool backward = GetKeyState(VK_SHIFT) < 0;
    CellPos edge;
    // A grid without an enterable cell has nowhere to move: the key leaves it in its direction.
    if (!findEnterable(backward, edge) || (edge.col == col && edge.row == row))
        result = backward ? kTabLeaveBackward : kTabLeaveForward;
    else
        result = kTabFocusMoved;
    return true;
}

bool Mx_Spread::focusFirstUnlocked(bool forward) {
    if (!created_ || !IsWindowVisible()) return false;
    CellPos pos;
    if (!findEnterable(forward, pos)) return false;
    SetFocus();
    SetActiveCell(pos.col, pos.row);
    return true;
}

// ---- Context menu ---------------------------------------------------------------------------------------

bool Mx_Spread::setContextMenu(const std::vector<int>& kinds) {
    if (!created_) return false;
    if (!menu_) menu_ = std::make_unique<dynMenu>();
    menuKinds_ = kinds;
    return true;
}

void Mx_Spread::showContextMenu(POINT clientPoint) {
    static constexpr int kTexts[] = {0, 0, 1154, 1155, 774, 775, 1156, 1157, 1400, 1401};
    if (!menu_) menu_ = std::make_unique<dynMenu>();
    std::vector<dynMenu::Item> items;
    // The menu gives its command ids to the non-separator items in order, at most ten of them; the
    // kinds behind the ids are kept in the same order.
    menuCommandKinds_.clear();
    for (int kind : menuKinds_) {
        if (kind == kMenuSeparator) {
            items.push_back({Mx_String(), dynMenu::kSeparator});
        } else if (kind >= kMenuCopy && kind <= kMenuUncheckAll) {
            items.push_back({dialString(kTexts[kind]), dynMenu::kNormal});
            if (menuCommandKinds_.size() < std::size(kMenuCommandIds)) menuCommandKinds_.push_back(kind);
        }
    }
    std::vector<int> levels(items.size(), 1);
    ClientToScreen(&clientPoint);
    menu_->show(TPM_LEFTALIGN | TPM_RIGHTBUTTON, clientPoint.x, clientPoint.y, this, levels, items);
}

void Mx_Spread::runMenuCommand(int kind) {
    switch (kind) {
    case kMenuCopy: ClipboardCopy(); break;
    case kMenuPaste: ClipboardPaste(); break;
    case kMenuInsertRow: insertRow(selectedRow(), false, true); break;
    case kMenuDeleteRow: deleteRow(selectedRow()); break;
    case kMenuInsertCol: insertCol(selectedCol(), true, true); break;
    case kMenuDeleteCol: deleteCol(selectedCol()); break;
    case kMenuCheckAll: setCheckInSelection(true); break;
    case kMenuUncheckAll: setCheckInSelection(false); break;
    default: break;
    }
}

// ---- Check box pictures -----------------------------------------------------------------------------------

namespace {
// A check-box picture from the current resources, else from the module's own: a grid may be filled
// outside the module's entry points.
HBITMAP loadCheckPicture(int id) {
    if (HBITMAP picture = LoadBitmap(AfxGetResourceHandle(), MAKEINTRESOURCE(id))) return picture;
    VlTempResourceOverride::Scope resources(ModuleResources::resourceOverride());
    return LoadBitmap(AfxGetResourceHandle(), MAKEINTRESOURCE(id));
}
}  // namespace

HBITMAP Mx_Spread::checkedPicture() {
    if (!checked_) checked_ = loadCheckPicture(kCheckedBitmap);
    return checked_;
}

HBITMAP Mx_Spread::uncheckedPicture() {
    if (!unchecked_) unchecked_ = loadCheckPicture(kUncheckedBitmap);
    return unchecked_;
}
