#include "platform/mfc/Registry.h"

#include <cstring>  // memcpy
#include <unordered_map>

#include "platform/mfc/RegistryStore.h"

namespace {

using ui::RegistryRoot;
using ui::RegistryStore;
using ui::RegistryValue;

struct OpenKey {
    RegistryRoot root;
    std::wstring path;
    bool writable;
};

struct KeyTable {
    std::uintptr_t next = 0x1000;
    std::unordered_map<std::uintptr_t, OpenKey> keys;
};

KeyTable& keyTable()
{
    static KeyTable table;
    return table;
}

// The root and path a handle stands for; false for handles that are neither a root nor open.
bool resolve(HKEY key, OpenKey& out)
{
    if (key == HKEY_CURRENT_USER) {
        out = {RegistryRoot::CurrentUser, L"", true};
        return true;
    }
    if (key == HKEY_LOCAL_MACHINE) {
        out = {RegistryRoot::LocalMachine, L"", false};
        return true;
    }
    const auto it = keyTable().keys.find(reinterpret_cast<std::uintptr_t>(key));
    if (it == keyTable().keys.end())
        return false;
    out = it->second;
    return true;
}

std::wstring join(const std::wstring& parent, LPCTSTR subKey)
{
    if (subKey == nullptr || *subKey == 0)
        return parent;
    if (parent.empty())
        return subKey;
    return parent + L'\\' + subKey;
}

HKEY open(const OpenKey& key)
{
    KeyTable& table = keyTable();
    const std::uintptr_t handle = table.next++;
    table.keys.emplace(handle, key);
    return reinterpret_cast<HKEY>(handle);
}

bool wantsWrite(REGSAM access)
{
    return (access & (KEY_SET_VALUE | KEY_CREATE_SUB_KEY)) != 0;
}

}  // namespace

LSTATUS RegOpenKeyEx(HKEY key, LPCTSTR subKey, DWORD, REGSAM access, PHKEY result)
{
    OpenKey parent;
    if (result == nullptr)
        return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    if (!resolve(key, parent))
        return ERROR_INVALID_HANDLE;
    const OpenKey opened{parent.root, join(parent.path, subKey), parent.root == RegistryRoot::CurrentUser};
    if (!RegistryStore::current().keyExists(opened.root, opened.path))
        return ERROR_FILE_NOT_FOUND;
    if (wantsWrite(access) && !opened.writable)
        return ERROR_ACCESS_DENIED;
    *result = open(opened);
    return ERROR_SUCCESS;
}

LSTATUS RegCreateKeyEx(HKEY key, LPCTSTR subKey, DWORD, LPTSTR, DWORD, REGSAM, void*, PHKEY result, DWORD* disposition)
{
    OpenKey parent;
    if (result == nullptr)
        return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    if (!resolve(key, parent))
        return ERROR_INVALID_HANDLE;
    if (parent.root == RegistryRoot::LocalMachine)
        return ERROR_ACCESS_DENIED;
    const OpenKey opened{parent.root, join(parent.path, subKey), true};
    const bool existed = RegistryStore::current().keyExists(opened.root, opened.path);
    if (!existed && !RegistryStore::current().createKey(opened.root, opened.path))
        return ERROR_WRITE_FAULT;
    if (disposition)
        *disposition = existed ? REG_OPENED_EXISTING_KEY : REG_CREATED_NEW_KEY;
    *result = open(opened);
    return ERROR_SUCCESS;
}

LSTATUS RegQueryValueEx(HKEY key, LPCTSTR name, DWORD*, DWORD* type, BYTE* data, DWORD* size)
{
    OpenKey opened;
    if (!resolve(key, opened))
        return ERROR_INVALID_HANDLE;
    const auto value = RegistryStore::current().value(opened.root, opened.path, name ? name : L"");
    if (!value)
        return ERROR_FILE_NOT_FOUND;
    std::vector<BYTE> bytes;
    if (value->type == REG_SZ) {
        bytes.resize((value->text.size() + 1) * sizeof(wchar_t));
        std::memcpy(bytes.data(), value->text.c_str(), bytes.size());
    } else if (value->type == REG_DWORD) {
        bytes.resize(sizeof(DWORD));
        std::memcpy(bytes.data(), &value->number, sizeof(DWORD));
    } else {
        bytes = value->bytes;
    }
    if (type)
        *type = value->type;
    if (data == nullptr) {
        if (size)
            *size = DWORD(bytes.size());
        return ERROR_SUCCESS;
    }
    if (size == nullptr)
        return ERROR_INVALID_PARAMETER;
    if (*size < bytes.size()) {
        *size = DWORD(bytes.size());
        return ERROR_MORE_DATA;
    }
    if (!bytes.empty())
        std::memcpy(data, bytes.data(), bytes.size());
    *size = DWORD(bytes.size());
    return ERROR_SUCCESS;
}

