#include "platform/arx/Utf8.h"

#include <gtest/gtest.h>

TEST(Utf8, RoundTripsEveryPlane) {
    std::wstring text = L"a\u00bf\u0192\u20ac\U0001F600";
    EXPECT_EQ(utf8::decode(utf8::encode(text)), text);
    EXPECT_EQ(utf8::encode(L"\u00bf"), "\xc2\xbf");
}

TEST(Utf8, MalformedInputBecomesReplacementCharacters) {
    struct Case {
        std::string bytes;
        std::wstring expected;
        bool valid;
    };
    const Case cases[] = {
        {"plain", L"plain", true},
        {"\xbf", L"\ufffd", false},                 // lone continuation byte (a 1252 "¿")
        {"a\xc3", L"a\ufffd", false},               // cut short at the end
        {"\xc0\xaf", L"\ufffd\ufffd", false},       // overlong "/"
        {"\xed\xa0\x80", L"\ufffd\ufffd\ufffd", false},  // surrogate
        {"\xf4\x90\x80\x80", L"\ufffd\ufffd\ufffd\ufffd", false},  // above U+10FFFF
        {"\xe2\x82\xac", L"\u20ac", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(utf8::decode(c.bytes), c.expected) << c.bytes;
        EXPECT_EQ(utf8::isValid(c.bytes), c.valid) << c.bytes;
    }
}

TEST(Utf8, UnencodableCodePointsAreReplaced) {
    std::wstring bad;
    bad += static_cast<wchar_t>(0xD800);
    bad += static_cast<wchar_t>(0x110000);
    EXPECT_EQ(utf8::encode(bad), "\xef\xbf\xbd\xef\xbf\xbd");
}

// Long ASCII runs are taken eight bytes at a time: a multi-byte sequence anywhere around a word's edge,
// or a bad byte at the very end of a long text, must still decode and be judged as in a short one.
TEST(Utf8, LongTextsDecodeAsShortOnes) {
    const std::string ascii = "SysName\tEnglish\tGerman\t";  // 23 bytes
    for (std::size_t at = 0; at <= ascii.size(); ++at) {
        SCOPED_TRACE(at);
        std::string bytes = ascii;
        bytes.insert(at, "\xe2\x82\xac");
        std::wstring expected = L"SysName\tEnglish\tGerman\t";
        expected.insert(at, L"\u20ac");
        bool valid = false;
        EXPECT_EQ(utf8::decode(bytes, valid), expected);
        EXPECT_TRUE(valid);
        EXPECT_TRUE(utf8::isValid(bytes));
        EXPECT_EQ(utf8::encode(expected), bytes);

        bytes = ascii;
        bytes.insert(at, "\xe9");  // a 1252 "é"
        EXPECT_FALSE(utf8::isValid(bytes));
        EXPECT_EQ(utf8::decode(bytes, valid).size(), ascii.size() + 1);
        EXPECT_FALSE(valid);
    }
}
