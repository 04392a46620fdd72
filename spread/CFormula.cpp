#include "spread/CFormula.h"

#include <algorithm>  // find
#include <filesystem>
#include <vector>

#include "module/ModuleResources.h"
#include "platform/arx/CommandLine.h"
#include "platform/grid/Value.h"  // formatNumber
#include "platform/mfc/CString.h"
#include "platform/mfc/VlTempResourceOverride.h"
#include "platform/mfc/Win32Api.h"
#include "platform/mxbase/FileSystem.h"
#include "spread/CalculatingGrid.h"
#include "spread/Mx_SimplePropsList.h"  // leadingInt

namespace {

// The FROMTABLE lookups running now, one inside the other, and the table files they look into.
int gLookupDepth = 0;
std::vector<std::filesystem::path> gTablesLookedUp;

constexpr int kSwitchRedrawOnLoad = 12;
constexpr int kSwitchAutoCalc = 7;
// The number cells of a fresh sheet: two decimals, within +-9999.
constexpr long kNumberStyle = 0x10000200;
constexpr double kNumberLimit = 9999.0;

Mx_String fileArgument(const SS_VALUE& argument) {
    return Mx_String(argument.text.view());
}

}  // namespace

CFormula::CFormula(Mode mode, CWnd* parent) : CAcUiDialog(IDD, parent), mode_(mode) {}

CFormula::~CFormula() = default;

void CFormula::setCell(int col, int row) {
    col_ = col;
    row_ = row;
}

void CFormula::setFromTableCall(SS_VALUE* result, SS_VALUE* args, int count, Mx_Spread* caller) {
    result_ = result;
    args_ = args;
    argCount_ = count;
    caller_ = caller;
}

void CFormula::setReadOutputs(Mx_StringArray* columnNames, Mx_Array<Mx_StringArray>* rows) {
    columnNames_ = columnNames;
    rows_ = rows;
}

bool CFormula::registerFromTable(Mx_Spread& grid) {
    if (!grid.GetSafeHwnd())
        return false;
    Mx_Spread* owner = &grid;
    grid::CustomCallback callback = [owner](SS_VALUE& result, std::span<SS_VALUE> args) {
        // The grid being calculated is the caller; a grid that recalculates on its own (an edit with
        // automatic calculation) is its own caller.
        Mx_Spread* caller = CalculatingGrid::current();
        if (!caller)
            caller = owner;
        // A table that looks itself up (directly or round a ring of tables) would nest for ever.
        if (gLookupDepth >= kMaxNesting) {
            result.setEmpty();
            result.status = grid::RecordStatus::Invalid;
            return true;
        }
        struct Nested {
            Nested() { ++gLookupDepth; }
            ~Nested() { --gLookupDepth; }
        } nested;
        VlTempResourceOverride::Scope resources(ModuleResources::resourceOverride());
        CFormula lookup(kFromTable, nullptr);
        lookup.setFromTableCall(&result, args.data(), static_cast<int>(args.size()), caller);
        lookup.DoModal();
        return true;
    };
    return SSAddCustomFunctionExt(grid.GetSafeHwnd(), L"FROMTABLE", 2, 4, std::move(callback),
                                  SS_CUSTFUNC_WANTCELLREF) != FALSE;
}

BOOL CFormula::OnInitDialog() {
    CAcUiDialog::OnInitDialog();
    if (mode_ == kRecalcCell) {
        // Shown over whatever window was in front when it was asked for.
        SetForegroundWindow();
        BringWindowToTop();
        SetFocus();
    }
    SetDlgItemText(IDC_FILE, fileName_.c_str());

    // NOTE: the grid takes the placeholder's place in the client area. Keeping the place measured
    // from the window's corner would push it down by the caption's height onto the buttons.
    grid_.createFromDlgItem(this, IDC_GRID, false);
    grid_.SetBool(kSwitchRedrawOnLoad, TRUE);
    grid_.SetBool(kSwitchAutoCalc, FALSE);

    CheckDlgButton(IDC_AUTOCALC, BST_UNCHECKED);
    CheckRadioButton(IDC_DEFAULT, IDC_R1C1, IDC_DEFAULT);
    registerFromTable(grid_);
    grid_.SetMaxRows(10);
    grid_.SetMaxCols(8);
    grid_.SetAutoSizeVisible(4, 5);
    SS_CELLTYPE number;
    grid_.SetTypeNumber(&number, kNumberStyle, 2, -kNumberLimit, kNumberLimit, TRUE);
    grid_.SetCellTypeRange(1, 1, 6, 6, &number);

    if (!fileName_.isEmpty()) {
        loaded_ = grid_.LoadFromFile(fileName_.c_str()) != FALSE;
        acutPrintf(L"Loading spreadsheet:%s\n", fileName_.c_str());
        registerFromTable(grid_);
    }

    if (mode_ == kReadAll) {
        readAll();
        EndDialog(IDOK);
        return TRUE;
    }
    {
        CalculatingGrid::Scope current(&grid_);
        if (mode_ == kRecalcCell)
            grid_.ReCalcCell(col_, row_);
        else if (mode_ == kFromTable)
            evaluateFromTable();
    }
    if (mode_ == kFromTable)
        EndDialog(IDOK);
    return TRUE;
}

