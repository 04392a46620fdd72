#include "standards/CTabMacroMapping.h"

#include <algorithm>
#include <filesystem>

#include "platform/grid/window/GridMessages.h"
#include "platform/mxbase/FileSystem.h"
#include "platform/mxbase/Mx_Settings.h"
#include "platform/mxbase/UiTexts.h"
#include "standards/VlMappingStore.h"

namespace {

constexpr int kUpIcon = 261, kDownIcon = 262;

bool isModuleText(const Mx_String& mapsTo) {
    return mapsTo.startsWith(CTabMacroMapping::kModulePrefix, true);
}

// What the maps-to column shows: the module group of a "Module." text, "<Entire macro>" otherwise.
Mx_String mapsToShown(const Mx_String& mapsTo) {
    if (!isModuleText(mapsTo))
        return CTabMacroMapping::kEntireMacro;
    return mapsTo.getSubStringAt(mapsTo.findFirstFrom(L'.') + 1);
}

}  // namespace

CTabMacroMapping::CTabMacroMapping(TabMappingData* data) : CDialog(IDD, nullptr), data_(data) {}

CTabMacroMapping::~CTabMacroMapping() = default;

bool CTabMacroMapping::createPage(CWnd* parent) {
    if (!Create(IDD, parent))
        return false;
    SetDlgCtrlID(static_cast<int>(IDD));
    return true;
}

Mx_StringArray CTabMacroMapping::librarySheets() {
    Mx_String folder = gSettings.libDir();
    folder += L"Connection Standards";
    const std::filesystem::path root = fsys::resolve(folder.view());
    std::vector<std::wstring> found;
    std::error_code failure;
    for (auto it = std::filesystem::recursive_directory_iterator(
             root, std::filesystem::directory_options::skip_permission_denied, failure);
         !failure && it != std::filesystem::recursive_directory_iterator(); it.increment(failure)) {
        if (!it->is_regular_file(failure))
            continue;
        std::wstring extension = it->path().extension().wstring();
        std::transform(extension.begin(), extension.end(), extension.begin(), ::towlower);
        if (extension != L".vls")
            continue;
        std::filesystem::path relative = it->path().lexically_relative(root);
        relative.replace_extension();
        std::wstring name = relative.wstring();
        std::replace(name.begin(), name.end(), L'/', L'\\');
        found.push_back(name);
    }
    std::sort(found.begin(), found.end());
    Mx_StringArray sheets;
    for (const std::wstring& name : found)
        sheets.append(Mx_String(name));
    return sheets;
}

Mx_String CTabMacroMapping::candidateText(const VlObjectMap& link) {
    return VlMappingStore::candidateText(link);
}

BOOL CTabMacroMapping::OnInitDialog() {
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_ADD, dialString(606).c_str());
    SetDlgItemText(IDC_REMOVE, dialString(607).c_str());
    struct Mover {
        CButtonST& button;
        int id, icon, tip;
    };
    for (const Mover& m : {Mover{up_, IDC_UP, kUpIcon, 173}, Mover{down_, IDC_DOWN, kDownIcon, 174}}) {
        if (!m.button.SubclassDlgItem(m.id, this))
            continue;
        m.button.SetFlat(FALSE);
        m.button.SetIcon(m.icon);
        m.button.SetTooltipText(dialString(m.tip).c_str());
    }

    sheets_.createFromDlgItem(this, IDC_SHEETS, false);
    sheets_.initDefaults(0);
    sheets_.SetBool(SSB_ROWHEADERS, FALSE);
    variables_.createFromDlgItem(this, IDC_VARIABLES, false);
    variables_.initDefaults(0);
    clearVariables();
    if (!usable()) {
        sheets_.SetMaxCols(2);
        sheets_.SetMaxRows(0);
        for (int id : {IDC_ADD, IDC_REMOVE, IDC_UP, IDC_DOWN})
            GetDlgItem(id)->EnableWindow(FALSE);
        return TRUE;
    }
    sheetChoices_ = librarySheets();
    fillSheets();
    if (!data_->sheets.isEmpty())
        selectRow(0);
    return TRUE;
}

