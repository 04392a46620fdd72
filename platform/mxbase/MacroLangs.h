#pragma once
// The macro language list: the user languages in which sections, macros and library entries carry
// display names, in the order their columns appear in the library's tables. The current language is
// the entry of the work language (gSettings.workLanguage()), the first when that is outside the list.
//
// The list the product installs names English, German, French and Dutch, the languages of the bundled
// section tables; an installation with more languages (a fifth, "Korean") sets its own list.
#include "platform/mxbase/Mx_String.h"
#include "platform/mxbase/Mx_StringArray.h"

class MacroLangs {
public:
    MacroLangs() = delete;

    static Mx_StringArray GetAllLanguages();
    static Mx_String GetCurLanguage();

    // Replaces the list (an empty list restores the installed one).
    static void setLanguages(const Mx_StringArray& languages);
};