BOOL CFormula::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
            case IDC_DEFAULT:
                setRefStyle(0);
                return TRUE;
            case IDC_A1:
                setRefStyle(1);
                return TRUE;
            case IDC_R1C1:
                setRefStyle(2);
                return TRUE;
            case IDC_SAVE:
                saveToFile();
                return TRUE;
            case IDC_LOAD:
                loadFromFile();
                return TRUE;
            case IDC_AUTOCALC:
                onAutoCalc();
                return TRUE;
            case IDC_RECALC:
                grid_.ReCalc();
                return TRUE;
            default:
                break;
        }
    }
    return CAcUiDialog::OnCommand(wParam, lParam);
}

void CFormula::setRefStyle(short style) {
    grid_.SetRefStyle(style);
    // Column 1 shows the formulas of column 4 as the new style writes them: rows 1 to 4 always, row 5
    // when it has a formula.
    Mx_String formula;
    for (int row = 1; row <= 5; ++row) {
        grid_.getCellText(4, row, formula, Mx_Spread::kFormula);
        if (row == 5 && formula.isEmpty())
            break;
        grid_.SetData(1, row, formula.c_str());
    }
    grid_.autoSizeColumn(1, false);
}

void CFormula::saveToFile() {
    CString name;
    GetDlgItemText(IDC_FILE, name);
    if (!grid_.SaveToFile(static_cast<LPCTSTR>(name)))
        acutPrintf(L"Save failed\n");
}

void CFormula::loadFromFile() {
    CString name;
    GetDlgItemText(IDC_FILE, name);
    if (!grid_.LoadFromFile(static_cast<LPCTSTR>(name)))
        acutPrintf(L"Load failed\n");
    registerFromTable(grid_);
}

void CFormula::onAutoCalc() {
    const bool automatic = IsDlgButtonChecked(IDC_AUTOCALC) == BST_CHECKED;
    grid_.SetBool(kSwitchAutoCalc, automatic ? TRUE : FALSE);
    if (CWnd* recalc = GetDlgItem(IDC_RECALC))
        recalc->EnableWindow(automatic ? FALSE : TRUE);
}

void CFormula::readAll() {
    if (!columnNames_ || !rows_)
        return;
    columnNames_->removeAll();
    rows_->removeAll();
    grid_.getCellText(1, 1, title_, Mx_Spread::kData);
    const int cols = grid_.getMaxCols(), rows = grid_.getMaxRows();
    Mx_String text;
    for (int col = 1; col <= cols; ++col) {
        grid_.getCellText(col, SS_HEADER, text, Mx_Spread::kData);
        columnNames_->append(text);
    }
    for (int row = 1; row <= rows; ++row) {
        auto* cells = new Mx_StringArray;
        cells->reserve(cols);
        for (int col = 1; col <= cols; ++col) {
            grid_.getCellText(col, row, text, Mx_Spread::kData);
            cells->append(text);
        }
        rows_->append(cells);
    }
}

// ---- FROMTABLE -------------------------------------------------------------------------------------

void CFormula::evaluateFromTable() {
    if (!caller_ || !result_ || !args_)
        return;
    result_->setEmpty();
    result_->status = grid::RecordStatus::Invalid;
    for (int i = 0; i < argCount_; ++i)
        if (args_[i].status != grid::RecordStatus::Valid)
            return;
    if (args_[0].type != grid::RecordType::String)
        return;

    // A table being looked up already (this lookup runs inside one of its cells) is a circular
    // reference: loading it again would look it up again, for ever.
    const Mx_String file = fileArgument(args_[0]);
    std::error_code failure;
    std::filesystem::path table = std::filesystem::weakly_canonical(fsys::resolve(file.view()), failure);
    if (failure)
        table = fsys::resolve(file.view());
    if (std::find(gTablesLookedUp.begin(), gTablesLookedUp.end(), table) != gTablesLookedUp.end())
        return;
    gTablesLookedUp.push_back(table);
    struct LookedUp {
        ~LookedUp() { gTablesLookedUp.pop_back(); }
    } lookedUp;

    if (!grid_.LoadFromFile(file.c_str()))
        return;
    registerFromTable(grid_);

    int col = 0, row = 0;
    if (!findTarget(col, row))
        return;
    grid_.ReCalcCell(col, row);

    if (argCount_ == 2 || argCount_ == 4) {
        giveResult(col, row);
        return;
    }
    // Three arguments: the text goes into the caller's cell, the function itself gives no value.
    const SS_VALUE& target = args_[2];
    if (target.type != grid::RecordType::Cell)
        return;
    Mx_String text;
    grid_.getCellText(col, row, text, Mx_Spread::kData);
    caller_->SetData(target.col, target.row, text.c_str());
}

