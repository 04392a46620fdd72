#pragma once
// The bolt assemblies the library offers (the compositions a bolt tab may choose): one per line of
// the library's "Bolts\Assemblies.txt", named by size and grade ("M20 8.8", " HV" for a preloaded
// set). Blanks around a line are dropped; empty lines and lines that start with "#" are skipped; a
// name is listed once, at its first line.
#include <string_view>

#include "platform/mxbase/Mx_String.h"
#include "platform/mxbase/Mx_StringArray.h"

class MacroData;

// The names of a list's text (UTF-8).
Mx_StringArray parseAssemblyList(std::string_view text);
// The library's assemblies; none when the file is missing or unreadable.
void GetAssemblies(Mx_StringArray& names);
// The diameters of the library's assemblies (the number after "M"), merged with the diameters the
// bolt tabs of `data` use (a value the list lacks still shows), in ascending order without repeats.
void GetMergedDiameters(const MacroData& data, const Mx_String& moduleName, Mx_StringArray& diameters);
