#include <gtest/gtest.h>

#include <unistd.h>  // getpid
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include <nlohmann/json.hpp>

#include "tests/cli/CommandRun.h"
#include "tests/cli/ScratchFolder.h"

namespace {

namespace fs = std::filesystem;

using CalcRun = CommandRun;

CalcRun calc(std::vector<std::string> args) {
    args.insert(args.begin(), "calc");
    return runConnsheet(std::move(args));
}

class CalcCommand : public ScratchFolderTest {};

const char kSheet[] =
    "connsheet-grid 1\n"
    "sheet cols=4 rows=7 ref-style=0\n"
    "cell A* data=\"Header\"\n"
    "cell A1 data=\"12.5\"\n"
    "cell B1 data=\"plate\"\n"
    "cell C1 tag=\"no datum: not printed\"\n"
    "cell A2 formula=\"A1*2\"\n"
    "cell B2 formula=\"B1&\\\"-\\\"&A2\"\n"
    "cell C2 formula=\"A1>3\"\n"
    "cell D7 formula=\"1/0\"\n";

TEST_F(CalcCommand, PrintsEveryNonEmptyCellInRowOrder) {
    CalcRun r = calc({file("s.grid", kSheet)});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "A1\t12.5\n"
              "B1\tplate\n"
              "A2\t25\n"
              "B2\tplate-25\n"
              "C2\t1\n"
              "D7\t#DIV/0!\n");
    EXPECT_EQ(r.err, "");
}

