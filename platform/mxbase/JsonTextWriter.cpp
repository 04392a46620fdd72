#include "platform/mxbase/JsonTextWriter.h"

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

constexpr char kHexDigits[] = "0123456789abcdef";
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

void appendAscii(std::string& out, char c) {
    const char escape = kEscapes[static_cast<unsigned char>(c)];
    if (escape == 0) {
        out += c;
    } else if (escape == 'u') {
        const char code[] = {'\\', 'u', '0', '0', kHexDigits[(c >> 4) & 0xF], kHexDigits[c & 0xF]};
        out.append(code, sizeof code);
    } else {
        const char code[] = {'\\', escape};
        out.append(code, sizeof code);
    }
}

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
    escaped(name);
    if (layout_ == Layout::indented)
        out_.append(": ", 2);
    else
        out_ += ':';
    afterKey_ = true;
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
    if ((hasItems_ & bit) != 0)
        out_ += ',';
    hasItems_ |= bit;
    if (layout_ == Layout::indented)
        newLine(depth_);
}

void JsonTextWriter::newLine(int level) {
    out_ += '\n';
    out_.append(static_cast<std::size_t>(2 * level), ' ');
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
    const std::size_t size = utf8.size();
    for (std::size_t i = 0; i < size;) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            appendAscii(out_, utf8[i]);
            ++i;
            continue;
        }
        // The continuation bytes a lead byte takes, and the range the first of them must lie in (it
        // excludes overlong forms, surrogates and code points above U+10FFFF).
        std::size_t continuations = 0;
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
        std::size_t length = 1;
        while (length <= continuations && i + length < size) {
            const auto next = static_cast<unsigned char>(utf8[i + length]);
            if (next < low || next > high)
                break;
            low = 0x80, high = 0xBF;
            ++length;
        }
        if (continuations > 0 && length == continuations + 1)
            out_.append(utf8.data() + i, length);
        else
            out_ += kReplacement;
        i += length;
    }
    out_ += '"';
}

void JsonTextWriter::string(std::wstring_view text) {
    beforeValue();
    out_ += '"';
    for (const wchar_t wide : text) {
        auto code = static_cast<char32_t>(wide);
        if (code < 0x80) {
            appendAscii(out_, static_cast<char>(code));
            continue;
        }
        if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            code = 0xFFFD;
        char bytes[4];
        std::size_t length;
        if (code < 0x800) {
            bytes[0] = static_cast<char>(0xC0 | (code >> 6));
            length = 2;
        } else if (code < 0x10000) {
            bytes[0] = static_cast<char>(0xE0 | (code >> 12));
            bytes[1] = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            length = 3;
        } else {
            bytes[0] = static_cast<char>(0xF0 | (code >> 18));
            bytes[1] = static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            bytes[2] = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            length = 4;
        }
        bytes[length - 1] = static_cast<char>(0x80 | (code & 0x3F));
        out_.append(bytes, length);
    }
    out_ += '"';
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
