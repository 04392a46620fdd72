#include "platform/mxbase/SectionTranslation.h"

#include <vector>

#include "platform/mxbase/FileSystem.h"
#include "platform/mxbase/Mx_Settings.h"
#include "platform/mxbase/StringFunctions.h"
#include "platform/mxbase/TextFile.h"

Mx_String sectionTranslationPath(const Mx_String& fileName) {
    if (fileName.contains(L'\\') || fileName.contains(L'/'))
        return fileName;
    return gSettings.libDir() + fileName;
}

bool parseSectionTranslation(std::string_view bytes, const std::string& name, Mx_StringArray& names,
                             Mx_StringArray& translated, std::string* error) {
    names.removeAll();
    translated.removeAll();
    const std::vector<std::wstring> lines = textfile::splitLines(textfile::decode(bytes));
    Mx_StringArray readNames, readTranslated;
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const Mx_String line(lines[n]);
        const Mx_String trimmed = stripSymbols(line, L" \r");
        if (trimmed.isEmpty() || trimmed[0] == L'#')
            continue;
        const int tab = line.findFirstFrom(L'\t');
        const Mx_String section = tab < 0 ? Mx_String() : stripSymbols(line.getSubStringAt(0, tab), L" \r");
        const Mx_String other = tab < 0 ? Mx_String() : stripSymbols(line.getSubStringAt(tab + 1), L" \r");
        if (tab < 0 || section.isEmpty() || other.contains(L'\t')) {
            if (error)
                *error = name + ":" + std::to_string(n + 1) +
                         ": expected a section name, a tab and its translation";
            return false;
        }
        readNames.append(section);
        readTranslated.append(other);
    }
    names = std::move(readNames);
    translated = std::move(readTranslated);
    return true;
}

namespace {

// A tab or line break inside a name would split its line (a carriage return splits a line only
// before a line break, which is gone).
Mx_String oneLine(const Mx_String& text) {
    std::wstring out = text.str();
    for (wchar_t& c : out)
        if (c == L'\t' || c == L'\n')
            c = L' ';
    return stripSymbols(Mx_String(std::move(out)), L" \r");
}

}  // namespace

std::string formatSectionTranslation(const Mx_StringArray& names, const Mx_StringArray& translated) {
    std::vector<std::wstring> lines{L"# Section name of the library, a tab, its translation"};
    for (int i = 0; i < names.length(); ++i) {
        const Mx_String name = oneLine(names[i]);
        if (name.isEmpty())
            continue;  // a pair without a name cannot be looked up
        const Mx_String other = i < translated.length() ? oneLine(translated[i]) : Mx_String();
        lines.push_back(name.str() + L"\t" + other.str());
    }
    return textfile::encodeLines(lines);
}

bool readSectionTranslation(const Mx_String& fileName, Mx_StringArray& names, Mx_StringArray& translated,
                            std::string* error) {
    const std::filesystem::path file = fsys::resolve(sectionTranslationPath(fileName).view());
    names.removeAll();
    translated.removeAll();
    if (!fsys::exists(file))
        return true;
    const std::optional<std::string> bytes = fsys::readBytes(file, error);
    return bytes && parseSectionTranslation(*bytes, file.string(), names, translated, error);
}

bool saveSectionTranslation(const Mx_String& fileName, const Mx_StringArray& names,
                            const Mx_StringArray& translated, std::string* error) {
    const std::filesystem::path file = fsys::resolve(sectionTranslationPath(fileName).view());
    return fsys::writeAtomic(file, formatSectionTranslation(names, translated), error);
}
