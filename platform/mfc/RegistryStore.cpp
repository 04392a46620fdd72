#include "platform/mfc/RegistryStore.h"

#include <cstdio>   // fprintf, rename
#include <cstdlib>  // getenv
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <nlohmann/json.hpp>
#include <unistd.h>  // write, fsync, close, getpid

#include "platform/arx/Utf8.h"

namespace ui {

namespace {

using json = nlohmann::json;

// Larger files are not a registry this program wrote; refusing them keeps a stray huge file from
// being parsed at every start.
constexpr std::size_t maxFileSize = 4 * 1024 * 1024;

const char* rootName(RegistryRoot root)
{
    return root == RegistryRoot::CurrentUser ? "HKEY_CURRENT_USER" : "HKEY_LOCAL_MACHINE";
}

std::wstring fold(const std::wstring& text)
{
    std::wstring result(text);
    for (wchar_t& c : result)
        if (c >= L'A' && c <= L'Z')
            c = wchar_t(c - L'A' + L'a');
    return result;
}

std::wstring normalizeKey(const std::wstring& key)
{
    std::size_t first = key.find_first_not_of(L'\\');
    if (first == std::wstring::npos)
        return {};
    std::size_t last = key.find_last_not_of(L'\\');
    return key.substr(first, last - first + 1);
}

bool writeFileAtomically(const std::string& path, const std::string& bytes, std::string& error)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path target(path);
    if (target.has_parent_path())
        fs::create_directories(target.parent_path(), ec);
    const std::string temporary = path + ".tmp" + std::to_string(::getpid());
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0) {
        error = "cannot write " + temporary;
        return false;
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0)
            break;
        done += std::size_t(n);
    }
    const bool written = done == bytes.size() && ::fsync(fd) == 0;
    ::close(fd);
    if (!written || std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        error = "cannot write " + path;
        return false;
    }
    return true;
}

RegistryStore::WarningSink& warningSink()
{
    static RegistryStore::WarningSink sink = [](const std::string& text) {
        std::fprintf(stderr, "warning: %s\n", text.c_str());
    };
    return sink;
}

void warn(const std::string& text)
{
    if (warningSink())
        warningSink()(text);
}

}  // namespace

RegistryValue RegistryValue::string(std::wstring text)
{
    RegistryValue v;
    v.type = 1;
    v.text = std::move(text);
    return v;
}

RegistryValue RegistryValue::dword(std::uint32_t number)
{
    RegistryValue v;
    v.type = 4;
    v.number = number;
    return v;
}

RegistryValue RegistryValue::binary(std::vector<std::uint8_t> bytes)
{
    RegistryValue v;
    v.type = 3;
    v.bytes = std::move(bytes);
    return v;
}

struct RegistryStore::Data {
    struct Key {
        std::wstring path;  // as first written
        std::map<std::wstring, std::pair<std::wstring, RegistryValue>> values;  // folded name -> (name, value)
    };
    // Per root: folded path -> key.
    std::map<std::wstring, Key> roots[2];

    std::map<std::wstring, Key>& keys(RegistryRoot root) { return roots[root == RegistryRoot::CurrentUser ? 0 : 1]; }
    const std::map<std::wstring, Key>& keys(RegistryRoot root) const
    {
        return roots[root == RegistryRoot::CurrentUser ? 0 : 1];
    }
    Key* find(RegistryRoot root, const std::wstring& key)
    {
        auto& map = keys(root);
        const auto it = map.find(fold(normalizeKey(key)));
        return it == map.end() ? nullptr : &it->second;
    }
    const Key* find(RegistryRoot root, const std::wstring& key) const
    {
        return const_cast<Data*>(this)->find(root, key);
    }
    Key& make(RegistryRoot root, const std::wstring& key)
    {
        const std::wstring path = normalizeKey(key);
        Key& entry = keys(root)[fold(path)];
        if (entry.path.empty())
            entry.path = path;
        return entry;
    }
};

RegistryStore::RegistryStore()
    : m_data(std::make_unique<Data>())
{
}

RegistryStore::RegistryStore(std::string filePath)
    : m_data(std::make_unique<Data>())
    , m_filePath(std::move(filePath))
{
    std::error_code ec;
    if (!std::filesystem::exists(m_filePath, ec))
        return;
    std::ifstream in(m_filePath, std::ios::binary);
    std::string text;
    if (in) {
        in.seekg(0, std::ios::end);
        const auto size = in.tellg();
        in.seekg(0);
        if (size >= 0 && std::size_t(size) <= maxFileSize)
            text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        else
            m_lastError = "file too large";
    } else {
        m_lastError = "cannot be read";
    }
    if (m_lastError.empty())
        fromJson(text, &m_lastError);
    if (!m_lastError.empty()) {
        warn("registry file " + m_filePath + " ignored: " + m_lastError);
        m_setAsideCorruptFile = true;
    }
}

