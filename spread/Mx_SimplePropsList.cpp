#include "spread/Mx_SimplePropsList.h"

#include <charconv>  // from_chars
#include <climits>
#include <cmath>
#include <cstdio>  // snprintf

namespace {

bool isBlank(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'\v' || c == L'\f';
}

// The decimal text of a double with `decimals` digits, whatever the process locale.
std::wstring decimalText(double value, int decimals) {
    if (!std::isfinite(value))
        value = 0;
    char buffer[400];
    if (decimals < 1)
        std::snprintf(buffer, sizeof buffer, "%.0f", std::round(value));
    else
        std::snprintf(buffer, sizeof buffer, "%.*f", decimals > 2 ? 2 : decimals, value);
    std::wstring text;
    for (const char* p = buffer; *p; ++p)
        text += *p == ',' ? L'.' : static_cast<wchar_t>(*p);
    return text;
}

}  // namespace

int leadingInt(std::wstring_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-'))
        negative = text[i++] == L'-';
    long long value = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        value = value * 10 + (text[i] - L'0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        value = INT_MAX;
    return static_cast<int>(value);
}

double leadingDouble(std::wstring_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    std::string narrow;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
        if (text[i] == L'-')
            narrow += '-';
        ++i;
    }
    for (; i < text.size() && narrow.size() < 350; ++i) {
        const wchar_t c = text[i];
        const bool part =
            (c >= L'0' && c <= L'9') || c == L'.' || c == L'e' || c == L'E' ||
            ((c == L'+' || c == L'-') && !narrow.empty() && (narrow.back() == 'e' || narrow.back() == 'E'));
        if (!part)
            break;
        narrow += static_cast<char>(c);
    }
    double value = 0;
    // from_chars takes the longest valid prefix ("1.5e" gives 1.5) and fails on none at all.
    const auto [end, error] = std::from_chars(narrow.data(), narrow.data() + narrow.size(), value);
    (void)end;
    if (error != std::errc() || !std::isfinite(value))
        return 0;
    return value;
}

std::wstring Mx_SimplePropsList::key(const Mx_String& name) {
    std::wstring folded = name.str();
    for (wchar_t& c : folded)
        c = Mx_String::foldCase(c);
    return folded;
}

Mx_SimplePropsList::Item& Mx_SimplePropsList::slot(const Mx_String& name) {
    const auto [found, added] = index_.try_emplace(key(name), items_.size());
    if (!added) {
        Item& item = items_[found->second];
        item = Item{item.name};
        return item;
    }
    items_.push_back(Item{name});
    return items_.back();
}

const Mx_SimplePropsList::Item* Mx_SimplePropsList::find(const Mx_String& name) const {
    const auto found = index_.find(key(name));
    return found == index_.end() ? nullptr : &items_[found->second];
}

void Mx_SimplePropsList::setInt(const Mx_String& name, int value) {
    Item& item = slot(name);
    item.type = kInt;
    item.integer = value;
}

void Mx_SimplePropsList::setLong(const Mx_String& name, long value) {
    Item& item = slot(name);
    item.type = kLong;
    item.integer = value;
}

void Mx_SimplePropsList::setDouble(const Mx_String& name, double value, int decimals) {
    Item& item = slot(name);
    item.type = kDouble;
    item.number = value;
    item.decimals = decimals;
}

void Mx_SimplePropsList::setString(const Mx_String& name, const Mx_String& value) {
    Item& item = slot(name);
    item.type = kString;
    item.text = value;
}

Mx_SimplePropsList::Type Mx_SimplePropsList::typeOf(const Mx_String& name) const {
    const Item* item = find(name);
    return item ? item->type : kNone;
}

Mx_String Mx_SimplePropsList::nameAt(int index) const {
    if (index < 0 || index >= length())
        return {};
    return items_[static_cast<std::size_t>(index)].name;
}

bool Mx_SimplePropsList::getInt(const Mx_String& name, int& value) const {
    const Item* item = find(name);
    if (!item)
        return false;
    switch (item->type) {
        case kInt:
        case kLong:
            value = static_cast<int>(item->integer < INT_MIN   ? INT_MIN
                                     : item->integer > INT_MAX ? INT_MAX
                                                               : item->integer);
            return true;
        case kDouble: {
            const double rounded = std::round(item->number);
            value = rounded <= INT_MIN ? INT_MIN : rounded >= INT_MAX ? INT_MAX : static_cast<int>(rounded);
            return true;
        }
        case kString:
            value = leadingInt(item->text.view());
            return true;
        case kNone:
            break;
    }
    return false;
}

bool Mx_SimplePropsList::getDouble(const Mx_String& name, double& value) const {
    const Item* item = find(name);
    if (!item)
        return false;
    switch (item->type) {
        case kInt:
        case kLong:
            value = static_cast<double>(item->integer);
            return true;
        case kDouble:
            value = item->number;
            return true;
        case kString:
            value = leadingDouble(item->text.view());
            return true;
        case kNone:
            break;
    }
    return false;
}

bool Mx_SimplePropsList::getString(const Mx_String& name, Mx_String& value) const {
    const Item* item = find(name);
    if (!item)
        return false;
    switch (item->type) {
        case kInt:
        case kLong:
            value = Mx_String(item->integer);
            return true;
        case kDouble:
            value = decimalText(item->number, item->decimals);
            return true;
        case kString:
            value = item->text;
            return true;
        case kNone:
            break;
    }
    return false;
}

std::wstring Mx_SimplePropsList::toText() const {
    std::wstring text;
    for (const Item& item : items_) {
        text += item.name.view();
        text += kSeparator;
        text += std::to_wstring(static_cast<int>(item.type));
        text += kSeparator;
        switch (item.type) {
            case kInt:
            case kLong:
                text += std::to_wstring(item.integer);
                break;
            case kDouble:
                text += decimalText(item.number, item.decimals);
                break;
            case kString:
                text += item.text.view();
                break;
            case kNone:
                break;
        }
        text += kSeparator;
    }
    return text;
}

void Mx_SimplePropsList::fromText(std::wstring_view text) {
    clear();
    std::wstring_view fields[3];
    int count = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(kSeparator, start);
        if (end == std::wstring_view::npos)
            end = text.size();  // a last value without its separator
        fields[count++] = text.substr(start, end - start);
        start = end + 1;
        if (count < 3)
            continue;
        count = 0;
        const Mx_String name(fields[0]);
        const std::wstring_view value = fields[2];
        switch (leadingInt(fields[1])) {
            case kInt:
                setInt(name, leadingInt(value));
                break;
            case kLong:
                setLong(name, leadingInt(value));
                break;
            case kDouble:
                setDouble(name, leadingDouble(value));
                break;
            case kString:
                setString(name, Mx_String(value));
                break;
            default:
                slot(name).type = kNone;
                break;
        }
    }
}
