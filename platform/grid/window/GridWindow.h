#pragma once
// The grid window "fpUSpread70": a window procedure that holds an engine sheet and what a user does
// with it — the active cell, a selected block, edit mode with its text selection, a dropped combo
// list, scrolling — and tells the parent through the messages of GridMessages.h.
//
// The C functions (SSFunctions.h) and the input handlers share the operations below; the ones that
// take `notify` send the user-action notifications when it is set (input) and stay silent when not
// (programmatic calls). Every notification may run arbitrary parent code, even destroy the grid, so
// the operations check that the window is still alive after each one and stop when it is not.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>  // pair
#include <vector>

#include "platform/grid/CellRange.h"
#include "platform/grid/Sheet.h"
#include "platform/grid/window/GridMessages.h"
#include "platform/mfc/BitmapImage.h"
#include "platform/mfc/GdiObjects.h"  // LOGFONT
#include "platform/mfc/Window.h"

namespace grid {

class GridWindow final : public ui::WindowProcedure {
public:
    GridWindow();
    ~GridWindow() override;

    // The grid behind a handle; null when the handle is not a live grid window.
    static GridWindow* from(HWND hwnd);
    // Registers the class (idempotent).
    static void registerClass();

    Sheet sheet;

    // ---- State a user changes --------------------------------------------------------------------
    struct Edit {
        bool on = false;
        std::wstring text;      // what the edit shows
        std::wstring original;  // the cell's text when the edit began
        int selStart = 0, selEnd = 0;
        bool byUser = false;    // the user typed or started it: ending it notifies
    };
    struct Combo {
        bool dropped = false;
        int highlight = -1;
    };
    struct ActionKey {
        bool shift = false, ctrl = false;
        WORD key = 0;
    };

    SS_COORD activeCol = 1, activeRow = 1;
    std::optional<CellRange> block;  // normalised to data coordinates
    Edit edit;
    Combo combo;
    SS_COORD leftCol = 1, topRow = 1;  // the first scrollable column and row in view
    SS_COORD sendingCol = 0, sendingRow = 0;
    ActionKey actionKeys[3] = {{false, false, VK_DELETE}, {false, false, VK_F2}, {false, false, VK_F4}};
    LOGFONT tipFont{};

    // ---- Shared operations ---------------------------------------------------------------------------
    // Inside 1..max columns x 1..max rows.
    bool isDataCell(SS_COORD col, SS_COORD row) const;
    // The anchor of the span containing the cell, or the cell itself.
    std::pair<SS_COORD, SS_COORD> anchorOf(SS_COORD col, SS_COORD row) const;
    bool isLockedCell(SS_COORD col, SS_COORD row) const;
    // The user may type into the cell.
    bool isEditable(SS_COORD col, SS_COORD row) const;
    // The user may press the button / toggle the check box / choose a combo item of the cell.
    bool isActionable(SS_COORD col, SS_COORD row) const;

    // Moves the active cell (to the anchor when inside a span): commits an edit in progress, clears
    // the block, scrolls into view. With notify: SSM_LEAVECELL when it moved, and in permanent edit
    // mode the new cell's edit begins. False when the window went away or the cell is not a data cell.
    bool moveActive(HWND hwnd, SS_COORD col, SS_COORD row, bool notify);
    // Starts editing the active cell; `replaceWith` replaces the text (a typed character), otherwise
    // the caret goes to the end.
    bool beginEdit(HWND hwnd, bool notify, std::optional<std::wstring> replaceWith = std::nullopt);
    // Ends the edit: commit stores the text (as a value) when it changed. An edit the user took part in
    // notifies SSM_DATACHANGE (when changed) and SSM_EDITMODEOFF. False when the window went away.
    bool endEdit(HWND hwnd, bool commit);
    bool dropCombo(HWND hwnd, bool notify);
    bool closeCombo(HWND hwnd, bool notify);
    // Chooses item `index` of the active combo cell as the user does: data, SSM_COMBOSELCHANGE,
    // SSM_DATACHANGE, and the list closes (SSM_COMBOCLOSEUP).
    bool chooseComboItem(HWND hwnd, int index);
    // Presses a button or check box cell: SSN_BUTTONDOWN, (toggle, SSM_DATACHANGE), SSN_BUTTONUP.
    bool buttonDown(HWND hwnd, SS_COORD col, SS_COORD row);
    bool buttonUp(HWND hwnd, SS_COORD col, SS_COORD row);
    // The selected block, or the active cell.
    CellRange selection() const;
    std::vector<std::wstring> comboItems(SS_COORD col, SS_COORD row) const;

