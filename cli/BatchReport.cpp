#include "cli/BatchReport.h"

#include <algorithm>
#include <cstdio>  // snprintf
#include <map>
#include <nlohmann/json.hpp>
#include <ostream>
#include <unordered_map>

#include "platform/mxbase/FileSystem.h"

namespace connsheet {
namespace {

// How many macros each text struck, in order of first appearance, most frequent first.
std::vector<std::pair<std::string, std::size_t>> tally(const std::vector<BatchResult>& results,
                                                       std::vector<std::string> BatchResult::*member) {
    std::vector<std::pair<std::string, std::size_t>> counts;
    std::unordered_map<std::string, std::size_t> where;
    for (const BatchResult& result : results) {
        for (const std::string& text : result.*member) {
            auto [it, added] = where.try_emplace(text, counts.size());
            if (added)
                counts.emplace_back(text, 0);
            ++counts[it->second].second;
        }
    }
    std::stable_sort(counts.begin(), counts.end(),
                     [](const auto& a, const auto& b) { return a.second > b.second; });
    return counts;
}

void printTally(const char* title, const std::vector<std::pair<std::string, std::size_t>>& counts,
                std::ostream& out) {
    if (counts.empty())
        return;
    out << title << ":\n";
    for (const auto& [text, count] : counts)
        out << "  " << count << " x " << text << '\n';
}

std::string joined(const std::vector<std::string>& texts) {
    std::string all;
    for (const std::string& text : texts) {
        if (!all.empty())
            all += " | ";
        all += text;
    }
    return all;
}

}  // namespace

void appendCsvField(std::string& out, std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += text;
        return;
    }
    out += '"';
    for (char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

std::string csvField(const std::string& text) {
    std::string field;
    appendCsvField(field, text);
    return field;
}

void printBatchSummary(const std::vector<BatchResult>& results, const std::vector<std::string>& names,
                       double seconds, std::ostream& out) {
    std::size_t succeeded = 0;
    std::map<BatchResult::Status, std::size_t> byStatus;
    for (const BatchResult& result : results) {
        if (result.succeeded())
            ++succeeded;
        ++byStatus[result.status];
    }
    out << "runs: " << results.size() << ", succeeded: " << succeeded
        << ", failed: " << results.size() - succeeded;
    if (byStatus[BatchResult::Status::unreadable] || byStatus[BatchResult::Status::crashed])
        out << " (unreadable: " << byStatus[BatchResult::Status::unreadable]
            << ", crashed: " << byStatus[BatchResult::Status::crashed] << ")";
    out << '\n';
    // Unreadable and crashed macros are few and each needs looking at: named one by one.
    for (const BatchResult& result : results) {
        if (result.status != BatchResult::Status::unreadable && result.status != BatchResult::Status::crashed)
            continue;
        out << "  " << statusName(result.status) << ": " << names[result.index] << ": " << result.problem
            << '\n';
    }
    printTally("failed equations", tally(results, &BatchResult::failedEquations), out);
    printTally("outputs not set", tally(results, &BatchResult::notSet), out);
    char time[96];
    std::snprintf(time, sizeof time, "time: %.3f s (%.0f runs/s)\n", seconds,
                  seconds > 0 ? static_cast<double>(results.size()) / seconds : 0.0);
    out << time;
}

std::string batchReportText(const std::vector<BatchResult>& results, const std::vector<std::string>& names,
                            bool csv) {
    std::string text;
    if (csv) {
        std::vector<std::string_view> columns;
        std::unordered_map<std::string_view, std::size_t> column;
        std::size_t size = 0;
        for (const BatchResult& result : results) {
            for (const auto& [name, value] : result.outputs) {
                if (column.try_emplace(name, columns.size()).second)
                    columns.push_back(name);
                size += value.size() + 1;
            }
            size += names[result.index].size() + result.problem.size() + 16;
        }
        text.reserve(size + size / 8);
        text += "file,status,problem";
        for (std::string_view name : columns) {
            text += ',';
            appendCsvField(text, name);
        }
        text += ",warnings\n";
        std::vector<const std::string*> row(columns.size());
        for (const BatchResult& result : results) {
            std::fill(row.begin(), row.end(), nullptr);
            // Macros of one standard have their outputs in the same order: the column of each is
            // where the last one's was, the lookup only needed where the order changes.
            std::size_t guess = 0;
            for (const auto& [name, value] : result.outputs) {
                if (guess >= columns.size() || columns[guess] != name)
                    guess = column[name];
                row[guess++] = &value;
            }
            appendCsvField(text, names[result.index]);
            text += ',';
            text += statusName(result.status);
            text += ',';
            appendCsvField(text, result.problem);
            for (const std::string* value : row) {
                text += ',';
                if (value)
                    appendCsvField(text, *value);
            }
            text += ',';
            appendCsvField(text, joined(result.warnings));
            text += '\n';
        }
        return text;
    }
    // Row by row: a report of many thousand macros is never one document in memory.
    text += "[\n";
    for (std::size_t i = 0; i < results.size(); ++i) {
        const BatchResult& result = results[i];
        nlohmann::ordered_json row;
        row["file"] = names[result.index];
        row["status"] = statusName(result.status);
        row["problem"] = result.problem;
        row["outputs"] = nlohmann::ordered_json::object();
        for (const auto& [name, value] : result.outputs)
            row["outputs"][name] = value;
        row["warnings"] = result.warnings;
        text += "  ";
        text += row.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
        text += i + 1 < results.size() ? ",\n" : "\n";
    }
    text += "]\n";
    return text;
}

bool writeBatchReport(const std::string& path, const std::vector<BatchResult>& results,
                      const std::vector<std::string>& names, std::string& error) {
    const bool csv = path.size() >= 4 && path.compare(path.size() - 4, 4, ".csv") == 0;
    // Written whole and at once: a report cut short by a full disk never stands as the whole.
    return fsys::writeAtomic(path, batchReportText(results, names, csv), &error);
}

}  // namespace connsheet
