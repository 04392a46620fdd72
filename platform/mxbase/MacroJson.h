#pragma once
// Reading and writing a macro file: a JSON document holding an Mx_Macro and the tabs of its MacroData.
// The format is described, with a full example, in docs/macro-format.md.
//
// Reading is strict: a document that is not valid JSON, a member of the wrong type, a missing required
// member, an unknown member or a duplicate name is refused, and the message names the JSON path and
// the problem ("/modules/2/variables/0/value: expected a number"). On failure the output objects are
// left as they were. Writing gives a document that reads back to equal objects.
#include <string>
#include <string_view>

#include "platform/mxbase/Mx_String.h"

class Mx_Macro;
class MacroData;

namespace macrojson {

// `tabs` may be null when the caller does not want the dialog data.
bool read(std::string_view json, Mx_Macro& macro, MacroData* tabs, Mx_String& error);
enum class Layout {
    indented,  // indented by two blanks, ending with a line feed: a macro file
    oneLine,   // no line break at all: a line of a JSON-lines file
};
// UTF-8 JSON.
std::string write(const Mx_Macro& macro, const MacroData* tabs, Layout layout = Layout::indented);

// Writes atomically: the old file stays as it was when anything fails.
bool writeFile(const Mx_String& path, const Mx_Macro& macro, const MacroData* tabs, Mx_String& error);

}  // namespace macrojson
