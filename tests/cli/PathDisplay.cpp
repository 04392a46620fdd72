// The standards commands name sheets by paths that the product composes with "\" ("Connection
// Standards\Childs\" + name). What they print — the sheet, the findings, the warnings of a run — shows
// every path with "/", so it can be pasted into a shell.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>  // getpid

#include "tests/cli/CommandRun.h"

namespace {

namespace fs = std::filesystem;

class PathDisplay : public ::testing::Test {
protected:
    void SetUp() override {
        lib_ = fs::temp_directory_path() / ("connsheet-paths-" + std::to_string(::getpid()));
        fs::create_directories(lib_ / "Connection Standards" / "Childs");
        // A parent below "Connection Standards\" whose child, found in "Childs\", has a failing equation.
        write("Connection Standards/Parent.vls",
              "Input\t\nDouble A\t\nOutput\t\nDouble R\t\nCalc\t\nX = CallChild(\"Child.vls\",A,R)\t\n");
        write("Connection Standards/Childs/Child.vls",
              "Input\t\nDouble A\t\nOutput\t\nDouble R\t\nCalc\t\nR = A / 0\t\n");
        // A child that cannot be loaded: the grid's diagnostic names it.
        write("Connection Standards/Broken.vls", "connsheet-grid 1\nsheet cols=1 rows=1\ncell A1 data=\"unterminated\n");
        write("Connection Standards/Caller.vls",
              "Input\t\nDouble A\t\nOutput\t\nDouble R\t\nCalc\t\nX = CallChild(\"Broken.vls\",A,R)\t\n");
        write("macro.json", "{\"version\": 1, \"name\": \"M\", \"modules\": [{\"name\": \"P\", \"variables\": "
                            "[{\"name\": \"A\", \"value\": 1}, {\"name\": \"R\", \"value\": 0}]}]}");
    }
    void TearDown() override { fs::remove_all(lib_); }
    void write(const std::string& name, const std::string& text) const {
        std::ofstream(lib_ / name, std::ios::binary) << text;
    }
    CommandRun connsheet(std::vector<std::string> args) const {
        args.insert(args.begin(), {"--lib", lib_.string()});
        return runConnsheet(std::move(args));
    }
    std::string lib() const { return lib_.string(); }
    fs::path lib_;
};

TEST_F(PathDisplay, EveryCommandPrintsSlashes) {
    const std::string parent = lib() + "/Connection Standards/Parent.vls";
    const std::string child = lib() + "/Connection Standards/Childs/Child.vls";
    struct Case {
        std::vector<std::string> args;
        std::string expected;  // a path as it must appear in the output
    };
    const Case cases[] = {
        {{"run", "Parent", "--macro", lib() + "/macro.json", "--maps-to", "Module.P", "--json"}, "\"sheet\": \"" + parent},
        {{"run", "Parent", "--macro", lib() + "/macro.json", "--maps-to", "Module.P"}, "Spreadsheet : " + child},
        {{"run", "Parent.vls", "--macro", lib() + "/macro.json", "--maps-to", "Module.P"}, "Spreadsheet : " + child},
        {{"eval", "Parent", "A=2"}, "Spreadsheet : " + child + " (line: 6)"},
        {{"eval", "Childs/Child.vls", "A=2", "--json"}, "\"sheet\": \"" + child},
        {{"eval", "Parent", "B=2"}, "is not an input of " + parent},
        {{"check", "Parent"}, parent + ": 2 variables"},
        {{"check", "Childs\\Child.vls"}, child + ": 2 variables"},
        {{"check", "Broken.vls"}, lib() + "/Connection Standards/Broken.vls: error: cannot be loaded: " + lib() +
                                      "/Connection Standards/Broken.vls: line "},
        {{"check", "Caller"}, "CallChild sheet cannot be loaded: " + lib() + "/Connection Standards/Broken.vls: line "},
        {{"read", "Parent", "--json"}, "\"file\":\"" + parent},
        {{"read", "Missing"}, "no such sheet (tried " + lib() + "/Connection Standards/Missing.vls)"},
        {{"show", "Missing"}, "no such sheet (tried " + lib() + "/Connection Standards/Missing.vls)"},
        {{"settings", "Missing"}, "no such sheet (tried " + lib() + "/Connection Standards/Missing.vls)"},
        {{"macro", lib() + "/macro.json", "--standards", "Missing"},
         "no such sheet (tried " + lib() + "/Connection Standards/Missing.vls)"},
    };
    for (const Case& c : cases) {
        std::string line;
        for (const std::string& a : c.args) line += a + " ";
        SCOPED_TRACE(line);
        const CommandRun r = connsheet(c.args);
        const std::string printed = r.out + r.err;
        EXPECT_NE(printed.find(c.expected), std::string::npos) << printed;
        // JSON writes the line breaks of warnings as "\n": there only the sheet is looked at.
        if (line.find("--json") == std::string::npos) {
            EXPECT_EQ(printed.find('\\'), std::string::npos) << printed;
        }
    }
}

}  // namespace
