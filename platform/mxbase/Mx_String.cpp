#include "platform/mxbase/Mx_String.h"

#include <algorithm>
#include <charconv>  // to_chars
#include <climits>
#include <cmath>    // std::trunc
#include <cstring>  // std::strlen

#include "platform/arx/Utf8.h"
#include "platform/mxbase/NumberFunctions.h"

namespace {

// Clamps an int position to 0..size.
std::size_t clampPosition(int position, std::size_t size) {
    if (position <= 0)
        return 0;
    return std::min(static_cast<std::size_t>(position), size);
}

bool equalFolded(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i] && Mx_String::foldCase(a[i]) != Mx_String::foldCase(b[i]))
            return false;
    }
    return true;
}

// Position of `part` in `text` at or after `from`, ignoring case; npos when absent.
std::size_t findFolded(std::wstring_view text, std::wstring_view part, std::size_t from) {
    if (part.size() > text.size())
        return std::wstring_view::npos;
    std::size_t lastStart = text.size() - part.size();
    for (std::size_t i = from; i <= lastStart; ++i) {
        if (equalFolded(text.substr(i, part.size()), part))
            return i;
    }
    return std::wstring_view::npos;
}

// Last position <= `from` where `part` starts, ignoring case; npos when absent.
std::size_t rfindFolded(std::wstring_view text, std::wstring_view part, std::size_t from) {
    if (part.size() > text.size())
        return std::wstring_view::npos;
    std::size_t i = std::min(from, text.size() - part.size());
    for (;; --i) {
        if (equalFolded(text.substr(i, part.size()), part))
            return i;
        if (i == 0)
            break;
    }
    return std::wstring_view::npos;
}

std::size_t find(std::wstring_view text, std::wstring_view part, std::size_t from, bool caseSensitive) {
    if (from > text.size())
        return std::wstring_view::npos;
    return caseSensitive ? text.find(part, from) : findFolded(text, part, from);
}

int toPosition(std::size_t position) {
    return position == std::wstring_view::npos ? -1 : static_cast<int>(position);
}

// The decimal digits of a whole number, "-" first when negative: what std::to_wstring writes,
// without the formatted-print call it makes (numbers become texts for every cell reference).
template <class Integer>
std::wstring decimalText(Integer value) {
    char digits[24];
    const char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    return std::wstring(static_cast<const char*>(digits), end);
}

}  // namespace

Mx_String::Mx_String(const wchar_t* text) {
    if (text != nullptr)
        text_ = text;
}

Mx_String::Mx_String(const char* utf8) {
    if (utf8 != nullptr)
        text_ = utf8::decode(std::string_view(utf8, std::strlen(utf8)));
}

Mx_String::Mx_String(int value) : text_(decimalText(value)) {}
Mx_String::Mx_String(long value) : text_(decimalText(value)) {}
Mx_String::Mx_String(long long value) : text_(decimalText(value)) {}
Mx_String::Mx_String(unsigned value) : text_(decimalText(value)) {}
Mx_String::Mx_String(unsigned long value) : text_(decimalText(value)) {}

Mx_String::Mx_String(double value, int decimals, bool trimZeros)
    : Mx_String(formatNumber(value, decimals, trimZeros)) {}

std::string Mx_String::toUtf8() const {
    return utf8::encode(text_);
}

wchar_t Mx_String::at(int index) const {
    if (index < 0 || index >= length())
        return L'\0';
    return text_[static_cast<std::size_t>(index)];
}

Mx_String& Mx_String::operator=(const wchar_t* text) {
    if (text == nullptr) {
        text_.clear();
    } else {
        text_ = text;
    }
    return *this;
}

Mx_String& Mx_String::operator=(const std::wstring& text) {
    text_ = text;
    return *this;
}

Mx_String& Mx_String::operator=(std::wstring&& text) noexcept {
    text_ = std::move(text);
    return *this;
}

Mx_String& Mx_String::append(const Mx_String& text) {
    text_ += text.text_;
    return *this;
}

Mx_String& Mx_String::append(const wchar_t* text) {
    if (text != nullptr)
        text_ += text;
    return *this;
}

Mx_String& Mx_String::append(wchar_t character) {
    text_ += character;
    return *this;
}

