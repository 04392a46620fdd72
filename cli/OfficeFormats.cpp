// The office formats of connsheet convert, through the office module (cli/office/), opened on first use.
#include <string>

#include "cli/OfficeSheet.h"
#include "cli/office/OfficeBackend.h"
#include "platform/arx/LoadableModule.h"
#include "platform/arx/Utf8.h"
#include "platform/grid/Sheet.h"
#include "platform/mxbase/FileSystem.h"

namespace connsheet {
namespace {

office::OfficeBackend* backend(std::string& error) {
    static std::string reasons;
    static office::OfficeBackend* loaded = [] {
#ifdef CONNSHEET_OFFICE_BUILD_MODULE
        const char* buildTree = CONNSHEET_OFFICE_BUILD_MODULE;
#else
        const char* buildTree = nullptr;
#endif
        using Entry = office::OfficeBackend* (*)();
        auto entry = reinterpret_cast<Entry>(host::loadModuleEntry(
            kOfficeModuleName, "CONNSHEET_OFFICE_MODULE", buildTree, kOfficeBackendSymbol, reasons));
        return entry ? entry() : nullptr;
    }();
    if (!loaded)
        error = std::string("the office module ") + kOfficeModuleName + " could not be loaded:" + reasons;
    return loaded;
}

}  // namespace

bool readXlsx(std::string_view bytes, std::vector<OfficeCell>& cells, std::string& error) {
    office::OfficeBackend* formats = backend(error);
    return formats && formats->readXlsx(bytes, cells, error);
}

bool readOds(std::string_view bytes, std::vector<OfficeCell>& cells, std::string& error) {
    office::OfficeBackend* formats = backend(error);
    return formats && formats->readOds(bytes, cells, error);
}

bool writeXlsx(grid::Sheet& sheet, const std::filesystem::path& path, std::string& error) {
    office::OfficeBackend* formats = backend(error);
    if (!formats)
        return false;
    // Office programs read A1 references; the sheet's own style may be another.
    const grid::RefStyle style = sheet.refStyle();
    sheet.setRefStyle(grid::RefStyle::A1);
    std::vector<OfficeValue> values;
    std::wstring text;
    const std::int32_t lastRow = sheet.lastUsedRow(), lastCol = sheet.lastUsedCol();
    for (std::int32_t row = 1; row <= lastRow; ++row) {
        for (std::int32_t col = 1; col <= lastCol; ++col) {
            const grid::Value value = sheet.value(col, row);
            OfficeValue out;
            out.row = row, out.col = col;
            if (sheet.hasFormula(col, row)) {
                sheet.getText(col, row, grid::TextKind::Formula, text);
                out.kind = OfficeValue::Kind::Formula;
                out.text = "=" + utf8::encode(text);
                out.hasNumber = value.kind() == grid::Value::Kind::Number;
                out.number = out.hasNumber ? value.asNumber() : 0;
                values.push_back(std::move(out));
                continue;
            }
            sheet.getText(col, row, grid::TextKind::Data, text);
            if (text.empty())
                continue;
            if (value.kind() == grid::Value::Kind::Number) {
                out.kind = value.isLogical() ? OfficeValue::Kind::Boolean : OfficeValue::Kind::Number;
                out.number = value.asNumber();
            } else {
                out.text = utf8::encode(text);
            }
            values.push_back(std::move(out));
        }
    }
    sheet.setRefStyle(style);
    std::string bytes;
    return formats->writeXlsx(values, OfficeLayout(), bytes, error) && fsys::writeAtomic(path, bytes, &error);
}

bool writeXlsx(const std::vector<OfficeValue>& values, const OfficeLayout& layout,
               const std::filesystem::path& path, std::string& error) {
    office::OfficeBackend* formats = backend(error);
    std::string bytes;
    return formats && formats->writeXlsx(values, layout, bytes, error) &&
           fsys::writeAtomic(path, bytes, &error);
}

std::int32_t OfficeLayout::styleIndex(const OfficeStyle& style) {
    for (std::size_t i = 0; i < styles.size(); ++i)
        if (styles[i] == style)
            return static_cast<std::int32_t>(i);
    styles.push_back(style);
    return static_cast<std::int32_t>(styles.size() - 1);
}

}  // namespace connsheet
