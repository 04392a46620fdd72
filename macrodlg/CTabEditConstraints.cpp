#include "macrodlg/CTabEditConstraints.h"

#include <algorithm>
#include <string>

#include "macrodlg/CDlgEditMacro.h"
#include "macrodlg/EditorSelectionTimer.h"
#include "platform/arx/CommandLine.h"
#include "platform/grid/window/GridMessages.h"
#include "platform/mfc/Menu.h"
#include "platform/mxbase/EditConstrCalls.h"
#include "platform/mxbase/NumberFunctions.h"
#include "platform/mxbase/UiTexts.h"

namespace {

constexpr COLORREF kPictureBackground = RGB(255, 0, 255);

Mx_String joined(const Mx_StringArray& names) {
    std::wstring text;
    for (const Mx_String& name : names)
        text += (text.empty() ? L"" : L", ") + name.str();
    return Mx_String(text);
}

// The edited values against the stored ones; false when they differ. Lists of objects of another
// length cannot be compared: that is reported and the constraint is taken as unchanged.
bool sameConstraint(const MacroConstraint& edited, const MacroConstraint& stored) {
    if (edited.objects.length() != stored.objects.length()) {
        acutPrintf(L"*Error* Array size mismatch.\n");
        return true;
    }
    return edited == stored;
}

}  // namespace

Mx_String CTabEditConstraints::kindText(int kind) {
    if (kind == MacroConstraint::kFixed)
        return Mx_String(L"Fixed");
    return kind >= 0 && kind < MacroConstraint::kFixed ? dialString(903 + kind) : Mx_String();
}

BOOL CTabEditConstraints::OnInitDialog() {
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_TITLE, dialString(879).c_str());
    SetDlgItemText(IDC_VALUE_LABEL, dialString(880).c_str());
    SetDlgItemText(IDC_NAME_LABEL, dialString(221).c_str());
    SetDlgItemText(IDC_TYPE_LABEL, dialString(228).c_str());
    SetDlgItemText(IDC_USE_VARIABLE, dialString(881).c_str());
    SetDlgItemText(IDC_SHOW_VALUE, dialString(1328).c_str());
    SetDlgItemText(IDC_CUTS, dialString(862).c_str());
    for (int state = 0; state < 5; ++state) {
        states_[state].SubclassDlgItem(kStateButtons[state], this);
        states_[state].SetTooltipText((L"Enum " + std::to_wstring(state + 1)).c_str());
    }
    if (delete_.SubclassDlgItem(IDC_DELETE, this)) {
        delete_.SetBitmaps(206, kPictureBackground);
        delete_.SetTooltipText(dialString(882).c_str());
    }

    grid_.createFromDlgItem(this, IDC_GRID, false);
    grid_.initDefaults(0);
    grid_.setMaxCols(4, false);
    grid_.setMaxRows(0, false);
    grid_.setCellText(kKindCol, 0, dialString(228));
    grid_.setCellText(kObjectsCol, 0, Mx_String(L"Objects"));
    grid_.setCellText(kValueCol, 0, dialString(880));
    grid_.setCellText(kStateCol, 0, Mx_String(L"State"));
    grid_.applyHeaderFonts();
    return TRUE;
}

