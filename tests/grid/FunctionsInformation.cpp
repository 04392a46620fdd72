// The information functions, and the logical ones they pair with (NOT, TRUE, FALSE).
#include "tests/grid/FunctionsTestSupport.h"

namespace grid::test {
namespace {

constexpr auto kValue = ErrorCode::Value;
constexpr auto kNA = ErrorCode::NA;
constexpr auto kDiv0 = ErrorCode::Div0;

TEST(FunctionsInformation, ClassifyWithoutPropagatingErrors) {
    FakeSheet sheet;
    sheet.fill("A1:A5", {number(1), text(L"1"), logical(true), error(kNA), error(kDiv0)});
    struct Row {
        const char* cell;
        bool number, text, blank, logical, error, err, na;
    };
    const Row rows[] = {
        {"A1", true, false, false, false, false, false, false},
        {"A2", false, true, false, false, false, false, false},
        {"A3", true, false, false, true, false, false, false},
        {"A4", false, false, false, false, true, false, true},
        {"A5", false, false, false, false, true, true, false},
        {"A6", false, false, true, false, false, false, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.cell);
        EXPECT_EQ(call(sheet, L"ISNUMBER", {ref(r.cell)}), logical(r.number));
        EXPECT_EQ(call(sheet, L"ISTEXT", {ref(r.cell)}), logical(r.text));
        EXPECT_EQ(call(sheet, L"ISNONTEXT", {ref(r.cell)}), logical(!r.text));
        EXPECT_EQ(call(sheet, L"ISBLANK", {ref(r.cell)}), logical(r.blank));
        EXPECT_EQ(call(sheet, L"ISLOGICAL", {ref(r.cell)}), logical(r.logical));
        EXPECT_EQ(call(sheet, L"ISERROR", {ref(r.cell)}), logical(r.error));
        EXPECT_EQ(call(sheet, L"ISERR", {ref(r.cell)}), logical(r.err));
        EXPECT_EQ(call(sheet, L"ISNA", {ref(r.cell)}), logical(r.na));
    }
    expectCases(sheet, {
        {L"ISLOGICAL", {num(1)}, logical(false)},
        {L"ISBLANK", {str(L"")}, logical(false)},
        {L"ISERROR", {ref("A1:A2")}, logical(true)},  // a range is not one value
        {L"NA", {}, error(kNA)},
    });
}

TEST(FunctionsInformation, LogicalFunctionsGiveFlaggedNumbers) {
    FakeSheet sheet;
    expectCases(sheet, {
        {L"TRUE", {}, logical(true)},
        {L"FALSE", {}, logical(false)},
        {L"NOT", {num(0)}, logical(true)},
        {L"NOT", {num(-2.5)}, logical(false)},
        {L"NOT", {str(L"true")}, logical(false)},
        {L"NOT", {str(L"1")}, logical(false)},
        {L"NOT", {str(L"yes")}, error(kValue)},
        {L"NOT", {blank()}, logical(true)},
        {L"NOT", {err(kDiv0)}, error(kDiv0)},
    });
    EXPECT_EQ(call(sheet, L"TRUE", {}).asNumber(), 1.0);
    EXPECT_TRUE(call(sheet, L"ISNUMBER", {Arg::scalar(call(sheet, L"TRUE", {}))}).asNumber());
}

}  // namespace
}  // namespace grid::test
