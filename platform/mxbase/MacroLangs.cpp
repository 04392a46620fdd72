#include "platform/mxbase/MacroLangs.h"

#include "platform/mxbase/Mx_Settings.h"

namespace {

Mx_StringArray installedLanguages() {
    return Mx_StringArray{Mx_String(L"English"), Mx_String(L"German"), Mx_String(L"French"),
                          Mx_String(L"Dutch")};
}

Mx_StringArray& languageList() {
    static Mx_StringArray list = installedLanguages();
    return list;
}

}  // namespace

Mx_StringArray MacroLangs::GetAllLanguages() {
    return languageList();
}

Mx_String MacroLangs::GetCurLanguage() {
    const Mx_StringArray& list = languageList();
    int current = gSettings.workLanguage();
    if (!list.isValidIndex(current))
        current = 0;
    return list.at(current);
}

void MacroLangs::setLanguages(const Mx_StringArray& languages) {
    languageList() = languages.isEmpty() ? installedLanguages() : languages;
}
