#include "platform/mfc/Registry.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>  // getpid

#include "platform/mfc/RegistryScope.h"

using ui::RegistryScope;
using ui::RegistryStore;
using ui::RegistryValue;

namespace {

const wchar_t* const editorKey = L"Software\\Vorlane\\Spreadsheet Editor v1.0";

std::wstring queryString(HKEY root, const wchar_t* key, const wchar_t* name, LONG* status = nullptr)
{
    HKEY opened = nullptr;
    LONG result = RegOpenKeyEx(root, key, 0, KEY_READ, &opened);
    std::wstring text;
    if (result == ERROR_SUCCESS) {
        DWORD type = 0, size = 0;
        result = RegQueryValueEx(opened, name, nullptr, &type, nullptr, &size);
        if (result == ERROR_SUCCESS && type == REG_SZ) {
            std::vector<wchar_t> buffer(size / sizeof(wchar_t));
            result = RegQueryValueEx(opened, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size);
            text = buffer.data();
        }
        RegCloseKey(opened);
    }
    if (status)
        *status = result;
    return text;
}

struct TempDir {
    std::filesystem::path path = std::filesystem::temp_directory_path() /
                                 ("connsheet-registry-" + std::to_string(::getpid()) + "-" +
                                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
    TempDir() { std::filesystem::remove_all(path); }
    ~TempDir() { std::filesystem::remove_all(path); }
};

}  // namespace

TEST(Registry, MachineValuesAreReadButNeverWritten)
{
    RegistryScope registry;
    registry.store().setMachineValue(editorKey, L"Language", RegistryValue::string(L"NL"));
    EXPECT_EQ(queryString(HKEY_LOCAL_MACHINE, editorKey, L"language"), L"NL");

    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, editorKey, 0, KEY_WRITE, &key), ERROR_ACCESS_DENIED);
    EXPECT_EQ(key, nullptr);
    EXPECT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, L"Software\\New", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_ACCESS_DENIED);
    ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, editorKey, 0, KEY_READ, &key), ERROR_SUCCESS);
    const wchar_t text[] = L"EN";
    EXPECT_EQ(RegSetValueEx(key, L"Language", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof(text)),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteValue(key, L"Language"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_FALSE(ui::registry::writeString(HKEY_LOCAL_MACHINE, editorKey, L"Language", L"EN"));
    EXPECT_EQ(queryString(HKEY_LOCAL_MACHINE, editorKey, L"Language"), L"NL");
    EXPECT_EQ(ui::registry::openKeyCount(), 0);
}

TEST(Registry, QueryFollowsWin32SizeRules)
{
    RegistryScope registry;
    HKEY key = nullptr;
    DWORD disposition = 0;
    ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, L"Software\\T", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
    const DWORD number = 42;
    ASSERT_EQ(RegSetValueEx(key, L"n", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof(number)), ERROR_SUCCESS);
    // A text given without its terminating zero is still stored whole.
    const wchar_t text[] = {L'a', L'b', L'c'};
    ASSERT_EQ(RegSetValueEx(key, L"s", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof(text)), ERROR_SUCCESS);

    DWORD type = 0, size = 0;
    ASSERT_EQ(RegQueryValueEx(key, L"s", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(size, 4 * sizeof(wchar_t));
    wchar_t small[2];
    size = sizeof(small);
    EXPECT_EQ(RegQueryValueEx(key, L"s", nullptr, &type, reinterpret_cast<BYTE*>(small), &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 4 * sizeof(wchar_t));

    DWORD back = 0;
    size = sizeof(back);
    ASSERT_EQ(RegQueryValueEx(key, L"N", nullptr, &type, reinterpret_cast<BYTE*>(&back), &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(back, 42u);
    EXPECT_EQ(RegQueryValueEx(key, L"missing", nullptr, &type, nullptr, &size), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegSetValueEx(key, L"bad", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 2), ERROR_INVALID_PARAMETER);
    RegCloseKey(key);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegQueryValueEx(key, L"n", nullptr, &type, nullptr, &size), ERROR_INVALID_HANDLE);

    EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, L"Software\\Missing", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
    // Parents of a key exist implicitly; a key with subkeys cannot be deleted.
    EXPECT_EQ(RegDeleteKey(HKEY_CURRENT_USER, L"Software"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteKey(HKEY_CURRENT_USER, L"software\\t"), ERROR_SUCCESS);
    EXPECT_FALSE(registry.store().keyExists(ui::RegistryRoot::CurrentUser, L"Software\\T"));
}

TEST(Registry, PersistsToItsFileAndReadsItBack)
{
    TempDir dir;
    const std::string file = (dir.path / "connsheet" / "registry.json").string();
    {
        RegistryScope registry(file);
        EXPECT_TRUE(ui::registry::writeString(HKEY_CURRENT_USER, L"Software\\Vorlane\\X", L"Name", L"Zoë"));
        EXPECT_TRUE(ui::registry::writeDword(HKEY_CURRENT_USER, L"Software\\Vorlane\\X", L"Count", 7));
        registry.store().setMachineValue(editorKey, L"Default Settings", RegistryValue::string(L"Std"));
        // Written at once: the file is complete without closing anything.
        EXPECT_TRUE(std::filesystem::exists(file));
    }
    RegistryScope again(file);
    std::wstring name;
    DWORD count = 0;
    EXPECT_TRUE(ui::registry::readString(HKEY_CURRENT_USER, L"software\\vorlane\\x", L"name", name));
    EXPECT_EQ(name, L"Zoë");
    EXPECT_TRUE(ui::registry::readDword(HKEY_CURRENT_USER, L"Software\\Vorlane\\X", L"Count", count));
    EXPECT_EQ(count, 7u);
    EXPECT_EQ(queryString(HKEY_LOCAL_MACHINE, editorKey, L"Default Settings"), L"Std");
    EXPECT_FALSE(std::filesystem::exists(file + ".tmp" + std::to_string(::getpid())));
}

TEST(Registry, CorruptFileIsIgnoredWithAWarningAndSetAside)
{
    TempDir dir;
    std::filesystem::create_directories(dir.path);
    const std::string file = (dir.path / "registry.json").string();
    for (const char* content : {"{\"HKEY_CURRENT_USER\": {", "[1, 2]", "{\"HKEY_CURRENT_USER\":{\"K\":{\"v\":-3}}}",
                                "{\"HKEY_USERS\":{}}", "\xff\xfe"}) {
        SCOPED_TRACE(content);
        std::ofstream(file, std::ios::binary) << content;
        std::vector<std::string> warnings;
        auto previous = RegistryStore::setWarningSink([&](const std::string& text) { warnings.push_back(text); });
        {
            RegistryScope registry(file);
            ASSERT_EQ(warnings.size(), 1u);
            EXPECT_NE(warnings[0].find("registry.json"), std::string::npos);
            EXPECT_TRUE(registry.store().valueNames(ui::RegistryRoot::CurrentUser, L"K").empty());
            EXPECT_TRUE(ui::registry::writeDword(HKEY_CURRENT_USER, L"K", L"v", 1));
        }
        RegistryStore::setWarningSink(std::move(previous));
        std::ifstream bad(file + ".bad");
        const std::string kept{std::istreambuf_iterator<char>(bad), std::istreambuf_iterator<char>()};
        EXPECT_EQ(kept, content);
        RegistryScope reread(file);
        DWORD v = 0;
        EXPECT_TRUE(ui::registry::readDword(HKEY_CURRENT_USER, L"K", L"v", v));
    }
}

TEST(Registry, UserFileFollowsXdgConfigHome)
{
    const char* saved = std::getenv("XDG_CONFIG_HOME");
    const std::string restore = saved ? saved : "";
    ::setenv("XDG_CONFIG_HOME", "/tmp/cfg", 1);
    EXPECT_EQ(RegistryStore::userFilePath(), "/tmp/cfg/connsheet/registry.json");
    ::setenv("XDG_CONFIG_HOME", "", 1);
    ::setenv("HOME", "/home/u", 1);
    EXPECT_EQ(RegistryStore::userFilePath(), "/home/u/.config/connsheet/registry.json");
    if (saved)
        ::setenv("XDG_CONFIG_HOME", restore.c_str(), 1);
    else
        ::unsetenv("XDG_CONFIG_HOME");
}
