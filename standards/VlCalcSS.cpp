#include "standards/VlCalcSS.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/grid/GridFile.h"
#include "platform/grid/Sheet.h"
#include "platform/grid/window/SSFunctions.h"
#include "platform/mfc/Win32Api.h"
#include "platform/mxbase/FileSystem.h"
#include "platform/mxbase/Mx_Settings.h"
#include "platform/mxbase/StringFunctions.h"
#include "spread/CalculatingGrid.h"
#include "standards/DisplayPath.h"
#include "standards/StandardsTimers.h"
#include "standards/StandardsWarnings.h"
#include "standards/VlDlgStandardsData.h"
#include "standards/VlFileLookup.h"
#include "standards/VlRunReport.h"
#include "standards/VlTypedValue.h"
#include "standards/VlNameErrorCause.h"
#include "standards/VlWholeWord.h"

namespace {

// Grid switches a sheet is loaded with: 13 and 12 on; redraw (8) and automatic calculation (7) off,
// so that every equation is computed exactly once, when it is evaluated in sheet order.
constexpr short kSwitchesOn[] = {13, 12};
constexpr short kSwitchesOff[] = {SSB_REDRAW, SSB_AUTOCALC};

// Equation cells of a text target: an edit cell of 200 characters.
constexpr long kTextEquationStyle = 0x110000;
constexpr int kTextEquationLength = 200;
constexpr int kNumberEquationDecimals = 7;

// The value text of a cell, read from the grid engine itself: what getCellText(kValue) gives for a
// cell inside the sheet, without the window's round trips (length, then text). The sheet loops read
// every cell, so this is most of their cost.
bool cellValue(const grid::Sheet* sheet, int col, int row, std::wstring& text) {
    text.clear();
    return sheet && sheet->getText(col, row, grid::TextKind::Value, text);
}

// The rows of an area that hold something, top to bottom, and in each the columns that do, left to
// right: the cells a loop over every cell of the area would act on, in its order, including what the
// loop writes ahead of itself (each step asks the sheet again). A sheet may declare two million rows
// and 16,384 columns and hold a few cells; its scans cost what it holds. 0 is "no further one".
class UsedCells {
public:
    UsedCells(const grid::Sheet* sheet, int col1, int row1, int col2, int row2)
        : sheet_(sheet), area_{col1, row1, col2, row2} {}
    int firstRow() const { return rowFrom(area_.col1, area_.row1); }
    int nextRow(int row) const { return rowFrom(area_.col2 + 1, row); }
    int firstCol(int row) const { return colFrom(area_.col1, row); }
    int nextCol(int row, int col) const { return colFrom(col + 1, row); }

private:
    int rowFrom(std::int32_t col, std::int32_t row) const {
        return sheet_ && sheet_->nextUsedCell(area_, col, row) ? row : 0;
    }
    int colFrom(std::int32_t col, std::int32_t row) const {
        const std::int32_t inRow = row;
        return sheet_ && sheet_->nextUsedCell(area_, col, row) && row == inRow ? col : 0;
    }
    const grid::Sheet* sheet_;
    grid::CellRange area_;
};

// The cells the sheet stores inside columns 1..lastCol and rows 1..lastRow, rows top to bottom and
// each left to right, found in one walk over what the sheet holds. Besides the used cells (a datum
// or a formula) they include cells that hold only a type or a look, which hold no text: a loop that
// only reads the text cells of the area and writes nothing ahead of itself acts on the same cells,
// in the same order, as one that goes from each used cell to the next.
struct StoredCell {
    int col, row;
};
std::vector<StoredCell> storedCells(const grid::Sheet* sheet, int lastCol, int lastRow) {
    std::vector<StoredCell> cells;
    if (!sheet)
        return cells;
    sheet->forEachCell(grid::CellOrder::ByRow, [&](std::int32_t col, std::int32_t row) {
        if (col >= 1 && row >= 1 && col <= lastCol && row <= lastRow)
            cells.push_back({col, row});
    });
    return cells;
}

// Each header's first cell whose value text is exactly the header, rows from the top, each row from
// column 1 (findNextExact from (1, 1)), for the four headers in one pass over the cells. The start
// rows (header row + 1, -1 when missing) of Input, Output, Local and Calc.
void findSectionsIn(const grid::Sheet& sheet, const std::vector<StoredCell>& cells, int (&startRows)[4]) {
    const wchar_t* headers[] = {L"Input", L"Output", L"Local", L"Calc"};
    int missing = 4;
    for (int& start : startRows)
        start = -1;
    for (std::size_t i = 0; i < cells.size() && missing > 0; ++i) {
        // Only a text shows as a header: numbers show digits, errors nothing.
        const std::wstring* text = sheet.textValue(cells[i].col, cells[i].row);
        if (!text || text->empty())
            continue;
        for (int h = 0; h < 4; ++h) {
            if (startRows[h] < 0 && *text == headers[h]) {
                startRows[h] = cells[i].row + 1;
                --missing;
            }
        }
    }
}

// The words of a text (runs of letters A-Z/a-z, digits and "_"), letters folded to lower case, as
// the first `count` strings of `words`; the strings after them are kept for their storage, so a
// text with no more and no longer words than one before allocates nothing.
std::size_t foldedWords(const std::wstring& text, std::vector<std::wstring>& words) {
    std::size_t count = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (!VlWholeWord::isWordCharacter(text[i])) {
            ++i;
            continue;
        }
        const std::size_t start = i;
        while (i < text.size() && VlWholeWord::isWordCharacter(text[i]))
            ++i;
        if (count == words.size())
            words.emplace_back();
        std::wstring& word = words[count++];
        word.assign(text, start, i - start);
        for (wchar_t& c : word)
            c = VlWholeWord::foldAscii(c);
    }
    return count;
}

