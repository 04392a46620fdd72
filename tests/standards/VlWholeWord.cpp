// Whole-word replacement beyond plain ASCII names and at the edges of the text (the common cases are
// in VlCalcSS.cpp): letter case folds as the core folds it, a word ends at any character that is not
// a letter A-Z/a-z, digit or "_".
#include <gtest/gtest.h>

#include "standards/VlWholeWord.h"
#include "tests/standards/StandardsTestSupport.h"

namespace {

TEST(VlWholeWordEdges, FoldingAndBoundaries) {
    struct Case {
        const wchar_t *text, *name, *replacement;
        bool skipQuoted;
        const wchar_t* expected;
        int count;
    };
    const Case cases[] = {
        {L"Größe*2+GRÖßE", L"größe", L"B5", false, L"B5*2+B5", 2},  // Latin-1 letters fold
        {L"ΔL+δl", L"Δl", L"C3", false, L"C3+C3", 2},               // so do Greek ones
        {L"Width", L"Width", L"B5", false, L"B5", 1},               // the whole text
        {L"xWidth Width", L"width", L"B5", false, L"xWidth B5", 1},
        {L"Länge+Längen", L"Länge", L"D2", false, L"D2+Längen", 1},
        {L"éWidth", L"Width", L"B5", false, L"éB5", 1},  // é is no word character
        {L"\"a\" & A & \"A\" & A", L"a", L"E1", true, L"\"a\" & E1 & \"A\" & E1", 2},
        {L"Wid", L"Width", L"B5", false, L"Wid", 0},  // name longer than text
        // Quotes count over the text as it stands, those of a replacement put in included.
        {L"A & \"A\" & A", L"a", L"\"q\"", true, L"\"q\" & \"A\" & \"q\"", 2},
        {L"A+A", L"a", L"\"", true, L"\"+A", 1},
        {L"AB \"A\" A \"\"A", L"a", L"X", true, L"AB \"A\" X \"\"X", 2},
        {L"\"A+A", L"a", L"X", false, L"\"X+X", 2},  // quotes count only when asked
        {L"A", L"", L"B5", false, L"A", 0},          // no name, nothing done
    };
    for (const Case& c : cases) {
        Mx_String text(c.text);
        EXPECT_EQ(VlWholeWord::replace(text, Mx_String(c.name), Mx_String(c.replacement), c.skipQuoted), c.count)
            << Mx_String(c.text).toUtf8();
        EXPECT_EQ(text, Mx_String(c.expected)) << Mx_String(c.text).toUtf8();
    }
}

}  // namespace
