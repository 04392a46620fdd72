#pragma once
// Modules of our own opened on first use (the render module, the office formats): heavy libraries
// only the commands that need them load, so every other command starts without them.
#include <string>

namespace host {

// The address of `symbol` in the module `fileName`, looked for in the file named by the environment
// variable `environmentName` (when set), in "<program dir>/../lib/connsheet/" (an installed tree),
// beside the program, at `buildTreePath` (the build tree the program was built in; may be null), and
// through the program's run path. Null when none opens, with every attempt's failure in `reasons`.
void* loadModuleEntry(const std::string& fileName, const char* environmentName, const char* buildTreePath,
                      const char* symbol, std::string& reasons);

}  // namespace host
