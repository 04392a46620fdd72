#pragma once
// Mx_Spread: the system's spreadsheet window. A grid window (TSpread) with what every dialog of the
// system needs on top of the raw grid functions: creation in place of a dialog placeholder, the house
// style, typed reading and writing of cells, rows and columns, cell types with the system's look,
// locking, spans, fonts, column width policies, row and column editing with format copying, search
// and replace, a configurable context menu, Tab-key navigation out of the grid and a check link.
//
// Cells are (column, row) from 1; SS_HEADER (-32767) is the header row or column. Every operation on a
// window that was not created returns false (size queries -1) and does nothing. Structural edits set
// the grid's changed flag (switch 30); plain cell writes leave it alone.
//
// Integer, double and boolean sequences travel as std::vector: the core library's Mx_Array owns a
// heap object per element, which a 100,000-row column transfer should not pay for.
#include <memory>
#include <vector>

#include "platform/mxbase/Mx_String.h"
#include "platform/mxbase/Mx_StringArray.h"
#include "spread/TSpread.h"

class dynMenu;

class Mx_Spread : public TSpread {
public:
    // Cell text kinds for the reading operations.
    enum TextKind : int { kData = 0, kFormula = 1, kTag = 2, kValue = 3 };

    // Context menu item kinds, in the order given to setContextMenu.
    enum MenuKind : int {
        kMenuSeparator = 1,
        kMenuCopy = 2,
        kMenuPaste = 3,
        kMenuInsertRow = 4,
        kMenuDeleteRow = 5,
        kMenuInsertCol = 6,
        kMenuDeleteCol = 7,
        kMenuCheckAll = 8,
        kMenuUncheckAll = 9,
    };

    // Where the find/replace dialog plugs in: F3 and F5 create it through the factory on the first
    // press (and show it), and ask it for the next match or replacement on later presses. The window
    // owns it and destroys it with itself.
    class FindReplace {
    public:
        virtual ~FindReplace() = default;
        virtual void findNext() = 0;
        virtual void replaceNext() = 0;
    };
    using FindReplaceFactory = std::unique_ptr<FindReplace> (*)(Mx_Spread& grid, bool replace);
    // One factory for the process, the find/replace dialog (CDlgFindReplace) unless set; null disables F3/F5.
    static void setFindReplaceFactory(FindReplaceFactory factory);

    // Hook for the header prompt of insertRow / insertCol: returns the header text for a row
    // (isRow) or a column. The default runs the prompt dialog (promptGridHeader); null restores it.
    using HeaderPrompt = Mx_String (*)(CWnd* owner, bool isRow);
    static void setHeaderPrompt(HeaderPrompt prompt);

    // What the header options dialog edits: counts, header sizes in pixels and the header texts.
    struct HeaderSettings {
        int cols = 0, rows = 0;
        int headerRowHeight = 0, headerColWidth = 0;
        Mx_StringArray colHeaders, rowHeaders;
    };
    // Where the header options dialog plugs in: edits the settings, true on OK. Null disables editHeaders.
    using HeaderEditor = bool (*)(CWnd* owner, HeaderSettings& settings);
    static void setHeaderEditor(HeaderEditor editor);

    Mx_Spread();
    ~Mx_Spread() override;

    bool isCreated() const { return created_; }
    int controlId() const { return controlId_; }

    // ---- Creation and style
    bool createFromDlgItem(CWnd* dialog, int controlId, bool keepPlace);
    bool initDefaults(int enterMode);
    // Modes 0..5 with the parameters of the policy (see onResized); other modes are refused.
    bool setResizeMode(int mode, int a, int b);
    bool setResizeMode(int mode, const std::vector<int>& ids, const std::vector<int>& widths);
    int resizeMode() const { return resizeMode_; }
    bool onResized();
    bool fitColumnsToWidth(bool fixedFirst, int fixedWidth);

    const Mx_String& fontFace() const { return fontFace_; }
    void setFontFace(const Mx_String& face) { fontFace_ = face; }
    int fontSize() const { return fontSize_; }
    void setFontSize(int size) { fontSize_ = size; }
    bool setFontRange(int col1, int row1, int col2, int row2, const Mx_String& face, int size, bool bold,
                      bool withTextTip);
    bool boldRow(int row, bool withHeader);
    bool boldCol(int col, bool withHeader);
    bool resetFonts(bool withTextTip);
    bool applyHeaderFonts();
    // The window with the keyboard focus is a grid.
    static bool isSpreadWindow();

