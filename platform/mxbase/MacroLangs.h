#pragma once
// The macro language list and the core's language strings.
//
// The list: the user languages in which sections, macros and library entries carry display names, in
// the order their columns appear in the library's tables. The current language is the entry of the
// work language (gSettings.workLanguage()), the first when that is outside the list. The list the
// product installs names English, German, French and Dutch, the languages of the bundled section
// tables; an installation with more languages (a fifth, "Korean") sets its own list.
//
// The strings: names shown to the user (macro, picture and module names) are looked up in the
// library's table "MacroLangs.txt" (the format of SectionTranslation.h: the name, a tab, the text shown
// in the work language) and shown as they are when the table has no entry.
#include <map>
#include <string>

#include "platform/mxbase/Mx_String.h"
#include "platform/mxbase/Mx_StringArray.h"

class MacroLangs {
public:
    static Mx_StringArray GetAllLanguages();
    static Mx_String GetCurLanguage();
    // Replaces the list (an empty list restores the installed one).
    static void setLanguages(const Mx_StringArray& languages);

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
