#include "platform/mfc/DialogSizeStore.h"

#include "platform/mfc/Registry.h"

namespace ui {

namespace {

bool readInt(const std::wstring& key, const wchar_t* name, int& value)
{
    DWORD number = 0;
    if (!registry::readDword(HKEY_CURRENT_USER, key, name, number))
        return false;
    value = static_cast<int>(static_cast<std::int32_t>(number));
    return true;
}

bool writeInt(const std::wstring& key, const wchar_t* name, int value)
{
    return registry::writeDword(HKEY_CURRENT_USER, key, name, static_cast<DWORD>(static_cast<std::int32_t>(value)));
}

}  // namespace

std::wstring DialogSizeStore::keyFor(const std::wstring& name)
{
    return L"Software\\Vorlane\\connsheet\\Dialogs\\" + name;
}

std::optional<DialogPlacement> DialogSizeStore::read(const std::wstring& name)
{
    if (name.empty())
        return std::nullopt;
    const std::wstring key = keyFor(name);
    DialogPlacement placement;
    if (!readInt(key, L"Width", placement.width) || !readInt(key, L"Height", placement.height))
        return std::nullopt;
    if (placement.width <= 0 || placement.height <= 0 || placement.width > maxSide || placement.height > maxSide)
        return std::nullopt;
    int left = 0, top = 0;
    if (readInt(key, L"Left", left) && readInt(key, L"Top", top) && left > -maxSide && left < maxSide &&
        top > -maxSide && top < maxSide) {
        placement.left = left;
        placement.top = top;
    }
    return placement;
}

bool DialogSizeStore::write(const std::wstring& name, const DialogPlacement& placement)
{
    if (name.empty() || placement.width <= 0 || placement.height <= 0)
        return false;
    const std::wstring key = keyFor(name);
    bool ok = writeInt(key, L"Width", placement.width) && writeInt(key, L"Height", placement.height);
    if (placement.left && placement.top)
        ok = ok && writeInt(key, L"Left", *placement.left) && writeInt(key, L"Top", *placement.top);
    return ok;
}

bool DialogSizeStore::readSwitch(const std::wstring& name, const std::wstring& value, bool& on)
{
    DWORD number = 0;
    if (name.empty() || !registry::readDword(HKEY_CURRENT_USER, keyFor(name), value, number))
        return false;
    on = number != 0;
    return true;
}

bool DialogSizeStore::writeSwitch(const std::wstring& name, const std::wstring& value, bool on)
{
    if (name.empty())
        return false;
    return registry::writeDword(HKEY_CURRENT_USER, keyFor(name), value, on ? 1 : 0);
}

}  // namespace ui