// A one-word name, folded; empty for a name holding any other character ("gen.Clearance").
std::wstring foldedWord(const Mx_String& name) {
    const std::wstring_view text = name.view();
    if (!std::all_of(text.begin(), text.end(), VlWholeWord::isWordCharacter))
        return std::wstring();
    std::wstring word(text);
    for (wchar_t& c : word)
        c = VlWholeWord::foldAscii(c);
    return word;
}

// False for a text that cannot be a declaration: its first character after blanks cannot start
// "Int", "Double" or "String" in any case (letters beyond ASCII may fold to one of them).
bool mayDeclare(const std::wstring& text) {
    const std::size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos) return false;
    const wchar_t c = text[first];
    return c >= 0x80 || c == L'I' || c == L'i' || c == L'D' || c == L'd' || c == L'S' || c == L's';
}

// An equation's result as its target's type writes it (VlTypedValue). A number in the equation cell
// of a Double target reads with 7 decimals already: only text results and Int targets need work.
Mx_String typedResult(const grid::Sheet& sheet, int col, int row, VlValueType type, std::wstring&& result) {
    if (type == kVlString || (type == kVlDouble && !sheet.textValue(col, row))) return Mx_String(std::move(result));
    if (type == kVlInteger) {
        // From the number itself: the 7 decimals of the text would round twice (2.49999999).
        const grid::Value value = sheet.value(col, row);
        if (value.isNumber()) return vlTypedValue(value.asNumber(), type);
    }
    return vlTypedValue(Mx_String(std::move(result)), type);
}

// A sheet found as named in the working folder while the library holds one of that name too.
void reportShadowedSheet(const Mx_String& name) {
    const Mx_String standards = gSettings.libDir() + L"Connection Standards\\";
    const Mx_String candidates[] = {name, standards + name + L".vls", standards + name};
    VlFileLookup::reportShadowed(candidates, name, "sheet", name);
}

Mx_String trimmed(const Mx_String& text) { return stripSymbols(text, Mx_String(L" \t"), StripSide::Both); }

}  // namespace

VlCalcSS::~VlCalcSS() = default;

void VlCalcSS::setGenVars(const Mx_StringArray& names, const Mx_StringArray& values) {
    genVarNames_ = names;
    genVarValues_ = values;
}

