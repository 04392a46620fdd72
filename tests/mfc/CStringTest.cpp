#include <gtest/gtest.h>

#include "platform/mfc/CRect.h"
#include "platform/mfc/CString.h"

namespace {

TEST(CString, SlicingClampsInsteadOfFailing) {
    const CString s(L"connection");
    struct Case {
        CString got;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {s.Left(4), L"conn"},  {s.Left(-1), L""},      {s.Left(99), L"connection"}, {s.Right(3), L"ion"},
        {s.Right(99), L"connection"}, {s.Mid(7), L"ion"}, {s.Mid(-3, 2), L"co"},   {s.Mid(8, 99), L"on"},
        {s.Mid(99), L""},      {s.SpanIncluding(L"con"), L"conn"}, {s.SpanExcluding(L"e"), L"conn"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.got, c.expected);
    EXPECT_EQ(s.GetAt(99), L'\0');
}

TEST(CString, SearchingAndEditing) {
    CString s(L"a;b;;c");
    EXPECT_EQ(s.Find(L';'), 1);
    EXPECT_EQ(s.Find(L";;"), 3);
    EXPECT_EQ(s.Find(L'x'), -1);
    EXPECT_EQ(s.Find(L';', 99), -1);
    EXPECT_EQ(s.ReverseFind(L';'), 4);
    EXPECT_EQ(s.Replace(L";", L"--"), 3);
    EXPECT_EQ(s, L"a--b----c");
    EXPECT_EQ(s.Replace(L"", L"x"), 0) << "an empty pattern replaces nothing (and does not loop)";
    EXPECT_EQ(s.Remove(L'-'), 6);
    s.Insert(99, L"!");
    s.Delete(0, 1);
    EXPECT_EQ(s, L"bc!");
    EXPECT_EQ(CString(L"ABC").CompareNoCase(L"abd"), -1);
    EXPECT_EQ(CString(L"abc").CompareNoCase(L"AB"), 1);
    EXPECT_EQ(CString(L"  x \t").Trim(), L"x");
    EXPECT_EQ(CString(L"xxaxx").Trim(L'x'), L"a");
}

TEST(CString, TokenizeSkipsEmptyTokensAndEnds) {
    CString s(L";a;;b;");
    int at = 0;
    std::vector<std::wstring> tokens;
    for (CString t = s.Tokenize(L";", at); at != -1; t = s.Tokenize(L";", at)) tokens.push_back(t.str());
    EXPECT_EQ(tokens, (std::vector<std::wstring>{L"a", L"b"}));
}

TEST(CString, FormatUsesWindowsMeaningsOfStringConversions) {
    CString s;
    s.Format(L"%s|%c|%hs|%S|%5.1f|%d%%|%I64d", L"wide", L'w', "narrow", "narrow2", 2.25, 7, 123456789012LL);
    EXPECT_EQ(s, L"wide|w|narrow|narrow2|  2.2|7%|123456789012");
    s.AppendFormat(L"+%ls", L"x");
    EXPECT_EQ(s.Right(2), L"+x");
    std::wstring big(5000, L'z');
    s.Format(L"%s", big.c_str());
    EXPECT_EQ(s.GetLength(), 5000) << "long results are not cut at a fixed buffer";
}

TEST(CString, BufferRoundTrip) {
    CString s;
    wchar_t* p = s.GetBuffer(10);
    wcscpy(p, L"abc");
    s.ReleaseBuffer();
    EXPECT_EQ(s, L"abc");
    EXPECT_EQ(s.GetLength(), 3);
}

TEST(CRect, GeometryHelpers) {
    CRect r(10, 10, 20, 30);
    EXPECT_TRUE(r.PtInRect(CPoint(10, 10)));
    EXPECT_FALSE(r.PtInRect(CPoint(20, 10))) << "right and bottom are outside";
    CRect i;
    EXPECT_FALSE(i.IntersectRect(r, CRect(20, 0, 30, 5)));
    EXPECT_TRUE(i.IsRectNull());
    EXPECT_TRUE(i.UnionRect(r, CRect(0, 0, 5, 5)));
    EXPECT_EQ(i, CRect(0, 0, 20, 30));
    CRect n(5, 6, 1, 2);
    n.NormalizeRect();
    EXPECT_EQ(n, CRect(1, 2, 5, 6));
}

}  // namespace
