#pragma once
// The values tables page of the section library (dialog 8716): the library's tables ("prof\*.pr"), the
// shown table in a grid with its row commands, and the table's section shape. Tables are files: the
// page saves a changed table when the user leaves it and says so (Yes/No/Cancel), creates, renames and
// deletes files, and registers every saved table with the section tables so that the product sees it.
#include "platform/mfc/CDialog.h"
#include "platform/mxbase/DlgEditLibData.h"
#include "sectionlib/Mx_ProfValuesTable.h"
#include "spread/Mx_Spread.h"

class CTabEditLibValues : public CDialog {
public:
    enum : UINT { IDD = 8716 };
    enum : int {
        IDC_TABLES = 1248,
        IDC_NEW = 1189,
        IDC_DELETE = 1190,
        IDC_OPTIONS = 1200,
        IDC_RENAME = 1201,
        IDC_COPY = 1199,
        IDC_PASTE = 1198,
        IDC_INSERT_ROW = 1204,
        IDC_DELETE_ROW = 1205,
        IDC_ROW_UP = 1206,
        IDC_ROW_DOWN = 1207,
        IDC_SEARCH = 1208,
        IDC_SHAPE = 1202,
        IDC_SHAPE_LABEL = 1203,
        IDC_GRID = 1196,
    };

    explicit CTabEditLibValues(const DlgEditLibData& data);
    bool createPage(CWnd* parent);

    // Asks about unsaved changes of the shown table and saves them on Yes. False on Cancel. A new
    // table that was never saved leaves the list on No.
    bool leaveTable();
    // Fills the section shapes again (the types may have changed on their page).
    void refreshShapes() { fillShapes(chosenImage()); }
    // Shows the table of that name (letter case ignored); false when the library has none.
    bool showTableNamed(const Mx_String& name);
    const Mx_StringArray& tableNames() const { return names_; }
    int current() const { return current_; }
    Mx_Spread& grid() { return grid_; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnOK() override {}
    void OnCancel() override {}

private:
    void fillTables(int select);
    void showTable(int index);
    bool saveTable();
    void newTable();
    void deleteTable();
    void renameTable();
    void afterOptions();
    void fillShapes(const Mx_String& image);
    Mx_String chosenImage();
    // Value headers after the chosen section type's dimensions; asks before removing columns when the
    // user chose the shape.
    void adaptColumns(bool chosenByUser);
    int nameColumns();
    void setRowHeaders();

    const DlgEditLibData& data_;
    Mx_StringArray names_;
    int current_ = -1;
    Mx_ProfValuesTable table_;
    Mx_Spread grid_;
    Mx_StringArray shapeImages_;  // the image each shape item stands for
};