Acad::ErrorStatus VlCalcSS::loadFile(const Mx_String& name) {
    Mx_String path = name;
    if (!VlFileLookup::isFile(path))
        path = gSettings.libDir() + L"Connection Standards\\" + name + L".vls";
    else if (VlRunReport::active())
        reportShadowedSheet(name);
    const HWND grid = GetSafeHwnd();
    for (short index : kSwitchesOn) SSSetBool(grid, index, TRUE);
    for (short index : kSwitchesOff) SSSetBool(grid, index, FALSE);
    if (!SSLoadFromFile(grid, fsys::toWide(fsys::resolve(path.view())).c_str())) {
        if (vlReporting()) {
            // The window keeps no diagnostic: the grid's own loader says what it could not read.
            grid::Sheet probe;
            const grid::GridFileResult why = grid::GridFile::load(probe, path.view());
            std::string diagnostic = why ? "cannot be loaded" : why.diagnostic;
            const std::string given = path.toUtf8();
            if (diagnostic.starts_with(given)) diagnostic.replace(0, given.size(), displayPath(path).toUtf8());
            vlNoteCause(diagnostic);
        }
        return Acad::eInvalidInput;
    }
    fileName_ = path;
    return Acad::eOk;
}

void VlCalcSS::findSections(int (&startRows)[4]) {
    for (int& start : startRows)
        start = -1;
    const grid::Sheet* sheet = SSGetSheet(GetSafeHwnd());
    if (!sheet) return;
    findSectionsIn(*sheet, storedCells(sheet, getMaxCols(), getMaxRows()), startRows);
}

Acad::ErrorStatus VlCalcSS::initVarCells() {
    varCells_.resetVarCells();
    const int lastRow = getMaxRows();
    const int lastCol = getMaxCols();
    const grid::Sheet* sheet = SSGetSheet(GetSafeHwnd());
    // The sections and the declarations in them are read in one walk over the sheet's cells.
    const std::vector<StoredCell> cells = storedCells(sheet, lastCol, lastRow);
    int starts[4] = {-1, -1, -1, -1};
    if (sheet)
        findSectionsIn(*sheet, cells, starts);
    if (starts[0] < 0 || starts[1] < 0) {
        vlNoteCause(starts[0] < 0 ? "no \"Input\" section" : "no \"Output\" section");
        return Acad::eInvalidInput;
    }
    const VlCellType types[] = {kVlInput, kVlOutput, kVlLocal};
    for (int s = 0; s < 3; ++s) {
        if (starts[s] < 0) continue;
        int end = lastRow;
        int nearest = -1;
        for (int o = 0; o < 4; ++o)
            if (o != s && starts[o] > starts[s] && (nearest < 0 || starts[o] < nearest)) nearest = starts[o];
        if (nearest > 0) end = nearest - 1;
        const auto first = std::lower_bound(cells.begin(), cells.end(), starts[s],
                                            [](const StoredCell& cell, int row) { return cell.row < row; });
        for (auto at = first; at != cells.end() && at->row <= end; ++at) {
            const int col = at->col, row = at->row;
            // What VlVarCell::initialize does. Only a text can declare (a number shows digits, an
            // error nothing), and a text seen before is not parsed again.
            const auto* shared = sheet->sharedTextValue(col, row);
            if (!shared)
                continue;
            const Declaration* declaration = declarations_.find(*shared);
            if (!declaration) {
                Declaration parsed;
                parsed.declares = mayDeclare(**shared) &&
                                  VlVarCell::parseDeclaration(Mx_String(**shared), parsed.type, parsed.name);
                declaration = &declarations_.keep(*shared, std::move(parsed));
            }
            if (!declaration->declares)
                continue;
            VlVarCell cell;
            cell.valueType = declaration->type;
            cell.name = declaration->name;
            cell.col = col;
            cell.row = row;
            cell.cellType = types[s];
            varCells_.append(std::move(cell));
        }
    }
    return Acad::eOk;
}

