#pragma once
// Decoding and encoding of the product's text files.
//
// Files written by the product on Windows are 8-bit Windows-1252 ("¿" is 0xBF, "ƒ" is 0x83); newer
// ones are UTF-8, with or without a byte-order mark, or UTF-16 with a mark. Reading recognises all of
// them; writing is always UTF-8 without a mark, lines ended by LF.
#include <string>
#include <string_view>
#include <vector>

namespace textfile {

enum class Encoding {
    Utf8,         // valid UTF-8 without a mark (plain ASCII included)
    Utf8Bom,      // starts with EF BB BF
    Utf16LE,      // starts with FF FE
    Utf16BE,      // starts with FE FF
    Windows1252,  // anything else
};

// Which encoding the bytes are in: a byte-order mark decides; otherwise valid UTF-8 is UTF-8 and
// everything else Windows-1252 (every byte sequence is valid 1252, so reading never fails).
Encoding detect(std::string_view bytes);

// The text of the bytes, the mark removed. Malformed sequences in a marked file become U+FFFD.
std::wstring decode(std::string_view bytes, Encoding* found = nullptr);

std::wstring decodeWindows1252(std::string_view bytes);
// The 1252 byte of a character, or -1 when the code page has none.
int toWindows1252(wchar_t c);

// Splits text into lines at LF and CRLF (a CR that ends the text is dropped too). A final line ending
// does not start another (empty) line.
std::vector<std::wstring> splitLines(std::wstring_view text);

// The lines as UTF-8, each followed by LF.
std::string encodeLines(const std::vector<std::wstring>& lines);

}  // namespace textfile
