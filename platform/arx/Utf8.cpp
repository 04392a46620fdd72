#include "platform/arx/Utf8.h"

#include <cstdint>
#include <cstring>  // memcpy

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

// Text is mostly ASCII (library files, names, formulas): runs of it are copied without the per-byte
// decoding, eight bytes at a time where a word holds no high bit.
bool asciiWord(std::string_view bytes, std::size_t i) {
    std::uint64_t word;
    std::memcpy(&word, bytes.data() + i, sizeof word);
    return (word & 0x8080808080808080u) == 0;
}

}  // namespace

std::string encode(std::wstring_view text) {
    std::size_t size = 0;
    for (wchar_t wc : text) {
        auto cp = static_cast<char32_t>(wc);
        size += cp < 0x80 ? 1 : cp < 0x800 ? 2 : (cp < 0x10000 || cp > 0x10FFFF) ? 3 : 4;
    }
    std::string out(size, '\0');
    char* to = out.data();
    for (wchar_t wc : text) {
        auto cp = static_cast<char32_t>(wc);
        if (cp < 0x80) {
            *to++ = static_cast<char>(cp);
            continue;
        }
        if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            cp = kReplacement;
        if (cp < 0x800) {
            *to++ = static_cast<char>(0xC0 | (cp >> 6));
            *to++ = static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            *to++ = static_cast<char>(0xE0 | (cp >> 12));
            *to++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            *to++ = static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            *to++ = static_cast<char>(0xF0 | (cp >> 18));
            *to++ = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            *to++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            *to++ = static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

std::wstring decode(std::string_view bytes, bool& valid) {
    // Never more code points than bytes: the text is written in place and cut to what was decoded.
    std::wstring out(bytes.size(), L'\0');
    wchar_t* to = out.data();
    bool ok = true;
    for (std::size_t i = 0; i < bytes.size();) {
        if (i + 8 <= bytes.size() && asciiWord(bytes, i)) {
            for (std::size_t end = i + 8; i < end; ++i)
                *to++ = static_cast<wchar_t>(bytes[i]);
        } else if (static_cast<std::uint8_t>(bytes[i]) < 0x80) {
            *to++ = static_cast<wchar_t>(bytes[i++]);
        } else {
            *to++ = static_cast<wchar_t>(next(bytes, i, ok));
        }
    }
    out.resize(static_cast<std::size_t>(to - out.data()));
    valid = ok;
    return out;
}

std::wstring decode(std::string_view bytes) {
    bool valid = true;
    return decode(bytes, valid);
}

bool isValid(std::string_view bytes) {
    bool ok = true;
    for (std::size_t i = 0; i < bytes.size() && ok;) {
        if (i + 8 <= bytes.size() && asciiWord(bytes, i))
            i += 8;
        else
            next(bytes, i, ok);
    }
    return ok;
}

}  // namespace utf8
