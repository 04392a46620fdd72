#include "spread/VlSSBillOutput.h"

#include <algorithm>
#include <ctime>
#include <filesystem>

#include "module/ModuleResources.h"
#include "platform/grid/CellLook.h"  // kSystemWindowColor
#include "platform/grid/window/SSFunctions.h"
#include "platform/mfc/Bitmap.h"
#include "platform/mfc/VlTempResourceOverride.h"
#include "platform/mxbase/FileSystem.h"
#include "platform/mxbase/Mx_Bill.h"
#include "spread/DlgSSAsTool.h"
#include "spread/Mx_Spread.h"
#include "spread/SpreadRedrawGuard.h"
#include "spread/VlSSSettings.h"
#include "spread/VlSSSheet.h"

namespace {

constexpr WORD kBillGridType = 7;
constexpr COLORREF kBillGridColor = 3289650;  // 0x323232
constexpr COLORREF kWindowTextColor = 0x8000000B;
constexpr COLORREF kSubTotalBack = 16765348;  // 0xFFD1A4
constexpr WORD kSubTotalBorder = 31;
constexpr long kPictureStyle = 36;

Mx_String localDate() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[128];
    const std::size_t length = std::strftime(text, sizeof text, "%d %B, %Y (%H:%M)", &local);
    return Mx_String(std::string(text, length));
}

bool fileExists(const Mx_String& path) {
    return !path.isEmpty() && fsys::pathInfo(fsys::resolve(path.view())).kind == fsys::PathInfo::Kind::File;
}

}  // namespace

VlSSBillOutput::VlSSBillOutput() : tool_(std::make_unique<DlgSSAsTool>()) {}

VlSSBillOutput::~VlSSBillOutput() = default;

Mx_Spread* VlSSBillOutput::getSSPointer() {
    return tool_ ? tool_->grid() : nullptr;
}

Mx_String VlSSBillOutput::titleOf(const Mx_String& fileName) {
    Mx_String name = fileName.getSubStringAt(VlSSSettings::directoryOf(fileName).length());
    const int dot = name.findLastFrom(L'.');
    if (dot >= 0)
        name = name.getSubStringAt(0, dot);
    const int mark = name.findLastFrom(L'\u00BF');
    if (mark >= 0)
        name = name.getSubStringAt(mark + 1);
    return name;
}

Acad::ErrorStatus VlSSBillOutput::init(Mx_String fileName, const Mx_StringArray& columnTitles,
                                       const std::vector<int>& /*intArray*/,
                                       const std::vector<int>& columnTypes, const Mx_String& settingsFile,
                                       const Mx_StringArray& varNames, const Mx_StringArray& varValues) {
    tool_->create();
    Mx_Spread* grid = getSSPointer();
    if (!grid)
        return kNoGrid;
    billFile_ = std::move(fileName);
    loadSettingsIntoGrid(*grid, settingsFile);
    grid->SetGridType(kBillGridType);
    grid->SetGridColor(kBillGridColor);
    varNames_ = varNames;
    varValues_ = varValues;
    grid->setMaxCols(columnTitles.length(), true);
    grid->setRowTexts(0, columnTitles, false);
    columnTypes_ = columnTypes;
    currentRow_ = 0;
    return Acad::eOk;
}

void VlSSBillOutput::setVars(int mode, int size, int style, bool shaded, bool withDimensions, Mx_Bill* bill,
                             AcTransaction* transaction) {
    imageMode_ = mode;
    imageSize_ = size;
    imageStyle_ = style;
    imageShaded_ = shaded;
    imageDimensions_ = withDimensions;
    bill_ = bill;
    transaction_ = transaction;
}

Acad::ErrorStatus VlSSBillOutput::onStartFeed() {
    if (picturesWanted())
        openBillImageDialog(imageSize_ + 20);
    return Acad::eOk;
}

Acad::ErrorStatus VlSSBillOutput::onAddRow(const Mx_StringArray& row) {
    if (!picturesWanted()) {
        addRow(row, Mx_String());
        return Acad::eOk;
    }
    Mx_String picture;
    makeBillImage(row, imageMode_, imageSize_, imageStyle_, imageShaded_, imageDimensions_, bill_,
                  transaction_, picture);
    addRow(row, picture);
    if (!picture.isEmpty()) {
        std::error_code ignored;
        std::filesystem::remove(fsys::resolve(picture.view()), ignored);
    }
    return Acad::eOk;
}

