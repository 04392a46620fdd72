#pragma once
// CFormula: the formulas dialog (resource 133). A grid over placeholder 1004 that loads a spreadsheet
// file and serves one of three purposes, chosen by its mode:
//   kRecalcCell  shows the sheet with one cell recalculated, for the user to work with (EvaluateSS);
//   kFromTable   evaluates one pending FROMTABLE call against the table file it names;
//   kReadAll     reads the whole sheet into string arrays and closes at once (ReadSSFile).
// The table lookup and the reading end the dialog during its initialisation, so they never wait for
// the user: a FROMTABLE inside a standards run must not stop the run with a window.
//
// FROMTABLE(file, cell [, target]) or FROMTABLE(file, keyHeader, resultHeader, key), registered on
// every grid the dialog loads (and on any grid through registerFromTable), looks a value up in another
// sheet. With two or four arguments it gives the table cell's value; with three it gives no value and
// writes the table cell's text into the cell its third argument names, in the grid being calculated
// (CalculatingGrid). Every failure leaves the result without a value.
#include "platform/grid/window/SSTypes.h"
#include "platform/mfc/CAcUiDialog.h"
#include "platform/mxbase/Mx_Array.h"
#include "platform/mxbase/Mx_String.h"
#include "platform/mxbase/Mx_StringArray.h"
#include "spread/Mx_Spread.h"

class CFormula : public CAcUiDialog {
public:
    enum : UINT { IDD = 133 };
    enum : int {
        IDC_FILE = 1000,
        IDC_SAVE = 1001,
        IDC_GRID = 1004,
        IDC_DEFAULT = 1005,
        IDC_A1 = 1006,
        IDC_R1C1 = 1007,
        IDC_SPARE = 1008,
        IDC_LOAD = 1087,
        IDC_AUTOCALC = 1106,
        IDC_RECALC = 1107,
    };
    enum Mode : int { kRecalcCell = 1, kFromTable = 2, kReadAll = 4 };
    // FROMTABLE lookups nest (a table cell may look up another table) at most this deep; a deeper one
    // gives no value, as does a lookup into a table whose lookup is under way (a circular reference).
    static constexpr int kMaxNesting = 8;

    explicit CFormula(Mode mode, CWnd* parent = nullptr);
    ~CFormula() override;

    Mode mode() const { return mode_; }
    void setFileName(const Mx_String& fileName) { fileName_ = fileName; }
    const Mx_String& fileName() const { return fileName_; }
    // kRecalcCell: the cell recalculated when the dialog opens.
    void setCell(int col, int row);
    // kFromTable: the call to evaluate, and the grid that was being calculated when it was made.
    void setFromTableCall(SS_VALUE* result, SS_VALUE* args, int count, Mx_Spread* caller);
    // kReadAll: where the column names and the rows go (both, or nothing is read).
    void setReadOutputs(Mx_StringArray* columnNames, Mx_Array<Mx_StringArray>* rows);
    // kReadAll: the text of cell (1, 1).
    const Mx_String& title() const { return title_; }
    // Whether the file named when the dialog opened was loaded.
    bool loaded() const { return loaded_; }

    Mx_Spread& grid() { return grid_; }

    // Gives a grid the FROMTABLE function. False when the grid has no window.
    static bool registerFromTable(Mx_Spread& grid);

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void setRefStyle(short style);
    void saveToFile();
    void loadFromFile();
    void onAutoCalc();
    void readAll();
    void evaluateFromTable();
    // The text a FROMTABLE argument stands for in a lookup by headers; false for a range.
    bool argumentText(const SS_VALUE& argument, Mx_String& text);
    bool findTarget(int& col, int& row);
    void giveResult(int col, int row);

    Mode mode_;
    Mx_Spread grid_;
    SS_VALUE* result_ = nullptr;
    SS_VALUE* args_ = nullptr;
    int argCount_ = 0;
    Mx_Spread* caller_ = nullptr;
    Mx_String fileName_;
    int col_ = 0, row_ = 0;
    Mx_StringArray* columnNames_ = nullptr;
    Mx_Array<Mx_StringArray>* rows_ = nullptr;
    Mx_String title_;
    bool loaded_ = false;
};
