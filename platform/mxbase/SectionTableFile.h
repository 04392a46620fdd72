#pragma once
// The core's table files: an array of string arrays as text, one line per row, the fields of a row
// separated by TAB. Files are read in any encoding the core's text files know and written as UTF-8,
// atomically. The section library's ".pr" files use this layout (docs/section-tables.md).
#include "platform/mxbase/Mx_Array.h"
#include "platform/mxbase/Mx_String.h"
#include "platform/mxbase/Mx_StringArray.h"

// Reads the table file at `path` into `rows` (emptied first); `name` receives the file name without
// folder and extension, the table's name. An empty line gives a row without fields. False, with
// `rows` and `name` unchanged, when the file cannot be read.
bool readFile(const Mx_String& path, Mx_String& name, Mx_Array<Mx_StringArray>& rows);

// Writes `rows` to `path`, replacing the file atomically. A field holding a TAB or a line break cannot
// be stored in this layout: such rows are refused (false, the old file untouched) rather than written
// into a file that would read back differently.
bool writeFile(const Mx_String& path, const Mx_Array<Mx_StringArray>& rows);
