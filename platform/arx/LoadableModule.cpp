#include "platform/arx/LoadableModule.h"

#include <dlfcn.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

namespace host {

void* loadModuleEntry(const std::string& fileName, const char* environmentName, const char* buildTreePath,
                      const char* symbol, std::string& reasons) {
    std::vector<std::string> candidates;
    if (const char* named = environmentName ? std::getenv(environmentName) : nullptr; named && *named)
        candidates.emplace_back(named);
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        candidates.push_back((program.parent_path() / ".." / "lib" / "connsheet" / fileName).string());
        candidates.push_back((program.parent_path() / fileName).string());
    }
    // Sanitizer runtimes intercept dlopen, which then does not see the program's run path: the build
    // tree's path is tried by name.
    if (buildTreePath)
        candidates.emplace_back(buildTreePath);
    candidates.push_back(fileName);
    for (const std::string& candidate : candidates) {
        if (candidate.find('/') != std::string::npos && !std::filesystem::exists(candidate, error))
            continue;
        void* module = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!module) {
            reasons += std::string("\n  ") + dlerror();
            continue;
        }
        if (void* entry = dlsym(module, symbol))
            return entry;
        reasons += "\n  " + candidate + ": no " + symbol;
    }
    return nullptr;
}

}  // namespace host
