// Writes a grid to .xlsx with libxlsxwriter. The library writes to a file name; it writes into a
// scratch file and the bytes then replace the target atomically, so a failed conversion leaves an
// existing file as it was.
#include <unistd.h>  // getpid
#include <xlsxwriter.h>
#include <atomic>
#include <string>

#include "cli/OfficeSheet.h"
#include "platform/arx/Utf8.h"
#include "platform/grid/Sheet.h"
#include "platform/mxbase/FileSystem.h"

namespace connsheet {
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

bool writeXlsx(grid::Sheet& sheet, const std::filesystem::path& path, std::string& error) {
    ScratchFile scratch;
    lxw_workbook* workbook = workbook_new(scratch.path().c_str());
    if (!workbook) {
        error = "cannot create the workbook in " + scratch.path().parent_path().string();
        return false;
    }
    lxw_worksheet* worksheet = workbook_add_worksheet(workbook, nullptr);
    // Office programs read A1 references; the sheet's own style may be another.
    const grid::RefStyle style = sheet.refStyle();
    sheet.setRefStyle(grid::RefStyle::A1);
    std::wstring text;
    lxw_error status = LXW_NO_ERROR;
    const std::int32_t lastRow = sheet.lastUsedRow(), lastCol = sheet.lastUsedCol();
    for (std::int32_t row = 1; row <= lastRow && status == LXW_NO_ERROR; ++row) {
        for (std::int32_t col = 1; col <= lastCol && status == LXW_NO_ERROR; ++col) {
            const auto r = static_cast<lxw_row_t>(row - 1);
            const auto c = static_cast<lxw_col_t>(col - 1);
            const grid::Value value = sheet.value(col, row);
            if (sheet.hasFormula(col, row)) {
                sheet.getText(col, row, grid::TextKind::Formula, text);
                const std::string formula = "=" + utf8::encode(text);
                // The last value goes along, so a reader that does not calculate shows it.
                status = value.kind() == grid::Value::Kind::Number
                             ? worksheet_write_formula_num(worksheet, r, c, formula.c_str(), nullptr,
                                                           value.asNumber())
                             : worksheet_write_formula(worksheet, r, c, formula.c_str(), nullptr);
                continue;
            }
            sheet.getText(col, row, grid::TextKind::Data, text);
            if (text.empty())
                continue;
            if (value.kind() == grid::Value::Kind::Number && value.isLogical())
                status = worksheet_write_boolean(worksheet, r, c, value.asNumber() != 0, nullptr);
            else if (value.kind() == grid::Value::Kind::Number)
                status = worksheet_write_number(worksheet, r, c, value.asNumber(), nullptr);
            else
                status = worksheet_write_string(worksheet, r, c, utf8::encode(text).c_str(), nullptr);
        }
    }
    sheet.setRefStyle(style);
    const lxw_error closed = workbook_close(workbook);
    if (status == LXW_NO_ERROR)
        status = closed;
    if (status != LXW_NO_ERROR) {
        error = std::string("cannot write the workbook: ") + lxw_strerror(status);
        return false;
    }
    const auto bytes = fsys::readBytes(scratch.path(), &error);
    return bytes && fsys::writeAtomic(path, *bytes, &error);
}

}  // namespace connsheet
