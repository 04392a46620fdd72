#pragma once
// VlSSBillOutput: the list output that writes a bill of materials into a spreadsheet while the list
// generator feeds it, and saves it with the sheet's editor settings. The sheet lives in the spreadsheet
// tool window, which stays open showing the bill until the output is destroyed.
//
//     VlSSBillOutput output;
//     output.setVars(...);                       // optional: pictures of the parts
//     output.init(file, titles, {}, types, settingsName, names, values);
//     bill.feed(output);                          // onStartFeed, onAddRow..., onEndFeed
//
// The sheet grows 100 rows at a time and is cut to the rows written at the end, so a feed of n rows
// costs time in proportion to n.
#include <memory>
#include <vector>

#include "platform/mxbase/Mx_ListOutputCallback.h"
#include "platform/mxbase/Mx_String.h"
#include "platform/mxbase/Mx_StringArray.h"

class AcTransaction;
class DlgSSAsTool;
class Mx_Bill;
class Mx_Spread;

class VlSSBillOutput : public Mx_ListOutputCallback {
public:
    // init's status when the tool window has no grid.
    static constexpr Acad::ErrorStatus kNoGrid = static_cast<Acad::ErrorStatus>(337);
    // Column types of init.
    enum ColumnType : int { kInteger = 1, kOneDecimal = 2, kText = 3 };
    // The module's bitmap that marks a picture row.
    static constexpr int kPictureRowBitmap = 251;
    static constexpr int kGrowth = 100;

    VlSSBillOutput();
    ~VlSSBillOutput() override;
    VlSSBillOutput(const VlSSBillOutput&) = delete;
    VlSSBillOutput& operator=(const VlSSBillOutput&) = delete;

    // Opens the tool window and sets its grid up as a new sheet with the settings file and one column
    // per title (the titles in the header row). intArray has no effect. kNoGrid without a grid.
    Acad::ErrorStatus init(Mx_String fileName, const Mx_StringArray& columnTitles,
                           const std::vector<int>& intArray, const std::vector<int>& columnTypes,
                           const Mx_String& settingsFile, const Mx_StringArray& varNames,
                           const Mx_StringArray& varValues);
    // The image maker's parameters; pictures are made only when both bill and transaction are set.
    void setVars(int mode, int size, int style, bool shaded, bool withDimensions, Mx_Bill* bill,
                 AcTransaction* transaction);

    Acad::ErrorStatus onStartFeed() override;
    Acad::ErrorStatus onEndFeed() override;
    Acad::ErrorStatus onAddRow(const Mx_StringArray& row) override;
    Acad::ErrorStatus onAddSubTotals(const Mx_StringArray& values, const Mx_StringArray& other, bool flag,
                                     int number) override;

    // The tool window's grid, or null.
    Mx_Spread* getSSPointer();
    int currentRow() const { return currentRow_; }
    const Mx_String& billFileName() const { return billFile_; }
    const Mx_StringArray& varNames() const { return varNames_; }
    const Mx_StringArray& varValues() const { return varValues_; }

    bool addRow(const Mx_StringArray& row, const Mx_String& pictureFile);
    bool setRowProperties(int row);

    // The bill's title from its file name: no folder, no extension, only what follows the last "¿".
    static Mx_String titleOf(const Mx_String& fileName);

private:
    bool picturesWanted() const { return bill_ && transaction_; }
    void nextRow(Mx_Spread& grid);

    int imageMode_ = -1, imageSize_ = 0, imageStyle_ = 0;
    bool imageShaded_ = true, imageDimensions_ = true;
    Mx_Bill* bill_ = nullptr;
    AcTransaction* transaction_ = nullptr;
    std::unique_ptr<DlgSSAsTool> tool_;
    int currentRow_ = 0;
    std::vector<int> columnTypes_;
    Mx_String billFile_;
    Mx_StringArray varNames_;
    Mx_StringArray varValues_;
};