void CTabMacroMapping::fillSheets() {
    filling_ = true;
    const int rows = data_->sheets.length();
    sheets_.SetMaxCols(2);
    sheets_.SetMaxRows(rows);
    sheets_.SetData(1, SS_HEADER, L"Spreadsheet");
    sheets_.SetData(2, SS_HEADER, L"Maps to");
    Mx_StringArray targets;
    targets.append(kEntireMacro);
    targets.append(data_->moduleGroups);
    if (rows > 0) {
        sheets_.setComboColumn(1, sheetChoices_, false);
        sheets_.setComboColumn(2, targets, false);
    }
    for (int i = 0; i < rows; ++i) {
        sheets_.setCellText(1, i + 1, data_->sheets[i]);
        sheets_.setCellText(2, i + 1, mapsToShown(data_->mapsTo.at(i)));
    }
    sheets_.fitColumnsToWidth(false, 0);
    filling_ = false;
}

void CTabMacroMapping::selectRow(int row) {
    current_ = validRow(row) ? row : -1;
    if (current_ >= 0) {
        filling_ = true;
        sheets_.selectBlock(1, current_ + 1, 1, current_ + 1);
        filling_ = false;
    }
    showVariables(current_);
}

void CTabMacroMapping::clearVariables() {
    rows_.clear();
    variablesShown_ = false;
    mapping_ = VlSSMapping();
    variables_.Reset();
    variables_.initDefaults(0);
    variables_.SetMaxCols(2);
    variables_.SetMaxRows(0);
    variables_.SetData(SS_HEADER, SS_HEADER, L"Type");
    variables_.SetData(1, SS_HEADER, L"Std Name");
    variables_.SetData(2, SS_HEADER, L"Macro object");
    variables_.fitColumnsToWidth(true, -1);
}

void CTabMacroMapping::showVariables(int row) {
    clearVariables();
    if (!validRow(row) || isModuleText(data_->mapsTo.at(row)))
        return;  // module groups follow the name convention: there are no links to edit
    const Mx_String& sheet = data_->sheets[row];
    // A sheet that cannot be read shows no variables, and nothing is stored for it: links of another
    // sheet must never be saved under this one.
    if (sheet.isEmpty() || variables_.loadFile(sheet) != Acad::eOk ||
        variables_.initVarCells() != Acad::eOk) {
        clearVariables();
        return;
    }
    // A target not stored yet (or gone from the file) starts without links.
    if (!storedMapping(variables_.fileName(), data_->mapsTo.at(row), mapping_))
        mapping_ = VlSSMapping();
    const VlVarCells cells = variables_.varCells();

    variables_.Reset();
    variables_.initDefaults(0);
    variables_.SetMaxCols(2);
    variables_.SetData(SS_HEADER, SS_HEADER, L"Type");
    variables_.SetData(1, SS_HEADER, L"Std Name");
    variables_.SetData(2, SS_HEADER, L"Macro object");
    const Mx_Array<VlObjectMap>& all = data_->allVars.mappedObjects();
    int gridRow = 0;
    for (const VlCellType section : {kVlInput, kVlOutput}) {
        gridRow += 2;  // a blank row, then the title row
        variables_.SetMaxRows(gridRow);
        variables_.SetData(SS_HEADER, gridRow - 1, L" ");  // not the row's number
        variables_.SetData(SS_HEADER, gridRow, section == kVlInput ? L"Input" : L"Output");
        for (int i = 0; i < cells.length(); ++i) {
            const VlVarCell& cell = cells[i];
            if (cell.cellType != section)
                continue;
            VariableRow shown;
            shown.gridRow = ++gridRow;
            shown.name = cell.name;
            shown.type = cell.valueType;
            data_->allVars.getValidVars(false, cell.valueType, shown.candidates);
            // The empty first item unlinks the variable.
            Mx_StringArray items;
            items.append(Mx_String());
            for (int c = 0; c < shown.candidates.length(); ++c)
                items.append(candidateText(all[shown.candidates[c]]));
            variables_.SetMaxRows(gridRow);
            variables_.SetData(SS_HEADER, gridRow, VlMappingStore::typeText(cell.valueType));
            variables_.setStaticTextCell(1, gridRow, 0);
            variables_.setCellText(1, gridRow, cell.name);
            variables_.setComboCell(2, gridRow, items, false);
            int linked = -1, candidate = -1;
            if (mapping_.findSSVar(cell.name, cell.valueType, linked) == Acad::eOk) {
                const VlObjectMap& link = mapping_.mappedObjects()[linked];
                for (int c = 0; c < shown.candidates.length() && candidate < 0; ++c)
                    if (all[shown.candidates[c]].isCompatible(link) == Acad::eOk)
                        candidate = c;
                if (candidate < 0) {
                    shown.hasKept = true;
                    shown.kept = link;
                    shown.keptText = candidateText(link);
                    variables_.setCellText(2, gridRow, shown.keptText);
                }
            }
            if (candidate >= 0)
                variables_.setCellText(2, gridRow, items[candidate + 1]);
            rows_.push_back(std::move(shown));
        }
    }
    if (!rows_.empty())
        variables_.SetActiveCell(2, rows_.front().gridRow);
    variables_.SetBool(SSB_CHANGEMADE, FALSE);
    variables_.autoSizeColumn(0, false);
    variables_.autoSizeColumn(1, false);
    variables_.stretchColumn(2);
    variablesShown_ = true;
}

