#pragma once
// The Win32 registry calls, over the current ui::RegistryStore (RegistryStore.h says where values live
// and why HKEY_LOCAL_MACHINE is read-only). Results are Win32's error codes.
//
// REG_SZ data is wide text with its terminating zero, as Windows stores it; sizes are in bytes, and
// wchar_t is 4 bytes here, so code should size buffers with sizeof(wchar_t), never with 2.
#include <string>

#include "platform/mfc/Win32Types.h"

struct HKEY__;
using HKEY = HKEY__*;
using PHKEY = HKEY*;
using REGSAM = DWORD;
using LSTATUS = LONG;

inline const HKEY HKEY_CLASSES_ROOT = reinterpret_cast<HKEY>(std::uintptr_t(0x80000000));
inline const HKEY HKEY_CURRENT_USER = reinterpret_cast<HKEY>(std::uintptr_t(0x80000001));
inline const HKEY HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(std::uintptr_t(0x80000002));

constexpr LONG ERROR_SUCCESS = 0;
constexpr LONG ERROR_FILE_NOT_FOUND = 2;
constexpr LONG ERROR_ACCESS_DENIED = 5;
constexpr LONG ERROR_INVALID_HANDLE = 6;
constexpr LONG ERROR_INVALID_PARAMETER = 87;
constexpr LONG ERROR_MORE_DATA = 234;
constexpr LONG ERROR_WRITE_FAULT = 29;

constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_BINARY = 3;
constexpr DWORD REG_DWORD = 4;

constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
constexpr REGSAM KEY_SET_VALUE = 0x0002;
constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
constexpr REGSAM KEY_READ = 0x20019;
constexpr REGSAM KEY_WRITE = 0x20006;
constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;
constexpr DWORD REG_OPTION_NON_VOLATILE = 0;
constexpr DWORD REG_CREATED_NEW_KEY = 1;
constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

// Opening with write access under HKEY_LOCAL_MACHINE is refused (ERROR_ACCESS_DENIED); a missing key
// is ERROR_FILE_NOT_FOUND.
LSTATUS RegOpenKeyEx(HKEY key, LPCTSTR subKey, DWORD options, REGSAM access, PHKEY result);
LSTATUS RegCreateKeyEx(HKEY key, LPCTSTR subKey, DWORD reserved, LPTSTR keyClass, DWORD options, REGSAM access,
                       void* security, PHKEY result, DWORD* disposition);
// With data null, reports the type and the size needed; with a buffer too small, ERROR_MORE_DATA
// and the size needed.
LSTATUS RegQueryValueEx(HKEY key, LPCTSTR name, DWORD* reserved, DWORD* type, BYTE* data, DWORD* size);
LSTATUS RegSetValueEx(HKEY key, LPCTSTR name, DWORD reserved, DWORD type, const BYTE* data, DWORD size);
LSTATUS RegDeleteValue(HKEY key, LPCTSTR name);
LSTATUS RegDeleteKey(HKEY key, LPCTSTR subKey);
LSTATUS RegCloseKey(HKEY key);

namespace ui::registry {
// Convenience reads and writes for our own code: one call instead of open/query/close.
bool readString(HKEY root, const std::wstring& key, const std::wstring& name, std::wstring& value);
bool readDword(HKEY root, const std::wstring& key, const std::wstring& name, DWORD& value);
bool writeString(HKEY root, const std::wstring& key, const std::wstring& name, const std::wstring& value);
bool writeDword(HKEY root, const std::wstring& key, const std::wstring& name, DWORD value);
// Keys opened and not closed (tests check that code closes what it opens).
int openKeyCount();
}  // namespace ui::registry