Mx_String& Mx_String::append(int value) {
    text_ += std::to_wstring(value);
    return *this;
}

bool Mx_String::equal(const Mx_String& other, bool caseSensitive) const {
    return caseSensitive ? text_ == other.text_ : equalFolded(text_, other.text_);
}

bool Mx_String::equal(const wchar_t* other, bool caseSensitive) const {
    std::wstring_view view = other != nullptr ? std::wstring_view(other) : std::wstring_view();
    return caseSensitive ? std::wstring_view(text_) == view : equalFolded(text_, view);
}

bool Mx_String::operator==(const wchar_t* other) const {
    return equal(other, true);
}

int Mx_String::compare(const Mx_String& other, bool caseSensitive) const {
    if (caseSensitive) {
        int result = text_.compare(other.text_);
        return result < 0 ? -1 : (result > 0 ? 1 : 0);
    }
    std::size_t common = std::min(text_.size(), other.text_.size());
    for (std::size_t i = 0; i < common; ++i) {
        wchar_t a = foldCase(text_[i]);
        wchar_t b = foldCase(other.text_[i]);
        if (a != b)
            return a < b ? -1 : 1;
    }
    if (text_.size() == other.text_.size())
        return 0;
    return text_.size() < other.text_.size() ? -1 : 1;
}

bool Mx_String::startsWith(const Mx_String& prefix, bool caseSensitive) const {
    if (prefix.text_.size() > text_.size())
        return false;
    std::wstring_view head = std::wstring_view(text_).substr(0, prefix.text_.size());
    return caseSensitive ? head == prefix.text_ : equalFolded(head, prefix.text_);
}

bool Mx_String::endsWith(const Mx_String& suffix, bool caseSensitive) const {
    if (suffix.text_.size() > text_.size())
        return false;
    std::wstring_view tail = std::wstring_view(text_).substr(text_.size() - suffix.text_.size());
    return caseSensitive ? tail == suffix.text_ : equalFolded(tail, suffix.text_);
}

bool Mx_String::contains(const Mx_String& part, bool caseSensitive) const {
    return find(text_, part.text_, 0, caseSensitive) != std::wstring_view::npos;
}

bool Mx_String::contains(wchar_t character) const {
    return text_.find(character) != std::wstring::npos;
}

int Mx_String::findFirstFrom(const Mx_String& part, int from, bool caseSensitive) const {
    if (from < 0)
        from = 0;
    return toPosition(find(text_, part.text_, static_cast<std::size_t>(from), caseSensitive));
}

int Mx_String::findLastFrom(const Mx_String& part, int from, bool caseSensitive) const {
    std::size_t start = from < 0 ? std::wstring::npos : static_cast<std::size_t>(from);
    if (caseSensitive)
        return toPosition(text_.rfind(part.text_, start));
    return toPosition(rfindFolded(text_, part.text_, start));
}

int Mx_String::findFirstFrom(wchar_t character, int from) const {
    if (from < 0)
        from = 0;
    return toPosition(text_.find(character, static_cast<std::size_t>(from)));
}

int Mx_String::findLastFrom(wchar_t character, int from) const {
    std::size_t start = from < 0 ? std::wstring::npos : static_cast<std::size_t>(from);
    return toPosition(text_.rfind(character, start));
}

Mx_String Mx_String::getSubStringAt(int position, int count) const {
    std::size_t start = clampPosition(position, text_.size());
    std::size_t n = count < 0 ? std::wstring::npos : static_cast<std::size_t>(count);
    return Mx_String(text_.substr(start, n));
}

Mx_String& Mx_String::insertAt(int position, const Mx_String& text) {
    text_.insert(clampPosition(position, text_.size()), text.text_);
    return *this;
}

Mx_String& Mx_String::removeAt(int position, int count) {
    if (count <= 0 || position >= length())
        return *this;
    // A negative position removes only the part of the range that lies inside the text.
    long long first = position;
    long long last = first + count;  // exclusive; 64-bit so that position + count cannot overflow
    first = std::max(first, 0LL);
    last = std::min(last, static_cast<long long>(text_.size()));
    if (last > first)
        text_.erase(static_cast<std::size_t>(first), static_cast<std::size_t>(last - first));
    return *this;
}

