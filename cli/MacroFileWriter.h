#pragma once
// Writes the macro a run updated, keeping the layout of the file it was read from.
#include <string>

class Mx_DbMacro;
class MacroData;
class Mx_String;

namespace connsheet {

// Writes `macro` to `path` atomically. Where `source` (the macro file it was read from; empty for
// none) differs from the new content in values only, the file keeps the source's own layout with the
// changed values put in place; otherwise it is written as the macro format lays it out. A macro that
// would not read back is not written. False with the reason in `error`.
bool writeMacroKeepingLayout(const std::string& path, const std::string& source, const Mx_DbMacro& macro,
                             const MacroData& data, Mx_String& error);

}  // namespace connsheet