Acad::ErrorStatus VlCalcSS::initSSForInput(VlDlgStandardsData& data) {
    gInitSSForInput.start();
    if (!data.macro || !data.transaction) {
        gInitSSForInput.end();
        return Acad::eInvalidInput;
    }
    setGenVars(data.genVarNames, data.genVarValues);
    const Acad::ErrorStatus found = initVarCells();
    gInitSSForInput.end();
    if (found != Acad::eOk) return found;

    gSSSGetFromMacro.start();
    const Acad::ErrorStatus fromMacro = varCells_.getFromMacro(data);
    gSSSGetFromMacro.end();
    if (fromMacro != Acad::eOk) return fromMacro;

    gSetMacroValuelsToSS.start();
    const Acad::ErrorStatus toSS = varCells_.setValuesToSS(*this);
    gSetMacroValuelsToSS.end();
    if (toSS != Acad::eOk) return toSS;

    Mx_FunctionTimer timer(gSSSreplaceGenVars);
    return replaceGenVars();
}

Acad::ErrorStatus VlCalcSS::calcMain(VlDlgStandardsData& data) {
    Mx_FunctionTimer timer(gCalcMain);
    const Acad::ErrorStatus calculated = calc();
    if (calculated != Acad::eOk) return calculated;
    const Acad::ErrorStatus read = varCells_.getValuesFromSS(*this);
    if (read != Acad::eOk) return read;
    Mx_FunctionTimer toMacro(gSetToMacro);
    // A value the macro does not take is left out; the other outputs still land.
    varCells_.setToMacro(data);
    return Acad::eOk;
}

Acad::ErrorStatus VlCalcSS::replaceGenVars() {
    if (genVarNames_.length() == 0) return Acad::eOk;
    // The replacement texts once per run: a value that is not a number becomes a text literal.
    Mx_StringArray replacements;
    for (int i = 0; i < genVarNames_.length(); ++i) {
        const Mx_String value = i < genVarValues_.length() ? genVarValues_[i] : Mx_String();
        replacements.append(isNumber(value) ? value : Mx_String(L"\"") + value + L"\"");
    }
    const int lastRow = getMaxRows();
    const int lastCol = getMaxCols();
    const HWND grid = GetSafeHwnd();
    const grid::Sheet* sheet = SSGetSheet(grid);
    // Most cells hold none of the names: they are passed over without making a text of them. A
    // one-word name can only be replaced where it is one of the text's words, so only words of a
    // name's length are compared; other names (and texts with letters beyond ASCII, which may fold
    // to ASCII ones) are searched for as they are.
    std::vector<std::wstring> wordNames, otherNames, allNames;
    std::uint64_t wordLengths = 0;  // bit n: a one-word name of n letters (n < 64)
    for (int i = 0; i < genVarNames_.length() && i < replacements.length(); ++i) {
        allNames.push_back(VlWholeWord::folded(genVarNames_[i]));
        std::wstring word = foldedWord(genVarNames_[i]);
        if (word.empty() || word.size() >= 64) {
            otherNames.push_back(allNames.back());
        } else {
            wordLengths |= std::uint64_t{1} << word.size();
            wordNames.push_back(std::move(word));
        }
    }
    const auto contains = [](const std::wstring& text, const std::vector<std::wstring>& names) {
        return std::any_of(names.begin(), names.end(),
                           [&text](const std::wstring& name) { return VlWholeWord::mayContain(text, name); });
    };
    const auto isWordName = [&wordNames](const wchar_t* word, std::size_t length) {
        for (const std::wstring& name : wordNames) {
            if (name.size() != length) continue;
            std::size_t k = 0;
            while (k < length && VlWholeWord::foldAscii(word[k]) == name[k]) ++k;
            if (k == length) return true;
        }
        return false;
    };
    const auto mayReplace = [&](const std::wstring& text) {
        if (!std::all_of(text.begin(), text.end(), [](wchar_t c) { return c < 0x80; })) return contains(text, allNames);
        if (contains(text, otherNames)) return true;
        for (std::size_t i = 0; i < text.size();) {
            if (!VlWholeWord::isWordCharacter(text[i])) {
                ++i;
                continue;
            }
            const std::size_t start = i;
            while (i < text.size() && VlWholeWord::isWordCharacter(text[i])) ++i;
            const std::size_t length = i - start;
            if (length < 64 && (wordLengths >> length & 1) && isWordName(text.data() + start, length)) return true;
        }
        return false;
    };
    // What is kept of the texts holds for these names only.
    std::vector<std::wstring> names;
    for (const Mx_String& name : genVarNames_) names.push_back(name.str());
    if (names != genVarCellsNames_) {
        genVarCells_.clear();
        genVarCellsNames_ = std::move(names);
    }
    // A cell that is not a text shows digits (a number's text: digits, ".", "-", "E", or "inf" and
    // "nan") or nothing: no name with a letter other than those occurs in it, so the usual names
    // ("gen_Clearance") need only the text cells.
    const bool textCellsOnly = std::all_of(genVarNames_.begin(), genVarNames_.end(), [](const Mx_String& name) {
        return std::any_of(name.view().begin(), name.view().end(), [](wchar_t c) {
            const wchar_t folded = VlWholeWord::foldAscii(c);
            return folded >= L'a' && folded <= L'z' && std::wstring_view(L"eianf").find(folded) == std::wstring_view::npos;
        });
    });
    std::wstring value;
    const auto replaceIn = [&](int col, int row) {
        if (!cellValue(sheet, col, row, value) || value.empty() || !mayReplace(value))
            return;
        Mx_String text(std::move(value));
        if (VlWholeWord::replaceAll(text, genVarNames_, replacements, false) > 0)
            SSSetData(grid, col, row, text.c_str());
    };
    if (textCellsOnly) {
        // A replacement is written to the cell at hand only: the text cells are those of the start.
        for (const StoredCell& cell : storedCells(sheet, lastCol, lastRow)) {
            const auto* shared = sheet->sharedTextValue(cell.col, cell.row);
            if (!shared || (*shared)->empty())
                continue;
            const bool* known = genVarCells_.find(*shared);
            if (known ? *known : genVarCells_.keep(*shared, mayReplace(**shared)))
                replaceIn(cell.col, cell.row);
        }
        return Acad::eOk;
    }
    const UsedCells used(sheet, 1, 1, lastCol, lastRow);
    for (int row = used.firstRow(); row > 0; row = used.nextRow(row))
        for (int col = used.firstCol(row); col > 0; col = used.nextCol(row, col))
            replaceIn(col, row);
    return Acad::eOk;
}

