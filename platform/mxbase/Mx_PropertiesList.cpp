#include "platform/mxbase/Mx_PropertiesList.h"

#include <charconv>  // to_chars, from_chars: locale-independent and exact for doubles
#include <cmath>
#include <limits>
#include <optional>

#include "platform/arx/Utf8.h"
#include "platform/mxbase/FileSystem.h"
#include "platform/mxbase/TextFile.h"

namespace {

constexpr std::wstring_view kHeader = L"Mx_PropertiesList 1";
constexpr std::wstring_view kHeaderName = L"Mx_PropertiesList";

struct TypeName {
    Mx_PropertiesList::Type type;
    std::wstring_view word;
};
constexpr TypeName kTypeNames[] = {
    {Mx_PropertiesList::Type::None, L"none"},     {Mx_PropertiesList::Type::Int, L"int"},
    {Mx_PropertiesList::Type::Double, L"double"}, {Mx_PropertiesList::Type::String, L"string"},
    {Mx_PropertiesList::Type::Bool, L"bool"},
};

std::wstring_view wordOf(Mx_PropertiesList::Type type) {
    for (const TypeName& t : kTypeNames) {
        if (t.type == type) return t.word;
    }
    return L"none";
}

std::optional<Mx_PropertiesList::Type> typeOfWord(std::wstring_view word) {
    for (const TypeName& t : kTypeNames) {
        if (t.word == word) return t.type;
    }
    return std::nullopt;
}

std::string narrow(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        if (c > 0x7F) return {};  // numbers are plain ASCII; anything else cannot parse
        out += static_cast<char>(c);
    }
    return out;
}

std::optional<long long> parseInteger(std::wstring_view text) {
    std::string ascii = narrow(text);
    long long value = 0;
    auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (ascii.empty() || error != std::errc() || end != ascii.data() + ascii.size()) return std::nullopt;
    return value;
}

std::optional<double> parseDouble(std::wstring_view text) {
    std::string ascii = narrow(text);
    double value = 0;
    auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (ascii.empty() || error != std::errc() || end != ascii.data() + ascii.size()) return std::nullopt;
    return value;
}

std::wstring formatDouble(double value) {
    char buffer[64];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (error != std::errc()) return L"0";
    return std::wstring(buffer, end);
}

// Names and values are written on one line separated by tabs, so tabs, line breaks and the escape
// character itself are escaped.
std::wstring escape(std::wstring_view text) {
    std::wstring out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        switch (c) {
            case L'\\': out += L"\\\\"; break;
            case L'\t': out += L"\\t"; break;
            case L'\n': out += L"\\n"; break;
            case L'\r': out += L"\\r"; break;
            default: out += c;
        }
    }
    return out;
}

std::optional<std::wstring> unescape(std::wstring_view text) {
    std::wstring out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size()) return std::nullopt;
        switch (text[i]) {
            case L'\\': out += L'\\'; break;
            case L't': out += L'\t'; break;
            case L'n': out += L'\n'; break;
            case L'r': out += L'\r'; break;
            default: return std::nullopt;
        }
    }
    return out;
}

// The value text is checked against its type when read, so a list never holds an int that is not
// a number.
bool validValue(Mx_PropertiesList::Type type, std::wstring_view text) {
    switch (type) {
        case Mx_PropertiesList::Type::None: return text.empty();
        case Mx_PropertiesList::Type::Int: {
            std::optional<long long> v = parseInteger(text);
            return v && *v >= std::numeric_limits<int>::min() && *v <= std::numeric_limits<int>::max();
        }
        case Mx_PropertiesList::Type::Double: return parseDouble(text).has_value();
        case Mx_PropertiesList::Type::Bool: return text == L"0" || text == L"1";
        case Mx_PropertiesList::Type::String: return true;
    }
    return false;
}

}  // namespace

int Mx_PropertiesList::indexOf(const Mx_String& name) const {
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (fsys::equalIgnoringCase(items_[i].name.view(), name.view())) return static_cast<int>(i);
    }
    return -1;
}

const Mx_PropertiesList::Item* Mx_PropertiesList::find(const Mx_String& name) const {
    int index = indexOf(name);
    return index < 0 ? nullptr : &items_[static_cast<std::size_t>(index)];
}

void Mx_PropertiesList::set(const Mx_String& name, Type type, std::wstring text) {
    int index = indexOf(name);
    if (index < 0) {
        items_.push_back({name, type, std::move(text)});
        return;
    }
    Item& item = items_[static_cast<std::size_t>(index)];
    item.type = type;
    item.text = std::move(text);
}

