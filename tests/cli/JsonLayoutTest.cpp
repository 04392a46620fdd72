// Writing a JSON file back with its author's layout: only changed values move, anything more than
// values falls back to the new text.
#include <gtest/gtest.h>

#include <unistd.h>  // getpid
#include <filesystem>
#include <fstream>
#include <string>

#include "cli/JsonLayout.h"
#include "tests/cli/CommandRun.h"

namespace {

using connsheet::keepJsonLayout;

TEST(JsonLayout, ChangedValuesMoveInPlace) {
    struct Case {
        const char* original;
        const char* rewritten;
        const char* expected;
    } const cases[] = {
        // Blanks, member order and number spelling of the original stay.
        {"{ \"b\" : 1,\n  \"a\": [10.0,  \"x\" ] }", "{\"a\":[10,\"y\"],\"b\":2}",
         "{ \"b\" : 2,\n  \"a\": [10.0,  \"y\" ] }"},
        {"{\"t\": \"caf\\u00e9 \\\"q\\\"\", \"n\": null}", "{\"t\":\"Straße\",\"n\":null}",
         "{\"t\": \"Straße\", \"n\": null}"},
        {"{\"a/b\": {\"~\": 1}, \"e\": [], \"o\": {}}", "{\"a/b\":{\"~\":2},\"e\":[],\"o\":{}}",
         "{\"a/b\": {\"~\": 2}, \"e\": [], \"o\": {}}"},
        {"[1, 2, 3]", "[1,2.5,3]", "[1, 2.5, 3]"},
        {"  7  ", "8", "  8  "},
        // More than values changed: the new text as it is.
        {"{\"a\": 1}", "{\"a\":1,\"b\":2}", "{\"a\":1,\"b\":2}"},
        {"{\"a\": [1, 2]}", "{\"a\":[1]}", "{\"a\":[1]}"},
        {"{\"a\": 1}", "{\"a\":\"1\"}", "{\"a\":\"1\"}"},
        {"{\"a\": []}", "{\"a\":[1]}", "{\"a\":[1]}"},
        {"{\"a\": 1, \"a\": 2}", "{\"a\":3}", "{\"a\":3}"},
        {"{\"a\": 1", "{\"a\":2}", "{\"a\":2}"},
        {"{\"a\": 1}", "not json", "not json"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.original);
        EXPECT_EQ(keepJsonLayout(c.original, c.rewritten), c.expected);
    }
}

TEST(JsonLayout, RunOutKeepsTheMacroFilesLayout) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("connsheet-layout-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string lib = CONNSHEET_SOURCE_DIR "/examples/library/";
    std::ifstream in(lib + "Macros/FinPlate.json");
    std::string original((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // A layout of the author's own: tabs and a member moved to the front of its object.
    std::string macro = original;
    for (std::size_t at = macro.find("\n    "); at != std::string::npos; at = macro.find("\n    ", at + 2))
        macro.replace(at, 5, "\n\t");
    const std::string from = "{ \"name\": \"Gap\", \"value\": 10.0,";
    ASSERT_NE(macro.find(from), std::string::npos);
    macro.replace(macro.find(from), from.size(), "{ \"value\": 10.0, \"name\": \"Gap\",");
    std::ofstream((dir / "in.json").string()) << macro;

    CommandRun r = runConnsheet({"--lib", lib, "run", "FinPlate", "--macro", (dir / "in.json").string(),
                                 "--out", (dir / "out.json").string(), "--quiet"});
    ASSERT_EQ(r.status, 0) << r.err;
    std::ifstream outFile(dir / "out.json");
    const std::string written((std::istreambuf_iterator<char>(outFile)), std::istreambuf_iterator<char>());
    // Exactly the four outputs changed (see the bundled FinPlate case), nothing else.
    std::string expected = macro;
    for (const auto& [before, after] :
         {std::pair<std::string, std::string>{"\"Thickness\", \"value\": 10.0",
                                              "\"Thickness\", \"value\": 8.0"},
          {"\"Width\", \"value\": 110.0", "\"Width\", \"value\": 90.0"},
          {"\"Height\", \"value\": 230.0", "\"Height\", \"value\": 210.0"},
          {"\"EndDistance\", \"value\": 40.0", "\"EndDistance\", \"value\": 35.0"}}) {
        ASSERT_NE(expected.find(before), std::string::npos) << before;
        expected.replace(expected.find(before), before.size(), after);
    }
    EXPECT_EQ(written, expected);
    fs::remove_all(dir);
}

}  // namespace