void VlCalcSS::removeDuplicates() {
    Mx_FunctionTimer timer(gFindDuplicates);
    // Two names of different lengths are never duplicates: most sheets are settled by comparing
    // lengths, without folding a name. A long list goes to the core's one-pass test at once, as
    // comparing pairs grows with the square of the list.
    constexpr int kPairsUpTo = 64;
    bool maybe = varCells_.length() > kPairsUpTo;
    for (int i = 0; i < varCells_.length() && !maybe; ++i)
        for (int j = i + 1; j < varCells_.length() && !maybe; ++j)
            maybe = varCells_[i].name.length() == varCells_[j].name.length() &&
                    varCells_[i].name.equal(varCells_[j].name, false);
    if (!maybe) return;
    Mx_StringArray names;
    for (int i = 0; i < varCells_.length(); ++i) names.append(varCells_[i].name);
    if (!hasDuplicates(names, false)) return;
    Mx_StringArray duplicateNames;
    getDuplicates(names, duplicateNames, false);
    Mx_String text = Mx_String(L"There were duplicate variable names found in the standards file ") +
                     displayPath(fileName_) + L".\nThe duplicates will be ignored. Please correct this file.\n" +
                     L"Duplicate variable names:\n\n";
    for (int i = 0; i < duplicateNames.length(); ++i) text += duplicateNames[i] + L"\n";
    MessageBox(text.c_str(), L"Variable names must be unique", MB_OK | MB_ICONEXCLAMATION);
    AcArray<int> positions;
    getDuplicates(names, positions, false);
    for (int i = positions.length() - 1; i >= 0; --i) varCells_.removeAt(positions[i]);
}

namespace {
// The sheets under evaluation, outermost first; a child run pushes while its parent is still in its
// equation loop.
std::vector<const VlCalcSS*>& runningSheets() {
    static std::vector<const VlCalcSS*> sheets;
    return sheets;
}
}  // namespace

int VlCalcSS::runningDepth() { return static_cast<int>(runningSheets().size()); }

