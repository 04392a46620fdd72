#include "platform/mxbase/BoltAssemblies.h"

#include <optional>
#include <string>

#include "platform/mxbase/FileSystem.h"
#include "platform/mxbase/Mx_Settings.h"

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
