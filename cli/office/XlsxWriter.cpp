// Writes cells to .xlsx with libxlsxwriter. The library writes to a file name: it writes into a
// scratch file whose bytes are handed back (the caller replaces the target atomically).
#include <unistd.h>  // getpid
#include <xlsxwriter.h>
#include <algorithm>  // min
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

// The workbook's formats for the layout's styles (null for the default look).
std::vector<lxw_format*> makeFormats(lxw_workbook* workbook, const OfficeLayout& layout) {
    std::vector<lxw_format*> formats;
    for (const OfficeStyle& style : layout.styles) {
        if (style == OfficeStyle{}) {
            formats.push_back(nullptr);
            continue;
        }
        lxw_format* format = workbook_add_format(workbook);
        if (!style.font.empty())
            format_set_font_name(format, style.font.c_str());
        if (style.fontSize > 0)
            format_set_font_size(format, style.fontSize);
        if (style.bold)
            format_set_bold(format);
        if (style.decimals == 0)
            format_set_num_format(format, "0");
        else if (style.decimals > 0)
            format_set_num_format(
                format,
                ("0." + std::string(static_cast<std::size_t>(std::min(style.decimals, 15)), '0')).c_str());
        if (style.border)
            format_set_border(format, LXW_BORDER_THIN);
        if (style.background >= 0) {
            format_set_pattern(format, LXW_PATTERN_SOLID);
            format_set_bg_color(format, static_cast<lxw_color_t>(style.background));
        }
        formats.push_back(format);
    }
    return formats;
}

lxw_error applyLayout(lxw_worksheet* worksheet, const OfficeLayout& layout) {
    lxw_error status = LXW_NO_ERROR;
    for (std::size_t i = 0; i < layout.columnWidths.size() && status == LXW_NO_ERROR; ++i)
        if (layout.columnWidths[i] > 0)
            status = worksheet_set_column(worksheet, static_cast<lxw_col_t>(i), static_cast<lxw_col_t>(i),
                                          layout.columnWidths[i], nullptr);
    for (const OfficeLayout::RowHeight& height : layout.rowHeights)
        if (status == LXW_NO_ERROR && height.row >= 1)
            status =
                worksheet_set_row(worksheet, static_cast<lxw_row_t>(height.row - 1), height.points, nullptr);
    if (layout.titleRow) {
        if (status == LXW_NO_ERROR)
            status = worksheet_repeat_rows(worksheet, 0, 0);
        worksheet_freeze_panes(worksheet, 1, 0);
    }
    if (layout.landscape)
        worksheet_set_landscape(worksheet);
    else
        worksheet_set_portrait(worksheet);
    worksheet_set_margins(worksheet, layout.marginLeft, layout.marginRight, layout.marginTop,
                          layout.marginBottom);
    // libxlsxwriter refuses header and footer texts over 255 characters; a shorter one keeps the rest.
    if (!layout.header.empty() && status == LXW_NO_ERROR)
        status = worksheet_set_header(worksheet, layout.header.substr(0, 255).c_str());
    if (!layout.footer.empty() && status == LXW_NO_ERROR)
        status = worksheet_set_footer(worksheet, layout.footer.substr(0, 255).c_str());
    for (const OfficeLayout::Image& image : layout.images)
        if (status == LXW_NO_ERROR && image.row >= 1 && image.col >= 1)
            status = worksheet_insert_image_buffer(
                worksheet, static_cast<lxw_row_t>(image.row - 1), static_cast<lxw_col_t>(image.col - 1),
                reinterpret_cast<const unsigned char*>(image.bytes.data()), image.bytes.size());
    if (layout.printGridlines)
        worksheet_gridlines(worksheet, LXW_SHOW_PRINT_GRIDLINES);
    return status;
}

}  // namespace

bool writeXlsx(const std::vector<OfficeValue>& values, const OfficeLayout& layout, std::string& bytes,
               std::string& error) {
    ScratchFile scratch;
    lxw_workbook* workbook = workbook_new(scratch.path().c_str());
    if (!workbook) {
        error = "cannot create the workbook in " + scratch.path().parent_path().string();
        return false;
    }
    lxw_worksheet* worksheet = workbook_add_worksheet(workbook, nullptr);
    const std::vector<lxw_format*> formats = makeFormats(workbook, layout);
    lxw_error status = applyLayout(worksheet, layout);
    for (const OfficeLayout::Merge& merge : layout.merges) {
        if (status != LXW_NO_ERROR)
            break;
        // The merged range keeps the text of its first cell, written below with the cells.
        status = worksheet_merge_range(
            worksheet, static_cast<lxw_row_t>(merge.row1 - 1), static_cast<lxw_col_t>(merge.col1 - 1),
            static_cast<lxw_row_t>(merge.row2 - 1), static_cast<lxw_col_t>(merge.col2 - 1), "", nullptr);
    }
    for (const OfficeValue& value : values) {
        if (status != LXW_NO_ERROR)
            break;
        const auto r = static_cast<lxw_row_t>(value.row - 1);
        const auto c = static_cast<lxw_col_t>(value.col - 1);
        lxw_format* format = value.style > 0 && static_cast<std::size_t>(value.style) < formats.size()
                                 ? formats[static_cast<std::size_t>(value.style)]
                                 : nullptr;
        switch (value.kind) {
            case OfficeValue::Kind::Formula:
                // The last value goes along, so a reader that does not calculate shows it.
                status = value.hasNumber
                             ? worksheet_write_formula_num(worksheet, r, c, value.text.c_str(), format,
                                                           value.number)
                             : worksheet_write_formula(worksheet, r, c, value.text.c_str(), format);
                break;
            case OfficeValue::Kind::Boolean:
                status = worksheet_write_boolean(worksheet, r, c, value.number != 0, format);
                break;
            case OfficeValue::Kind::Number:
                status = worksheet_write_number(worksheet, r, c, value.number, format);
                break;
            case OfficeValue::Kind::Text:
                status = value.text.empty()
                             ? worksheet_write_blank(worksheet, r, c, format)
                             : worksheet_write_string(worksheet, r, c, value.text.c_str(), format);
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
