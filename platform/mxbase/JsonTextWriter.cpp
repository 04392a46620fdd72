#include "platform/mxbase/JsonTextWriter.h"

#include <algorithm>  // all_of
#include <array>
#include <cassert>
#include <charconv>                                  // to_chars for integers
#include <cmath>                                     // isfinite
#include <nlohmann/detail/conversions/to_chars.hpp>  // the shortest round-trip text of a double

namespace {

// How each ASCII byte is written inside a text: 0 as it is, 'u' as \u00xx, otherwise a backslash and
// this letter.
constexpr std::array<char, 128> kEscapes = [] {
    std::array<char, 128> table{};
    for (int c = 0; c < 0x20; ++c)
        table[static_cast<std::size_t>(c)] = 'u';
    table['\b'] = 'b';
    table['\t'] = 't';
    table['\n'] = 'n';
    table['\f'] = 'f';
    table['\r'] = 'r';
    table['"'] = '"';
    table['\\'] = '\\';
    return table;
}();

bool isPlain(unsigned char c) {
    return c < 0x80 && kEscapes[c] == 0;
}

constexpr char kHexDigits[] = "0123456789abcdef";
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// Writes the escape of an ASCII byte that is not plain; returns its length.
std::size_t escapeInto(char* to, unsigned char c) {
    const char escape = kEscapes[c];
    to[0] = '\\';
    if (escape != 'u') {
        to[1] = escape;
        return 2;
    }
    to[1] = 'u', to[2] = '0', to[3] = '0';
    to[4] = kHexDigits[c >> 4];
    to[5] = kHexDigits[c & 0xF];
    return 6;
}

// A comma, a line feed and the indentation of 64 levels: what goes before an item, cut to size.
constexpr std::size_t kMaxIndent = 2 * 64;
constexpr std::array<char, kMaxIndent + 2> kCommaNewLine = [] {
    std::array<char, kMaxIndent + 2> text{};
    text[0] = ',';
    text[1] = '\n';
    for (std::size_t i = 2; i < text.size(); ++i)
        text[i] = ' ';
    return text;
}();

}  // namespace

void JsonTextWriter::beginObject() {
    beforeValue();
    out_ += '{';
    ++depth_;
    assert(depth_ <= kMaxDepth);
    hasItems_ &= ~(std::uint64_t{1} << depth_);
}

void JsonTextWriter::endObject() {
    close('}');
}

void JsonTextWriter::beginArray() {
    beforeValue();
    out_ += '[';
    ++depth_;
    assert(depth_ <= kMaxDepth);
    hasItems_ &= ~(std::uint64_t{1} << depth_);
}

void JsonTextWriter::endArray() {
    close(']');
}

void JsonTextWriter::close(char bracket) {
    assert(depth_ > 0 && !afterKey_);
    // An empty container closes on the line it opened on.
    if (layout_ == Layout::indented && (hasItems_ & (std::uint64_t{1} << depth_)) != 0)
        newLine(depth_ - 1);
    --depth_;
    out_ += bracket;
}

JsonTextWriter& JsonTextWriter::key(std::string_view name) {
    assert(!afterKey_);
    beforeItem();
    afterKey_ = true;
    const std::string_view colon = layout_ == Layout::indented ? ": " : ":";
    // Names are short plain words: quoted with their colon on the stack and appended in one piece.
    char quoted[64];
    if (name.size() + 4 <= sizeof quoted && std::all_of(name.begin(), name.end(), [](char c) {
            return isPlain(static_cast<unsigned char>(c));
        })) {
        quoted[0] = '"';
        std::memcpy(quoted + 1, name.data(), name.size());
        quoted[name.size() + 1] = '"';
        std::memcpy(quoted + name.size() + 2, colon.data(), colon.size());
        out_.append(quoted, name.size() + 2 + colon.size());
        return *this;
    }
    escaped(name);
    out_ += colon;
    return *this;
}

void JsonTextWriter::beforeValue() {
    if (afterKey_)
        afterKey_ = false;
    else if (depth_ > 0)
        beforeItem();
}

void JsonTextWriter::beforeItem() {
    const std::uint64_t bit = std::uint64_t{1} << depth_;
    const bool first = (hasItems_ & bit) == 0;
    hasItems_ |= bit;
    if (layout_ == Layout::indented)
        out_.append(kCommaNewLine.data() + (first ? 1 : 0),
                    static_cast<std::size_t>((first ? 1 : 2) + 2 * depth_));
    else if (!first)
        out_ += ',';
}