Acad::ErrorStatus VlSSBillOutput::onAddSubTotals(const Mx_StringArray& values, const Mx_StringArray&, bool,
                                                 int) {
    Mx_Spread* grid = getSSPointer();
    if (!grid || !addRow(values, Mx_String()))
        return Acad::eOk;
    const int cols = std::min(values.length(), grid->GetMaxCols());
    for (int col = 1; col <= cols; ++col) {
        if (values[col - 1].isEmpty())
            continue;
        grid->SetBorder(col, currentRow_, kSubTotalBorder, 1, kWindowTextColor);
        grid->SetColor(col, currentRow_, kSubTotalBack, kWindowTextColor);
    }
    return Acad::eOk;
}

void VlSSBillOutput::nextRow(Mx_Spread& grid) {
    ++currentRow_;
    const int rows = grid.GetMaxRows();
    if (currentRow_ <= rows)
        return;
    // Growing by a block keeps a long feed linear: one resize per hundred rows, not one per row.
    const int last = currentRow_ + kGrowth;
    grid.setMaxRows(last, true);
    if (rows < 1)
        return;
    grid.clearRows(rows + 1, last);
    // The new rows take the last row's cell types and fonts, but not a subtotal row's marks: a
    // subtotal at the end of a block would otherwise colour and frame every row of the next one.
    const int cols = grid.GetMaxCols();
    grid.SetColorRange(1, rows + 1, cols, last, grid::kSystemWindowColor, grid::kSystemWindowTextColor);
    grid.SetBorderRange(1, rows + 1, cols, last, 0, 0, kWindowTextColor);
}

bool VlSSBillOutput::addRow(const Mx_StringArray& row, const Mx_String& pictureFile) {
    Mx_Spread* grid = getSSPointer();
    if (!grid)
        return false;
    SpreadRedrawGuard redraw(grid->GetSafeHwnd());
    if (row.length() > grid->GetMaxCols())
        grid->setMaxCols(row.length(), true);
    nextRow(*grid);
    setRowProperties(currentRow_);
    grid->setRowTexts(currentRow_, row, true);

    if (!fileExists(pictureFile))
        return true;
    nextRow(*grid);
    int added = 0;
    if (grid->addPictureRow(pictureFile, 2, currentRow_, added)) {
        // The grid would read the picture from its file when painting; the file is the image maker's
        // and goes away after this row, so the cell keeps the picture itself.
        HANDLE image = LoadImage(nullptr, pictureFile.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
        if (image) {
            SS_CELLTYPE type;
            grid->SetTypePictureHandle(&type, kPictureStyle, static_cast<HBITMAP>(image), TRUE);
            grid->SetCellType(2, currentRow_, &type);
        }
    }
    VlTempResourceOverride::Scope resources(ModuleResources::resourceOverride());
    grid->setPictureCell(1, currentRow_, kPictureRowBitmap, false);
    return true;
}

bool VlSSBillOutput::setRowProperties(int row) {
    Mx_Spread* grid = getSSPointer();
    if (!grid)
        return false;
    const int cols = std::min(grid->GetMaxCols(), static_cast<int>(columnTypes_.size()));
    for (int col = 1; col <= cols; ++col) {
        switch (columnTypes_[static_cast<std::size_t>(col - 1)]) {
            case kInteger:
                grid->setNumberCell(col, row, 0, true);
                break;
            case kOneDecimal:
                grid->setNumberCell(col, row, 1, true);
                break;
            case kText:
                grid->setTextCell(col, row);
                break;
            default:
                break;
        }
        grid->SetBorder(col, row, 0, 0, kWindowTextColor);
        grid->RemoveCellSpan(col, row);
    }
    double height = 0;
    if (grid->GetMaxTextRowHeight(row, &height) && height > 0)
        grid->SetRowHeight(row, height);
    return true;
}

Acad::ErrorStatus VlSSBillOutput::onEndFeed() {
    if (picturesWanted())
        closeBillImageDialog();
    Mx_Spread* grid = getSSPointer();
    if (!grid)
        return Acad::eInvalidInput;
    if (currentRow_ < grid->GetMaxRows())
        grid->setMaxRows(currentRow_, false);
    grid->autoSizeColumns(true);

    varNames_.insertAt(0, L"BillFilename");
    varValues_.insertAt(0, billFile_);
    varNames_.insertAt(0, L"Title");
    varValues_.insertAt(0, titleOf(billFile_));
    varNames_.insertAt(0, L"Date");
    varValues_.insertAt(0, localDate());
    applyVariables(*grid, varNames_, varValues_);
    // A failed save is not the feed's failure: the bill stays on screen in the tool window.
    saveSheet(*grid, billFile_);
    return Acad::eOk;
}
