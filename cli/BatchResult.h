#pragma once
// One macro's outcome in a batch run, as a worker process hands it to the parent through a pipe.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace connsheet {

struct BatchResult {
    enum class Status : std::uint8_t {
        succeeded,   // completed, every equation computed, every output set, written if asked
        failed,      // the run failed or found errors
        unreadable,  // the macro could not be read (missing, not JSON, not a macro)
        crashed,     // the worker died while running it
    };
    std::size_t index = 0;  // the macro's place in the batch
    Status status = Status::failed;
    std::string problem;  // the first error, the read error or how the worker died; empty on success
    std::vector<std::pair<std::string, std::string>> outputs;  // every output variable: name, value
    std::vector<std::string> warnings;                         // warning findings and message boxes
    std::vector<std::string> failedEquations;                  // "sheet: B23: Width = Missing + 1"
    std::vector<std::string> notSet;                           // outputs the run did not set
    std::string macro;  // a line of --jsonl: the updated macro on one line, when it is to be written

    bool succeeded() const { return status == Status::succeeded; }
};

const char* statusName(BatchResult::Status status);

// A result as bytes: length-prefixed fields, so texts may hold any byte (new lines, tabs, NULs).
std::string encodeBatchResult(const BatchResult& result);
// The same bytes, appended to `out`.
void encodeBatchResult(const BatchResult& result, std::string& out);
// False when the bytes are not a whole record (truncated or corrupt); `result` is then unspecified.
bool decodeBatchResult(std::string_view bytes, BatchResult& result);

}  // namespace connsheet
