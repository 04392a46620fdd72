#pragma once
// CDlgStringArray: the modal dialog that edits a table of strings in a grid (resource 208), opened by
// startGridDialog. Column names become the column headers, the optional row-header strings the row
// headers, and the rows the cells. With row editing on, "Add" inserts a row below the active one and
// "Remove" deletes the active row. OK hands back every row of the grid; Cancel nothing.
//
// The dialog is resizable: the grid stretches, OK and Cancel keep to the bottom left, the row buttons
// to the bottom right; its size is kept under its dialog name.
#include "platform/mfc/CAcUiDialog.h"
#include "platform/mxbase/Mx_Array.h"
#include "platform/mxbase/Mx_String.h"
#include "platform/mxbase/Mx_StringArray.h"
#include "spread/Mx_DlgLayout.h"
#include "spread/Mx_Spread.h"

class CDlgStringArray : public CAcUiDialog {
public:
    enum : UINT { IDD = 208 };
    enum : int { IDC_ADD = 1088, IDC_REMOVE = 1089, IDC_GRID = 1196 };

    CDlgStringArray(const Mx_StringArray& columnNames, const Mx_StringArray& rowHeaders,
                    const Mx_Array<Mx_StringArray>& rows, bool editRows, const Mx_String& dialogName,
                    const Mx_String& caption, CWnd* parent = nullptr);

    // The rows as the dialog ended with OK (as given until then).
    const Mx_Array<Mx_StringArray>& rows() const { return rows_; }
    Mx_Spread& grid() { return grid_; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnDestroy() override;

private:
    void setUpGrid();

    Mx_StringArray columnNames_;
    Mx_StringArray rowHeaders_;
    Mx_Array<Mx_StringArray> rows_;
    bool editRows_;
    Mx_String dialogName_;
    Mx_String caption_;
    Mx_Spread grid_;
    Mx_DlgLayout layout_;
};

// Edits a table of strings: `rows` (one string array per row, in and out) under the column names and
// the optional row headers (otherStrings). `flag` allows adding and removing rows; `text` is the
// caption; the size is kept under `dialogName` ("DLG_SS_STRINGARRAY" when empty). True, with the rows
// replaced, when the user confirms; false, with the rows as they were, otherwise and at once when there
// are no column names.
bool startGridDialog(const Mx_StringArray& columnNames, const Mx_StringArray& otherStrings,
                     Mx_Array<Mx_StringArray>& rows, bool flag, Mx_String dialogName, Mx_String text);
