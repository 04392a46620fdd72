// The standards functions a sheet's equations can call, registered with the sheet's grid. Each sets
// its result to empty first; a wrong argument kind, a missing file or a missing key makes it fail
// (the grid's error result), which the equation loop then reports with the cause noted here.
#include <algorithm>
#include <cmath>
#include <span>
#include <vector>

#include "platform/grid/window/SSFunctions.h"
#include "platform/mxbase/Mx_SectionTableManager.h"
#include "platform/mxbase/NumberFunctions.h"
#include "platform/mxbase/StringFunctions.h"
#include "spread/CFormula.h"
#include "standards/DisplayPath.h"
#include "standards/StandardsTimers.h"
#include "standards/StandardsWarnings.h"
#include "standards/VlCalcSS.h"
#include "standards/VlDataFile.h"
#include "standards/VlRunReport.h"
#include "standards/VlTolerance.h"

namespace {

using grid::CustomRecord;
using grid::RecordStatus;
using grid::RecordType;
using Args = std::span<CustomRecord>;

bool isNumberArg(const CustomRecord& arg) {
    return arg.status == RecordStatus::Valid && (arg.type == RecordType::Long || arg.type == RecordType::Double);
}

bool isTextArg(const CustomRecord& arg) {
    return arg.status == RecordStatus::Valid && arg.type == RecordType::String;
}

bool numberArg(const CustomRecord& arg, double& value) {
    if (!isNumberArg(arg)) return false;
    value = arg.type == RecordType::Long ? static_cast<double>(arg.longValue) : arg.doubleValue;
    return true;
}

// A text argument without one leading and one trailing double quote.
bool textArg(const CustomRecord& arg, Mx_String& text) {
    if (!isTextArg(arg)) return false;
    text = Mx_String(arg.text.view());
    if (text.startsWith(Mx_String(L"\""))) text.removeAt(0);
    if (text.endsWith(Mx_String(L"\""))) text.removeAt(text.length() - 1);
    return true;
}

bool textResult(CustomRecord& result, const Mx_String& text) {
    if (text.isEmpty())
        result.setEmpty();
    else
        result = CustomRecord::ofString(text.view());
    return true;
}

bool doubleResult(CustomRecord& result, double value) {
    result = CustomRecord::ofDouble(value);
    return true;
}

// Notes why the function fails, for the equation's finding, and fails.
bool fail(std::string cause) {
    vlNoteCause(std::move(cause));
    return false;
}

std::string quoted(const Mx_String& text) { return "\"" + text.toUtf8() + "\""; }

// The data or sizes file named by a function's first argument; false (with the cause) when it is not
// found or cannot be read.
bool findFile(const char* what, const Mx_String& name, Mx_String& path) {
    if (VlDataFile::find(name, path, VlCalcSS::evaluatingFile())) return true;
    return fail(std::string(what) + " " + quoted(name) + " not found");
}

bool roundTo(CustomRecord& result, Args args) {
    double value = 0, step = 0;
    if (!numberArg(args[0], value) || !numberArg(args[1], step)) return fail("ROUNDTO takes two numbers");
    return doubleResult(result, ObjectExportRoundTo(value, step));
}

bool getCell(CustomRecord& result, Args args, bool sectionNames) {
    Mx_String name, path;
    const char* function = sectionNames ? "GETPROFCELL" : "GETCELL";
    if (!textArg(args[0], name)) return fail(std::string(function) + " takes the data file's name first");
    if (!findFile("data file", name, path)) return false;
    const auto rows = VlDataFile::readData(path);
    if (!rows) return fail("data file " + quoted(name) + " cannot be read");
    if (rows->empty()) return fail("data file " + quoted(name) + " holds no rows");
    Mx_StringArray keys;
    for (std::size_t i = 1; i < args.size(); ++i) {
        double number = 0;
        Mx_String text;
        if (numberArg(args[i], number))
            keys.append(formatKeyNumber(number));
        else if (textArg(args[i], text))
            keys.append(text);
        else
            break;
    }
    const Mx_String key = arrToStr(keys);
    Mx_String systemName;
    for (const Mx_StringArray& row : *rows) {
        if (row.length() == 0) break;
        const Mx_String* first = &row[0];
        if (sectionNames && gSectionTableManager.getSystemName(*first, systemName) == Acad::eOk) first = &systemName;
        if (!first->equal(key, false)) continue;
        if (row.length() < 2) return fail("key " + quoted(key) + " in " + quoted(name) + " has no value (column 2)");
        return textResult(result, row[1]);
    }
    return fail("key " + quoted(key) + " not in " + quoted(name));
}

bool sectionSize(CustomRecord& result, Args args) {
    Mx_String section;
    double field = 0, value = 0;
    if (!textArg(args[0], section) || !numberArg(args[1], field))
        return fail("SECTIONSIZE takes a section name and a field number");
    if (gSectionTableManager.getSectionValue(section, static_cast<int>(field) - 1, value) != Acad::eOk) {
        Mx_String systemName;
        if (gSectionTableManager.getSystemName(section, systemName) != Acad::eOk)
            return fail("section " + quoted(section) + " not found");
        return fail("section " + quoted(section) + " has no numeric field " + std::to_string(static_cast<int>(field)));
    }
    return doubleResult(result, value);
}

bool getSysName(CustomRecord& result, Args args) {
    Mx_String name, systemName;
    if (!textArg(args[0], name)) return fail("GETSYSNAME takes a section name");
    if (gSectionTableManager.getSystemName(name, systemName) != Acad::eOk) systemName = name;
    return textResult(result, systemName);
}

bool getArrayItem(CustomRecord& result, Args args) {
    Mx_String list;
    double index = 0;
    if (!textArg(args[0], list) || !numberArg(args[1], index))
        return fail("GETARRAYITEM takes a \";\"-separated list and an index");
    Mx_StringArray items;
    strToArr(list, items, L';');
    const double item = std::trunc(index);
    if (item < 1 || item > items.length()) return textResult(result, Mx_String());
    return textResult(result, items[static_cast<int>(item) - 1]);
}

bool toNumber(CustomRecord& result, Args args) {
    Mx_String text;
    double value = 0;
    if (!textArg(args[0], text)) return fail("TONUMBER takes a text");
    if (!text.toDouble(value)) return fail(quoted(text) + " is not a number");
    return doubleResult(result, value);
}

bool isNull(CustomRecord& result, Args args) {
    const CustomRecord& arg = args[0];
    double number = 0;
    Mx_String text;
    bool null = arg.status != RecordStatus::Valid;
    if (numberArg(arg, number))
        null = number == 0.0;
    else if (textArg(arg, text))
        null = text.isEmpty();
    return doubleResult(result, null ? 1.0 : 0.0);
}

bool isPositive(CustomRecord& result, Args args) {
    const CustomRecord& arg = args[0];
    double number = 0;
    Mx_String text;
    bool positive = false;
    if (numberArg(arg, number))
        positive = number > 0.0;
    else if (textArg(arg, text))
        positive = !text.isEmpty() && text.toDouble() > 0.0;
    return doubleResult(result, positive ? 1.0 : 0.0);
}

// Lines of a sizes file that are no size are left out; the run's report hears of them once per
// file, naming the first.
void reportSkippedSizes(const Mx_String& path, const VlDataFile::SizesFile& file, CWnd* owner) {
    VlRunReport* report = VlRunReport::active();
    if (!report || !report->firstTime("sizes-file:" + path.toUtf8())) return;
    const Mx_String count(static_cast<int>(file.skipped.size()));
    const Mx_String text = Mx_String(L"Sizes file ") + displayPath(path) + L": " + count +
                           (file.skipped.size() == 1 ? L" line is" : L" lines are") +
                           L" not a size (a number, or two numbers with \"x\" between) and " +
                           (file.skipped.size() == 1 ? L"was" : L"were") + L" skipped, the first: \"" +
                           file.skipped.front() + L"\"";
    VlRunFinding finding;
    finding.kind = "sizes-file";
    finding.severity = VlRunFinding::Severity::warning;
    // The tolerance functions are registered on the sheet's own grid window.
    if (const auto* sheet = dynamic_cast<const VlCalcSS*>(owner)) finding.sheet = displayPath(sheet->fileName()).toUtf8();
    finding.cause = text.toUtf8();
    finding.text = text.toUtf8();
    report->add(std::move(finding));
}

enum class ToleranceKind { Width, Thickness, Size };

bool withTolerance(CustomRecord& result, Args args, ToleranceKind kind, VlCalcSS* owner) {
    Mx_String name;
    double step = 0, thickness = 0, value = 0, down = 0, up = 0;
    const char* usage = kind == ToleranceKind::Width       ? "STDWIDTHWITHTOLERANCE takes the sizes file's name, then numbers"
                        : kind == ToleranceKind::Thickness ? "STDTHICKNESSWITHTOLERANCE takes the sizes file's name, then numbers"
                                                           : "STDSIZEWITHTOLERANCE takes the sizes file's name, then numbers";
    if (!textArg(args[0], name) || !numberArg(args[1], step)) return fail(usage);
    std::size_t next = 2;
    if (kind == ToleranceKind::Width && !numberArg(args[next++], thickness)) return fail(usage);
    if (!numberArg(args[next], value) || !numberArg(args[next + 1], down) || !numberArg(args[next + 2], up))
        return fail(usage);
    if (kind == ToleranceKind::Thickness) thickness = value;
    if (down + up <= 0.0) {
        const Mx_String text = Mx_String(L"Invalid tolerances provided.\n DownTolerance is :") + formatNumber(down, 2) +
                               L"UpTolerance is :" + formatNumber(up, 2) +
                               L"\nAdding both tolerances should result in a positive value.";
        showStandardsWarning(text, owner);
        if (vlReporting()) {
            VlRunFinding warning = owner->finding("tolerance", VlRunFinding::Severity::warning);
            warning.cause = "down tolerance " + formatNumber(down, 2).toUtf8() + " + up tolerance " +
                            formatNumber(up, 2).toUtf8() + " is not positive";
            warning.text = text.toUtf8();
            vlReport(std::move(warning));
        }
    }
    Mx_String path;
    if (!findFile("sizes file", name, path)) return false;
    const auto file = VlDataFile::readSizes(path);
    if (!file) return fail("sizes file " + quoted(name) + " cannot be read");
    if (!file->skipped.empty()) reportSkippedSizes(path, *file, owner);
    const VlDataFile::Sizes& sizes = file->sizes;
    std::vector<double> standards;
    standards.reserve(sizes.size());
    for (const auto& [a, b] : sizes) {
        switch (kind) {
            case ToleranceKind::Size: standards.push_back(a); break;
            case ToleranceKind::Thickness: standards.push_back(b); break;
            case ToleranceKind::Width:
                if (b == 0.0 || b == thickness) standards.push_back(a);
                break;
        }
    }
    // The order of ObjectExportSort: ascending, stable, not-a-number last.
    if (kind == ToleranceKind::Width)
        std::stable_sort(standards.begin(), standards.end(), [](double x, double y) {
            if (std::isnan(x) || std::isnan(y)) return !std::isnan(x) && std::isnan(y);
            return x < y;
        });
    return doubleResult(result, VlTolerance::choose(standards, step, value, down, up));
}

}  // namespace