RegistryStore::~RegistryStore() = default;

bool RegistryStore::keyExists(RegistryRoot root, const std::wstring& key) const
{
    const std::wstring folded = fold(normalizeKey(key));
    if (folded.empty())
        return true;
    const auto& map = m_data->keys(root);
    if (map.count(folded))
        return true;
    // A key exists when any key below it does, as parents are implied.
    const std::wstring prefix = folded + L'\\';
    const auto it = map.lower_bound(prefix);
    return it != map.end() && it->first.compare(0, prefix.size(), prefix) == 0;
}

bool RegistryStore::createKey(RegistryRoot root, const std::wstring& key)
{
    if (root == RegistryRoot::LocalMachine)
        return keyExists(root, key);
    if (keyExists(root, key))
        return true;
    m_data->make(root, key);
    return save();
}

std::optional<RegistryValue> RegistryStore::value(RegistryRoot root, const std::wstring& key, const std::wstring& name) const
{
    const Data::Key* entry = m_data->find(root, key);
    if (!entry)
        return std::nullopt;
    const auto it = entry->values.find(fold(name));
    if (it == entry->values.end())
        return std::nullopt;
    return it->second.second;
}

bool RegistryStore::setValue(RegistryRoot root, const std::wstring& key, const std::wstring& name, const RegistryValue& value)
{
    if (root == RegistryRoot::LocalMachine) {
        m_lastError = "HKEY_LOCAL_MACHINE is read-only";
        return false;
    }
    Data::Key& entry = m_data->make(root, key);
    auto& slot = entry.values[fold(name)];
    if (slot.first.empty())
        slot.first = name;
    slot.second = value;
    return save();
}

bool RegistryStore::deleteValue(RegistryRoot root, const std::wstring& key, const std::wstring& name)
{
    if (root == RegistryRoot::LocalMachine)
        return false;
    Data::Key* entry = m_data->find(root, key);
    if (!entry || entry->values.erase(fold(name)) == 0)
        return false;
    return save();
}

bool RegistryStore::deleteKey(RegistryRoot root, const std::wstring& key)
{
    if (root == RegistryRoot::LocalMachine)
        return false;
    const std::wstring folded = fold(normalizeKey(key));
    auto& map = m_data->keys(root);
    const std::wstring prefix = folded + L'\\';
    const auto below = map.lower_bound(prefix);
    if (folded.empty() || (below != map.end() && below->first.compare(0, prefix.size(), prefix) == 0))
        return false;
    if (map.erase(folded) == 0)
        return false;
    return save();
}

std::vector<std::wstring> RegistryStore::valueNames(RegistryRoot root, const std::wstring& key) const
{
    std::vector<std::wstring> names;
    if (const Data::Key* entry = m_data->find(root, key))
        for (const auto& [folded, value] : entry->values)
            names.push_back(value.first);
    return names;
}

void RegistryStore::setMachineValue(const std::wstring& key, const std::wstring& name, const RegistryValue& value)
{
    Data::Key& entry = m_data->make(RegistryRoot::LocalMachine, key);
    auto& slot = entry.values[fold(name)];
    if (slot.first.empty())
        slot.first = name;
    slot.second = value;
    save();
}

std::string RegistryStore::toJson() const
{
    json document = json::object();
    for (RegistryRoot root : {RegistryRoot::CurrentUser, RegistryRoot::LocalMachine}) {
        json keys = json::object();
        for (const auto& [folded, key] : m_data->keys(root)) {
            json values = json::object();
            for (const auto& [foldedName, entry] : key.values) {
                const RegistryValue& v = entry.second;
                json item;
                if (v.type == 4) {
                    item = v.number;
                } else if (v.type == 3) {
                    static const char digits[] = "0123456789abcdef";
                    std::string hex;
                    for (std::uint8_t b : v.bytes)
                        hex += digits[b >> 4], hex += digits[b & 15];
                    item = json{{"binary", hex}};
                } else {
                    item = utf8::encode(v.text);
                }
                values[utf8::encode(entry.first)] = std::move(item);
            }
            keys[utf8::encode(key.path)] = std::move(values);
        }
        if (!keys.empty())
            document[rootName(root)] = std::move(keys);
    }
    return document.dump(2) + "\n";
}

