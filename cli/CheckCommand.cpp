// connsheet check: reads a standards sheet the way the engine will and reports, without a macro, what
// would make a run fail or compute nonsense: missing sections, duplicate names, equations whose target
// is not declared, names that are neither variables, general variables, functions nor cell references,
// unknown functions, formulas the grid cannot read, data and sizes files named by a literal that are
// not found, and "CallChild" calls whose sheet is missing, whose argument count is wrong or that come
// back to a sheet already running. Every sheet called is checked the same way.
#include <algorithm>
#include <cwctype>
#include <filesystem>
#include <memory>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/StandardsCommandSupport.h"
#include "platform/grid/Builtins.h"
#include "platform/grid/GridFile.h"
#include "platform/grid/Sheet.h"
#include "platform/mxbase/FileSystem.h"
#include "platform/mxbase/Mx_Settings.h"
#include "platform/mxbase/StringFunctions.h"
#include "standards/DisplayPath.h"
#include "standards/VlCalcSS.h"
#include "standards/VlDataFile.h"
#include "standards/VlVarCell.h"

namespace connsheet {
namespace {

// The functions the standards engine registers with the grid, and the one it runs itself.
constexpr const wchar_t* kStandardsFunctions[] = {
    L"ROUNDTO",
    L"GETCELL",
    L"GETPROFCELL",
    L"SECTIONSIZE",
    L"GETSYSNAME",
    L"STDWIDTHWITHTOLERANCE",
    L"STDTHICKNESSWITHTOLERANCE",
    L"STDSIZEWITHTOLERANCE",
    L"GETARRAYITEM",
    L"TONUMBER",
    L"ISNULL",
    L"ISPOSITIVE",
    L"FROMTABLE",
    L"CALLCHILD",
};
constexpr const wchar_t* kHeaders[] = {L"Input", L"Output", L"Local", L"Calc"};
enum Section { kInput, kOutput, kLocal, kCalc };

// A cell of the sheet; row 0 is the sheet as a whole.
struct Place {
    int row = 0;
    int col = 0;
};

struct Declaration {
    std::wstring name;
    int section = kInput;
    Place at;
};

enum class Severity { error, warning };

struct Finding {
    Place at;
    Severity severity = Severity::error;
    const char* code = "";  // a stable name for the kind of mistake, for tools that read --json
    std::string text;
    bool isError() const { return severity == Severity::error; }
};

struct LoadedSheet {
    grid::Sheet sheet;
    int startRow[4] = {-1, -1, -1, -1};
    int endRow[4] = {0, 0, 0, 0};
    std::vector<Declaration> declarations;  // inputs, outputs, locals, each in sheet order
};

std::wstring upper(std::wstring text) {
    for (wchar_t& c : text)
        c = static_cast<wchar_t>(std::towupper(c));
    return text;
}

bool sameName(const std::wstring& a, const std::wstring& b) {
    return upper(a) == upper(b);
}

std::wstring trim(const std::wstring& text) {
    const auto first = text.find_first_not_of(L" \t");
    if (first == std::wstring::npos)
        return {};
    return text.substr(first, text.find_last_not_of(L" \t") - first + 1);
}

std::string narrow(const std::wstring& text) {
    return Mx_String(text).toUtf8();
}

std::wstring cellText(const grid::Sheet& sheet, int col, int row) {
    std::wstring text;
    sheet.getText(col, row, grid::TextKind::Value, text);
    return text;
}

// Sections and declarations, found exactly as the engine finds them.
bool loadSheet(const Mx_String& path, LoadedSheet& loaded, std::string& diagnostic) {
    grid::GridFileResult result = grid::GridFile::load(loaded.sheet, path.view());
    if (!result) {
        // The grid names the file as it was given; show it with "/" like every other path we print.
        diagnostic = result.diagnostic;
        const std::string given = path.toUtf8();
        if (diagnostic.starts_with(given))
            diagnostic.replace(0, given.size(), displayPath(path).toUtf8());
        return false;
    }
    const grid::Sheet& sheet = loaded.sheet;
    sheet.forEachCell(grid::CellOrder::ByRow, [&](std::int32_t col, std::int32_t row) {
        if (col < 1 || row < 1)
            return;
        const std::wstring text = cellText(sheet, col, row);
        for (int s = 0; s < 4; ++s)
            if (loaded.startRow[s] < 0 && text == kHeaders[s])
                loaded.startRow[s] = row + 1;
    });
    const int lastRow = sheet.maxRows();
    for (int s = 0; s < 4; ++s) {
        loaded.endRow[s] = lastRow;
        for (int other = 0; other < 4; ++other)
            if (other != s && loaded.startRow[other] > loaded.startRow[s])
                loaded.endRow[s] = std::min(loaded.endRow[s], loaded.startRow[other] - 1);
    }
    for (int s = kInput; s <= kLocal; ++s) {
        if (loaded.startRow[s] < 0)
            continue;
        sheet.forEachCell(grid::CellOrder::ByRow, [&](std::int32_t col, std::int32_t row) {
            if (col < 1 || row < loaded.startRow[s] || row > loaded.endRow[s])
                return;
            VlValueType type;
            Mx_String name;
            if (VlVarCell::parseDeclaration(Mx_String(cellText(sheet, col, row)), type, name))
                loaded.declarations.push_back({name.str(), s, {row, col}});
        });
    }
    return true;
}

const Declaration* findDeclaration(const LoadedSheet& sheet, const std::wstring& name) {
    for (const Declaration& d : sheet.declarations)
        if (sameName(d.name, name))
            return &d;
    return nullptr;
}

bool isWordChar(wchar_t c) {
    return std::iswalnum(c) || c == L'_' || c == L'.' || c == L'$' || c == L'#';
}

// A1 references in any mix of "$" (relative styles), the legacy "#" for the formula's own row or
// column, and R1C1 references.
bool isCellReference(const std::wstring& word) {
    std::size_t i = 0;
    auto skip = [&](wchar_t c) {
        if (i < word.size() && word[i] == c)
            ++i;
    };
    skip(L'$');
    const std::size_t lettersAt = i;
    while (i < word.size() && std::iswalpha(word[i]))
        ++i;
    const std::size_t letters = i - lettersAt;
    if (letters == 0 && i < word.size() && word[i] == L'#') {
        ++i;
    } else if (letters < 1 || letters > 3) {
        return false;
    }
    skip(L'$');
    if (i < word.size() && word[i] == L'#')
        return i + 1 == word.size();
    const std::size_t digitsAt = i;
    while (i < word.size() && std::iswdigit(word[i]))
        ++i;
    if (i == word.size() && i > digitsAt)
        return true;
    // R1C1, R[-1]C[2] and RC come with brackets the tokenizer splits off; plain R1C1 and RC stay whole.
    const std::wstring u = upper(word);
    if (u.empty() || u[0] != L'R')
        return false;
    const auto c = u.find(L'C');
    if (c == std::wstring::npos)
        return false;
    auto digitsOnly = [](const std::wstring& s) {
        return std::all_of(s.begin(), s.end(), [](wchar_t d) { return std::iswdigit(d); });
    };
    return digitsOnly(u.substr(1, c - 1)) && digitsOnly(u.substr(c + 1));
}

bool isKnownFunction(const std::wstring& name) {
    const std::wstring u = upper(name);
    if (grid::findBuiltin(u))
        return true;
    return std::any_of(std::begin(kStandardsFunctions), std::end(kStandardsFunctions),
                       [&](const wchar_t* f) { return u == f; });
}

bool isGeneralVariableName(const std::wstring& name) {
    return upper(name).rfind(L"GEN_", 0) == 0 && name.size() > 4;
}

// The names and function calls of one expression; texts in double quotes and numbers are skipped.
void checkExpression(const LoadedSheet& sheet, const std::wstring& expression, Place row,
                     std::vector<Finding>& findings) {
    std::size_t i = 0;
    while (i < expression.size()) {
        const wchar_t c = expression[i];
        if (c == L'"') {
            for (++i; i < expression.size(); ++i) {
                if (expression[i] != L'"')
                    continue;
                if (i + 1 < expression.size() && expression[i + 1] == L'"') {
                    ++i;
                    continue;
                }
                break;
            }
            ++i;
            continue;
        }
        if (std::iswdigit(c) ||
            (c == L'.' && i + 1 < expression.size() && std::iswdigit(expression[i + 1]))) {
            while (i < expression.size() && (std::iswdigit(expression[i]) || expression[i] == L'.'))
                ++i;
            if (i < expression.size() && (expression[i] == L'e' || expression[i] == L'E')) {
                std::size_t j = i + 1;
                if (j < expression.size() && (expression[j] == L'+' || expression[j] == L'-'))
                    ++j;
                if (j < expression.size() && std::iswdigit(expression[j])) {
                    i = j;
                    while (i < expression.size() && std::iswdigit(expression[i]))
                        ++i;
                }
            }
            continue;
        }
        if (!isWordChar(c)) {
            ++i;
            continue;
        }
        const std::size_t start = i;
        while (i < expression.size() && isWordChar(expression[i]))
            ++i;
        const std::wstring word = expression.substr(start, i - start);
        std::size_t next = i;
        while (next < expression.size() && expression[next] == L' ')
            ++next;
        if (next < expression.size() && expression[next] == L'(') {
            if (!isKnownFunction(word))
                findings.push_back(
                    {row, Severity::error, "unknown-function", "unknown function " + narrow(word)});
            continue;
        }
        if (findDeclaration(sheet, word) || isGeneralVariableName(word) || isCellReference(word))
            continue;
        const std::wstring u = upper(word);
        if (u == L"TRUE" || u == L"FALSE")
            continue;
        findings.push_back(
            {row, Severity::error, "unknown-name",
             "unknown name " + narrow(word) + " (not a variable, a general variable, a function or a cell)"});
    }
}

Mx_String folderOf(const Mx_String& path) {
    const int slash = std::max(path.findLastFrom(L'\\'), path.findLastFrom(L'/'));
    return slash < 0 ? Mx_String() : path.getSubStringAt(0, slash + 1);
}

bool fileExists(const Mx_String& path) {
    if (path.isEmpty())
        return false;
    const auto resolved = fsys::resolve(path.view());
    return fsys::exists(resolved) && !fsys::isDirectory(resolved);
}

// The places "CallChild" looks for a child sheet, in its order.
bool findChildSheet(const Mx_String& parent, const Mx_String& name, Mx_String& path) {
    Mx_String relative = name;
    if (relative.startsWith(Mx_String(L"\\")))
        relative = relative.getSubStringAt(1);
    const Mx_String standards = gSettings.libDir() + L"Connection Standards\\";
    const Mx_String candidates[] = {name,
                                    folderOf(parent) + relative,
                                    standards + name,
                                    standards + L"Childs\\" + name,
                                    standards + L"Data\\" + name,
                                    standards + L"Parents\\" + name};
    for (const Mx_String& candidate : candidates) {
        if (fileExists(candidate)) {
            path = candidate;
            return true;
        }
    }
    return false;
}

std::string displayName(const Mx_String& path) {
    const Mx_String shown = displayPath(path);
    const int slash = shown.findLastFrom(L'/');
    return (slash < 0 ? shown : shown.getSubStringAt(slash + 1)).toUtf8();
}

void checkCallChild(const Mx_String& path, const LoadedSheet& sheet, const std::wstring& expression,
                    Place row, const std::vector<Mx_String>& callers, std::vector<Mx_String>& children,
                    std::vector<Finding>& findings) {
    const Mx_String text(expression);
    const int at = text.findFirstFrom(Mx_String(L"CallChild"), 0, false);
    const int open = text.findFirstFrom(L'(', at);
    const int close = open < 0 ? -1 : text.findFirstFrom(L')', open);
    if (open < 0 || close < 0) {
        findings.push_back(
            {row, Severity::error, "callchild-syntax", "CallChild needs (sheet, arguments...)"});
        return;
    }
    Mx_StringArray items;
    if (splitStringAtSymbol(text.getSubStringAt(open + 1, close - open - 1), L',', items, true) < 2) {
        findings.push_back(
            {row, Severity::error, "callchild-syntax", "CallChild needs a sheet and at least one argument"});
        return;
    }
    Mx_String childName = items[0];
    if (childName.startsWith(Mx_String(L"\"")))
        childName.removeAt(0);
    if (childName.endsWith(Mx_String(L"\"")))
        childName.removeAt(childName.length() - 1);

    std::vector<const Declaration*> arguments;
    for (int k = 1; k < items.length(); ++k) {
        const Declaration* d = findDeclaration(sheet, items[k].str());
        if (!d) {
            const bool blank =
                !items[k].isEmpty() && (items[k].str().front() == L' ' || items[k].str().back() == L' ');
            findings.push_back({row, Severity::error, "callchild-argument",
                                "CallChild argument \"" + items[k].toUtf8() + "\" is not a variable" +
                                    (blank ? " (remove the blanks around it)" : "")});
        }
        arguments.push_back(d);
    }
    Mx_String childPath;
    if (!findChildSheet(path, childName, childPath)) {
        findings.push_back({row, Severity::error, "callchild-not-found",
                            "CallChild sheet not found: " + childName.toUtf8()});
        return;
    }
    if (VlCalcSS::samePath(childPath, path)) {
        findings.push_back(
            {row, Severity::error, "callchild-self", "a sheet cannot call itself through CallChild"});
        return;
    }
    // A sheet further up the chain of calls that led here: the run would refuse it.
    for (std::size_t k = 0; k < callers.size(); ++k) {
        if (!VlCalcSS::samePath(childPath, callers[k]))
            continue;
        std::string chain;
        for (std::size_t j = k; j < callers.size(); ++j)
            chain += displayName(callers[j]) + " -> ";
        findings.push_back(
            {row, Severity::error, "callchild-circle",
             "CallChild runs in a circle: " + chain + displayName(path) + " -> " + displayName(childPath)});
        return;
    }
    LoadedSheet child;
    std::string diagnostic;
    if (!loadSheet(childPath, child, diagnostic)) {
        findings.push_back({row, Severity::error, "callchild-unloadable",
                            "CallChild sheet cannot be loaded: " + diagnostic});
        return;
    }
    children.push_back(childPath);
    std::vector<const Declaration*> parameters;
    for (const Declaration& d : child.declarations)
        if (d.section != kLocal)
            parameters.push_back(&d);
    if (parameters.size() != arguments.size()) {
        findings.push_back({row, Severity::error, "callchild-argument-count",
                            "CallChild passes " + std::to_string(arguments.size()) + " arguments; " +
                                childName.toUtf8() + " takes " + std::to_string(parameters.size()) +
                                " (its inputs, then its outputs)"});
        return;
    }
    for (std::size_t k = 0; k < arguments.size(); ++k) {
        if (!arguments[k] || parameters[k]->section != kOutput)
            continue;
        if (arguments[k]->section == kInput)
            findings.push_back({row, Severity::error, "callchild-into-input",
                                "CallChild would return " + narrow(parameters[k]->name) + " into the input " +
                                    narrow(arguments[k]->name)});
        else if (arguments[k]->section == kLocal)
            findings.push_back({row, Severity::warning, "callchild-into-local",
                                "CallChild returns " + narrow(parameters[k]->name) + " into the local " +
                                    narrow(arguments[k]->name) +
                                    ", which receives nothing: only outputs do"});
    }
}

// The standards functions with their argument counts, registered (without a body) so that the grid
// checks a call's argument count as it reads the formula, as it does for the sheet's run.
void registerStandardsFunctions(grid::Sheet& sheet) {
    struct Entry {
        const wchar_t* name;
        int minArgs, maxArgs;
    } const entries[] = {
        {L"ROUNDTO", 2, 2},
        {L"GETCELL", 2, 7},
        {L"GETPROFCELL", 2, 7},
        {L"SECTIONSIZE", 2, 2},
        {L"GETSYSNAME", 1, 1},
        {L"STDWIDTHWITHTOLERANCE", 6, 6},
        {L"STDTHICKNESSWITHTOLERANCE", 5, 5},
        {L"STDSIZEWITHTOLERANCE", 5, 5},
        {L"GETARRAYITEM", 2, 2},
        {L"TONUMBER", 1, 1},
        {L"ISNULL", 1, 1},
        {L"ISPOSITIVE", 1, 1},
        {L"FROMTABLE", 2, 4},
    };
    for (const Entry& e : entries)
        sheet.addCustomFunction(e.name, e.minArgs, e.maxArgs,
                                [](grid::CustomRecord&, std::span<grid::CustomRecord>) { return false; });
}

// Whether the grid can read the expression as a formula; the parser's message when it cannot. Names
// stay as written (the grid reads an unknown name as a name); the column is moved by `offset`, where
// the expression starts in the cell, so that it counts in the cell's text as the author sees it.
bool readsAsFormula(const std::wstring& expression, std::size_t offset, grid::RefStyle style,
                    std::string& message) {
    static grid::Sheet probe = [] {
        grid::Sheet sheet;
        sheet.setMaxCols(1);
        sheet.setMaxRows(1);
        registerStandardsFunctions(sheet);
        return sheet;
    }();
    probe.setRefStyle(style);  // "$B$5" is a reference in the sheet's style, not in every style
    const std::size_t blanks = expression.find_first_not_of(L" \t");
    const grid::FormulaStatus status = probe.setFormula(1, 1, trim(expression));
    probe.clearData(1, 1);
    if (status)
        return true;
    std::wstring text = status.message;
    const std::wstring at = L" at column " + std::to_wstring(status.column);
    if (status.column > 0 && text.ends_with(at))
        text.replace(text.size() - at.size(), at.size(),
                     L" at column " + std::to_wstring(status.column + offset +
                                                      (blanks == std::wstring::npos ? 0 : blanks)));
    message = narrow(text);
    return false;
}

// Data and sizes files named by a text literal as the first argument of the functions that read
// them, looked for as the run looks for them.
void checkDataFiles(const std::wstring& expression, Place row, std::vector<Finding>& findings) {
    struct Reader {
        const wchar_t* name;
        const char* what;
    } const readers[] = {{L"GETCELL", "data file"},
                         {L"GETPROFCELL", "data file"},
                         {L"STDWIDTHWITHTOLERANCE", "sizes file"},
                         {L"STDTHICKNESSWITHTOLERANCE", "sizes file"},
                         {L"STDSIZEWITHTOLERANCE", "sizes file"}};
    const std::wstring text = upper(expression);
    for (const Reader& reader : readers) {
        const std::wstring name = reader.name;
        for (std::size_t at = text.find(name); at != std::wstring::npos; at = text.find(name, at + 1)) {
            if (at > 0 && (std::iswalnum(text[at - 1]) || text[at - 1] == L'_'))
                continue;
            std::size_t i = at + name.size();
            while (i < text.size() && text[i] == L' ')
                ++i;
            if (i >= text.size() || text[i] != L'(')
                continue;
            for (++i; i < text.size() && text[i] == L' ';)
                ++i;
            if (i >= text.size() || text[i] != L'"')
                continue;
            const std::size_t close = expression.find(L'"', i + 1);
            if (close == std::wstring::npos)
                continue;
            const Mx_String file(expression.substr(i + 1, close - i - 1));
            Mx_String found;
            if (!VlDataFile::find(file, found))
                findings.push_back({row, Severity::error, "missing-file",
                                    std::string(reader.what) + " \"" + file.toUtf8() + "\" not found"});
        }
    }
}

std::vector<Finding> lint(const Mx_String& path, const LoadedSheet& sheet,
                          const std::vector<Mx_String>& callers, std::vector<Mx_String>& children) {
    std::vector<Finding> findings;
    for (int s : {kInput, kOutput, kCalc})
        if (sheet.startRow[s] < 0)
            findings.push_back(
                {{}, Severity::error, "missing-section", "no \"" + narrow(kHeaders[s]) + "\" section"});

    for (std::size_t i = 0; i < sheet.declarations.size(); ++i) {
        const Declaration& d = sheet.declarations[i];
        if (d.name.empty())
            findings.push_back(
                {d.at, Severity::warning, "unnamed-declaration", "a declaration without a name"});
        for (std::size_t j = 0; j < i; ++j) {
            if (!d.name.empty() && sameName(sheet.declarations[j].name, d.name)) {
                findings.push_back({d.at, Severity::error, "duplicate-name",
                                    "duplicate variable name " + narrow(d.name) + " (also row " +
                                        std::to_string(sheet.declarations[j].at.row) +
                                        "); the run drops both"});
                break;
            }
        }
    }
    if (sheet.startRow[kCalc] < 0)
        return findings;

    std::vector<std::pair<Place, std::wstring>> equations;
    sheet.sheet.forEachCell(grid::CellOrder::ByRow, [&](std::int32_t col, std::int32_t row) {
        if (col < 1 || row < sheet.startRow[kCalc])
            return;
        std::wstring text = cellText(sheet.sheet, col, row);
        if (!text.empty())
            equations.emplace_back(Place{row, col}, std::move(text));
    });
    for (const auto& [row, text] : equations) {
        if (Mx_String(text).findFirstFrom(Mx_String(L"CallChild"), 0, false) >= 0) {
            checkCallChild(path, sheet, text, row, callers, children, findings);
            continue;
        }
        const auto equals = text.find(L'=');
        if (equals == std::wstring::npos) {
            findings.push_back({row, Severity::error, "not-an-equation",
                                "not an equation (no \"=\"): every cell below \"Calc\" is evaluated"});
            continue;
        }
        const std::wstring target = trim(text.substr(0, equals));
        if (!findDeclaration(sheet, target))
            findings.push_back({row, Severity::error, "undeclared-target",
                                "the target " + narrow(target) + " is not declared"});
        checkExpression(sheet, text.substr(equals + 1), row, findings);
        std::string message;
        if (!readsAsFormula(text.substr(equals + 1), equals + 1, sheet.sheet.refStyle(), message))
            findings.push_back(
                {row, Severity::error, "formula-syntax", "cannot be read as a formula: " + message});
        checkDataFiles(text.substr(equals + 1), row, findings);
    }
    return findings;
}

struct CheckOptions {
    std::vector<std::string> sheets;  // files, folders or names below "Connection Standards"
    bool all = false;
    bool json = false;
    bool strict = false;
};

struct ReportedFinding {
    std::string file;  // as shown to the user
    Finding finding;
};

struct CheckRun {
    std::vector<Mx_String> checked;  // every sheet checked, so that a child called twice is checked once
    std::vector<ReportedFinding> findings;
    int errors = 0, warnings = 0;

