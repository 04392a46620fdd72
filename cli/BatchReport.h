#pragma once
// What a batch run prints and writes when it is over: the summary for the user, and the report file
// with one row per macro (every output value and warning).
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "cli/BatchResult.h"

namespace connsheet {

// Runs, succeeded, failed (with unreadable and crashed macros named by file), the failed equations
// by sheet and equation and the outputs not set, each with how many macros it struck, and the time.
void printBatchSummary(const std::vector<BatchResult>& results, const std::vector<std::string>& names,
                       double seconds, std::ostream& out);

// The report as CSV (file, status, problem, one column per output in order of first appearance,
// warnings joined by " | ") when the path ends in ".csv", else as a JSON array of objects {file, status,
// problem, outputs: {name: value}, warnings: [...]}. False, with the reason in `error`, when it cannot
// be written.
bool writeBatchReport(const std::string& path, const std::vector<BatchResult>& results,
                      const std::vector<std::string>& names, std::string& error);

// The report's text, as writeBatchReport writes it.
std::string batchReportText(const std::vector<BatchResult>& results, const std::vector<std::string>& names,
                            bool csv);

// One CSV field, quoted when it holds a comma, a quote or a line break.
std::string csvField(const std::string& text);
void appendCsvField(std::string& out, std::string_view text);

}  // namespace connsheet