Acad::ErrorStatus CTabMacroMapping::storeRows() {
    if (!usable())
        return Acad::eInvalidInput;
    Mx_StringArray sheets, targets;
    sheets_.getColumnTexts(1, sheets);
    sheets_.getColumnTexts(2, targets);
    Mx_StringArray newSheets, newMapsTo;
    for (int i = 0; i < sheets_.GetMaxRows(); ++i) {
        newSheets.append(sheets.at(i));
        const Mx_String& target = targets.at(i);
        const Mx_String& previous = data_->mapsTo.at(i);
        if (target.isEmpty() || target.equal(kEntireMacro, true))
            newMapsTo.append(isModuleText(previous) ? Mx_String() : previous);
        else
            newMapsTo.append(Mx_String(kModulePrefix) + target);
    }
    if (!(newSheets == data_->sheets) || !(newMapsTo == data_->mapsTo))
        modified_ = true;
    data_->sheets = newSheets;
    data_->mapsTo = newMapsTo;
    return Acad::eOk;
}

bool CTabMacroMapping::drawFreshKey(const Mx_String& sheet, Mx_String& key) const {
    Mx_StringArray taken;
    for (const Pending& p : pending_)
        taken.append(p.key);
    return VlMappingStore::drawFreshKey(sheet, taken, key);
}

CTabMacroMapping::Pending* CTabMacroMapping::findPending(const Mx_String& sheet, const Mx_String& key) {
    for (Pending& p : pending_)
        if (VlCalcSS::samePath(p.sheet, sheet) && p.key.equal(key, true))
            return &p;
    return nullptr;
}

bool CTabMacroMapping::storedMapping(const Mx_String& sheet, const Mx_String& key,
                                     VlSSMapping& mapping) const {
    if (key.isEmpty())
        return false;
    for (const Pending& p : pending_) {
        if (VlCalcSS::samePath(p.sheet, sheet) && p.key.equal(key, true)) {
            mapping = p.mapping;
            return true;
        }
    }
    VlSSMapping stored;
    if (stored.getMappingFromFile(sheet, key) != Acad::eOk)
        return false;
    mapping = stored;
    return true;
}

Acad::ErrorStatus CTabMacroMapping::storeCurrentMapping() {
    if (!usable())
        return Acad::eInvalidInput;
    if (!validRow(current_) || isModuleText(data_->mapsTo.at(current_)) || !variablesShown_)
        return Acad::eOk;
    const Mx_String sheet = variables_.fileName();
    const Mx_Array<VlObjectMap>& all = data_->allVars.mappedObjects();
    VlSSMapping edited;
    edited.type = VlSSMapping::kMappingFile;
    for (const VariableRow& row : rows_) {
        Mx_String chosen;
        variables_.getCellText(2, row.gridRow, chosen);
        if (row.hasKept && !chosen.isEmpty() && chosen.equal(row.keptText, true)) {
            edited.mappedObjectsWrite().append(row.kept);
            continue;
        }
        for (int c = 0; c < row.candidates.length(); ++c) {
            if (candidateText(all[row.candidates[c]]).equal(chosen, true)) {
                VlObjectMap link = all[row.candidates[c]];
                link.ssVarName = row.name;
                edited.mappedObjectsWrite().append(link);
                break;
            }
        }
    }
    mapping_ = edited;
    Mx_String key = data_->mapsTo.at(current_);
    VlSSMapping stored;
    if (storedMapping(sheet, key, stored) && VlMappingStore::sameLinks(mapping_, stored))
        return Acad::eOk;
    modified_ = true;
    if (Pending* pending = findPending(sheet, key)) {
        pending->mapping = mapping_;  // a key not written yet is still this dialog's own
        return Acad::eOk;
    }
    if (!drawFreshKey(sheet, key))
        return Acad::eInvalidInput;
    data_->mapsTo[current_] = key;
    pending_.push_back(Pending{sheet, key, mapping_});
    return Acad::eOk;
}

