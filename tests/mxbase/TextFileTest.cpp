#include "platform/mxbase/TextFile.h"

#include <gtest/gtest.h>

#include "platform/arx/Utf8.h"

namespace {

using textfile::Encoding;

TEST(TextFileDecode, RecognisesEachEncoding) {
    struct Case {
        std::string bytes;
        Encoding encoding;
        std::wstring text;
    };
    const Case cases[] = {
        {"plain", Encoding::Utf8, L"plain"},
        {"", Encoding::Utf8, L""},
        {"a\xC2\xBF\xC6\x92", Encoding::Utf8, L"a¿ƒ"},
        {"\xEF\xBB\xBF\xC2\xBF", Encoding::Utf8Bom, L"¿"},
        {"a\xBF\x83", Encoding::Windows1252, L"a¿ƒ"},
        {std::string("\xFF\xFE\xBF\x00\x92\x01", 6), Encoding::Utf16LE, L"¿ƒ"},
        {std::string("\xFE\xFF\x00\xBF\x01\x92", 6), Encoding::Utf16BE, L"¿ƒ"},
        // A pair of surrogates is one character; lone halves and an odd last byte are replaced.
        {std::string("\xFF\xFE\x3D\xD8\x00\xDE", 6), Encoding::Utf16LE, L"\U0001F600"},
        {std::string("\xFF\xFE\x00\xDEx", 5), Encoding::Utf16LE, L"\uFFFD\uFFFD"},
        {std::string("\xFE\xFF\xD8\x3D\x00\x41", 6), Encoding::Utf16BE, L"\uFFFDA"},
        // Truncated UTF-8 is not UTF-8: every byte is a 1252 character.
        {"\xC3", Encoding::Windows1252, L"Ã"},
    };
    for (const Case& c : cases) {
        Encoding found{};
        EXPECT_EQ(textfile::decode(c.bytes, &found), c.text) << c.bytes;
        EXPECT_EQ(found, c.encoding) << c.bytes;
    }
}

TEST(TextFileDecode, Windows1252TableRoundTripsEveryByte) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    std::wstring text = textfile::decodeWindows1252(all);
    ASSERT_EQ(text.size(), 256u);
    for (int b = 0; b < 256; ++b) EXPECT_EQ(textfile::toWindows1252(text[static_cast<std::size_t>(b)]), b) << b;

    EXPECT_EQ(text[0x80], L'€');
    EXPECT_EQ(text[0x8A], L'Š');
    EXPECT_EQ(text[0x99], L'™');
    EXPECT_EQ(text[0x9F], L'Ÿ');
    EXPECT_EQ(text[0x81], L'\u0081');  // undefined in the code page, kept as its C1 control
    EXPECT_EQ(text[0xA4], L'¤');
    EXPECT_EQ(textfile::toWindows1252(L'\u4E2D'), -1);
}

TEST(TextFileLines, SplitsAtLfAndCrlf) {
    struct Case {
        std::wstring text;
        std::vector<std::wstring> lines;
    };
    const Case cases[] = {
        {L"", {}},
        {L"a", {L"a"}},
        {L"a\n", {L"a"}},
        {L"a\r\nb\r\n", {L"a", L"b"}},
        {L"a\nb", {L"a", L"b"}},
        {L"\n\n", {L"", L""}},
        {L"a\r\n\r\nb", {L"a", L"", L"b"}},
        {L"a\rb\n", {L"a\rb"}},  // a CR inside a line is data
        {L"last\r", {L"last"}},
    };
    for (const Case& c : cases) EXPECT_EQ(textfile::splitLines(c.text), c.lines);
}

TEST(TextFileLines, EncodedLinesDecodeToTheSameLines) {
    std::vector<std::wstring> lines = {L"Mapping version 1.0", L"key=a¿bƒc", L"", L"€ \U0001F600"};
    std::string bytes = textfile::encodeLines(lines);
    EXPECT_EQ(textfile::detect(bytes), Encoding::Utf8);
    EXPECT_EQ(textfile::splitLines(textfile::decode(bytes)), lines);
}

}  // namespace
