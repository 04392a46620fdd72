#pragma once
// VlAutoStandardsData: the general variables a library gives its standards runs, in two lists.
//
// - drawing list: dwgGenVars (names), dwgGenValues (values), dwgGenFilters (filters);
// - standards list: stdGenVars, stdGenValues, stdGenOverrides (override texts), stdGenFilters.
//
// The arrays of one list are row-parallel. A filter is a ";"-separated list of drawings and folders,
// each relative to the library's "Macros\" folder (GeneralVariableFilter.h says how one is applied).
//
// The library keeps them in one file, "Connection Standards\GeneralVariables.txt" below the library
// folder (generalVariablesPath()); the general variables dialog edits that file and every standards
// run of the command line reads it. Its text:
//
//     # comment
//     [drawing]
//     NAME<TAB>VALUE<TAB>FILTER
//     [standards]
//     NAME<TAB>VALUE<TAB>OVERRIDE<TAB>FILTER
//
// UTF-8 (older files in Windows-1252 read too); missing trailing fields are empty; inside a field
// "\t", "\n", "\r" and "\\" stand for tab, line break, carriage return and backslash, and "\#" and
// "\[" for a "#" or "[" that starts a line. Blank lines are skipped.
#include <string>
#include <string_view>

#include "platform/mxbase/Mx_String.h"
#include "platform/mxbase/Mx_StringArray.h"

class VlAutoStandardsData {
public:
    VlAutoStandardsData() = default;
    virtual ~VlAutoStandardsData() = default;
    VlAutoStandardsData(const VlAutoStandardsData&) = default;
    VlAutoStandardsData& operator=(const VlAutoStandardsData&) = default;

    Mx_StringArray& dwgGenVars() { return dwgGenVars_; }
    Mx_StringArray& dwgGenValues() { return dwgGenValues_; }
    Mx_StringArray& dwgGenFilters() { return dwgGenFilters_; }
    Mx_StringArray& stdGenVars() { return stdGenVars_; }
    Mx_StringArray& stdGenValues() { return stdGenValues_; }
    Mx_StringArray& stdGenOverrides() { return stdGenOverrides_; }
    Mx_StringArray& stdGenFilters() { return stdGenFilters_; }
    const Mx_StringArray& dwgGenVars() const { return dwgGenVars_; }
    const Mx_StringArray& dwgGenValues() const { return dwgGenValues_; }
    const Mx_StringArray& dwgGenFilters() const { return dwgGenFilters_; }
    const Mx_StringArray& stdGenVars() const { return stdGenVars_; }
    const Mx_StringArray& stdGenValues() const { return stdGenValues_; }
    const Mx_StringArray& stdGenOverrides() const { return stdGenOverrides_; }
    const Mx_StringArray& stdGenFilters() const { return stdGenFilters_; }

    bool operator==(const VlAutoStandardsData&) const = default;

    // Replaces the lists with the file's text. On a line that cannot be read nothing changes, false is
    // returned and `error` says "name:line: problem".
    bool readText(std::string_view bytes, const std::string& name, std::string* error);
    // The file's text (UTF-8, LF line ends). Rows are written as long as the list's names; a missing
    // value, override or filter is written empty.
    std::string text() const;

    // Reads the file; a file that does not exist gives empty lists and true.
    bool load(const Mx_String& path, std::string* error);
    // Writes the file atomically (creating its folder); on failure the old file stays as it was.
    bool save(const Mx_String& path, std::string* error) const;

private:
    Mx_StringArray dwgGenVars_;
    Mx_StringArray dwgGenValues_;
    Mx_StringArray dwgGenFilters_;
    Mx_StringArray stdGenVars_;
    Mx_StringArray stdGenValues_;
    Mx_StringArray stdGenOverrides_;
    Mx_StringArray stdGenFilters_;
};

// The library's general variables file: libDir + "Connection Standards\GeneralVariables.txt".
Mx_String generalVariablesPath();