const Mx_String& VlCalcSS::evaluatingFile() {
    static const Mx_String none;
    return runningSheets().empty() ? none : runningSheets().back()->fileName_;
}

bool VlCalcSS::isRunning(const Mx_String& path) {
    for (const VlCalcSS* sheet : runningSheets())
        if (samePath(sheet->fileName_, path)) return true;
    return false;
}

Acad::ErrorStatus VlCalcSS::calc() {
    // FROMTABLE calls of the equations see this sheet as the grid being calculated.
    CalculatingGrid::Scope calculating(this);
    registerFunctions();
    removeDuplicates();
    int starts[4];
    findSections(starts);
    const int calcStart = starts[3];
    if (calcStart < 0) {
        vlNoteCause("no \"Calc\" section");
        return Acad::eInvalidInput;
    }
    // The references depend on the variables' names and cells only: a pooled sheet running the same
    // file again has them already (and the equations made with them).
    const auto same = [this] {
        if (references_.size() != static_cast<std::size_t>(varCells_.length())) return false;
        for (int i = 0; i < varCells_.length(); ++i) {
            const Reference& kept = references_[static_cast<std::size_t>(i)];
            const VlVarCell& variable = varCells_[i];
            if (kept.col != variable.col || kept.row != variable.row || kept.name.str() != variable.name.str())
                return false;
        }
        return true;
    };
    if (!same()) {
        std::vector<Reference> references;
        references.reserve(static_cast<std::size_t>(varCells_.length()));
        for (int i = 0; i < varCells_.length(); ++i) {
            Mx_FunctionTimer coordTimer(gCalcCellGetVarCoordName);
            const VlVarCell& variable = varCells_[i];
            references.push_back({variable.name, variable.col, variable.row,
                                  getAlfabet(variable.col) + Mx_String(variable.row), foldedWord(variable.name)});
        }
        references_ = std::move(references);
        equations_.clear();
        indexVariables();
    }
    Mx_FunctionTimer timer(gCalcCells);
    runningSheets().push_back(this);
    const int lastRow = getMaxRows();
    const int lastCol = getMaxCols();
    const UsedCells used(SSGetSheet(GetSafeHwnd()), 1, calcStart, lastCol, lastRow);
    for (int row = used.firstRow(); row > 0; row = used.nextRow(row))
        for (int col = used.firstCol(row); col > 0; col = used.nextCol(row, col)) calcCell(col, row);
    runningSheets().pop_back();
    return Acad::eOk;
}

namespace {
// Up to this many variables a name is looked for in the list as it is: cheaper than folding the
// name into a key, and than making the keys.
constexpr int kSearchVariablesUpTo = 32;
}  // namespace

void VlCalcSS::indexVariables() {
    firstOfName_.clear();
    ofWord_.clear();
    notWords_.clear();
    const bool byName = varCells_.length() > kSearchVariablesUpTo;
    for (int i = 0; i < varCells_.length(); ++i) {
        if (byName)
            firstOfName_.emplace(VlWholeWord::folded(varCells_[i].name), i);
        const std::wstring& word = references_[static_cast<std::size_t>(i)].word;
        // An empty name is never replaced (a declaration without a name).
        if (word.empty()) {
            if (!varCells_[i].name.isEmpty()) notWords_.push_back(i);
        } else {
            ofWord_[word].push_back(i);
        }
    }
}

int VlCalcSS::findVariable(const Mx_String& name) const {
    if (varCells_.length() <= kSearchVariablesUpTo) {
        int index = -1;
        return varCells_.findVarCell(name, index) == Acad::eOk ? index : -1;
    }
    const auto found = firstOfName_.find(VlWholeWord::folded(name));
    return found == firstOfName_.end() ? -1 : found->second;
}

VlRunFinding VlCalcSS::finding(std::string kind, VlRunFinding::Severity severity) const {
    VlRunFinding result;
    result.kind = std::move(kind);
    result.severity = severity;
    result.sheet = displayPath(fileName_).toUtf8();
    if (evaluatingText_) {
        result.col = evaluatingCol_;
        result.row = evaluatingRow_;
        result.cell = vlCellName(evaluatingCol_, evaluatingRow_);
        result.equation = Mx_String(*evaluatingText_).toUtf8();
    }
    return result;
}