Acad::ErrorStatus CTabMacroMapping::writePending() {
    Acad::ErrorStatus status = Acad::eOk;
    std::vector<Pending> unwritten;
    for (Pending& p : pending_) {
        // A set whose row was removed (or given another target) since is not written.
        bool used = false;
        for (int i = 0; i < data_->sheets.length() && !used; ++i) {
            used = data_->mapsTo[i].equal(p.key, true) &&
                   VlCalcSS::samePath(VlSSMapping::mappingFileName(data_->sheets[i]),
                                      VlSSMapping::mappingFileName(p.sheet));
        }
        if (used && p.mapping.setMappingToFile(p.sheet, p.key) != Acad::eOk) {
            // Kept for the next try: the macro must not be left naming a key its file lacks.
            if (status == Acad::eOk)
                writeProblem_ = VlSSMapping::mappingFileName(p.sheet);
            status = Acad::eInvalidInput;
            unwritten.push_back(std::move(p));
        }
    }
    pending_ = std::move(unwritten);
    return status;
}

Acad::ErrorStatus CTabMacroMapping::apply(bool& modified) {
    if (!usable())
        return Acad::eInvalidInput;
    storeRows();
    writeProblem_ = Mx_String();
    Acad::ErrorStatus status = storeCurrentMapping();
    if (writePending() != Acad::eOk)
        status = Acad::eInvalidInput;
    modified = modified_;
    return status;
}

void CTabMacroMapping::onGridMessage(UINT message) {
    if (!usable() || filling_)
        return;
    if (message == SSM_COMBOSELCHANGE) {
        storeRows();
        showVariables(current_);
        return;
    }
    const int selected = sheets_.selectedRow() - 1;
    if (validRow(selected) && selected != current_) {
        storeCurrentMapping();
        current_ = selected;
        showVariables(current_);
    }
}

LRESULT CTabMacroMapping::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case SSM_LEAVECELL:
        case SSM_BLOCKSELECTED:
        case SSM_EDITMODEON:
        case SSM_COMBODROPDOWN:
        case SSM_COMBOCLOSEUP:
        case SSM_COMBOSELCHANGE:
            if (static_cast<int>(wParam) == IDC_SHEETS)
                onGridMessage(message);
            return 0;
        default:
            return CDialog::WindowProc(message, wParam, lParam);
    }
}

int CTabMacroMapping::addRow(int selected) {
    const int at = validRow(selected) ? selected : data_->sheets.length();
    data_->sheets.insertAt(at, Mx_String());
    data_->mapsTo.insertAt(at, Mx_String());
    return at;
}

int CTabMacroMapping::removeRow(int selected) {
    if (!validRow(selected))
        return current_;
    data_->sheets.removeAt(selected);
    data_->mapsTo.removeAt(selected);
    return std::min(selected, data_->sheets.length() - 1);
}

int CTabMacroMapping::moveUp(int selected) {
    if (!validRow(selected) || selected == 0)
        return selected;
    data_->sheets.swap(selected, selected - 1);
    data_->mapsTo.swap(selected, selected - 1);
    return selected - 1;
}

int CTabMacroMapping::moveDown(int selected) {
    if (!validRow(selected) || selected + 1 >= data_->sheets.length())
        return selected;
    data_->sheets.swap(selected, selected + 1);
    data_->mapsTo.swap(selected, selected + 1);
    return selected + 1;
}

void CTabMacroMapping::editRows(int (CTabMacroMapping::*edit)(int selected)) {
    if (!usable())
        return;
    storeCurrentMapping();
    storeRows();
    const int selected = sheets_.selectedRow() - 1;
    const int next = (this->*edit)(selected);
    fillSheets();
    modified_ = true;
    selectRow(next);
}

BOOL CTabMacroMapping::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
            case IDC_ADD:
                editRows(&CTabMacroMapping::addRow);
                return TRUE;
            case IDC_REMOVE:
                editRows(&CTabMacroMapping::removeRow);
                return TRUE;
            case IDC_UP:
                editRows(&CTabMacroMapping::moveUp);
                return TRUE;
            case IDC_DOWN:
                editRows(&CTabMacroMapping::moveDown);
                return TRUE;
            default:
                break;
        }
    }
    return CDialog::OnCommand(wParam, lParam);
}