    bool wasChecked(const Mx_String& path) const {
        return std::any_of(checked.begin(), checked.end(),
                           [&](const Mx_String& done) { return VlCalcSS::samePath(done, path); });
    }
    void add(const std::string& file, Finding finding) {
        // The same mistake written twice in one cell is one finding.
        for (const ReportedFinding& r : findings)
            if (r.file == file && r.finding.at.row == finding.at.row && r.finding.at.col == finding.at.col &&
                r.finding.text == finding.text)
                return;
        ++(finding.isError() ? errors : warnings);
        findings.push_back({file, std::move(finding)});
    }
};

// Checks one sheet, then the sheets it calls (those not checked yet), with `callers` the chain of
// sheets that called it. Returns the number of variables, -1 when it cannot be loaded.
int checkSheet(const Mx_String& path, std::vector<Mx_String>& callers, CheckRun& run) {
    // Findings name the sheet as the user can type it; the checks themselves use the path as composed.
    const std::string shown = displayPath(path).toUtf8();
    run.checked.push_back(path);
    LoadedSheet sheet;
    std::string diagnostic;
    if (!loadSheet(path, sheet, diagnostic)) {
        run.add(shown, {{}, Severity::error, "unloadable", "cannot be loaded: " + diagnostic});
        return -1;
    }
    std::vector<Mx_String> children;
    for (Finding& f : lint(path, sheet, callers, children))
        run.add(shown, std::move(f));
    callers.push_back(path);
    for (const Mx_String& child : children)
        if (!run.wasChecked(child))
            checkSheet(child, callers, run);
    callers.pop_back();
    return static_cast<int>(sheet.declarations.size());
}

// Every ".vls" below a folder, sub-folders included, in name order so that reports compare.
std::vector<Mx_String> sheetsBelow(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> found;
    std::error_code error;
    for (auto it = std::filesystem::recursive_directory_iterator(folder, error);
         !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        const std::filesystem::path& p = it->path();
        std::wstring extension = p.extension().wstring();
        if (it->is_regular_file(error) && upper(extension) == L".VLS")
            found.push_back(p);
    }
    std::sort(found.begin(), found.end());
    std::vector<Mx_String> sheets;
    for (const auto& p : found)
        sheets.emplace_back(p.wstring());
    return sheets;
}

// The sheets the command line names, in its order. False (after saying why) when one is not found.
bool gatherSheets(const CheckOptions& options, std::vector<Mx_String>& sheets, CommandContext& context) {
    if (options.all) {
        const Mx_String standards = gSettings.libDir() + L"Connection Standards";
        const auto folder = fsys::resolve(standards.view());
        if (!fsys::isDirectory(folder)) {
            context.err << "connsheet check: no \"Connection Standards\" folder in the library: "
                        << displayPath(standards).toUtf8() << '\n';
            return false;
        }
        sheets = sheetsBelow(folder);
    }
    for (const std::string& given : options.sheets) {
        const auto asFolder = fsys::resolve(Mx_String(given).view());
        if (fsys::isDirectory(asFolder)) {
            std::vector<Mx_String> below = sheetsBelow(asFolder);
            sheets.insert(sheets.end(), below.begin(), below.end());
            continue;
        }
        Mx_String path;
        if (!resolveStandardsSheet(given, path)) {
            context.err << "connsheet check: sheet not found: " << given << '\n';
            return false;
        }
        sheets.push_back(path);
    }
    return true;
}

const char* severityName(Severity severity) {
    return severity == Severity::error ? "error" : "warning";
}

// "file:row:col: error: text", as a compiler says it; a finding about the whole sheet has no place.
void printFinding(const ReportedFinding& r, std::ostream& out) {
    out << r.file;
    if (r.finding.at.row > 0)
        out << ':' << r.finding.at.row << ':' << r.finding.at.col;
    out << ": " << severityName(r.finding.severity) << ": " << r.finding.text << '\n';
}

void printJson(const CheckRun& run, bool ok, std::ostream& out) {
    nlohmann::ordered_json document;
    document["ok"] = ok;
    document["sheets"] = nlohmann::ordered_json::array();
    for (const Mx_String& path : run.checked)
        document["sheets"].push_back(displayPath(path).toUtf8());
    document["errors"] = run.errors;
    document["warnings"] = run.warnings;
    document["findings"] = nlohmann::ordered_json::array();
    for (const ReportedFinding& r : run.findings)
        document["findings"].push_back(
            nlohmann::ordered_json{{"file", r.file},
                                   {"row", r.finding.at.row},
                                   {"col", r.finding.at.col},
                                   {"cell", cellAddress(r.finding.at.col, r.finding.at.row)},
                                   {"severity", severityName(r.finding.severity)},
                                   {"code", r.finding.code},
                                   {"text", r.finding.text}});
    out << document.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
}

int checkStandards(const CheckOptions& options, CommandContext& context) {
    if (options.sheets.empty() && !options.all) {
        context.err << "connsheet check: name a sheet or a folder, or give --all\n";
        return 2;
    }
    std::vector<Mx_String> sheets;
    if (!gatherSheets(options, sheets, context))
        return 1;
    CheckRun run;
    int variables = 0;
    for (const Mx_String& sheet : sheets) {
        if (run.wasChecked(sheet))
            continue;  // a child of a sheet checked before it
        std::vector<Mx_String> callers;
        variables = checkSheet(sheet, callers, run);
    }
    const bool ok = run.errors == 0 && !(options.strict && run.warnings > 0);
    if (options.json) {
        printJson(run, ok, context.out);
    } else {
        for (const ReportedFinding& r : run.findings)
            printFinding(r, context.out);
        if (sheets.size() == 1 && variables >= 0)
            context.out << displayPath(sheets.front()).toUtf8() << ": " << variables << " variables, ";
        else
            context.out << run.checked.size() << (run.checked.size() == 1 ? " sheet" : " sheets")
                        << " checked: ";
        context.out << run.errors << " errors, " << run.warnings << " warnings\n";
    }
    return ok ? 0 : 1;
}

}  // namespace

void addCheckCommand(CLI::App& app, CommandContext& context) {
    auto* command =
        app.add_subcommand("check", "Check standards sheets, and the sheets they call, without running them");
    auto options = std::make_shared<CheckOptions>();
    command->add_option("SHEETS", options->sheets,
                        "Sheet files, folders, or names below \"Connection Standards\"");
    command->add_flag("--all", options->all, "Every sheet below the library's \"Connection Standards\"");
    command->add_flag("--json", options->json, "Print one JSON object with the findings");
    command->add_flag("--strict", options->strict, "Fail (exit 1) on warnings too");
    command->callback([&context, options] { context.exitStatus = checkStandards(*options, context); });
}

}  // namespace connsheet