void VlCalcSS::reportFailedEquation(const Mx_String& target, const Mx_String& expression, int row,
                                    std::string cause) {
    Mx_String text(L"The following equation failed:\n");
    if (!target.isEmpty()) text += target + L" = ";
    text += expression + L"\n" + L"Spreadsheet : " + displayPath(fileName_) + L" (line: " + Mx_String(row) + L")\n" +
            L"Here's a tip for finding the cause :\n" +
            L"If this equation contains variable names, then the translator does not know the value of the "
            L"variable. Make sure the variable exists either in input, output, local declarations or among "
            L"the gen_ variables.";
    showStandardsWarning(text, this);
    if (!vlReporting()) return;
    VlRunFinding failed = finding("equation-failed", VlRunFinding::Severity::error);
    failed.cause = std::move(cause);
    failed.text = text.toUtf8();
    vlReport(std::move(failed));
}

namespace {

// Why the grid refused a formula: the parser's message (a refused formula leaves the cell as it was).
// Its column counts in the formula the grid was given, where names are cells already, so that
// formula is quoted with it.
std::string formulaRefusal(grid::Sheet* sheet, int col, int row, const Mx_String& expression) {
    if (!sheet) return "the formula was refused";
    const grid::FormulaStatus status = sheet->setFormula(col, row, expression.view());
    if (status) return "the formula was refused";
    return "cannot be read as a formula: " + Mx_String(status.message).toUtf8() + " of \"" + expression.toUtf8() + "\"";
}

}  // namespace

const VlCalcSS::Equation& VlCalcSS::equationOf(const std::wstring& text) {
    // Bounds the memory should a sheet's texts change without end (general variables that differ
    // from run to run make other texts).
    constexpr std::size_t kMaxEquations = 4096;
    if (const auto found = equations_.find(text); found != equations_.end()) return found->second;
    if (equations_.size() >= kMaxEquations) equations_.clear();
    Equation equation;
    {
        Mx_FunctionTimer timer(gCalcCellSplitSymbol);
        const Mx_String cell(text);
        const int equals = cell.findFirstFrom(L'=');
        if (equals < 0) {
            equation.marked = true;
            equation.expression = trimmed(cell);
        } else {
            equation.target = trimmed(cell.getSubStringAt(0, equals));
            equation.expression = trimmed(cell.getSubStringAt(equals + 1));
        }
    }
    {
        Mx_FunctionTimer timer(gCalcCellFindVarCell);
        equation.targetIndex = equation.marked ? -1 : findVariable(equation.target);
        if (equation.targetIndex < 0) equation.marked = true;
    }
    {
        Mx_FunctionTimer timer(gCalcCellFindFunctions);
        static const std::wstring callChild = VlWholeWord::folded(Mx_String(L"CallChild"));
        equation.native = VlWholeWord::mayContain(equation.expression.str(), callChild);
    }
    if (!equation.native && !equation.marked) {
        Mx_FunctionTimer replaceTimer(gCalcCellReplaceVariables);
        // The names are replaced in list order. A one-word name can only stand in the expression as
        // one of its words, so only the variables named by a word of the expression are tried, and
        // the names that are not one word; the cost follows the expression, not the sheet. A later
        // name may match a reference put in: a replacement sits between characters that are no word
        // characters, so the only words it brings are the reference's own, and only the variables
        // those name are added to the ones still to try.
        Mx_String& expression = equation.expression;
        std::vector<std::wstring>& words = equationWords_;
        std::size_t wordCount = foldedWords(expression.str(), words);
        std::vector<int> pending(notWords_);
        const auto addNamedBy = [&](int after) {
            const std::size_t before = pending.size();
            for (std::size_t w = 0; w < wordCount; ++w) {
                const auto named = ofWord_.find(words[w]);
                if (named == ofWord_.end())
                    continue;
                for (int index : named->second)
                    if (index > after)
                        pending.push_back(index);
            }
            if (pending.size() == before && after >= 0)
                return;
            std::sort(pending.begin(), pending.end(), std::greater<int>());
            pending.erase(std::unique(pending.begin(), pending.end()), pending.end());
        };
        addNamedBy(-1);
        while (!pending.empty()) {
            const int i = pending.back();
            pending.pop_back();
            const Mx_String& cell = references_[static_cast<std::size_t>(i)].cell;
            // Text literals keep their words: "Width" in quotes is text, not the variable.
            if (VlWholeWord::replace(expression, varCells_[i].name, cell, true) > 0) {
                wordCount = foldedWords(cell.str(), words);
                addNamedBy(i);
            }
        }
    }
    return equations_.emplace(text, std::move(equation)).first->second;
}

