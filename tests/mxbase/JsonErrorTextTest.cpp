#include "platform/mxbase/JsonErrorText.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

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

// Objects past the size searched member by member keep the library's rule for a repeated name (first
// place, last value) through the index, both readers alike (a NUL byte at the end sends the text to
// the second, which takes it as the library does);
// and an object of 200,000 members reads in one pass, where a search per member would not end in
// reasonable time.
TEST(ParseJsonWithin, LargeObjectsKeepTheFirstPlaceAndTheLastValueOfARepeatedName) {
    std::string text = "{";
    for (int i = 0; i < 3000; ++i)
        text += "\"k" + std::to_string(i % 1000) + "\": " + std::to_string(i) + ", ";
    text += "\"end\": [1, {\"a\": 1, \"a\": 2}]}";
    const nlohmann::ordered_json expected = nlohmann::ordered_json::parse(text);
    for (const std::string& variant : {text, text + std::string(1, '\0')}) {
        nlohmann::ordered_json document;
        std::string error;
        ASSERT_TRUE(parseJsonWithin(variant, 8, document, error)) << error;
        EXPECT_EQ(document.dump(), expected.dump());
        ASSERT_EQ(document.size(), 1001u);
        EXPECT_EQ(document.begin().key(), "k0");
        EXPECT_EQ(document["k0"], 2000);
        EXPECT_EQ(document["k999"], 2999);
    }

    std::string large = "{";
    for (int i = 0; i < 200000; ++i)
        large += "\"m" + std::to_string(i) + "\": " + std::to_string(i) + ",";
    large += "\"m7\": -7}";
    nlohmann::ordered_json document;
    std::string error;
    ASSERT_TRUE(parseJsonWithin(large, 8, document, error)) << error;
    ASSERT_EQ(document.size(), 200000u);
    EXPECT_EQ(document["m7"], -7);
    EXPECT_EQ(std::next(document.begin(), 7).key(), "m7");
    EXPECT_EQ(document["m199999"], 199999);
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

// The quick reader takes exactly what the library takes and reads the same document from it: the
// tricky texts of JSON, and every file of the fuzzing corpora with a few bytes changed here and there.
TEST(ParseJsonWithin, TakesAndRefusesWhatTheLibraryDoes) {
    std::vector<std::string> texts = {
        R"(["\uDC00"])",
        R"(["\uD83D\uDE00"])",
        R"(["\uD800"])",
        R"(["\uD800\u0041"])",
        R"({"\uDFFF": 1})",
        "[\"\xC0\x80\"]",
        "[\"\xED\xA0\x80\"]",
        "[\"\xED\x9F\xBF\"]",
        "[\"\xF4\x90\x80\x80\"]",
        "[\"\xF4\x8F\xBF\xBF\"]",
        "[\"\xFF\"]",
        "[\"\xE2\x82\"]",
        "[\"\xE2\x82\xAC\"]",
        "-0",
        "0",
        "01",
        "1.",
        ".5",
        "1e",
        "1e400",
        "-1e400",
        "1e-400",
        "18446744073709551615",
        "18446744073709551616",
        "-9223372036854775808",
        "-9223372036854775809",
        "123456789012345678901234567890",
        "0.1",
        "2.2250738585072011e-308",
        "1.7976931348623157e308",
        "4.9406564584124654e-324",
        "[1E+2, 1e-2, -0.0, 0e0]",
        std::string("{\"a\":1}\0x", 9),
        std::string("\"a\0b\"", 5),
        std::string("\0", 1),
        "{} {}",
        "{}   ",
        "1 2",
        "[1,]",
        "{\"a\":1,}",
        "nul",
        "tru",
        "[1 2]",
        "\v1",
        "\f1",
        "\xC2\xA0"
        "1",
        R"("\x")",
        R"("\u00")",
        R"("\/")",
        "\"\x01\"",
        "\"\x7F\"",
        R"({"a":1,"a":2,"b":{"a":[3]}})",
        "  \r\n\t[true,false,null]\n",
    };
    const std::filesystem::path corpora = CONNSHEET_SOURCE_DIR "/fuzz/corpus";
    for (const char* target :
         {"mxbase_macro_json", "cli_dialog_data", "cli_json_layout", "cli_standards_case"}) {
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(corpora / target, error)) {
            std::ifstream in(entry.path(), std::ios::binary);
            const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
            texts.push_back(text);
            // A byte changed at a few places: a quote, a bracket, a digit or a letter becomes another.
            for (std::size_t at = text.size() / 7; at < text.size(); at += text.size() / 5 + 1) {
                for (char to : {'"', '}', '\\', '\xE9', '7'}) {
                    std::string changed = text;
                    changed[at] = to;
                    texts.push_back(std::move(changed));
                }
            }
        }
    }
    ASSERT_GT(texts.size(), 200u);
    for (const std::string& text : texts) {
        SCOPED_TRACE(::testing::PrintToString(text.substr(0, 200)));
        nlohmann::ordered_json expected;
        bool expectedOk = true;
        try {
            expected = nlohmann::ordered_json::parse(text);
        } catch (const nlohmann::json::exception&) {
            expectedOk = false;
        }
        nlohmann::ordered_json document;
        std::string error;
        const bool ok = parseJsonWithin(text, 64, document, error);
        ASSERT_EQ(ok, expectedOk) << error;
        if (!ok)
            continue;
        EXPECT_EQ(document, expected);
        EXPECT_EQ(document.dump(), expected.dump());  // integers stay integers, floats floats
    }
}

}  // namespace
