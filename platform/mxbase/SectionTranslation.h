#pragma once
// The core's section-name translation tables: pairs of a section name of the library and the name
// another format (CIS/2) knows it by, kept in a text file of the library ("CIS2ProfNames.dat").
//
// File text, UTF-8 (older Windows-1252 files read too):
//     # comment
//     HEA200<TAB>HE200A
// One pair a line, the library's name first. Blank lines and lines starting with "#" are skipped;
// blanks around the names are removed. A bare file name lives in the library folder.
#include <string>
#include <string_view>

#include "platform/mxbase/Mx_String.h"
#include "platform/mxbase/Mx_StringArray.h"

// The path of a translation file: a bare name in the library folder, any other path as given.
Mx_String sectionTranslationPath(const Mx_String& fileName);

// Parses a file's text into the two columns (emptied first). On a line that is not a pair nothing is
// kept, false is returned and `error` says "name:line: problem".
bool parseSectionTranslation(std::string_view bytes, const std::string& name, Mx_StringArray& names,
                             Mx_StringArray& translated, std::string* error);
// The file's text for the pairs (a missing translation is written empty).
std::string formatSectionTranslation(const Mx_StringArray& names, const Mx_StringArray& translated);

// Reads the table; a file that does not exist is an empty table (true).
bool readSectionTranslation(const Mx_String& fileName, Mx_StringArray& names, Mx_StringArray& translated,
                            std::string* error = nullptr);
// Writes the table atomically: on failure the old file stays as it was.
bool saveSectionTranslation(const Mx_String& fileName, const Mx_StringArray& names,
                            const Mx_StringArray& translated, std::string* error = nullptr);
