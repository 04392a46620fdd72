#include "spread/VlSSRegistrySets.h"

#include <string>

#include "platform/mfc/Registry.h"

bool VlSSRegistrySets::read() {
    std::wstring languageValue, settingsValue;
    const bool haveLanguage = ui::registry::readString(HKEY_LOCAL_MACHINE, kKey, L"Language", languageValue);
    const bool haveSettings =
        ui::registry::readString(HKEY_LOCAL_MACHINE, kKey, L"Default Settings", settingsValue);
    if (haveLanguage)
        language = Mx_String(std::move(languageValue));
    if (haveSettings)
        defaultSettingsName = Mx_String(std::move(settingsValue));
    return haveLanguage && haveSettings;
}
