#pragma once
// The core's language strings for names shown to the user (macro, picture and module names): a name
// is looked up in the library's table "MacroLangs.txt" (the format of SectionTranslation.h: the name,
// a tab, the text shown in the work language) and shown as it is when the table has no entry.
#include <map>
#include <string>

#include "platform/mxbase/Mx_String.h"

class MacroLangs {
public:
    // The text for a name; the name itself when there is none. The table is read on first use.
    Mx_String GetString(const Mx_String& name);
    // Reads the table from a file (a missing file gives an empty table). False with `error` when the
    // file cannot be read; the table is then empty.
    bool load(const Mx_String& path, std::string* error = nullptr);
    // Forgets the table; the next GetString reads the library's again.
    void reset();

private:
    bool loaded_ = false;
    std::map<Mx_String, Mx_String> texts_;
};

extern MacroLangs gMacroLangs;
