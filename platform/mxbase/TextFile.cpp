#include "platform/mxbase/TextFile.h"

#include <cstdint>

#include "platform/arx/Utf8.h"

namespace textfile {
namespace {

// Windows-1252 bytes 0x80 to 0x9F; the rest of the code page equals Latin-1. The five bytes the code
// page leaves undefined map to the C1 control of the same value, as Windows itself converts them, so
// that no byte is lost on a round trip.
constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

constexpr wchar_t kReplacement = 0xFFFD;

bool startsWith(std::string_view bytes, std::string_view mark) { return bytes.substr(0, mark.size()) == mark; }

std::wstring decodeUtf16(std::string_view bytes, bool bigEndian) {
    std::wstring out;
    out.reserve(bytes.size() / 2);
    auto unit = [&](std::size_t i) -> std::uint32_t {
        auto b0 = static_cast<std::uint8_t>(bytes[i]);
        auto b1 = static_cast<std::uint8_t>(bytes[i + 1]);
        return bigEndian ? (b0 << 8 | b1) : (b1 << 8 | b0);
    };
    std::size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        std::uint32_t u = unit(i);
        if (u >= 0xD800 && u <= 0xDBFF) {
            if (i + 3 < bytes.size()) {
                std::uint32_t low = unit(i + 2);
                if (low >= 0xDC00 && low <= 0xDFFF) {
                    out += static_cast<wchar_t>(0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
                    i += 2;
                    continue;
                }
            }
            out += kReplacement;
        } else if (u >= 0xDC00 && u <= 0xDFFF) {
            out += kReplacement;
        } else {
            out += static_cast<wchar_t>(u);
        }
    }
    if (i < bytes.size()) out += kReplacement;  // odd byte at the end
    return out;
}

}  // namespace

Encoding detect(std::string_view bytes) {
    if (startsWith(bytes, "\xEF\xBB\xBF")) return Encoding::Utf8Bom;
    if (startsWith(bytes, "\xFF\xFE")) return Encoding::Utf16LE;
    if (startsWith(bytes, "\xFE\xFF")) return Encoding::Utf16BE;
    return utf8::isValid(bytes) ? Encoding::Utf8 : Encoding::Windows1252;
}

std::wstring decode(std::string_view bytes, Encoding* found) {
    Encoding encoding = Encoding::Utf8;
    std::wstring text;
    if (startsWith(bytes, "\xEF\xBB\xBF")) {
        encoding = Encoding::Utf8Bom;
        text = utf8::decode(bytes.substr(3));
    } else if (startsWith(bytes, "\xFF\xFE")) {
        encoding = Encoding::Utf16LE;
        text = decodeUtf16(bytes.substr(2), false);
    } else if (startsWith(bytes, "\xFE\xFF")) {
        encoding = Encoding::Utf16BE;
        text = decodeUtf16(bytes.substr(2), true);
    } else {
        // Decoded as UTF-8 while it is checked, so a UTF-8 file is read once.
        bool valid = true;
        text = utf8::decode(bytes, valid);
        if (!valid) {
            encoding = Encoding::Windows1252;
            text = decodeWindows1252(bytes);
        }
    }
    if (found) *found = encoding;
    return text;
}

std::wstring decodeWindows1252(std::string_view bytes) {
    std::wstring out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        auto b = static_cast<std::uint8_t>(c);
        out += (b >= 0x80 && b <= 0x9F) ? static_cast<wchar_t>(kHigh[b - 0x80]) : static_cast<wchar_t>(b);
    }
    return out;
}

int toWindows1252(wchar_t c) {
    auto cp = static_cast<std::uint32_t>(c);
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    for (int i = 0; i < 32; ++i) {
        if (kHigh[i] == cp) return 0x80 + i;
    }
    return -1;
}

std::vector<std::wstring> splitLines(std::wstring_view text) {
    std::vector<std::wstring> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(L'\n', start);
        std::size_t next = end == std::wstring_view::npos ? text.size() : end + 1;
        if (end == std::wstring_view::npos) end = text.size();
        std::size_t stop = (end > start && text[end - 1] == L'\r') ? end - 1 : end;
        lines.emplace_back(text.substr(start, stop - start));
        start = next;
    }
    return lines;
}

std::string encodeLines(const std::vector<std::wstring>& lines) {
    std::string out;
    for (const std::wstring& line : lines) {
        out += utf8::encode(line);
        out += '\n';
    }
    return out;
}

}  // namespace textfile
