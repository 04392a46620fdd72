#pragma once
// A test case for a standards sheet: the sheet, what it is given (inputs for a child run, or a macro
// file for a main run), general variables, and the outputs it must compute. Case files are JSON or,
// for a table of cases of one sheet, CSV (docs/standards-testing.md).
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace connsheet {

struct ExpectedOutput {
    std::string name;
    std::string text;  // as written in the case file
    bool numeric = false;
    double number = 0;
    double tolerance = 0;  // numbers only: |got - expected| <= tolerance passes
};

struct StandardsCase {
    std::string name;
    int line = 0;       // CSV: the case's line; JSON: 0
    std::string sheet;  // as written; looked for beside the case file first, then in the library
    std::string macro;  // empty: a child run with `inputs`; else a main run against this macro file
    std::string mapsTo;
    std::vector<std::pair<std::string, std::string>> inputs;
    std::vector<std::pair<std::string, std::string>> generalVariables;
    std::vector<ExpectedOutput> expected;
};

// The tolerance of a number expected without one.
constexpr double kDefaultTolerance = 1e-6;

// Reads the cases of one file, JSON or CSV by its first character ("{" or "[" is JSON). False, with
// `error` as "line:col: problem", "line N: problem" or "/cases/2/expect: problem", on the first
// problem; the caller puts the file's name in front.
bool readStandardsCases(std::string_view bytes, std::vector<StandardsCase>& cases, std::string& error);

}  // namespace connsheet
