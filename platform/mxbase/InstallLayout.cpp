#include "platform/mxbase/InstallLayout.h"

#include <system_error>

namespace install {

std::filesystem::path programFile() {
    std::error_code error;
    std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : program;
}

std::optional<std::filesystem::path> sharedFolder(const std::filesystem::path& program,
                                                  std::string_view part) {
    if (program.empty() || !program.has_parent_path())
        return std::nullopt;
    // Lexically normal, so the folder reads "/opt/cs/share/..." rather than "/opt/cs/bin/../share/...".
    std::filesystem::path folder =
        (program.parent_path() / ".." / "share" / "connsheet" / part).lexically_normal();
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error))
        return std::nullopt;
    folder += '/';
    return folder;
}

std::optional<std::filesystem::path> installedLibraryFolder() {
    static const std::optional<std::filesystem::path> folder = sharedFolder(programFile(), "library");
    return folder;
}

std::optional<std::filesystem::path> installedHomeFolder() {
    static const std::optional<std::filesystem::path> folder = sharedFolder(programFile(), "res");
    return folder;
}

}  // namespace install