TEST_F(CalcCommand, JsonGivesTypeValueAndText) {
    CalcRun r = calc({file("s.grid", kSheet), "--jsonl"});
    ASSERT_EQ(r.status, 0) << r.err;
    std::istringstream lines(r.out);
    std::string line;
    std::map<std::string, nlohmann::json> cells;
    while (std::getline(lines, line)) {
        auto j = nlohmann::json::parse(line);
        cells[j["cell"]] = j;
    }
    ASSERT_EQ(cells.size(), 6u);
    EXPECT_EQ(cells["A2"],
              nlohmann::json::parse(R"({"cell":"A2","type":"number","value":25.0,"text":"25"})"));
    EXPECT_EQ(cells["B1"],
              nlohmann::json::parse(R"({"cell":"B1","type":"text","value":"plate","text":"plate"})"));
    EXPECT_EQ(cells["C2"]["type"], "bool");
    EXPECT_EQ(cells["C2"]["value"], true);
    EXPECT_EQ(cells["C2"]["text"], "1");
    EXPECT_EQ(cells["D7"],
              nlohmann::json::parse(R"({"cell":"D7","type":"error","value":"#DIV/0!","text":""})"));
}

TEST_F(CalcCommand, OneJsonObjectOrCsvWithTheSameCells) {
    const std::string sheet = file("s.grid", kSheet);
    CalcRun r = calc({sheet, "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto document = nlohmann::json::parse(r.out);
    EXPECT_EQ(document["ok"], true);
    EXPECT_EQ(document["file"], sheet);
    ASSERT_EQ(document["cells"].size(), 6u);
    EXPECT_EQ(document["cells"][0]["cell"], "A1");  // row by row
    EXPECT_EQ(document["cells"][5],
              nlohmann::json::parse(R"({"cell":"D7","type":"error","value":"#DIV/0!","text":""})"));

    EXPECT_EQ(nlohmann::json::parse(calc({file("e.csv", ""), "--json"}).out)["cells"],
              nlohmann::json::array());

    CalcRun csv = calc({file("t.csv", "\"a\tb, c\",=1/0\n"), "--csv"});
    EXPECT_EQ(csv.out, "cell,type,value,text\nA1,text,\"a\tb, c\",\"a\tb, c\"\nB1,error,#DIV/0!,\n");
    // A text table keeps a value on its line.
    EXPECT_EQ(calc({file("t.csv", "\"a\tb\nc\"\n")}).out, "A1\ta\\tb\\nc\n");
    EXPECT_EQ(calc({sheet, "--json", "--jsonl"}).status, 2);
}

// A number prints the text its cell shows (a typed text as typed, a result with at most 15 digits)
// and, as its value, the shortest text that reads back as the same double, in either notation.
TEST_F(CalcCommand, NumbersCarryTheirShownTextAndTheirExactValue) {
    CalcRun r = calc({file("n.csv", "1.50,007,=0.1+0.2,=10^21,=10^6,=1/3,=-0.00012,=2^-30,1e3\n"), "--jsonl"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "{\"cell\":\"A1\",\"text\":\"1.50\",\"type\":\"number\",\"value\":1.5}\n"
              "{\"cell\":\"B1\",\"text\":\"007\",\"type\":\"number\",\"value\":7.0}\n"
              "{\"cell\":\"C1\",\"text\":\"0.3\",\"type\":\"number\",\"value\":0.30000000000000004}\n"
              "{\"cell\":\"D1\",\"text\":\"1E+21\",\"type\":\"number\",\"value\":1e+21}\n"
              "{\"cell\":\"E1\",\"text\":\"1000000\",\"type\":\"number\",\"value\":1e+06}\n"
              "{\"cell\":\"F1\",\"text\":\"0.333333333333333\",\"type\":\"number\",\"value\":0.3333333333333333}\n"
              "{\"cell\":\"G1\",\"text\":\"-0.00012\",\"type\":\"number\",\"value\":-0.00012}\n"
              "{\"cell\":\"H1\",\"text\":\"9.31322574615479E-10\",\"type\":\"number\",\"value\":9.313225746154785e-10}\n"
              "{\"cell\":\"I1\",\"text\":\"1e3\",\"type\":\"number\",\"value\":1000.0}\n");
}

// Names go on past Z (AA, AB ...), and texts that need escaping sit among numbers written as they
// stand: the whole stays one valid JSON document.
TEST_F(CalcCommand, NamesCellsPastZAndKeepsEveryTextValidJson) {
    std::string row;
    for (int i = 1; i <= 28; ++i)
        row += std::to_string(i) + ",";
    row += "\"say \"\"hi\"\"\",=AB1/4\n";
    CalcRun r = calc({file("wide.csv", row), "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const nlohmann::json doc = nlohmann::json::parse(r.out);
    const nlohmann::json& cells = doc.at("cells");
    ASSERT_EQ(cells.size(), 30u);
    EXPECT_EQ(cells[25].at("cell"), "Z1");
    EXPECT_EQ(cells[26].at("cell"), "AA1");
    EXPECT_EQ(cells[27].at("cell"), "AB1");
    EXPECT_EQ(cells[27].at("value"), 28.0);
    EXPECT_EQ(cells[28].at("cell"), "AC1");
    EXPECT_EQ(cells[28].at("type"), "text");
    EXPECT_EQ(cells[28].at("value"), "say \"hi\"");
    EXPECT_EQ(cells[29].at("cell"), "AD1");
    EXPECT_EQ(cells[29].at("text"), "7");
    EXPECT_EQ(cells[29].at("value"), 7.0);

    // Control characters, backslashes, non-ASCII text, errors and logical values, line by line.
    r = calc({file("texts.csv", "\"tab\there\",back\\slash,caf\xc3\xa9,=1/0,=1<2\n"), "--jsonl"});
    ASSERT_EQ(r.status, 0) << r.err;
    std::istringstream lines(r.out);
    std::vector<nlohmann::json> objects;
    for (std::string line; std::getline(lines, line);)
        objects.push_back(nlohmann::json::parse(line));
    ASSERT_EQ(objects.size(), 5u);
    EXPECT_EQ(objects[0].at("value"), "tab\there");
    EXPECT_EQ(objects[1].at("value"), "back\\slash");
    EXPECT_EQ(objects[2].at("value"), "caf\xc3\xa9");
    EXPECT_EQ(objects[3].at("type"), "error");
    EXPECT_EQ(objects[3].at("value"), "#DIV/0!");
    EXPECT_EQ(objects[4].at("type"), "bool");
    EXPECT_EQ(objects[4].at("value"), true);
}

TEST_F(CalcCommand, ReadsCsv) {
    CalcRun r = calc({file("s.csv", "1,2,=A1+B1\n\"a,b\",,=C1*10\n")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "A1\t1\nB1\t2\nC1\t3\nA2\ta,b\nC2\t30\n");
}

TEST_F(CalcCommand, BadFilesFailWithTheDiagnostic) {
    std::string bad = file("bad.grid", "connsheet-grid 1\nsheet cols=1 rows=1\ncell A1 formula=\"1+\"\n");
    CalcRun r = calc({bad});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("bad.grid: line 3: formula of A1: "), std::string::npos) << r.err;

    r = calc({(dir_ / "missing.grid").string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("missing.grid"), std::string::npos) << r.err;

    r = calc({});
    EXPECT_EQ(r.status, 2);  // usage
}

}  // namespace