void Mx_PropertiesList::setInt(const Mx_String& name, int value) { set(name, Type::Int, std::to_wstring(value)); }

void Mx_PropertiesList::setDouble(const Mx_String& name, double value) { set(name, Type::Double, formatDouble(value)); }

void Mx_PropertiesList::setString(const Mx_String& name, const Mx_String& value) { set(name, Type::String, value.str()); }

void Mx_PropertiesList::setBool(const Mx_String& name, bool value) { set(name, Type::Bool, value ? L"1" : L"0"); }

bool Mx_PropertiesList::getInt(const Mx_String& name, int& value) const {
    const Item* item = find(name);
    if (!item) return false;
    if (item->type == Type::Int || item->type == Type::Bool) {
        std::optional<long long> v = parseInteger(item->text);
        if (!v) return false;
        value = static_cast<int>(*v);
        return true;
    }
    if (item->type == Type::Double) {
        std::optional<double> v = parseDouble(item->text);
        if (!v || !std::isfinite(*v) || *v != std::floor(*v) || *v < std::numeric_limits<int>::min() ||
            *v > std::numeric_limits<int>::max()) {
            return false;
        }
        value = static_cast<int>(*v);
        return true;
    }
    return false;
}

bool Mx_PropertiesList::getDouble(const Mx_String& name, double& value) const {
    const Item* item = find(name);
    if (!item || (item->type != Type::Int && item->type != Type::Double)) return false;
    std::optional<double> v = parseDouble(item->text);
    if (!v) return false;
    value = *v;
    return true;
}

bool Mx_PropertiesList::getString(const Mx_String& name, Mx_String& value) const {
    const Item* item = find(name);
    if (!item) return false;
    value = item->text;
    return true;
}

bool Mx_PropertiesList::getBool(const Mx_String& name, bool& value) const {
    const Item* item = find(name);
    if (!item) return false;
    if (item->type == Type::Bool) {
        value = item->text == L"1";
        return true;
    }
    if (item->type == Type::Int) {
        value = item->text != L"0";
        return true;
    }
    return false;
}

Mx_PropertiesList::Type Mx_PropertiesList::typeOf(const Mx_String& name) const {
    const Item* item = find(name);
    return item ? item->type : Type::None;
}

bool Mx_PropertiesList::remove(const Mx_String& name) {
    int index = indexOf(name);
    if (index < 0) return false;
    items_.erase(items_.begin() + index);
    return true;
}

Mx_String Mx_PropertiesList::nameAt(int index) const {
    if (index < 0 || index >= length()) return Mx_String();
    return items_[static_cast<std::size_t>(index)].name;
}

int Mx_PropertiesList::readFromText(std::wstring_view text) {
    items_.clear();
    int malformed = 0;
    bool first = true;
    for (const std::wstring& line : textfile::splitLines(text)) {
        if (line.empty()) continue;
        if (first) {
            first = false;
            if (line.starts_with(kHeaderName)) continue;  // later versions are read as far as they go
        }
        std::size_t tab1 = line.find(L'\t');
        std::size_t tab2 = tab1 == std::wstring::npos ? tab1 : line.find(L'\t', tab1 + 1);
        if (tab2 == std::wstring::npos) {
            ++malformed;
            continue;
        }
        std::optional<std::wstring> name = unescape(std::wstring_view(line).substr(0, tab1));
        std::optional<Type> type = typeOfWord(std::wstring_view(line).substr(tab1 + 1, tab2 - tab1 - 1));
        std::optional<std::wstring> value = unescape(std::wstring_view(line).substr(tab2 + 1));
        if (!name || name->empty() || !type || !value || !validValue(*type, *value)) {
            ++malformed;
            continue;
        }
        set(Mx_String(std::move(*name)), *type, std::move(*value));
    }
    return malformed;
}

std::wstring Mx_PropertiesList::toText() const {
    std::wstring text(kHeader);
    text += L'\n';
    for (const Item& item : items_) {
        text += escape(item.name.view());
        text += L'\t';
        text += wordOf(item.type);
        text += L'\t';
        text += escape(item.text);
        text += L'\n';
    }
    return text;
}

bool Mx_PropertiesList::readFromFile(const Mx_String& path) {
    std::optional<std::string> bytes = fsys::readBytes(fsys::resolve(path.view()), nullptr);
    if (!bytes) {
        items_.clear();
        return false;
    }
    return readFromText(textfile::decode(*bytes)) == 0;
}

bool Mx_PropertiesList::writeToFile(const Mx_String& path) const {
    return fsys::writeAtomic(fsys::resolve(path.view()), utf8::encode(toText()), nullptr);
}
