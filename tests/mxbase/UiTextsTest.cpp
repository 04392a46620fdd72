#include "platform/mxbase/UiTexts.h"

#include <gtest/gtest.h>

namespace {

class UiTextsTest : public ::testing::Test {
protected:
    void TearDown() override { uitexts::loadBuiltin(); }
};

TEST_F(UiTextsTest, ShippedTableIsWellFormedAndComplete) {
    EXPECT_EQ(uitexts::loadBuiltin(), std::vector<std::string>{});
    EXPECT_EQ(dialString(1764), Mx_String(L"General variables"));
    EXPECT_EQ(dialString(1), Mx_String(L"OK"));
    EXPECT_EQ(dialString(2), Mx_String(L"Cancel"));
    EXPECT_GT(uitexts::count(), 300);
    // The core's general texts live in their own section.
    for (int n : {2220, 2262, 2263}) EXPECT_TRUE(uitexts::has(n, uitexts::Section::Core)) << n;
    EXPECT_FALSE(uitexts::has(2220));
}

TEST_F(UiTextsTest, UnknownNumbersGiveAVisiblePlaceholder) {
    EXPECT_EQ(dialString(1234567), Mx_String(L"<text 1234567>"));
    EXPECT_EQ(dialString(-5), Mx_String(L"<text -5>"));
    EXPECT_EQ(coreString(1), Mx_String(L"<text 1>"));
    EXPECT_FALSE(uitexts::has(1234567));
}

TEST_F(UiTextsTest, LoadsATableOfItsOwnAndReportsBadLines) {
    std::vector<std::string> problems = uitexts::load(
        "\xEF\xBB\xBF# comment\r\n"
        "10\tFirst line\\nsecond\\tcolumn C:\\dir \\\\ end\r\n"
        "\n"
        "11 missing tab\n"
        "abc\tno number\n"
        "12\t\n"
        "10\tduplicate\n"
        "[core]\n"
        "10\tcore ten ¿\n");
    EXPECT_EQ(dialString(10), Mx_String(L"First line\nsecond\tcolumn C:\\dir \\ end"));
    EXPECT_EQ(coreString(10), Mx_String(L"core ten ¿"));
    EXPECT_EQ(dialString(11), Mx_String(L"<text 11>"));
    EXPECT_EQ(dialString(12), Mx_String(L"<text 12>"));
    ASSERT_EQ(problems.size(), 4u);
    EXPECT_EQ(problems[0].rfind("line 4:", 0), 0u) << problems[0];
    EXPECT_EQ(uitexts::count(), 1);
}

}  // namespace