    // ---- Size
    int getMaxRows();
    int getMaxCols();
    bool setMaxRows(int rows, bool copyLastRow);
    bool setMaxCols(int cols, bool copyLastCol);

    // ---- Cell types
    bool setEditCells(int col1, int row1, int col2, int row2, long style, int maxLength);
    bool setTextCells(int col1, int row1, int col2, int row2);
    bool setTextCell(int col, int row);
    bool setNumberCells(int col1, int row1, int col2, int row2, int decimals, bool flag);
    bool setNumberCell(int col, int row, int decimals, bool flag);
    bool setStaticTextCell(int col, int row, long style);
    bool setStaticTextColumn(int col, long style);
    bool setComboCells(int col1, int row1, int col2, int row2, const Mx_StringArray& items, bool flag);
    bool setComboCell(int col, int row, const Mx_StringArray& items, bool flag);
    bool setComboColumn(int col, const Mx_StringArray& items, bool flag);
    bool setCheckBoxColumn(int col, bool withBorder, bool spanHeader);
    bool setCheckBoxCell(int col, int row, bool withBorder);
    bool setButtonColumn(int col, const Mx_String& caption, bool spanHeader);
    bool setButtonCell(int col, int row, const Mx_String& caption);
    bool setPictureCell(int col, int row, int resourceId, bool isIcon);
    bool addPictureRow(const Mx_String& imageFile, int col, int row, int& addedRows);
    // The grid's type code of the cell; -1 when it cannot be read.
    int getCellType(int col, int row);

    // ---- Reading and writing
    bool getCellText(int col, int row, Mx_String& text, int kind = kValue);
    bool setCellText(int col, int row, const Mx_String& text, bool asValue = false);
    bool setCellInt(int col, int row, int value);
    bool setCellDouble(int col, int row, double value);
    bool getCellInt(int col, int row, int& value);
    bool getCellDouble(int col, int row, double& value);

    bool setColumnTexts(int col, const Mx_StringArray& texts, bool asValue);
    bool setColumnInts(int col, const std::vector<int>& values);
    bool setColumnDoubles(int col, const std::vector<double>& values);
    bool setColumnBools(int col, const std::vector<bool>& values);
    bool setColumnRowNumbers(int col, const std::vector<int>& rows);
    bool setRowTexts(int row, const Mx_StringArray& texts, bool asValue);
    bool getColumnTexts(int col, Mx_StringArray& texts, int kind = kValue);
    bool getColumnInts(int col, std::vector<int>& values);
    bool getColumnDoubles(int col, std::vector<double>& values);
    bool getColumnBools(int col, std::vector<bool>& values);
    bool getRowTexts(int row, Mx_StringArray& texts);
    bool getAllRows(std::vector<Mx_StringArray>& rows);
    bool clearRow(int row);
    bool clearRows(int from, int to);
    bool fillColumnPairs(const Mx_StringArray& names, const std::vector<bool>& flags, int row);

    // ---- Locking, spans, selection
    bool setLock(int col, int row, bool locked);
    bool lockColumn(int col);
    bool isLocked(int col, int row);
    bool mergeEqualCells(int col);
    bool unmergeCell(int col, int row);
    bool unmergeColumn(int col);
    bool unmergeAll();
    bool getActiveCell(int& col, int& row);
    bool getSelection(int& col1, int& row1, int& col2, int& row2);
    int selectedCol();  // -1 when not created
    int selectedRow();
    bool selectBlock(int col1, int row1, int col2, int row2);
    bool selectColumn(int col);
    bool getEditSelection(int& start, int& end);

    // ---- Rows and columns
    bool insertRow(int row, bool askHeader, bool copyFormat);
    bool insertCol(int col, bool askHeader, bool copyFormat);
    int appendRow(bool copyFormat);  // the new row, -1 on failure
    bool insertRowAfterSelection(bool copyFormat);
    bool deleteRow(int row);
    bool deleteCol(int col);
    bool deleteSelectedRow();
    bool swapRows(int rowA, int rowB);
    bool moveSelectedRowUp();
    bool moveSelectedRowDown();
    bool copyRow(int from, int to);
    bool copyCol(int from, int to);
    bool setCheckInSelection(bool checked);
    bool insertRowBelowActive();
    bool deleteActiveRow();
    // Opens the header options dialog on the sheet's headers; on OK applies counts, sizes and texts and
    // sets the changed flag. False when cancelled or when no dialog is plugged in.
    bool editHeaders();
    bool linkCheckToCell(int checkCol, int dependentCol);
    int checkColumn() const { return checkCol_; }
    int dependentColumn() const { return dependentCol_; }

