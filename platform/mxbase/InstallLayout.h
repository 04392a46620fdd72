#pragma once
// Where an installed connsheet keeps its data: beside the program, in <prefix>/share/connsheet/, so an
// installed tree can be moved or copied anywhere and still finds its own library and texts rather than
// the source tree it was built from.
#include <filesystem>
#include <optional>
#include <string_view>

namespace install {

// The running program's file (/proc/self/exe); empty when it cannot be read.
std::filesystem::path programFile();

// <program's folder>/../share/connsheet/<part>/ when that folder exists, with a trailing separator.
std::optional<std::filesystem::path> sharedFolder(const std::filesystem::path& program,
                                                  std::string_view part);

// The same for the running program, looked up once.
std::optional<std::filesystem::path> installedLibraryFolder();  // share/connsheet/library/
std::optional<std::filesystem::path> installedHomeFolder();     // share/connsheet/res/

}  // namespace install
