#pragma once
// UTF-8 <-> wide text. wchar_t is 32 bits here, so a wide string holds code points. Invalid UTF-8
// bytes decode to U+FFFD; lone surrogates encode as U+FFFD.
#include <string>
#include <string_view>

namespace utf8 {

std::string encode(std::wstring_view text);
std::wstring decode(std::string_view bytes);
// The same, and whether the bytes were valid UTF-8 (see isValid), in one pass.
std::wstring decode(std::string_view bytes, bool& valid);
// True when bytes form valid UTF-8 (no overlongs, no surrogates, nothing above U+10FFFF).
bool isValid(std::string_view bytes);

}  // namespace utf8
