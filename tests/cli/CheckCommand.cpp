// connsheet check: the bundled standards are clean, and each kind of mistake a sheet author makes is
// found on its row.
#include <gtest/gtest.h>

#include <unistd.h>  // getpid
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "tests/cli/CommandRun.h"
#include "tests/cli/ScratchFolder.h"

namespace {

namespace fs = std::filesystem;

const std::string kLibrary = CONNSHEET_SOURCE_DIR "/examples/library/";

using Result = CommandRun;

Result check(const std::string& sheet) {
    return runConnsheet({"--lib", kLibrary, "check", sheet});
}

// A native grid file from (cell, text) pairs.
std::string gridFile(const std::vector<std::pair<std::string, std::string>>& cells) {
    std::string text = "connsheet-grid 1\nsheet cols=4 rows=30\n";
    for (const auto& [cell, data] : cells) {
        std::string escaped;
        for (char c : data) {
            if (c == '"' || c == '\\')
                escaped += '\\';
            escaped += c;
        }
        text += "cell " + cell + " data=\"" + escaped + "\"\n";
    }
    return text;
}

class CheckCommand : public ScratchFolderTest {};

TEST_F(CheckCommand, BundledStandardsAreClean) {
    for (const char* sheet : {"EndPlateBeamToColumn", "FinPlate", "BasePlate", "Childs/BoltLayout.vls"}) {
        Result r = check(sheet);
        EXPECT_EQ(r.status, 0) << sheet << "\n" << r.out << r.err;
        EXPECT_NE(r.out.find(" 0 errors, 0 warnings"), std::string::npos) << r.out;
    }
}

TEST_F(CheckCommand, FindsEachMistakeOnItsRow) {
    file("Child.vls", gridFile({{"A1", "Input"},
                                {"A2", "Double A"},
                                {"A3", "Output"},
                                {"A4", "Double R"},
                                {"A5", "Calc"},
                                {"A6", "R = A * 2"}}));
    const std::string sheet = file(
        "Parent.vls",
        gridFile({
            {"A1", "Input"},
            {"A2", "Double Width"},
            {"B2", "Int Count"},
            {"C2", "width of the plate"},
            {"A3", "Double Length"},
            {"A4", "Output"},
            {"A5", "Double Area"},
            {"B5", "String Width"},  // duplicate of row 2
            {"A6", "Double Result"},
            {"A7", "Local"},
            {"A8", "Double Scratch"},
            {"A10", "Calc"},
            // Clean: variables, a cell reference, a general variable, functions, a text that names nothing.
            // (A sheet without a reference style reads references the legacy way, "$B$2" is no formula.)
            {"A11", "Area = Width * Length + B2 + gen_Clearance + ROUNDTO(A3, 5) + LEN(\"Nothing here\")"},
            {"A12", "Areas = Width + 1"},                                  // undeclared target
            {"A13", "Area = Widths * 2"},                                  // whole words: Widths is not Width
            {"A14", "Area = SQUARE(Width)"},                               // unknown function
            {"A15", "just a note"},                                        // not an equation
            {"A16", "Result = CallChild(\"Child.vls\",Length,Result)"},    // clean
            {"A17", "Result = CallChild(\"Child.vls\",Length)"},           // one argument short
            {"A18", "Result = CallChild(\"Missing.vls\",Length,Result)"},  // no such sheet
            {"A19", "Result = CallChild(\"Child.vls\",Length,Width)"},     // result into an input
            {"A20", "Result = CallChild(\"Child.vls\",Length,Scratch)"},   // a local receives nothing
        }));
    Result r = check(sheet);
    EXPECT_EQ(r.status, 1);
    struct Expected {
        const char* place;
        const char* text;
    } expected[] = {
        {"5:2", "error: duplicate variable name Width"},
        {"12:1", "error: the target Areas is not declared"},
        {"13:1", "error: unknown name Widths"},
        {"14:1", "error: unknown function SQUARE"},
        {"15:1", "error: not an equation"},
        {"17:1", "error: CallChild passes 1 arguments; Child.vls takes 2"},
        {"18:1", "error: CallChild sheet not found: Missing.vls"},
        {"19:1", "error: CallChild would return R into the input Width"},
        {"20:1", "warning: CallChild returns R into the local Scratch"},
    };
    for (const Expected& e : expected)
        EXPECT_NE(r.out.find(sheet + ":" + e.place + ": " + e.text), std::string::npos) << e.text << "\n"
                                                                                        << r.out;
    for (int clean : {11, 16})
        EXPECT_EQ(r.out.find(":" + std::to_string(clean) + ":1:"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("8 errors, 1 warnings"), std::string::npos) << r.out;
}

TEST_F(CheckCommand, MissingSectionsAndUnloadableFiles) {
    Result noSections = check(file("Bare.vls", gridFile({{"A1", "Double Width"}})));
    EXPECT_EQ(noSections.status, 1);
    for (const char* header : {"\"Input\"", "\"Output\"", "\"Calc\""})
        EXPECT_NE(noSections.out.find(std::string("error: no ") + header + " section"), std::string::npos)
            << noSections.out;

    // The Local section is optional; a header must be the cell's whole text.
    Result noLocal =
        check(file("NoLocal.vls", gridFile({{"A1", "Input"}, {"A2", "Output"}, {"A3", "Calc "}})));
    EXPECT_NE(noLocal.out.find("no \"Calc\" section"), std::string::npos) << noLocal.out;
    EXPECT_EQ(noLocal.out.find("\"Local\""), std::string::npos) << noLocal.out;

    Result broken = check(file("Broken.vls", "connsheet-grid 1\nsheet cols=1 rows=1\ncell A1 colour=1\n"));
    EXPECT_EQ(broken.status, 1);
    EXPECT_NE(broken.out.find("cannot be loaded"), std::string::npos) << broken.out;
    EXPECT_EQ(check("NoSuchStandard").status, 1);
}

// A sheet with a child call in it (row 6).
std::string callingSheet(const std::string& child) {
    return gridFile({{"A1", "Input"},
                     {"A2", "Double A"},
                     {"A3", "Output"},
                     {"A4", "Double R"},
                     {"A5", "Calc"},
                     {"A6", "R = CallChild(\"" + child + "\",A,R)"}});
}

TEST_F(CheckCommand, CalledSheetsAreCheckedTooAndCirclesFound) {
    // A -> B -> A: each is fine on its own, the run would refuse the second call of A.
    file("A.vls", callingSheet("B.vls"));
    file("B.vls", callingSheet("A.vls"));
    Result circle = check((dir_ / "A.vls").string());
    EXPECT_EQ(circle.status, 1);
    EXPECT_NE(circle.out.find("B.vls:6:1: error: CallChild runs in a circle: A.vls -> B.vls -> A.vls"),
              std::string::npos)
        << circle.out;

    // Mistakes inside a called sheet, and a called sheet's duplicate names, are found and counted.
    file("Top.vls", callingSheet("Middle.vls"));
    file("Middle.vls", callingSheet("Leaf.vls"));
    file("Leaf.vls", gridFile({{"A1", "Input"},
                               {"A2", "Double A"},
                               {"A3", "Output"},
                               {"A4", "Double R"},
                               {"A5", "Local"},
                               {"A6", "Double A"},
                               {"A7", "Calc"},
                               {"A8", "R = A * (2 +"}}));
    Result nested = check((dir_ / "Top.vls").string());
    EXPECT_EQ(nested.status, 1);
    EXPECT_NE(nested.out.find("Leaf.vls:6:1: error: duplicate variable name A"), std::string::npos)
        << nested.out;
    EXPECT_NE(nested.out.find("Leaf.vls:8:1: error: cannot be read as a formula: unexpected end of formula"),
              std::string::npos)
        << nested.out;
    EXPECT_NE(nested.out.find("Top.vls: 2 variables, 2 errors, 0 warnings"), std::string::npos) << nested.out;
}

TEST_F(CheckCommand, SyntaxErrorsAndMissingFilesNamedByLiterals) {
    const std::string sheet = file(
        "Files.vls", gridFile({{"A1", "Input"},
                               {"A2", "Double Width"},
                               {"A3", "Output"},
                               {"A4", "Double R"},
                               {"A5", "Calc"},
                               {"A6", "R = GETCELL(\"Bolts.dat\", \"M20\")"},  // in the library: clean
                               {"A7", "R = GETCELL(\"NoSuch.dat\", \"M20\")"},
                               {"A8", "R = STDSIZEWITHTOLERANCE(\"NoSuch.siz\", 1, Width, 1, 1)"},
                               {"A9", "R = ROUNDTO(Width)"},
                               {"A10", "R = Width * (2 +"},
                               {"A11", "R = GETCELL(Width, \"M20\")"}}));  // not a literal: left to the run
    Result r = check(sheet);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find(":7:1: error: data file \"NoSuch.dat\" not found"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(":8:1: error: sizes file \"NoSuch.siz\" not found"), std::string::npos) << r.out;
    EXPECT_NE(
        r.out.find(
            ":9:1: error: cannot be read as a formula: wrong number of arguments to ROUNDTO at column 5"),
        std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find(":10:1: error: cannot be read as a formula: unexpected end of formula at column 17"),
              std::string::npos)
        << r.out;
    for (int clean : {6, 11})
        EXPECT_EQ(r.out.find(":" + std::to_string(clean) + ":1:"), std::string::npos) << r.out;
}

TEST_F(CheckCommand, PathsBeyondAsciiAreChecked) {
    fs::create_directories(dir_ / "Übersicht");
    file("Übersicht/Kind.vls", gridFile({{"A1", "Input"},
                                         {"A2", "Double A"},
                                         {"A3", "Output"},
                                         {"A4", "Double R"},
                                         {"A5", "Calc"},
                                         {"A6", "R = A * 2"}}));
    const std::string sheet = file("Übersicht/Träger.vls", callingSheet("Kind.vls"));
    Result r = check(sheet);
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_NE(r.out.find("Träger.vls: 2 variables, 0 errors, 0 warnings"), std::string::npos) << r.out;
}

TEST_F(CheckCommand, LibraryWideChecksReportAChildCalledTwiceOnce) {
    // Two parents call one faulty child; --all also meets the child on its own in its sub-folder.
    const std::string lib = (dir_ / "lib").string() + "/";
    fs::create_directories(dir_ / "lib/Connection Standards/Childs");
    file("lib/Connection Standards/Childs/Shared.vls", gridFile({{"A1", "Input"},
                                                                 {"A2", "Double A"},
                                                                 {"A3", "Output"},
                                                                 {"A4", "Double R"},
                                                                 {"A5", "Calc"},
                                                                 {"B6", "R = Missing * 2"}}));
    file("lib/Connection Standards/One.vls", callingSheet("Shared.vls"));
    file("lib/Connection Standards/Two.vls", callingSheet("Shared.vls"));
    file("lib/Connection Standards/notes.txt", "not a sheet");

    Result all = runConnsheet({"--lib", lib, "check", "--all"});
    EXPECT_EQ(all.status, 1);
    const std::string finding = "Shared.vls:6:2: error: unknown name Missing";
    const auto first = all.out.find(finding);
    ASSERT_NE(first, std::string::npos) << all.out;
    EXPECT_EQ(all.out.find(finding, first + 1), std::string::npos) << all.out;
    EXPECT_NE(all.out.find("3 sheets checked: 1 errors, 0 warnings"), std::string::npos) << all.out;

    // A folder and two names: the same sheets; options may follow the subcommand's arguments.
    Result folder = runConnsheet({"check", (dir_ / "lib/Connection Standards").string(), "--lib", lib});
    EXPECT_EQ(folder.out, all.out);
    Result named = runConnsheet({"--lib", lib, "check", "One", "Two"});
    EXPECT_NE(named.out.find("3 sheets checked: 1 errors"), std::string::npos) << named.out;

    Result nothing = runConnsheet({"--lib", lib, "check"});
    EXPECT_EQ(nothing.status, 2);
    Result emptyLib = runConnsheet({"--lib", dir_.string(), "check", "--all"});
    EXPECT_EQ(emptyLib.status, 1);
    EXPECT_NE(emptyLib.err.find("no \"Connection Standards\" folder"), std::string::npos) << emptyLib.err;
}

TEST_F(CheckCommand, JsonFindingsAndStrictWarnings) {
    file("Child.vls", callingSheet("Leaf.vls"));
    file("Leaf.vls", gridFile({{"A1", "Input"},
                               {"A2", "Double A"},
                               {"A3", "Output"},
                               {"A4", "Double R"},
                               {"A5", "Calc"},
                               {"A6", "R = A"}}));
    // Only a warning: a child's output returned into a local.
    const std::string sheet = file("Warned.vls", gridFile({{"A1", "Input"},
                                                           {"A2", "Double A"},
                                                           {"A3", "Output"},
                                                           {"A4", "Double R"},
                                                           {"A5", "Local"},
                                                           {"A6", "Double Scratch"},
                                                           {"A7", "Calc"},
                                                           {"C8", "R = CallChild(\"Leaf.vls\",A,Scratch)"}}));
    Result lenient = check(sheet);
    EXPECT_EQ(lenient.status, 0) << lenient.out;
    Result strict = runConnsheet({"--lib", kLibrary, "check", "--strict", sheet});
    EXPECT_EQ(strict.status, 1) << strict.out;

    Result json = runConnsheet({"--lib", kLibrary, "check", "--json", "--strict", sheet});
    EXPECT_EQ(json.status, 1);
    const auto document = nlohmann::json::parse(json.out);
    EXPECT_EQ(document["ok"], false);
    EXPECT_EQ(document["errors"], 0);
    EXPECT_EQ(document["warnings"], 1);
    EXPECT_EQ(document["sheets"].size(), 2u);  // the sheet and the child it calls
    ASSERT_EQ(document["findings"].size(), 1u);
    const auto& f = document["findings"][0];
    EXPECT_EQ(f["file"], sheet);
    EXPECT_EQ(f["row"], 8);
    EXPECT_EQ(f["col"], 3);
    EXPECT_EQ(f["cell"], "C8");
    EXPECT_EQ(f["severity"], "warning");
    EXPECT_EQ(f["code"], "callchild-into-local");
    EXPECT_NE(f["text"].get<std::string>().find("into the local Scratch"), std::string::npos);
}

}  // namespace