Acad::ErrorStatus VlCalcSS::registerFunctions() {
    Mx_FunctionTimer timer(gRegisterFuntions);
    const HWND grid = GetSafeHwnd();
    // A grid keeps its functions (a load does not drop them): a pooled grid gets them once.
    if (grid && grid == functionsRegisteredOn_) return Acad::eOk;
    // Plain functions of the sheet they run for: each is registered as one call that empties the
    // result first, small enough to be held without an allocation of its own.
    using Function = bool (*)(CustomRecord&, Args, VlCalcSS*);
    struct Entry {
        const wchar_t* name;
        short minArgs, maxArgs;
        Function function;
    };
    static constexpr Entry entries[] = {
        {L"ROUNDTO", 2, 2, [](CustomRecord& r, Args a, VlCalcSS*) { return roundTo(r, a); }},
        {L"GETCELL", 2, 7, [](CustomRecord& r, Args a, VlCalcSS*) { return getCell(r, a, false); }},
        {L"GETPROFCELL", 2, 7, [](CustomRecord& r, Args a, VlCalcSS*) { return getCell(r, a, true); }},
        {L"SECTIONSIZE", 2, 2, [](CustomRecord& r, Args a, VlCalcSS*) { return sectionSize(r, a); }},
        {L"GETSYSNAME", 1, 1, [](CustomRecord& r, Args a, VlCalcSS*) { return getSysName(r, a); }},
        {L"STDWIDTHWITHTOLERANCE", 6, 6,
         [](CustomRecord& r, Args a, VlCalcSS* owner) {
             return withTolerance(r, a, ToleranceKind::Width, owner);
         }},
        {L"STDTHICKNESSWITHTOLERANCE", 5, 5,
         [](CustomRecord& r, Args a, VlCalcSS* owner) {
             return withTolerance(r, a, ToleranceKind::Thickness, owner);
         }},
        {L"STDSIZEWITHTOLERANCE", 5, 5,
         [](CustomRecord& r, Args a, VlCalcSS* owner) {
             return withTolerance(r, a, ToleranceKind::Size, owner);
         }},
        {L"GETARRAYITEM", 2, 2, [](CustomRecord& r, Args a, VlCalcSS*) { return getArrayItem(r, a); }},
        {L"TONUMBER", 1, 1, [](CustomRecord& r, Args a, VlCalcSS*) { return toNumber(r, a); }},
        {L"ISNULL", 1, 1, [](CustomRecord& r, Args a, VlCalcSS*) { return isNull(r, a); }},
        {L"ISPOSITIVE", 1, 1, [](CustomRecord& r, Args a, VlCalcSS*) { return isPositive(r, a); }},
    };
    bool ok = true;
    for (const Entry& entry : entries) {
        grid::CustomCallback callback = [function = entry.function, owner = this](CustomRecord& r, Args a) {
            r.setEmpty();  // every function starts from an empty result
            return function(r, a, owner);
        };
        ok = SSAddCustomFunctionExt(grid, entry.name, entry.minArgs, entry.maxArgs, std::move(callback), 0) &&
             ok;
    }
    ok = CFormula::registerFromTable(*this) && ok;
    functionsRegisteredOn_ = ok ? grid : nullptr;
    return ok ? Acad::eOk : Acad::eInvalidInput;
}
