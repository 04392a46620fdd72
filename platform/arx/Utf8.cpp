#include "platform/arx/Utf8.h"

#include <cstdint>

namespace utf8 {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one code point at bytes[i], advancing i. Returns kReplacement (advancing one byte) on a
// malformed sequence.
char32_t next(std::string_view bytes, std::size_t& i, bool& ok) {
    auto byte = [&](std::size_t k) { return static_cast<std::uint8_t>(bytes[k]); };
    std::uint8_t b0 = byte(i);
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    int extra;
    char32_t cp;
    char32_t minimum;
    if ((b0 & 0xE0) == 0xC0) {
        extra = 1, cp = b0 & 0x1F, minimum = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        extra = 2, cp = b0 & 0x0F, minimum = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        extra = 3, cp = b0 & 0x07, minimum = 0x10000;
    } else {
        ok = false;
        ++i;
        return kReplacement;
    }
    if (i + static_cast<std::size_t>(extra) >= bytes.size()) {  // sequence cut short
        ok = false;
        ++i;
        return kReplacement;
    }
    for (int k = 1; k <= extra; ++k) {
        std::uint8_t b = byte(i + k);
        if ((b & 0xC0) != 0x80) {
            ok = false;
            ++i;
            return kReplacement;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ok = false;
        ++i;
        return kReplacement;
    }
    i += static_cast<std::size_t>(extra) + 1;
    return cp;
}

}  // namespace

std::string encode(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    for (wchar_t wc : text) {
        auto cp = static_cast<char32_t>(wc);
        if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = kReplacement;
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

std::wstring decode(std::string_view bytes) {
    std::wstring out;
    out.reserve(bytes.size());
    bool ok = true;
    for (std::size_t i = 0; i < bytes.size();) out += static_cast<wchar_t>(next(bytes, i, ok));
    return out;
}

bool isValid(std::string_view bytes) {
    bool ok = true;
    for (std::size_t i = 0; i < bytes.size() && ok;) next(bytes, i, ok);
    return ok;
}

}  // namespace utf8