bool CFormula::argumentText(const SS_VALUE& argument, Mx_String& text) {
    switch (argument.type) {
        case grid::RecordType::Long:
            text = Mx_String(static_cast<long>(argument.longValue));
            return true;
        case grid::RecordType::Double:
            text = Mx_String(grid::formatNumber(argument.doubleValue));
            return true;
        case grid::RecordType::String:
            text = Mx_String(argument.text.view());
            return true;
        case grid::RecordType::Cell:
            return caller_->getCellText(argument.col, argument.row, text, Mx_Spread::kData);
        case grid::RecordType::Range:
            break;
    }
    return false;
}

bool CFormula::findTarget(int& col, int& row) {
    const int cols = grid_.getMaxCols(), rows = grid_.getMaxRows();
    if (argCount_ < 4) {
        const SS_VALUE& cell = args_[1];
        if (cell.type != grid::RecordType::Cell)
            return false;
        // A reference beyond the table is no cell of it.
        if (cell.col < 1 || cell.col > cols || cell.row < 1 || cell.row > rows)
            return false;
        col = cell.col;
        row = cell.row;
        return true;
    }
    Mx_String keyHeader, resultHeader, key;
    if (!argumentText(args_[1], keyHeader) || !argumentText(args_[2], resultHeader) ||
        !argumentText(args_[3], key))
        return false;
    int keyCol = 0, resultCol = 0;
    Mx_String text;
    for (int c = 1; c <= cols && (keyCol == 0 || resultCol == 0); ++c) {
        grid_.getCellText(c, SS_HEADER, text, Mx_Spread::kData);
        if (keyCol == 0 && text.equal(keyHeader, false))
            keyCol = c;
        if (resultCol == 0 && text.equal(resultHeader, false))
            resultCol = c;
    }
    if (keyCol == 0 || resultCol == 0)
        return false;
    for (int r = 1; r <= rows; ++r) {
        grid_.getCellText(keyCol, r, text, Mx_Spread::kData);
        if (text.equal(key, false)) {
            col = resultCol;
            row = r;
            return true;
        }
    }
    return false;
}

void CFormula::giveResult(int col, int row) {
    const int type = grid_.getCellType(col, row);
    Mx_String text;
    const bool readable = grid_.getCellText(col, row, text, Mx_Spread::kData);
    switch (type) {
        case SS_TYPE_INTEGER:
        case SS_TYPE_CHECKBOX:
            *result_ = SS_VALUE::ofLong(leadingInt(text.view()));
            if (!readable)
                result_->status = grid::RecordStatus::Empty;
            break;
        case SS_TYPE_FLOAT:
        case SS_TYPE_CURRENCY:
        case SS_TYPE_PERCENT: {
            double number = 0.0;
            const bool isNumber = grid_.GetFloat(col, row, &number) != FALSE;
            *result_ = SS_VALUE::ofDouble(number);
            if (!isNumber)
                result_->status = grid::RecordStatus::Empty;
            break;
        }
        default:
            *result_ = SS_VALUE::ofString(text.view());
            if (!readable) {
                result_->text.free();
                result_->status = grid::RecordStatus::Empty;
            }
            break;
    }
    if (result_->status != grid::RecordStatus::Valid)
        return;
    switch (result_->type) {
        case grid::RecordType::Long:
            acutPrintf(L"Result is long: %i\n", result_->longValue);
            break;
        case grid::RecordType::Double:
            acutPrintf(L"Result is double: %f\n", result_->doubleValue);
            break;
        case grid::RecordType::String:
            acutPrintf(L"Result is string: %s\n", text.c_str());
            break;
        case grid::RecordType::Cell:
            acutPrintf(L"Result is cell\n");
            break;
        case grid::RecordType::Range:
            acutPrintf(L"Result is range\n");
            break;
    }
}
