// The merged function table as the evaluator looks it up.
#include <set>

#include "tests/grid/FunctionsTestSupport.h"

namespace grid::test {
namespace {

TEST(FunctionsTable, EveryDocumentedFunctionIsThereOnce) {
    const wchar_t* names[] = {
        L"ROUND", L"ROUNDUP", L"ROUNDDOWN", L"INT", L"TRUNC", L"CEILING", L"FLOOR", L"EVEN", L"ODD", L"MOD",
        L"ABS", L"SIGN", L"SQRT", L"POWER", L"EXP", L"LN", L"LOG", L"LOG10", L"PI", L"FACT", L"PRODUCT",
        L"SUMSQ", L"SIN", L"COS", L"TAN", L"ASIN", L"ACOS", L"ATAN", L"ATAN2", L"DEGREES", L"RADIANS",
        L"RAND", L"SUM", L"AVERAGE", L"MAX", L"MIN", L"COUNT", L"COUNTA", L"COUNTBLANK", L"COUNTIF",
        L"SUMIF", L"MEDIAN", L"SUMPRODUCT", L"IF", L"AND", L"OR", L"NOT", L"TRUE", L"FALSE", L"IFERROR",
        L"LEFT", L"RIGHT", L"MID", L"LEN", L"UPPER", L"LOWER", L"PROPER", L"TRIM", L"FIND", L"SEARCH",
        L"SUBSTITUTE", L"REPLACE", L"CONCATENATE", L"REPT", L"EXACT", L"VALUE", L"TEXT", L"CHAR", L"CODE",
        L"CHOOSE", L"INDEX", L"MATCH", L"VLOOKUP", L"HLOOKUP", L"LOOKUP", L"ISNUMBER", L"ISTEXT",
        L"ISNONTEXT", L"ISBLANK", L"ISLOGICAL", L"ISERROR", L"ISERR", L"ISNA", L"NA", L"PMT",
    };
    for (const wchar_t* name : names) {
        const BuiltinInfo* info = findBuiltin(name);
        ASSERT_NE(info, nullptr) << std::string(name, name + std::wcslen(name));
        EXPECT_EQ(info->name, name);
    }
    EXPECT_EQ(allBuiltins().size(), std::size(names));
    std::set<std::wstring_view> seen;
    for (const BuiltinInfo& info : allBuiltins()) {
        EXPECT_TRUE(seen.insert(info.name).second);
        EXPECT_TRUE(info.maxArgs < 0 || info.maxArgs >= info.minArgs);
    }
    EXPECT_EQ(findBuiltin(L"sum"), nullptr);  // the evaluator upper-cases names first
    EXPECT_EQ(findBuiltin(L"SUMX"), nullptr);
}

TEST(FunctionsTable, LazyControlFunctionsAreTheEvaluatorsOwn) {
    for (const wchar_t* name : {L"IF", L"IFERROR", L"CHOOSE", L"AND", L"OR"})
        EXPECT_EQ(findBuiltin(name)->evaluate, nullptr);
    EXPECT_EQ(findBuiltin(L"IF")->maxArgs, 3);
    EXPECT_EQ(findBuiltin(L"CHOOSE")->maxArgs, -1);
}


}  // namespace
}  // namespace grid::test
