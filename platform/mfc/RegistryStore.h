#pragma once
// The registry behind RegOpenKeyEx and friends: two roots (HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE), keys
// by path ("Software\Vorlane\Spreadsheet Editor v1.0", compared ignoring letter case as Windows does),
// and under each key named values of type REG_SZ, REG_DWORD or REG_BINARY.
//
// One store is current at a time. Unless told otherwise it lives in memory and starts empty, so no test
// and no library call ever reads or changes a user's settings by accident; the command makes the user's
// registry file current at start-up (useUserFile, read on first use), and tests install a fresh store for their scope
// (RegistryScope).
//
// The file is "connsheet/registry.json" in $XDG_CONFIG_HOME (or ~/.config). Every change is written at
// once, atomically (temporary file in the same folder, then rename), so a crash never leaves half a
// file. A file that cannot be read or parsed is ignored with a warning and set aside as
// "registry.json.bad" before the first write replaces it, so a hand-edit gone wrong is not lost.
//
// HKEY_LOCAL_MACHINE is read-only to the program, like a machine-wide key for a normal user: values come
// from the file (or from setMachineValue in tests), and writes fail with ERROR_ACCESS_DENIED.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ui {

enum class RegistryRoot { CurrentUser, LocalMachine };

struct RegistryValue {
    std::uint32_t type = 1;  // REG_SZ = 1, REG_BINARY = 3, REG_DWORD = 4
    std::wstring text;       // REG_SZ
    std::uint32_t number = 0;  // REG_DWORD
    std::vector<std::uint8_t> bytes;  // REG_BINARY

    bool operator==(const RegistryValue&) const = default;
    static RegistryValue string(std::wstring text);
    static RegistryValue dword(std::uint32_t number);
    static RegistryValue binary(std::vector<std::uint8_t> bytes);
};

class RegistryStore {
public:
    // An empty store in memory.
    RegistryStore();
    // A store backed by a file (read now; a missing file is an empty registry).
    explicit RegistryStore(std::string filePath);
    ~RegistryStore();
    RegistryStore(const RegistryStore&) = delete;
    RegistryStore& operator=(const RegistryStore&) = delete;

    bool keyExists(RegistryRoot root, const std::wstring& key) const;
    // Creates the key and its parents (HKEY_LOCAL_MACHINE: refused, false).
    bool createKey(RegistryRoot root, const std::wstring& key);
    std::optional<RegistryValue> value(RegistryRoot root, const std::wstring& key, const std::wstring& name) const;
    // Sets a value under HKEY_CURRENT_USER (creating the key); false for HKEY_LOCAL_MACHINE or when the
    // file cannot be written (the value then stays set in memory for this run).
    bool setValue(RegistryRoot root, const std::wstring& key, const std::wstring& name, const RegistryValue& value);
    bool deleteValue(RegistryRoot root, const std::wstring& key, const std::wstring& name);
    // Deletes a key without subkeys, as RegDeleteKey does; false when it has subkeys or is missing.
    bool deleteKey(RegistryRoot root, const std::wstring& key);
    std::vector<std::wstring> valueNames(RegistryRoot root, const std::wstring& key) const;

    // Seeds a machine-wide value, bypassing the read-only rule (tests, and tools preparing a file).
    void setMachineValue(const std::wstring& key, const std::wstring& name, const RegistryValue& value);

    // The store as the file's JSON text, and the reverse (false, with a reason, when the text is not a
    // registry; the store is then left empty).
    std::string toJson() const;
    bool fromJson(const std::string& text, std::string* error);

    const std::string& filePath() const { return m_filePath; }
    // The last write or read problem, for diagnostics; empty when none.
    const std::string& lastError() const { return m_lastError; }

    // The current store, and making another one current. setCurrent returns the previous one.
    static RegistryStore& current();
    static RegistryStore* setCurrent(RegistryStore* store);
    // Makes the user's registry file current for the rest of the process (the command does this once).
    // The file is read when the current store is first asked for, so a run that never reads or writes
    // a value never reads it either.
    static void useUserFile();
    // $XDG_CONFIG_HOME/connsheet/registry.json, or ~/.config/connsheet/registry.json.
    static std::string userFilePath();

    // Where warnings go (default: standard error, "warning: ..."). Returns the previous sink.
    using WarningSink = std::function<void(const std::string&)>;
    static WarningSink setWarningSink(WarningSink sink);

private:
    struct Data;
    bool save();
    std::unique_ptr<Data> m_data;
    std::string m_filePath;
    std::string m_lastError;
    bool m_setAsideCorruptFile = false;
};

}  // namespace ui
