#include "platform/mxbase/Mx_Settings.h"

#include <cstdlib>  // getenv

#include "platform/mxbase/FileSystem.h"
#include "platform/mxbase/InstallLayout.h"

Mx_Settings gSettings;

namespace {

// The environment's value, or nullopt when the variable is unset or empty.
std::optional<Mx_String> fromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0')
        return std::nullopt;
    return Mx_String(value);
}

bool isSeparator(wchar_t c) {
    return c == L'/' || c == L'\\';
}

// Folders are handed out with a trailing separator so that callers can append "Macros\" and the like.
// The separator added is the one the folder already uses ("\" for a folder written the product's way).
Mx_String withSeparator(Mx_String folder) {
    if (folder.isEmpty() || isSeparator(folder.at(folder.length() - 1)))
        return folder;
    bool backslashes = folder.contains(L'\\') && !folder.contains(L'/');
    folder.append(backslashes ? L'\\' : L'/');
    return folder;
}

// After the setter and the environment: the installed tree's own folder when the program runs from one
// (bin/../share/connsheet/...), else the source tree's folder compiled in for the build tree.
Mx_String choose(const std::optional<Mx_String>& explicitFolder, const char* variable,
                 const std::optional<std::filesystem::path>& installed, const char* fallback) {
    if (explicitFolder)
        return withSeparator(*explicitFolder);
    if (std::optional<Mx_String> fromEnv = fromEnvironment(variable))
        return withSeparator(*fromEnv);
    if (installed)
        return Mx_String(installed->string());
    return withSeparator(Mx_String(fallback));
}

}  // namespace

Mx_String Mx_Settings::libDir() const {
    Mx_String folder =
        choose(libDir_, "CONNSHEET_LIB", install::installedLibraryFolder(), CONNSHEET_DEFAULT_LIB_DIR);
    // Paths into the library then look for letter-case variants below its root only.
    static std::wstring lastOffered;
    if (folder.str() != lastOffered) {
        lastOffered = folder.str();
        fsys::takeFolderAsWritten(fsys::fromWide(folder.view()));
    }
    return folder;
}

void Mx_Settings::setLibDir(const Mx_String& folder) {
    if (folder.isEmpty()) {
        libDir_.reset();
    } else {
        libDir_ = folder;
    }
}

Mx_String Mx_Settings::mxDir() const {
    return choose(mxDir_, "CONNSHEET_HOME", install::installedHomeFolder(), CONNSHEET_DEFAULT_HOME_DIR);
}

void Mx_Settings::setMxDir(const Mx_String& folder) {
    if (folder.isEmpty()) {
        mxDir_.reset();
    } else {
        mxDir_ = folder;
    }
}

Mx_String Mx_Settings::productDir() const {
    Mx_String folder = mxDir();
    // A root folder ("/") keeps its only character.
    while (folder.length() > 1 && isSeparator(folder.at(folder.length() - 1)))
        folder.removeAt(folder.length() - 1);
    return folder;
}

void Mx_Settings::reset() {
    *this = Mx_Settings();
}
