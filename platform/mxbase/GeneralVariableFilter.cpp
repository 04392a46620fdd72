#include "platform/mxbase/GeneralVariableFilter.h"

#include <filesystem>

#include "platform/mxbase/FileSystem.h"
#include "platform/mxbase/Mx_StringArray.h"
#include "platform/mxbase/StringFunctions.h"
#include "platform/mxbase/VlAutoStandardsData.h"

namespace {

// "\" separators, blanks and separators at both ends removed.
Mx_String normalised(const Mx_String& path) {
    Mx_String text = path;
    text.replaceSubString(L"/", L"\\");
    return stripSymbols(text, L" \t\\");
}

bool sameOrInside(const Mx_String& path, const Mx_String& entry) {
    if (path.equal(entry, false))
        return true;
    return path.length() > entry.length() && path.startsWith(entry, false) && path[entry.length()] == L'\\';
}

void addOrReplace(std::vector<std::pair<Mx_String, Mx_String>>& variables, const Mx_String& name,
                  const Mx_String& value, bool replace) {
    for (auto& [known, knownValue] : variables) {
        if (known.equal(name, false)) {
            if (replace)
                knownValue = value;
            return;
        }
    }
    variables.emplace_back(name, value);
}

const Mx_String& at(const Mx_StringArray& column, int row) {
    static const Mx_String empty;
    return row < column.length() ? column[row] : empty;
}

}  // namespace

Mx_String macroPathInLibrary(const Mx_String& file, const Mx_String& libDir) {
    if (file.isEmpty() || libDir.isEmpty())
        return {};
    std::error_code failure;
    const std::filesystem::path macros =
        std::filesystem::absolute(fsys::fromWide((libDir + L"\\Macros").view()), failure).lexically_normal();
    const std::filesystem::path path =
        std::filesystem::absolute(fsys::fromWide(file.view()), failure).lexically_normal();
    if (failure)
        return {};
    // Compared as the product's paths are: letter case does not matter.
    const Mx_String folder = normalised(Mx_String(fsys::toWide(macros)));
    const Mx_String full = normalised(Mx_String(fsys::toWide(path)));
    if (!sameOrInside(full, folder) || full.length() == folder.length())
        return {};
    return full.getSubStringAt(folder.length() + 1);
}

bool filterApplies(const Mx_String& filter, const Mx_String& relativePath) {
    Mx_StringArray entries;
    splitStringAtSymbol(filter, L';', entries, true);
    bool any = false;
    for (const Mx_String& raw : entries) {
        const Mx_String entry = normalised(raw);
        if (entry.isEmpty())
            continue;
        any = true;
        if (relativePath.isEmpty())
            continue;
        if (sameOrInside(relativePath, entry) ||
            removeExtension(relativePath).equal(removeExtension(entry), false))
            return true;
    }
    return !any;
}

bool overrideIsOn(const Mx_String& override) {
    const Mx_String text = stripSymbols(override, L" \t");
    return text.equal(L"1") || text.equal(L"true", false) || text.equal(L"yes", false);
}

void applyGeneralVariables(const VlAutoStandardsData& stored, const Mx_String& relativePath,
                           std::vector<std::pair<Mx_String, Mx_String>>& variables) {
    for (int row = 0; row < stored.dwgGenVars().length(); ++row) {
        const Mx_String name = stripSymbols(stored.dwgGenVars()[row], L" \t");
        if (!name.isEmpty() && filterApplies(at(stored.dwgGenFilters(), row), relativePath))
            addOrReplace(variables, name, at(stored.dwgGenValues(), row), false);
    }
    for (int row = 0; row < stored.stdGenVars().length(); ++row) {
        const Mx_String name = stripSymbols(stored.stdGenVars()[row], L" \t");
        if (!name.isEmpty() && filterApplies(at(stored.stdGenFilters(), row), relativePath))
            addOrReplace(variables, name, at(stored.stdGenValues(), row),
                         overrideIsOn(at(stored.stdGenOverrides(), row)));
    }
}