LSTATUS RegSetValueEx(HKEY key, LPCTSTR name, DWORD, DWORD type, const BYTE* data, DWORD size)
{
    OpenKey opened;
    if (!resolve(key, opened))
        return ERROR_INVALID_HANDLE;
    if (!opened.writable)
        return ERROR_ACCESS_DENIED;
    if (data == nullptr && size != 0)
        return ERROR_INVALID_PARAMETER;
    RegistryValue value;
    if (type == REG_SZ) {
        // The text ends at the first zero or at the end of the data, whichever comes first, so a size
        // without the terminator (a common slip) still stores the whole text and never reads past it.
        std::wstring text;
        for (DWORD i = 0; i + sizeof(wchar_t) <= size; i += sizeof(wchar_t)) {
            wchar_t c;
            std::memcpy(&c, data + i, sizeof(wchar_t));
            if (c == 0)
                break;
            text += c;
        }
        value = RegistryValue::string(std::move(text));
    } else if (type == REG_DWORD) {
        if (size != sizeof(DWORD))
            return ERROR_INVALID_PARAMETER;
        DWORD number;
        std::memcpy(&number, data, sizeof(DWORD));
        value = RegistryValue::dword(number);
    } else if (type == REG_BINARY) {
        value = RegistryValue::binary(std::vector<std::uint8_t>(data, data + size));
    } else {
        return ERROR_INVALID_PARAMETER;
    }
    if (!RegistryStore::current().setValue(opened.root, opened.path, name ? name : L"", value))
        return ERROR_WRITE_FAULT;
    return ERROR_SUCCESS;
}

LSTATUS RegDeleteValue(HKEY key, LPCTSTR name)
{
    OpenKey opened;
    if (!resolve(key, opened))
        return ERROR_INVALID_HANDLE;
    if (!opened.writable)
        return ERROR_ACCESS_DENIED;
    return RegistryStore::current().deleteValue(opened.root, opened.path, name ? name : L"") ? ERROR_SUCCESS
                                                                                             : ERROR_FILE_NOT_FOUND;
}

LSTATUS RegDeleteKey(HKEY key, LPCTSTR subKey)
{
    OpenKey opened;
    if (!resolve(key, opened))
        return ERROR_INVALID_HANDLE;
    if (!opened.writable)
        return ERROR_ACCESS_DENIED;
    const std::wstring path = join(opened.path, subKey);
    if (!RegistryStore::current().keyExists(opened.root, path))
        return ERROR_FILE_NOT_FOUND;
    return RegistryStore::current().deleteKey(opened.root, path) ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
}

LSTATUS RegCloseKey(HKEY key)
{
    if (key == HKEY_CURRENT_USER || key == HKEY_LOCAL_MACHINE || key == HKEY_CLASSES_ROOT)
        return ERROR_SUCCESS;
    return keyTable().keys.erase(reinterpret_cast<std::uintptr_t>(key)) == 1 ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

namespace ui::registry {

bool readString(HKEY root, const std::wstring& key, const std::wstring& name, std::wstring& value)
{
    OpenKey opened;
    if (!resolve(root, opened))
        return false;
    const auto found = RegistryStore::current().value(opened.root, join(opened.path, key.c_str()), name);
    if (!found || found->type != REG_SZ)
        return false;
    value = found->text;
    return true;
}

bool readDword(HKEY root, const std::wstring& key, const std::wstring& name, DWORD& value)
{
    OpenKey opened;
    if (!resolve(root, opened))
        return false;
    const auto found = RegistryStore::current().value(opened.root, join(opened.path, key.c_str()), name);
    if (!found || found->type != REG_DWORD)
        return false;
    value = found->number;
    return true;
}

bool writeString(HKEY root, const std::wstring& key, const std::wstring& name, const std::wstring& value)
{
    OpenKey opened;
    if (!resolve(root, opened) || !opened.writable)
        return false;
    return RegistryStore::current().setValue(opened.root, join(opened.path, key.c_str()), name, RegistryValue::string(value));
}

bool writeDword(HKEY root, const std::wstring& key, const std::wstring& name, DWORD value)
{
    OpenKey opened;
    if (!resolve(root, opened) || !opened.writable)
        return false;
    return RegistryStore::current().setValue(opened.root, join(opened.path, key.c_str()), name, RegistryValue::dword(value));
}

int openKeyCount()
{
    return int(keyTable().keys.size());
}

}  // namespace ui::registry
