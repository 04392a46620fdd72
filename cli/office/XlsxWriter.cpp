// Writes cells to .xlsx with libxlsxwriter. The library writes to a file name: it writes into a
// scratch file whose bytes are handed back (the caller replaces the target atomically).
#include <unistd.h>  // getpid
#include <xlsxwriter.h>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "cli/office/OfficeBackend.h"

namespace connsheet::office {
namespace {

// Removes the scratch file on every way out.
class ScratchFile {
public:
    ScratchFile() {
        static std::atomic<int> counter{0};
        path_ = std::filesystem::temp_directory_path() /
                ("connsheet-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".xlsx");
    }
    ~ScratchFile() {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace

bool writeXlsx(const std::vector<OfficeValue>& values, std::string& bytes, std::string& error) {
    ScratchFile scratch;
    lxw_workbook* workbook = workbook_new(scratch.path().c_str());
    if (!workbook) {
        error = "cannot create the workbook in " + scratch.path().parent_path().string();
        return false;
    }
    lxw_worksheet* worksheet = workbook_add_worksheet(workbook, nullptr);
    lxw_error status = LXW_NO_ERROR;
    for (const OfficeValue& value : values) {
        if (status != LXW_NO_ERROR)
            break;
        const auto r = static_cast<lxw_row_t>(value.row - 1);
        const auto c = static_cast<lxw_col_t>(value.col - 1);
        switch (value.kind) {
            case OfficeValue::Kind::Formula:
                // The last value goes along, so a reader that does not calculate shows it.
                status = value.hasNumber
                             ? worksheet_write_formula_num(worksheet, r, c, value.text.c_str(), nullptr,
                                                           value.number)
                             : worksheet_write_formula(worksheet, r, c, value.text.c_str(), nullptr);
                break;
            case OfficeValue::Kind::Boolean:
                status = worksheet_write_boolean(worksheet, r, c, value.number != 0, nullptr);
                break;
            case OfficeValue::Kind::Number:
                status = worksheet_write_number(worksheet, r, c, value.number, nullptr);
                break;
            case OfficeValue::Kind::Text:
                status = worksheet_write_string(worksheet, r, c, value.text.c_str(), nullptr);
                break;
        }
    }
    const lxw_error closed = workbook_close(workbook);
    if (status == LXW_NO_ERROR)
        status = closed;
    if (status != LXW_NO_ERROR) {
        error = std::string("cannot write the workbook: ") + lxw_strerror(status);
        return false;
    }
    std::ifstream in(scratch.path(), std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (!in && !in.eof()) {
        error = "cannot read back the workbook written in " + scratch.path().string();
        return false;
    }
    return true;
}

}  // namespace connsheet::office
