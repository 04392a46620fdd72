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

}  // namespace