bool RegistryStore::fromJson(const std::string& text, std::string* error)
{
    auto fail = [&](const std::string& reason) {
        m_data = std::make_unique<Data>();
        if (error)
            *error = reason;
        return false;
    };
    m_data = std::make_unique<Data>();
    const json document = json::parse(text, nullptr, false);
    if (document.is_discarded())
        return fail("not valid JSON");
    if (!document.is_object())
        return fail("not a registry (the top level is not an object)");
    for (const auto& [rootText, keys] : document.items()) {
        RegistryRoot root;
        if (rootText == "HKEY_CURRENT_USER")
            root = RegistryRoot::CurrentUser;
        else if (rootText == "HKEY_LOCAL_MACHINE")
            root = RegistryRoot::LocalMachine;
        else
            return fail("unknown root \"" + rootText + "\"");
        if (!keys.is_object())
            return fail(rootText + " is not an object");
        for (const auto& [keyText, values] : keys.items()) {
            if (!values.is_object())
                return fail("key \"" + keyText + "\" is not an object");
            Data::Key& key = m_data->make(root, utf8::decode(keyText));
            for (const auto& [nameText, item] : values.items()) {
                RegistryValue value;
                if (item.is_string()) {
                    value = RegistryValue::string(utf8::decode(item.get<std::string>()));
                } else if (item.is_number_unsigned() && item.get<std::uint64_t>() <= 0xFFFFFFFFu) {
                    value = RegistryValue::dword(std::uint32_t(item.get<std::uint64_t>()));
                } else if (item.is_object() && item.size() == 1 && item.contains("binary") && item["binary"].is_string()) {
                    const std::string hex = item["binary"].get<std::string>();
                    std::vector<std::uint8_t> bytes;
                    auto nibble = [](char c) {
                        if (c >= '0' && c <= '9')
                            return c - '0';
                        if (c >= 'a' && c <= 'f')
                            return c - 'a' + 10;
                        if (c >= 'A' && c <= 'F')
                            return c - 'A' + 10;
                        return -1;
                    };
                    if (hex.size() % 2 != 0)
                        return fail("value \"" + nameText + "\" has odd-length binary data");
                    for (std::size_t i = 0; i < hex.size(); i += 2) {
                        const int high = nibble(hex[i]), low = nibble(hex[i + 1]);
                        if (high < 0 || low < 0)
                            return fail("value \"" + nameText + "\" has bad binary data");
                        bytes.push_back(std::uint8_t(high * 16 + low));
                    }
                    value = RegistryValue::binary(std::move(bytes));
                } else {
                    return fail("value \"" + nameText + "\" under \"" + keyText + "\" has an unknown type");
                }
                const std::wstring name = utf8::decode(nameText);
                key.values[fold(name)] = {name, std::move(value)};
            }
        }
    }
    return true;
}

bool RegistryStore::save()
{
    if (m_filePath.empty())
        return true;
    if (m_setAsideCorruptFile) {
        std::rename(m_filePath.c_str(), (m_filePath + ".bad").c_str());
        m_setAsideCorruptFile = false;
    }
    std::string error;
    if (!writeFileAtomically(m_filePath, toJson(), error)) {
        m_lastError = error;
        warn("registry not saved: " + error);
        return false;
    }
    m_lastError.clear();
    return true;
}

namespace {
RegistryStore*& currentStore()
{
    static RegistryStore* store = nullptr;
    return store;
}

// Set by useUserFile: the store made on first use is the user's file rather than memory.
bool userFileWanted = false;

RegistryStore& userStore()
{
    static RegistryStore store(RegistryStore::userFilePath());
    return store;
}
}  // namespace

RegistryStore& RegistryStore::current()
{
    if (currentStore() == nullptr) {
        if (userFileWanted) {
            currentStore() = &userStore();
        } else {
            static RegistryStore memoryStore;
            currentStore() = &memoryStore;
        }
    }
    return *currentStore();
}

RegistryStore* RegistryStore::setCurrent(RegistryStore* store)
{
    RegistryStore* previous = &current();
    currentStore() = store;
    return previous;
}

void RegistryStore::useUserFile()
{
    // Most commands never touch the registry: the file is read (and a corrupt one reported) by the
    // first call that needs a value, not at start-up.
    userFileWanted = true;
    currentStore() = nullptr;
}

std::string RegistryStore::userFilePath()
{
    std::string base;
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config)
        base = config;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = std::string(home) + "/.config";
    else
        base = ".";
    return base + "/connsheet/registry.json";
}

RegistryStore::WarningSink RegistryStore::setWarningSink(WarningSink sink)
{
    WarningSink previous = std::move(warningSink());
    warningSink() = std::move(sink);
    return previous;
}

}  // namespace ui
