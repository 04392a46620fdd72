#include "platform/mxbase/MacroLangs.h"

#include "platform/mxbase/Mx_Settings.h"
#include "platform/mxbase/SectionTranslation.h"

MacroLangs gMacroLangs;

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

Mx_String MacroLangs::GetString(const Mx_String& name) {
    if (!loaded_)
        load(gSettings.libDir() + L"MacroLangs.txt");
    const auto found = texts_.find(name);
    return found == texts_.end() || found->second.isEmpty() ? name : found->second;
}

bool MacroLangs::load(const Mx_String& path, std::string* error) {
    loaded_ = true;
    texts_.clear();
    Mx_StringArray names, texts;
    if (!readSectionTranslation(path, names, texts, error))
        return false;
    for (int i = 0; i < names.length(); ++i)
        texts_.emplace(names[i], texts[i]);
    return true;
}

void MacroLangs::reset() {
    loaded_ = false;
    texts_.clear();
}
