#include <gtest/gtest.h>

#include <string>

#include <nlohmann/json.hpp>

#include "platform/mxbase/JsonErrorText.h"

namespace {

bool parses(const std::string& text, int maxDepth, std::string* error = nullptr) {
    nlohmann::ordered_json document;
    std::string problem;
    const bool ok = parseJsonWithin(text, maxDepth, document, problem);
    if (error)
        *error = problem;
    return ok;
}

// The depth counts what stands inside containers: a key or value two containers deep is at depth 2,
// an empty container adds nothing below it. Brackets in strings (escaped quotes included) are text.
TEST(ParseJsonWithin, RefusesWhatStandsDeeperThanTheLimitOnly) {
    EXPECT_TRUE(parses(R"({"a":{"b":1}})", 2));
    EXPECT_TRUE(parses(R"({"a":{"b":{}}})", 2));
    EXPECT_TRUE(parses(R"([[[]]])", 2));
    EXPECT_TRUE(parses(R"({"a":"[[[[{{","b":"\"[{[{[{","c":[1,2]})", 2));
    std::string error;
    EXPECT_FALSE(parses(R"({"a":{"b":{"c":1}}})", 2, &error));
    EXPECT_EQ(error, "nested deeper than 2 levels");
    EXPECT_FALSE(parses(R"([[[[]]]])", 2));
    EXPECT_FALSE(parses(R"([[[true]]])", 2));
    EXPECT_FALSE(parses(std::string(100000, '[') + std::string(100000, ']'), 32));

    // Broken text is the parser's to describe, with its line and column.
    EXPECT_FALSE(parses("{\"a\":\n [1,,2]}", 8, &error));
    EXPECT_EQ(error.rfind("2:", 0), 0u) << error;
    EXPECT_FALSE(parses(R"({"a":"unterminated)", 8, &error));
    EXPECT_FALSE(parses("", 8, &error));
}

}  // namespace