void CTabEditConstraints::reload() {
    list_ = Mx_Array<MacroConstraint>();
    GetConstraints(data(), moduleName(), list_);
    grid_.setMaxRows(list_.length(), false);
    for (int row = 1; row <= list_.length(); ++row) {
        const MacroConstraint& c = list_[row - 1];
        grid_.setCellText(kKindCol, row, kindText(c.kind));
        grid_.setCellText(kObjectsCol, row, joined(c.objects));
        grid_.setCellText(kValueCol, row,
                          MacroConstraint::hasValue(c.kind) ? formatShortest(c.value) : Mx_String());
        grid_.setCellText(kStateCol, row, Mx_String(std::to_wstring(c.state + 1)));
        // Only a value can be typed; the rest is shown as text.
        grid_.setStaticTextCell(kKindCol, row, 0);
        grid_.setStaticTextCell(kObjectsCol, row, 0);
        if (MacroConstraint::hasValue(c.kind))
            grid_.setTextCell(kValueCol, row);
        else
            grid_.setStaticTextCell(kValueCol, row, 0);
        grid_.setStaticTextCell(kStateCol, row, 0);
    }
    grid_.autoSizeColumn(0, false);
    grid_.autoSizeColumn(kKindCol, false);
    grid_.autoSizeColumn(kValueCol, false);
    grid_.autoSizeColumn(kStateCol, false);
    grid_.stretchColumn(kObjectsCol);
    if (selected_ >= list_.length())
        selected_ = list_.length() - 1;
    showDetails();
}

void CTabEditConstraints::showDetails() {
    const MacroConstraint* c = list_.at(selected_);
    SetDlgItemText(IDC_TYPE, c != nullptr ? kindText(c->kind).c_str() : L"");
    SetDlgItemText(IDC_OBJECTS, c != nullptr ? joined(c->objects).c_str() : L"");
    SetDlgItemText(IDC_VALUE, c != nullptr && MacroConstraint::hasValue(c->kind)
                                  ? formatShortest(c->value).c_str()
                                  : L"");
    CheckDlgButton(IDC_USE_VARIABLE, c != nullptr && c->useVariable ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_SHOW_VALUE, c != nullptr && c->showValue ? BST_CHECKED : BST_UNCHECKED);
    // The dimension can only be shown for a value that follows a variable.
    GetDlgItem(IDC_USE_VARIABLE)->EnableWindow(c != nullptr);
    GetDlgItem(IDC_SHOW_VALUE)->EnableWindow(c != nullptr && c->useVariable);
    for (int state = 0; state < 5; ++state) {
        states_[state].SetCheck(c != nullptr && c->state == state ? BST_CHECKED : BST_UNCHECKED);
        states_[state].EnableWindow(c != nullptr);
    }
    delete_.EnableWindow(c != nullptr);
}

void CTabEditConstraints::select(int index) {
    if (!list_.isValidIndex(index))
        return;
    selected_ = index;
    UnHighlightConstraints(data());
    HighlightConstraint(data(), moduleName(), index);
    EditorSelectionTimer::restart();
    showDetails();
}

void CTabEditConstraints::leave() {
    UnHighlightConstraints(data());
    acedUpdateDisplay();
}

bool CTabEditConstraints::escapeKeepsDefault() {
    if (EditorSelectionTimer::recent())
        return true;
    // Escape that ends the macro cut editor's pick in the drawing arrives right after it.
    if (cutsEscapeOnce_) {
        cutsEscapeOnce_ = false;
        return true;
    }
    return false;
}

void CTabEditConstraints::update(const MacroConstraint& edited) {
    const MacroConstraint* stored = list_.at(selected_);
    if (stored == nullptr)
        return;
    if (!sameConstraint(edited, *stored))
        UpdateConstraint(data(), moduleName(), selected_, edited);
    reload();
}

void CTabEditConstraints::valueEdited(int row) {
    const MacroConstraint* stored = list_.at(row - 1);
    if (stored == nullptr)
        return;
    selected_ = row - 1;
    Mx_String text;
    grid_.getCellText(kValueCol, row, text);
    double value = 0.0;
    MacroConstraint edited = *stored;
    if (parseNumber(text.str(), value))
        edited.value = value;
    update(edited);  // a text that is no number leaves the stored value, shown again
}

void CTabEditConstraints::deleteSelected() {
    if (!list_.isValidIndex(selected_))
        return;
    UnHighlightConstraints(data());
    const int removed = selected_;
    if (DeleteConstraint(data(), moduleName(), removed) != Acad::eOk)
        return;
    selected_ = -1;
    reload();
    // The constraint before the removed one, or the first.
    if (!list_.isEmpty())
        select(removed > 0 ? removed - 1 : 0);
}

