#pragma once
// The bolt assemblies the library offers (the compositions a bolt tab may choose): one per line of
// the library's "Bolts\Assemblies.txt". Blanks around a line are dropped; empty lines and lines that
// start with "#" are skipped; a name is listed once, at its first line.
#include <string_view>

#include "platform/mxbase/Mx_StringArray.h"

// The names of a list's text (UTF-8).
Mx_StringArray parseAssemblyList(std::string_view text);
// The library's assemblies; none when the file is missing or unreadable.
void GetAssemblies(Mx_StringArray& names);
