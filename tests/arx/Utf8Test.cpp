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