    // ---- Automatic sizing
    bool autoSizeColumn(int col, bool skipType8);
    bool autoSizeRow(int row);
    bool autoSizeColumns(bool skipType8);
    bool autoSizeRows();
    bool autoSizeAll();
    bool stretchColumn(int col);
    int totalColumnWidth();  // pixels; -1 when not created

    // ---- Search
    bool findInRow(const Mx_String& text, bool partial, int row, int startCol, int& col);
    bool findNext(const Mx_String& text, int startCol, int startRow, int& col, int& row);
    bool findNextExact(const Mx_String& text, int startCol, int startRow, int& col, int& row);
    bool findInCellAndSelect(const Mx_String& text, int col, int row, int startPos);
    bool replaceInCell(int col, int row, const Mx_String& find, const Mx_String& replace);

    // ---- Tab handling (Mx_TabMsgHandle values in result)
    bool handleTabKey(UINT key, int& result);
    bool focusFirstUnlocked(bool forward);

    // ---- Context menu and keyboard
    bool setContextMenu(const std::vector<int>& kinds);
    const std::vector<int>& contextMenuKinds() const { return menuKinds_; }
    bool f8Enabled() const { return f8Enabled_; }
    void setF8Enabled(bool enabled) { f8Enabled_ = enabled; }
    FindReplace* findReplace() const { return findReplace_.get(); }

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    // The context menu's command ids, in the order the non-separator items take them.
    static constexpr int kMenuCommandIds[10] = {32811, 32812, 32816, 32817, 32818, 32800, 32801, 32802, 32803, 32804};

private:
    struct CellPos {
        int col = 0, row = 0;
    };
    bool validCol(int col);        // 1..max columns
    bool validRow(int row);        // 1..max rows
    bool validRowOrHeader(int row);  // 0..max rows or SS_HEADER
    bool validColOrHeader(int col);  // 0..max columns or SS_HEADER
    Mx_String promptHeader(bool isRow);
    void onCheckCommand(bool buttonUp);
    static int toGridIndex(int index) { return index == 0 ? SS_HEADER : index; }
    bool readText(int col, int row, int kind, Mx_String& text);
    bool writeText(int col, int row, const Mx_String& text, bool asValue);
    void setChanged() { SetBool(SSB_CHANGEMADE, TRUE); }
    HFONT makeFont(const Mx_String& face, int size, bool bold);
    bool applyFont(int col1, int row1, int col2, int row2, const Mx_String& face, int size, bool bold,
                   bool withTextTip);
    HBITMAP checkedPicture();
    HBITMAP uncheckedPicture();
    bool checkBoxType(SS_CELLTYPE& type);
    bool enterable(int col, int row, CellPos& reported);
    bool findEnterable(bool first, CellPos& pos);
    bool findFrom(const Mx_String& text, bool partial, int startCol, int startRow, int& col, int& row);
    void applyCheckLink(int row);
    void showContextMenu(POINT clientPoint);
    void runMenuCommand(int kind);
    bool fitWidths(int available, int count, const std::vector<int>& fixedCols, const std::vector<int>& fixedWidths);

    bool created_ = false;
    int controlId_ = 0;
    Mx_String fontFace_ = L"Tahoma";
    int fontSize_ = 15;
    int resizeMode_ = 0;
    int resizeA_ = 0;
    int resizeB_ = 0;
    std::vector<int> resizeIds_;
    std::vector<int> resizeWidths_;
    HBITMAP checked_ = nullptr;
    HBITMAP unchecked_ = nullptr;
    std::unique_ptr<dynMenu> menu_;
    std::vector<int> menuKinds_;
    std::vector<int> menuCommandKinds_;  // the kind behind each command id of the menu last shown
    std::unique_ptr<FindReplace> findReplace_;
    bool f8Enabled_ = true;
    int checkCol_ = -1;
    int dependentCol_ = -1;
};