void CTabEditConstraints::contextMenu(int row) {
    if (!list_.isValidIndex(row - 1))
        return;
    select(row - 1);
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING | (row > 1 ? 0 : MF_GRAYED), 1 + kMenuMoveUp, dialString(173).c_str());
    menu.AppendMenu(MF_STRING | (row < list_.length() ? 0 : MF_GRAYED), 1 + kMenuMoveDown,
                    dialString(174).c_str());
    menu.AppendMenu(MF_STRING, 1 + kMenuDuplicate, L"Duplicate");
    menu.AppendMenu(MF_STRING, 1 + kMenuDelete, dialString(882).c_str());
    CRect area;
    grid_.GetWindowRect(&area);
    const int chosen = static_cast<int>(menu.TrackPopupMenu(
        TPM_RETURNCMD | TPM_RIGHTBUTTON, area.CenterPoint().x, area.CenterPoint().y, this));
    if (chosen <= 0)
        return;
    const int action = chosen - 1;
    UnHighlightConstraints(data());
    if (ContextMenuAction(data(), moduleName(), row - 1, action) != Acad::eOk)
        return;
    reload();
    // The moved or duplicated constraint stays selected; after a delete, the one before it.
    const int follow = action == kMenuMoveDown || action == kMenuDuplicate ? row : row - 2;
    select(std::max(0, std::min(follow, list_.length() - 1)));
}

BOOL CTabEditConstraints::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    if (HIWORD(wParam) == BN_CLICKED) {
        const MacroConstraint* c = list_.at(selected_);
        for (int state = 0; state < 5; ++state) {
            if (id == kStateButtons[state] && c != nullptr) {
                MacroConstraint edited = *c;
                edited.state = state;
                update(edited);
                return TRUE;
            }
        }
        switch (id) {
            case IDC_USE_VARIABLE:
            case IDC_SHOW_VALUE:
                if (c != nullptr) {
                    MacroConstraint edited = *c;
                    edited.useVariable = IsDlgButtonChecked(IDC_USE_VARIABLE) == BST_CHECKED;
                    edited.showValue =
                        edited.useVariable && IsDlgButtonChecked(IDC_SHOW_VALUE) == BST_CHECKED;
                    update(edited);
                }
                return TRUE;
            case IDC_DELETE:
                deleteSelected();
                return TRUE;
            case IDC_CUTS:
                cutsEscapeOnce_ = StartEditMacroCutDlg(data());
                return TRUE;
            default:
                break;
        }
    }
    return CEditMacroPage::OnCommand(wParam, lParam);
}

LRESULT CTabEditConstraints::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (static_cast<int>(wParam) == IDC_GRID && lParam != 0) {
        const auto* info = reinterpret_cast<const SS_NOTIFYINFO*>(lParam);
        switch (message) {
            case SSM_CLICK:
                if (info->Row >= 1)
                    select(info->Row - 1);
                break;
            case SSM_BLOCKSELECTED:
                // A click on a column header selects the whole column: the list is sorted by it.
                if (info->Col == info->Col2 && info->Row <= 1 && info->Row2 >= grid_.getMaxRows() &&
                    info->Col >= kKindCol && info->Col <= kValueCol) {
                    UnHighlightConstraints(data());
                    if (SortConstraints(data(), moduleName(), info->Col - 1) == Acad::eOk) {
                        selected_ = -1;
                        reload();
                    }
                }
                break;
            case SSM_LEAVECELL:
                if (info->NewRow >= 1 && info->NewRow - 1 != selected_)
                    select(info->NewRow - 1);
                break;
            case SSM_DATACHANGE:
                if (info->Col == kValueCol)
                    valueEdited(info->Row);
                break;
            case SSM_RIGHTCLICK:
                contextMenu(info->Row);
                break;
            default:
                break;
        }
    }
    return CEditMacroPage::WindowProc(message, wParam, lParam);
}