bool VlCalcSS::calcCell(int col, int row) {
    const HWND grid = GetSafeHwnd();
    grid::Sheet* const sheet = SSGetSheet(grid);
    std::wstring cell;
    if (!cellValue(sheet, col, row, cell) || cell.empty()) return true;
    // The findings of this equation, and of the functions it calls, name its cell and its text.
    struct Evaluating {
        VlCalcSS& self;
        Evaluating(VlCalcSS& s, int c, int r, const std::wstring& text) : self(s) {
            self.evaluatingCol_ = c;
            self.evaluatingRow_ = r;
            self.evaluatingText_ = &text;
            vlTakeCause();  // a cause left by an equation that did not fail is not this one's
        }
        ~Evaluating() { self.evaluatingText_ = nullptr; }
    } evaluating(*this, col, row, cell);
    // A copy: a child run started from here may evaluate (and so change) this sheet's kept equations.
    const Equation& kept = equationOf(cell);
    if (kept.native) {
        const Equation equation = kept;
        Mx_FunctionTimer timer(gCalcCellCalcNativeFunctions);
        if (callChild(equation.expression)) return true;
        std::string cause = vlTakeCause();
        reportFailedEquation(equation.target, equation.expression, row,
                             cause.empty() ? "CallChild failed" : "CallChild: " + cause);
        return false;
    }
    if (kept.marked) {
        reportFailedEquation(kept.target, kept.expression, row,
                             cell.find(L'=') == std::wstring::npos
                                 ? std::string("not an equation: there is no \"=\"")
                                 : "\"" + kept.target.toUtf8() + "\" is not a declared variable");
        return false;
    }

    VlVarCell& variable = varCells_[kept.targetIndex];
    {
        Mx_FunctionTimer timer(gCalcCellCalcFunctionsPrepare);
        if (variable.valueType == kVlString)
            setEditCells(col, row, col, row, kTextEquationStyle, kTextEquationLength);
        else
            setNumberCells(col, row, col, row, kNumberEquationDecimals, false);
    }

    Mx_FunctionTimer timer(gCalcCellCalcFunctions);
    // Setting a formula computes it at once, calculation switch or not; computing it again here would
    // run every function twice (a tolerance warning shown twice, a data file looked up twice).
    // A custom function may run a child sheet in another grid, never in this one, so `kept` stays.
    if (!SSSetFormula(grid, col, row, kept.expression.c_str(), TRUE)) {
        reportFailedEquation(kept.target, kept.expression, row,
                             vlReporting() ? formulaRefusal(sheet, col, row, kept.expression) : std::string());
        return false;
    }
    // An error value shows as an empty text; it must not reach the variable (and so the macro).
    std::wstring result;
    const std::optional<grid::ErrorCode> error = sheet ? sheet->error(col, row) : std::nullopt;
    if (error || !cellValue(sheet, col, row, result)) {
        // A standards function says why it failed; otherwise the grid's error is the cause.
        std::string cause = vlTakeCause();
        if (cause.empty() && error) {
            cause = Mx_String(std::wstring(grid::errorText(*error))).toUtf8();
            if (*error == grid::ErrorCode::Name && sheet) cause += vlNameErrorCause(*sheet, kept.expression.view());
        }
        reportFailedEquation(kept.target, kept.expression, row, std::move(cause));
        return false;
    }
    variable.setNewValue(*this, typedResult(*sheet, col, row, variable.valueType, std::move(result)));
    return true;
}
