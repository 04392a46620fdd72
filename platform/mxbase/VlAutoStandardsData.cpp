#include "platform/mxbase/VlAutoStandardsData.h"

#include <vector>

#include "platform/mxbase/FileSystem.h"
#include "platform/mxbase/Mx_Settings.h"
#include "platform/mxbase/TextFile.h"

namespace {

enum class List { None, Drawing, Standards };

// One field of a line, its escapes undone; false on an escape that means nothing.
bool unescape(std::wstring_view field, std::wstring& out) {
    out.clear();
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != L'\\') {
            out += field[i];
            continue;
        }
        if (++i == field.size())
            return false;
        switch (field[i]) {
            case L't':
                out += L'\t';
                break;
            case L'n':
                out += L'\n';
                break;
            case L'r':
                out += L'\r';
                break;
            case L'\\':
                out += L'\\';
                break;
            case L'#':
                out += L'#';
                break;
            case L'[':
                out += L'[';
                break;
            default:
                return false;
        }
    }
    return true;
}

std::wstring escape(const Mx_String& field, bool startsLine) {
    std::wstring out;
    for (wchar_t c : field.str()) {
        switch (c) {
            case L'\t':
                out += L"\\t";
                break;
            case L'\n':
                out += L"\\n";
                break;
            case L'\r':
                out += L"\\r";
                break;
            case L'\\':
                out += L"\\\\";
                break;
            default:
                if (startsLine && out.empty() && (c == L'#' || c == L'['))
                    out += L'\\';
                out += c;
        }
    }
    return out;
}

const Mx_String& field(const Mx_StringArray& column, int row) {
    static const Mx_String empty;
    return row < column.length() ? column[row] : empty;
}

void writeRow(std::vector<std::wstring>& lines, std::initializer_list<const Mx_String*> fields) {
    std::wstring line;
    bool first = true;
    for (const Mx_String* f : fields) {
        if (!first)
            line += L'\t';
        line += escape(*f, first);
        first = false;
    }
    lines.push_back(std::move(line));
}

}  // namespace

bool VlAutoStandardsData::readText(std::string_view bytes, const std::string& name, std::string* error) {
    VlAutoStandardsData read;
    List list = List::None;
    const std::vector<std::wstring> lines = textfile::splitLines(textfile::decode(bytes));
    auto fail = [&](std::size_t index, const std::string& problem) {
        if (error)
            *error = name + ":" + std::to_string(index + 1) + ": " + problem;
        return false;
    };
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const std::wstring& line = lines[n];
        if (line.empty() || line.front() == L'#')
            continue;
        if (line.front() == L'[') {
            if (line == L"[drawing]")
                list = List::Drawing;
            else if (line == L"[standards]")
                list = List::Standards;
            else
                return fail(n, "unknown list (expected [drawing] or [standards])");
            continue;
        }
        if (list == List::None)
            return fail(n, "a variable before [drawing] or [standards]");
        std::vector<std::wstring> fields;
        std::size_t start = 0;
        while (true) {
            const std::size_t tab = line.find(L'\t', start);
            std::wstring value;
            if (!unescape(std::wstring_view(line).substr(
                              start, tab == std::wstring::npos ? std::wstring::npos : tab - start),
                          value))
                return fail(n, "a backslash that is not \\t, \\n, \\r, \\\\, \\# or \\[");
            fields.push_back(std::move(value));
            if (tab == std::wstring::npos)
                break;
            start = tab + 1;
        }
        const std::size_t allowed = list == List::Drawing ? 3 : 4;
        if (fields.size() > allowed)
            return fail(n, list == List::Drawing ? "more than 3 fields (name, value, filter)"
                                                 : "more than 4 fields (name, value, override, filter)");
        fields.resize(allowed);
        if (list == List::Drawing) {
            read.dwgGenVars_.append(Mx_String(fields[0]));
            read.dwgGenValues_.append(Mx_String(fields[1]));
            read.dwgGenFilters_.append(Mx_String(fields[2]));
        } else {
            read.stdGenVars_.append(Mx_String(fields[0]));
            read.stdGenValues_.append(Mx_String(fields[1]));
            read.stdGenOverrides_.append(Mx_String(fields[2]));
            read.stdGenFilters_.append(Mx_String(fields[3]));
        }
    }
    *this = std::move(read);
    return true;
}

std::string VlAutoStandardsData::text() const {
    std::vector<std::wstring> lines;
    lines.push_back(L"# General variables of the library: name, value, filter (drawings and folders below");
    lines.push_back(
        L"# \"Macros\\\", separated by \";\"); the standards list has an override before the filter.");
    lines.push_back(L"[drawing]");
    for (int row = 0; row < dwgGenVars_.length(); ++row)
        writeRow(lines, {&dwgGenVars_[row], &field(dwgGenValues_, row), &field(dwgGenFilters_, row)});
    lines.push_back(L"[standards]");
    for (int row = 0; row < stdGenVars_.length(); ++row)
        writeRow(lines, {&stdGenVars_[row], &field(stdGenValues_, row), &field(stdGenOverrides_, row),
                         &field(stdGenFilters_, row)});
    return textfile::encodeLines(lines);
}

bool VlAutoStandardsData::load(const Mx_String& path, std::string* error) {
    const std::filesystem::path file = fsys::resolve(path.view());
    if (!fsys::exists(file)) {
        *this = VlAutoStandardsData();
        return true;
    }
    const std::optional<std::string> bytes = fsys::readBytes(file, error);
    if (!bytes)
        return false;
    return readText(*bytes, file.string(), error);
}

bool VlAutoStandardsData::save(const Mx_String& path, std::string* error) const {
    const std::filesystem::path file = fsys::resolve(path.view());
    if (file.has_parent_path() && !fsys::createDirectories(file.parent_path(), error))
        return false;
    return fsys::writeAtomic(file, text(), error);
}

Mx_String generalVariablesPath() {
    return gSettings.libDir() + L"Connection Standards\\GeneralVariables.txt";
}
