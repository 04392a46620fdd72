#include "cli/SheetWorkbook.h"

#include <cmath>
#include <cstdlib>  // abs
#include <map>
#include <string>
#include <vector>

#include "cli/OfficeSheet.h"
#include "platform/arx/Utf8.h"
#include "platform/grid/Sheet.h"
#include "platform/grid/window/SSFunctions.h"
#include "platform/mfc/BitmapFile.h"
#include "platform/mfc/GdiObjects.h"
#include "platform/mxbase/FileSystem.h"
#include "spread/Mx_Spread.h"
#include "spread/VlSSSettings.h"

namespace connsheet {
namespace {

constexpr double kMillimetresPerInch = 25.4;
// The printable width of a portrait A4 page at 96 pixels per inch; a wider sheet prints across.
constexpr int kPortraitWidthPixels = 700;

bool isNumberType(std::int32_t type) {
    return type == SS_TYPE_INTEGER || type == SS_TYPE_FLOAT || type == SS_TYPE_CURRENCY ||
           type == SS_TYPE_PERCENT;
}

// A COLORREF (0x00BBGGRR) as 0xRRGGBB; -1 for system colours and white, which need no fill.
std::int32_t fillColour(COLORREF colour) {
    if (colour & 0xFF000000u)
        return -1;
    const std::int32_t rgb =
        static_cast<std::int32_t>(((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF));
    return rgb == 0xFFFFFF ? -1 : rgb;
}

// "&" is the office header codes' escape.
std::string headerText(const Mx_String& text) {
    std::string out;
    for (char c : text.toUtf8()) {
        out += c;
        if (c == '&')
            out += '&';
    }
    return out;
}

Mx_String variable(const VlSSSettings& settings, const wchar_t* name) {
    for (int i = 0; i < settings.varNames.length() && i < settings.varValues.length(); ++i)
        if (settings.varNames[i].equal(name, false))
            return settings.varValues[i];
    return {};
}

class WorkbookBuilder {
public:
    explicit WorkbookBuilder(Mx_Spread& grid) : grid_(grid), hwnd_(grid.GetSafeHwnd()) {}

    void build(const Mx_String& fileName) {
        const int cols = grid_.GetMaxCols(), rows = grid_.GetMaxRows();
        // The header row goes along when it holds titles (a bill's column titles), whether or not the
        // window shows it.
        bool titles = false;
        Mx_String title;
        for (int col = 1; col <= cols && !titles; ++col)
            titles = grid_.getCellText(col, 0, title, Mx_Spread::kData) && !title.isEmpty();
        const int offset = titles ? 1 : 0;
        layout_.titleRow = titles;
        if (titles)
            for (int col = 1; col <= cols; ++col)
                addCell(col, SS_HEADER, 1, true);
        for (int row = 1; row <= rows; ++row) {
            for (int col = 1; col <= cols; ++col)
                addCell(col, row, row + offset, false);
            if (grid_.getCellType(1, row) == SS_TYPE_PICTURE ||
                grid_.getCellType(2, row) == SS_TYPE_PICTURE) {
                int pixels = 0;
                grid_.GetRowHeightInPixels(row, &pixels);
                layout_.rowHeights.push_back({row + offset, pixels * 0.75});
            }
        }
        int totalWidth = 0;
        for (int col = 1; col <= cols; ++col) {
            int pixels = 0;
            grid_.GetColWidthInPixels(col, &pixels);
            totalWidth += pixels;
            // Office widths count characters of the default font, about seven pixels each.
            layout_.columnWidths.push_back(pixels > 0 ? pixels / 7.0 : 0);
        }
        if (const grid::Sheet* sheet = SSGetSheet(hwnd_))
            for (const grid::CellRange& span : sheet->spans())
                if (span.row1 >= 1 && span.col1 >= 1 && (span.row2 > span.row1 || span.col2 > span.col1))
                    layout_.merges.push_back({span.row1 + offset, span.col1, span.row2 + offset, span.col2});
        printSettings(fileName, totalWidth);
    }

    const std::vector<OfficeValue>& values() const { return values_; }
    const OfficeLayout& layout() const { return layout_; }

private:
    void addCell(int col, int row, int targetRow, bool title) {
        Mx_String text;
        grid_.getCellText(col, row == SS_HEADER ? 0 : row, text, Mx_Spread::kData);
        OfficeStyle style = fontStyle(grid_.GetFont(col, row));
        if (title)
            style.bold = true;
        SS_CELLTYPE type;
        const bool typed = !title && grid_.GetCellType(col, row, &type) != FALSE;
        WORD borderType = 0, borderStyle = 0;
        COLORREF line = 0, back = 0, fore = 0;
        style.border = title;
        if (SSGetBorder(hwnd_, col, row, &borderType, &borderStyle, &line) && borderType != 0)
            style.border = true;
        if (SSGetColor(hwnd_, col, row, &back, &fore))
            style.background = fillColour(back);
        OfficeValue value;
        value.row = targetRow;
        value.col = col;
        if (typed && type.Type == SS_TYPE_PICTURE && type.detail.pictureHandle != 0 && !isMarker(col, row))
            addImage(type, targetRow, col);
        double number = 0;
        if (typed && isNumberType(type.Type) && !text.isEmpty() && text.toDouble(number)) {
            value.kind = OfficeValue::Kind::Number;
            value.number = number;
            style.decimals = type.Type == SS_TYPE_INTEGER ? 0 : type.detail.decimals;
        } else {
            value.text = text.toUtf8();
        }
        if (text.isEmpty() && style == OfficeStyle{})
            return;
        value.style = layout_.styleIndex(style);
        values_.push_back(std::move(value));
    }

    // The picture-row marker of a bill (column 1 of a picture row) stays out of the workbook.
    bool isMarker(int col, int row) { return col == 1 && grid_.getCellType(2, row) == SS_TYPE_PICTURE; }

    void addImage(const SS_CELLTYPE& type, int targetRow, int col) {
        const auto handle = reinterpret_cast<HBITMAP>(static_cast<std::uintptr_t>(type.detail.pictureHandle));
        const std::shared_ptr<ui::BitmapImage> image = ui::gdi::bitmap(handle);
        if (image)
            layout_.images.push_back({targetRow, col, ui::encodeBmp(*image)});
    }

    OfficeStyle fontStyle(HFONT font) {
        const auto known = fonts_.find(font);
        if (known != fonts_.end())
            return known->second;
        OfficeStyle style;
        if (const LOGFONT* logFont = ui::gdi::font(font)) {
            style.font = Mx_String(logFont->lfFaceName).toUtf8();
            style.fontSize = std::round(std::abs(logFont->lfHeight) * 0.75 * 2) / 2;  // pixels to points
            style.bold = logFont->lfWeight >= 700;
        }
        fonts_.emplace(font, style);
        return style;
    }

    void printSettings(const Mx_String& fileName, int totalWidth) {
        VlSSSettings settings;
        settings.readFromSheet(hwnd_);
        layout_.marginLeft = settings.marginLeft / kMillimetresPerInch;
        layout_.marginRight = settings.marginRight / kMillimetresPerInch;
        layout_.marginTop = settings.marginTop / kMillimetresPerInch;
        layout_.marginBottom = settings.marginBottom / kMillimetresPerInch;
        layout_.landscape = totalWidth > kPortraitWidthPixels;
        layout_.printGridlines = settings.cellSeperators;
        Mx_String title = variable(settings, L"Title");
        if (title.isEmpty())
            title = fileName.getSubStringAt(VlSSSettings::directoryOf(fileName).length());
        layout_.header = "&L" + headerText(title) + "&R" + headerText(variable(settings, L"Date"));
        layout_.footer = "&CPage &P of &N";
    }

    Mx_Spread& grid_;
    HWND hwnd_;
    std::vector<OfficeValue> values_;
    OfficeLayout layout_;
    std::map<HFONT, OfficeStyle> fonts_;
};

}  // namespace

bool writeSheetWorkbook(Mx_Spread& grid, const Mx_String& fileName) {
    if (!grid.isCreated())
        return false;
    WorkbookBuilder builder(grid);
    builder.build(fileName);
    std::string error;
    return writeXlsx(builder.values(), builder.layout(), fsys::resolve(fileName.view()), error);
}

}  // namespace connsheet