void JsonTextWriter::newLine(int level) {
    out_.append(kCommaNewLine.data() + 1, static_cast<std::size_t>(1 + 2 * level));
}

void JsonTextWriter::string(std::string_view utf8) {
    beforeValue();
    escaped(utf8);
}

// A malformed sequence is replaced the way nlohmann's serializer does it: the bytes that still
// formed the start of a valid sequence give one U+FFFD together, and the byte that broke the sequence
// is read again as the start of the next one.
void JsonTextWriter::escaped(std::string_view utf8) {
    out_ += '"';
    const char* const end = utf8.data() + utf8.size();
    for (const char* at = utf8.data(); at < end;) {
        // Names and most texts are plain ASCII: copied a run at a time.
        const char* run = at;
        while (at < end && isPlain(static_cast<unsigned char>(*at)))
            ++at;
        if (at != run)
            out_.append(run, static_cast<std::size_t>(at - run));
        if (at == end)
            break;
        const auto lead = static_cast<unsigned char>(*at);
        if (lead < 0x80) {
            char escape[6];
            out_.append(escape, escapeInto(escape, lead));
            ++at;
            continue;
        }
        // The continuation bytes a lead byte takes, and the range the first of them must lie in (it
        // excludes overlong forms, surrogates and code points above U+10FFFF).
        std::ptrdiff_t continuations = 0;
        unsigned char low = 0x80, high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            continuations = 1;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            continuations = 2;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            continuations = 3;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        }
        std::ptrdiff_t length = 1;
        while (length <= continuations && at + length < end) {
            const auto next = static_cast<unsigned char>(at[length]);
            if (next < low || next > high)
                break;
            low = 0x80, high = 0xBF;
            ++length;
        }
        if (continuations > 0 && length == continuations + 1)
            out_.append(at, static_cast<std::size_t>(length));
        else
            out_ += kReplacement;
        at += length;
    }
    out_ += '"';
}

void JsonTextWriter::string(std::wstring_view text) {
    beforeValue();
    // Encoded through a buffer on the stack, so the output grows once per chunk rather than per byte.
    char buffer[256];
    std::size_t size = 0;
    buffer[size++] = '"';
    for (const wchar_t wide : text) {
        if (size > sizeof buffer - 8) {  // room for the longest escape and the closing quote
            out_.append(buffer, size);
            size = 0;
        }
        auto code = static_cast<char32_t>(wide);
        if (code < 0x80) {
            if (isPlain(static_cast<unsigned char>(code)))
                buffer[size++] = static_cast<char>(code);
            else
                size += escapeInto(buffer + size, static_cast<unsigned char>(code));
            continue;
        }
        if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            code = 0xFFFD;
        if (code < 0x800) {
            buffer[size++] = static_cast<char>(0xC0 | (code >> 6));
        } else if (code < 0x10000) {
            buffer[size++] = static_cast<char>(0xE0 | (code >> 12));
            buffer[size++] = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        } else {
            buffer[size++] = static_cast<char>(0xF0 | (code >> 18));
            buffer[size++] = static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            buffer[size++] = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        }
        buffer[size++] = static_cast<char>(0x80 | (code & 0x3F));
    }
    buffer[size++] = '"';
    out_.append(buffer, size);
}

void JsonTextWriter::signedInteger(std::int64_t value) {
    beforeValue();
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out_.append(digits, static_cast<std::size_t>(end - digits));
}

void JsonTextWriter::unsignedInteger(std::uint64_t value) {
    beforeValue();
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out_.append(digits, static_cast<std::size_t>(end - digits));
}

void JsonTextWriter::real(double value) {
    beforeValue();
    if (!std::isfinite(value)) {
        out_.append("null", 4);
        return;
    }
    // nlohmann's own formatting, so a double reads "25.0" or "1e+20" exactly as a dumped document has it.
    char digits[64];
    const char* end = nlohmann::detail::to_chars(digits, digits + sizeof digits, value);
    out_.append(digits, static_cast<std::size_t>(end - digits));
}

void JsonTextWriter::boolean(bool value) {
    beforeValue();
    if (value)
        out_.append("true", 4);
    else
        out_.append("false", 5);
}

void JsonTextWriter::null() {
    beforeValue();
    out_.append("null", 4);
}