    // Clipboard: the selection as tab-separated value texts; pasting at the selection's top-left.
    bool copyToClipboard() const;
    bool pasteFromClipboard(HWND hwnd, bool notify);

    // ---- Geometry (client coordinates) ---------------------------------------------------------------
    int headerWidth() const;   // 0 when the header column is hidden
    int headerHeight() const;  // 0 when the header row is hidden
    // One cell's rectangle (headers 0), as GridLayout lays the window out; nullopt out of view.
    std::optional<RECT> cellRect(HWND hwnd, SS_COORD col, SS_COORD row) const;
    // What the cell is drawn as: its span's rectangle when it lies in one, else its own.
    std::optional<RECT> cellBox(HWND hwnd, SS_COORD col, SS_COORD row) const;
    // The cell under a point: (col, row) with 0 for the headers; nullopt over the grey area.
    std::optional<std::pair<SS_COORD, SS_COORD>> hitTest(HWND hwnd, POINT at) const;
    void showCell(HWND hwnd, SS_COORD col, SS_COORD row);
    // The drop button of a combo cell: the right part of the cell, this many pixels wide.
    static constexpr int kDropButtonWidth = 16;

    // Notifies the parent about a cell; false when the window is gone afterwards.
    bool notify(HWND hwnd, UINT message, SS_NOTIFYINFO info);
    bool command(HWND hwnd, WORD code, SS_COORD col, SS_COORD row);

    // Font handles SSGetFont hands out, one per distinct font, deleted with the window.
    HFONT fontHandle(const CellFont& font);
    // The cell whose button or check box the left button holds down.
    std::optional<std::pair<SS_COORD, SS_COORD>> pressedButton() const;
    // The picture a cell type names: a bitmap handle written as a number, a bitmap resource or a BMP
    // file (read once per window); null when there is none.
    std::shared_ptr<const ui::BitmapImage> picture(std::wstring_view name);
    // Bitmaps given to SSSetTypePictureHandle with deleteHandle, and the ones read from files.
    std::vector<HBITMAP> ownedPictures;
    std::vector<std::pair<WORD, HCURSOR>> cursors;

    // ---- WindowProcedure ---------------------------------------------------------------------------
    LRESULT handle(ui::Window& window, UINT message, WPARAM wParam, LPARAM lParam) override;
    std::vector<std::wstring> items(const ui::Window&) const override;
    int selection(const ui::Window&) const override;
    std::wstring describe(const ui::Window&) const override;

private:
    void onKeyDown(HWND hwnd, UINT key);
    void onEditKey(HWND hwnd, UINT key);
    void onComboKey(HWND hwnd, UINT key);
    void onChar(HWND hwnd, wchar_t ch);
    void onButtonDown(HWND hwnd, POINT at, bool doubleClick);
    void onButtonUp(HWND hwnd, POINT at);
    void onMouseMove(HWND hwnd, POINT at);
    void onRightButton(HWND hwnd, POINT at);
    // Moves by the Enter action, Tab (next / previous unlocked cell) or arrows.
    void moveBy(HWND hwnd, UINT key, bool extend);
    void applyEnterAction(HWND hwnd);
    std::optional<std::pair<SS_COORD, SS_COORD>> nextCell(SS_COORD col, SS_COORD row, bool forward,
                                                          bool skipLocked) const;
    void extendBlock(HWND hwnd, SS_COORD col, SS_COORD row, bool notify);
    void clearSelectionData(HWND hwnd);
    bool actionKeyMatches(WORD action, UINT key) const;

    struct Press {
        SS_COORD col = 0, row = 0;
        bool button = false;  // a button or check box cell went down
        bool dragged = false;
    };
    std::optional<Press> press_;
    std::vector<std::pair<CellFont, HFONT>> fonts_;
    std::vector<std::pair<std::wstring, std::shared_ptr<const ui::BitmapImage>>> pictures_;
    bool ending_ = false;  // endEdit in progress (focus changes during its notifications)
};

}  // namespace grid
