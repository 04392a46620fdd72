#include "platform/mxbase/JsonErrorText.h"

#include <gtest/gtest.h>

namespace {

struct Parsed {
    bool ok;
    std::string error;
};

Parsed parse(std::string_view text, int maxDepth) {
    nlohmann::ordered_json document;
    std::string error;
    const bool ok = parseJsonWithin(text, maxDepth, document, error);
    return {ok, error};
}

// Documents at the depth limit parse; deeper ones are refused, and brackets inside strings (escaped
// quotes included) do not count as nesting. Whichever comes first, a syntax error or too deep a
// nesting, is what is reported.
TEST(ParseJsonWithin, RefusesOnlyWhatNestsTooDeep) {
    struct Case {
        const char* text;
        bool ok;
        const char* error;  // part of the message
    };
    const Case cases[] = {
        {R"([[{"a": 1}]])", true, ""},
        {R"([[{"a": [1]}]])", false, "nested deeper than 3 levels"},
        {R"({"a": "[[[[[[", "b": ["\"[[[[", "]]]]"]})", true, ""},
        {R"({"a": "\\", "b": [[1]]})", true, ""},
        {R"({"a": "\\\"[[[[[", "b": 1})", true, ""},
        {R"([[[[[[1]]]]]], x)", false, "nested deeper"},
        {R"([1, x, [[[[[1]]]]]])", false, "1:5: invalid literal"},
        {R"([1, "open)", false, "missing closing quote"},
        {"", false, "1:1:"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const Parsed parsed = parse(c.text, 3);
        EXPECT_EQ(parsed.ok, c.ok) << parsed.error;
        EXPECT_NE(parsed.error.find(c.error), std::string::npos) << parsed.error;
    }
}

// The document read is the one the JSON library reads itself: members in their order, a repeated
// name in its first place with its last value, numbers of the same kinds.
TEST(ParseJsonWithin, ReadsWhatTheLibraryReads) {
    const char* const documents[] = {
        R"({"z": 1, "a": [true, null, -2, 3.5e1, 18446744073709551615], "m": {"b": {}, "a": []}})",
        R"({"k": 1, "j": {"x": 1}, "k": {"y": [1, 2]}, "l": "\u00e9\n"})",
        R"([[], [[]], {}, "", 0, -0.0, 1E300])",
        R"(  "only a string"  )",
        R"(42)",
    };
    for (const char* text : documents) {
        SCOPED_TRACE(text);
        nlohmann::ordered_json document;
        std::string error;
        ASSERT_TRUE(parseJsonWithin(text, 8, document, error)) << error;
        const nlohmann::ordered_json expected = nlohmann::ordered_json::parse(text);
        EXPECT_EQ(document.dump(), expected.dump());
        EXPECT_EQ(document, expected);
    }
}

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
TEST(ParseJsonWithin, DepthCountsWhatStandsInsideContainers) {
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
