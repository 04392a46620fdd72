#include "platform/mxbase/BoltAssemblies.h"

#include <algorithm>
#include <cwchar>  // wcstod
#include <cwctype>
#include <optional>
#include <string>
#include <vector>

#include "platform/mxbase/FileSystem.h"
#include "platform/mxbase/MacroData.h"
#include "platform/mxbase/Mx_Settings.h"

namespace {

double numberOf(const Mx_String& text) {
    return std::wcstod(text.c_str(), nullptr);
}

// "M20 8.8 HV" -> "20"; empty for a name that does not start with "M" and a size.
Mx_String diameterOf(const Mx_String& assembly) {
    const std::wstring& name = assembly.str();
    if (name.size() < 2 || (name[0] != L'M' && name[0] != L'm'))
        return {};
    std::size_t end = 1;
    while (end < name.size() && (std::iswdigit(name[end]) || name[end] == L'.'))
        ++end;
    return Mx_String(name.substr(1, end - 1));
}

void addOnce(std::vector<Mx_String>& list, const Mx_String& value) {
    if (!value.isEmpty() &&
        std::none_of(list.begin(), list.end(), [&](const Mx_String& d) { return d == value; }))
        list.push_back(value);
}

}  // namespace

Mx_StringArray parseAssemblyList(std::string_view text) {
    Mx_StringArray names;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        const std::size_t first = line.find_first_not_of(" \t\r");
        if (first == std::string_view::npos || line[first] == '#')
            continue;
        line = line.substr(first, line.find_last_not_of(" \t\r") - first + 1);
        const Mx_String name{std::string(line)};
        if (!names.contains(name))
            names.append(name);
    }
    return names;
}

void GetAssemblies(Mx_StringArray& names) {
    names.removeAll();
    const std::filesystem::path file = fsys::resolve((gSettings.libDir() + L"Bolts\\Assemblies.txt").view());
    if (!fsys::exists(file))
        return;
    const std::optional<std::string> bytes = fsys::readBytes(file, nullptr);
    if (bytes)
        names = parseAssemblyList(*bytes);
}

void GetMergedDiameters(const MacroData& data, const Mx_String& moduleName, Mx_StringArray& diameters) {
    (void)moduleName;  // every bolt tab of the data adds its diameter, that module's included
    std::vector<Mx_String> merged;
    Mx_StringArray assemblies;
    GetAssemblies(assemblies);
    for (const Mx_String& assembly : assemblies)
        addOnce(merged, diameterOf(assembly));
    for (const MacroTabData& tab : data.tabs()) {
        const MacroBoltData* bolts = nullptr;
        if (tab.getBoltData(bolts) == Acad::eOk)
            addOnce(merged, bolts->diameter);
    }
    std::stable_sort(merged.begin(), merged.end(),
                     [](const Mx_String& a, const Mx_String& b) { return numberOf(a) < numberOf(b); });
    diameters.removeAll();
    for (const Mx_String& d : merged)
        diameters.append(d);
}
