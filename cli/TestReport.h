#pragma once
// The results of `connsheet test` and the three ways they are shown: an aligned table for people, one
// JSON object for scripts, and JUnit XML for CI systems.
#include <iosfwd>
#include <string>
#include <vector>

namespace connsheet {

struct CheckedOutput {
    std::string name;
    std::string expected;
    std::string got;         // empty when the output is missing
    std::string tolerance;   // empty for texts, compared exactly
    std::string difference;  // got - expected, numbers only
    bool passed = false;
    bool missing = false;
};

struct CaseResult {
    std::string file;  // the case file, as given
    std::string name;
    int line = 0;
    std::string sheet;
    std::string error;  // the run itself failed: why
    std::vector<CheckedOutput> outputs;
    double seconds = 0;

    bool passed() const;
};

// One row a case that passed, one row a failed output; values with tabs or line breaks escaped.
void printResultTable(const std::vector<CaseResult>& results, std::ostream& out);

// {"ok", "passed", "failed", "cases": [{file, name, line, sheet, ok, error, outputs: [{name, expected,
// got, tolerance, difference, ok}]}]}
std::string resultsJson(const std::vector<CaseResult>& results);

// One <testsuite> per case file, one <testcase> per case; a failure lists each wrong output.
std::string resultsJunit(const std::vector<CaseResult>& results);

}  // namespace connsheet
