// PMT keeps the legacy argument order: amount, yearly interest, number of terms, terms per year.
#include "tests/grid/FunctionsTestSupport.h"

namespace grid::test {
namespace {

constexpr auto kNum = ErrorCode::Num;
constexpr auto kValue = ErrorCode::Value;

TEST(FunctionsFinance, PaymentPerTerm) {
    FakeSheet sheet;
    // 10000 over 12 monthly terms at 6 % a year: the annuity formula gives 860.664297...
    Value monthly = call(sheet, L"PMT", {num(10000), num(0.06), num(12), num(12)});
    ASSERT_TRUE(monthly.isNumber());
    EXPECT_NEAR(monthly.asNumber(), 860.66429, 1e-5);
    // Yearly terms use the whole rate.
    EXPECT_NEAR(call(sheet, L"PMT", {num(1000), num(0.1), num(2), num(1)}).asNumber(), 576.19048, 1e-5);
    // A tiny rate still converges to the interest-free payment.
    EXPECT_NEAR(call(sheet, L"PMT", {num(1200), num(1e-12), num(12), num(12)}).asNumber(), 100.0, 1e-6);
    expectCases(sheet, {
        {L"PMT", {num(1200), num(0), num(12), num(12)}, number(100)},
        {L"PMT", {num(1200), num(0.05), num(0), num(12)}, error(kNum)},
        {L"PMT", {num(1200), num(0.05), num(12), num(0)}, error(kNum)},
        {L"PMT", {num(1200), num(-12), num(12), num(1)}, error(kNum)},  // rate of -100 % or worse
        {L"PMT", {num(1200), str(L"x"), num(12), num(12)}, error(kValue)},
    });
}

}  // namespace
}  // namespace grid::test
