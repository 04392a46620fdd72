#pragma once
// CDlgFindReplace: the modeless find/replace tool of every grid (resource 218). The grid makes it on the
// first F3 or F5 and keeps it: later presses find the next match (F3) or replace it (F5). Closing the
// dialog destroys its window; the next F3 or F5 opens it again.
//
// Searches are partial and case-sensitive, over the cells' shown texts, row by row from the active
// cell. At the end of the sheet the user is asked whether to go on from the start. Replacing never
// touches a cell that holds a formula: its shown text is computed, and writing it back would turn the
// formula into a constant.
#include "platform/mfc/CAcUiDialog.h"
#include "platform/mxbase/Mx_String.h"
#include "spread/Mx_Spread.h"

class CDlgFindReplace : public CAcUiDialog, public Mx_Spread::FindReplace {
public:
    enum : UINT { IDD = 218 };
    enum : int {
        IDC_FIND_LABEL = 1206,
        IDC_FIND = 1207,
        IDC_REPLACE_LABEL = 1208,
        IDC_REPLACE = 1209,
        IDC_REPLACE_ONE = 1204,
        IDC_REPLACE_ALL = 1205,
    };

    explicit CDlgFindReplace(Mx_Spread& grid);
    ~CDlgFindReplace() override;

    // Creates and shows the window (again, after it was closed). False when it cannot be created.
    bool open();

    // Finds the next match and selects it in its cell; false when there is none (after the wrap
    // question, when askWrap).
    bool onFindNext(bool askWrap);
    // Finds the next match and replaces it; false when nothing was replaced.
    bool onReplace(bool askWrap);
    // Replaces every match in the sheet and tells how many cells changed; gives that count.
    int onReplaceAll();

    // Mx_Spread::FindReplace: F3 and F5 in the grid.
    void findNext() override;
    void replaceNext() override;

    // The grid's factory (Mx_Spread::setFindReplaceFactory).
    static std::unique_ptr<Mx_Spread::FindReplace> create(Mx_Spread& grid, bool replace);

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    void OnOK() override;
    void OnCancel() override;

private:
    Mx_String dialogText(int id) const;
    // Finds from (col, row) onward and selects the match; false when there is none.
    bool findFrom(const Mx_String& text, int col, int row);
    bool holdsFormula(int col, int row);
    void close();

    Mx_Spread& grid_;
    HWND gridWindow_ = nullptr;
    bool switch13WasOn_ = false;
};