int Mx_String::replaceSubString(const Mx_String& from, const Mx_String& to, bool caseSensitive) {
    if (from.text_.empty())
        return 0;
    std::size_t position = find(text_, from.text_, 0, caseSensitive);
    if (position == std::wstring::npos)
        return 0;
    // Build the result in one pass so that many replacements stay linear.
    std::wstring result;
    result.reserve(text_.size());
    std::size_t copied = 0;
    int count = 0;
    while (position != std::wstring::npos) {
        result.append(text_, copied, position - copied);
        result += to.text_;
        copied = position + from.text_.size();
        ++count;
        position = find(text_, from.text_, copied, caseSensitive);
    }
    result.append(text_, copied, std::wstring::npos);
    text_ = std::move(result);
    return count;
}

Mx_String& Mx_String::makeUpper() {
    for (wchar_t& c : text_)
        c = upperCase(c);
    return *this;
}

Mx_String& Mx_String::makeLower() {
    for (wchar_t& c : text_)
        c = foldCase(c);
    return *this;
}

bool Mx_String::toDouble(double& value) const {
    return parseNumber(text_, value);
}

bool Mx_String::toInt(int& value) const {
    double number = 0;
    if (!parseNumber(text_, number))
        return false;
    if (number != std::trunc(number) || number < INT_MIN || number > INT_MAX)
        return false;
    value = static_cast<int>(number);
    return true;
}

double Mx_String::toDouble() const {
    double value = 0;
    return toDouble(value) ? value : 0.0;
}

int Mx_String::toInt() const {
    int value = 0;
    return toInt(value) ? value : 0;
}

wchar_t Mx_String::foldCase(wchar_t c) {
    if (c < 0x80)
        return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + 32) : c;
    // Latin-1: À..Þ except × (U+00D7).
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return static_cast<wchar_t>(c + 32);
    // Latin Extended-A: upper/lower pairs alternate, with the odd block 0x139..0x148 and 0x179..0x17E.
    if (c >= 0x100 && c <= 0x137)
        return static_cast<wchar_t>(c | 1);
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
        return (c & 1) ? static_cast<wchar_t>(c + 1) : c;
    if (c >= 0x14A && c <= 0x177)
        return static_cast<wchar_t>(c | 1);
    if (c == 0x178)
        return 0xFF;  // Ÿ
    // Greek capitals (no letter at U+03A2).
    if (c >= 0x391 && c <= 0x3AB && c != 0x3A2)
        return static_cast<wchar_t>(c + 32);
    // Cyrillic.
    if (c >= 0x410 && c <= 0x42F)
        return static_cast<wchar_t>(c + 32);
    if (c >= 0x400 && c <= 0x40F)
        return static_cast<wchar_t>(c + 80);
    return c;
}

wchar_t Mx_String::upperCase(wchar_t c) {
    if (c < 0x80)
        return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - 32) : c;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
        return static_cast<wchar_t>(c - 32);
    if (c == 0xFF)
        return 0x178;
    if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177))
        return static_cast<wchar_t>(c & ~1);
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
        return (c & 1) ? c : static_cast<wchar_t>(c - 1);
    if (c >= 0x3B1 && c <= 0x3CB && c != 0x3C2)
        return static_cast<wchar_t>(c - 32);
    if (c >= 0x430 && c <= 0x44F)
        return static_cast<wchar_t>(c - 32);
    if (c >= 0x450 && c <= 0x45F)
        return static_cast<wchar_t>(c - 80);
    return c;
}

Mx_String operator+(const Mx_String& left, const Mx_String& right) {
    std::wstring result;
    result.reserve(left.str().size() + right.str().size());
    result += left.str();
    result += right.str();
    return Mx_String(std::move(result));
}

Mx_String operator+(const Mx_String& left, const wchar_t* right) {
    Mx_String result(left);
    return result.append(right);
}

Mx_String operator+(const wchar_t* left, const Mx_String& right) {
    Mx_String result(left);
    return result.append(right);
}

Mx_String operator+(const Mx_String& left, wchar_t right) {
    Mx_String result(left);
    return result.append(right);
}
