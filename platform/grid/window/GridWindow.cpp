#include "platform/grid/window/GridWindow.h"

#include <algorithm>
#include <memory>

#include "platform/grid/window/GridLayout.h"
#include "platform/grid/window/GridPainter.h"
#include "platform/mfc/Bitmap.h"
#include "platform/mfc/CWnd.h"
#include "platform/mfc/Dc.h"
#include "platform/mfc/MessageLoop.h"
#include "platform/mfc/WindowClass.h"

namespace grid {

namespace {

// A live handle still served by the same procedure: notifications may destroy the grid.
bool alive(HWND hwnd, const GridWindow* self) { return GridWindow::from(hwnd) == self; }

bool shiftDown() { return ui::isKeyDown(VK_SHIFT); }
bool ctrlDown() { return ui::isKeyDown(VK_CONTROL); }

// Every program that uses the grid links this file (each SS function goes through from()), so the
// class is there before the first grid window is created.
const bool registered = (GridWindow::registerClass(), true);

bool isButtonKind(CellTypeCode code) { return code == CellTypeCode::Button || code == CellTypeCode::CheckBox; }

}  // namespace

GridWindow::GridWindow() {
    tipFont.lfHeight = 13;
    tipFont.lfWeight = 400;
    const wchar_t face[] = L"Arial";
    std::copy(std::begin(face), std::end(face), tipFont.lfFaceName);
}

namespace {
// The grid found last: the SS functions name the same grid hundreds of times in a row. The window owns
// its procedure, so the grid's destructor is where the entry goes stale.
struct LastFound {
    HWND hwnd = nullptr;
    ui::Window* window = nullptr;
    GridWindow* grid = nullptr;
} lastFound;
}  // namespace

GridWindow::~GridWindow() {
    if (lastFound.grid == this) lastFound = {};
    for (auto& [font, handle] : fonts_) ui::gdi::deleteObject(handle);
    for (HBITMAP picture : ownedPictures) ui::gdi::deleteObject(picture);
}

GridWindow* GridWindow::from(HWND hwnd) {
    if (hwnd && hwnd == lastFound.hwnd) return lastFound.window->destroying ? nullptr : lastFound.grid;
    ui::Window* w = ui::windowFromHandle(hwnd);
    if (!w || w->destroying) return nullptr;
    auto* grid = dynamic_cast<GridWindow*>(w->procedure.get());
    if (grid) lastFound = {hwnd, w, grid};
    return grid;
}

void GridWindow::registerClass() {
    (void)registered;
    if (const ui::WindowClass* c = ui::findWindowClass(SS_CLASSNAME); c && c->makeProcedure) return;
    ui::registerWindowClass({SS_CLASSNAME, [] { return std::make_unique<GridWindow>(); }, nullptr});
}

// ---- Cells ------------------------------------------------------------------------------------------

bool GridWindow::isDataCell(SS_COORD col, SS_COORD row) const {
    return col >= 1 && row >= 1 && col <= sheet.maxCols() && row <= sheet.maxRows();
}

std::pair<SS_COORD, SS_COORD> GridWindow::anchorOf(SS_COORD col, SS_COORD row) const {
    if (auto span = sheet.spanAt(col, row)) return {span->col1, span->row1};
    return {col, row};
}

bool GridWindow::isLockedCell(SS_COORD col, SS_COORD row) const {
    auto [c, r] = anchorOf(col, row);
    return sheet.isLocked(c, r);
}

bool GridWindow::isEditable(SS_COORD col, SS_COORD row) const {
    if (!isDataCell(col, row) || isLockedCell(col, row)) return false;
    if (sheet.look().operationMode == SS_OPMODE_READONLY) return false;
    switch (sheet.cellType(col, row).code) {
    case CellTypeCode::Edit:
    case CellTypeCode::Date:
    case CellTypeCode::Time:
    case CellTypeCode::Integer:
    case CellTypeCode::Number:
    case CellTypeCode::Currency:
    case CellTypeCode::Percent:
        return true;
    default:
        return false;
    }
}

bool GridWindow::isActionable(SS_COORD col, SS_COORD row) const {
    if (!isDataCell(col, row) || isLockedCell(col, row)) return false;
    return sheet.look().operationMode != SS_OPMODE_READONLY;
}

CellRange GridWindow::selection() const { return block ? *block : CellRange::cell(activeCol, activeRow); }

std::vector<std::wstring> GridWindow::comboItems(SS_COORD col, SS_COORD row) const {
    std::vector<std::wstring> out;
    CellType type = sheet.cellType(col, row);
    if (type.code != CellTypeCode::ComboBox || type.items.empty()) return out;
    std::wstring_view rest = type.items;
    while (true) {
        std::size_t tab = rest.find(L'\t');
        out.emplace_back(rest.substr(0, tab));
        if (tab == std::wstring_view::npos) break;
        rest.remove_prefix(tab + 1);
    }
    return out;
}

// ---- Notifications ---------------------------------------------------------------------------------

bool GridWindow::notify(HWND hwnd, UINT message, SS_NOTIFYINFO info) {
    ui::Window* w = ui::windowFromHandle(hwnd);
    if (!w) return false;
    sendingCol = info.Col;
    sendingRow = info.Row;
    ui::Window* parent = w->parent ? w->parent : w->owner;
    if (parent && !parent->destroying)
        ui::sendMessage(parent->handle, message, static_cast<WPARAM>(w->id), reinterpret_cast<LPARAM>(&info));
    return alive(hwnd, this);
}

bool GridWindow::command(HWND hwnd, WORD code, SS_COORD col, SS_COORD row) {
    ui::Window* w = ui::windowFromHandle(hwnd);
    if (!w) return false;
    sendingCol = col;
    sendingRow = row;
    ui::notifyParent(*w, code);
    return alive(hwnd, this);
}

// ---- Active cell, edit, combo ------------------------------------------------------------------------

bool GridWindow::moveActive(HWND hwnd, SS_COORD col, SS_COORD row, bool notifyUser) {
    if (!isDataCell(col, row)) return false;
    std::tie(col, row) = anchorOf(col, row);
    if (combo.dropped && !closeCombo(hwnd, notifyUser)) return false;
    if (edit.on && !endEdit(hwnd, true)) return false;
    SS_COORD oldCol = activeCol, oldRow = activeRow;
    activeCol = col;
    activeRow = row;
    block.reset();
    showCell(hwnd, col, row);
    if (!notifyUser) return true;
    if ((oldCol != col || oldRow != row) &&
        !notify(hwnd, SSM_LEAVECELL, {.Col = oldCol, .Row = oldRow, .NewCol = col, .NewRow = row}))
        return false;
    if (sheet.getBool(SSB_EDITMODEPERMANENT) && !edit.on && isEditable(activeCol, activeRow)) {
        if (!beginEdit(hwnd, true)) return false;
        edit.selStart = 0;  // a permanent edit arrives with its text selected, ready to be typed over
    }
    return true;
}

bool GridWindow::beginEdit(HWND hwnd, bool notifyUser, std::optional<std::wstring> replaceWith) {
    if (edit.on) {
        if (replaceWith) {
            edit.text = *replaceWith;
            edit.selStart = edit.selEnd = static_cast<int>(edit.text.size());
        }
        return true;
    }
    if (!isEditable(activeCol, activeRow)) return false;
    edit = {};
    edit.on = true;
    edit.original = sheet.valueText(activeCol, activeRow);
    edit.text = replaceWith ? *replaceWith : edit.original;
    edit.selStart = edit.selEnd = static_cast<int>(edit.text.size());
    edit.byUser = notifyUser;
    if (notifyUser) return notify(hwnd, SSM_EDITMODEON, {.Col = activeCol, .Row = activeRow});
    return true;
}

bool GridWindow::endEdit(HWND hwnd, bool commit) {
    if (!edit.on || ending_) return true;
    ending_ = true;
    Edit ended = std::move(edit);
    edit = {};
    bool changed = commit && ended.text != ended.original;
    if (changed) changed = sheet.setValue(activeCol, activeRow, ended.text);
    bool ok = true;
    if (ended.byUser) {
        if (changed) ok = notify(hwnd, SSM_DATACHANGE, {.Col = activeCol, .Row = activeRow});
        if (ok) ok = notify(hwnd, SSM_EDITMODEOFF, {.Col = activeCol, .Row = activeRow, .Changed = changed});
    }
    if (ok) ending_ = false;
    return ok;
}

bool GridWindow::dropCombo(HWND hwnd, bool notifyUser) {
    if (combo.dropped) return true;
    if (sheet.cellType(activeCol, activeRow).code != CellTypeCode::ComboBox || !isActionable(activeCol, activeRow))
        return false;
    std::vector<std::wstring> list = comboItems(activeCol, activeRow);
    std::wstring current = sheet.valueText(activeCol, activeRow);
    auto it = std::find(list.begin(), list.end(), current);
    combo.dropped = true;
    combo.highlight = it == list.end() ? -1 : static_cast<int>(it - list.begin());
    if (notifyUser) return notify(hwnd, SSM_COMBODROPDOWN, {.Col = activeCol, .Row = activeRow});
    return true;
}

bool GridWindow::closeCombo(HWND hwnd, bool notifyUser) {
    if (!combo.dropped) return true;
    combo = {};
    if (notifyUser) return notify(hwnd, SSM_COMBOCLOSEUP, {.Col = activeCol, .Row = activeRow});
    return true;
}

bool GridWindow::chooseComboItem(HWND hwnd, int index) {
    std::vector<std::wstring> list = comboItems(activeCol, activeRow);
    if (index < 0 || index >= static_cast<int>(list.size()) || !isActionable(activeCol, activeRow)) return false;
    if (!combo.dropped && !dropCombo(hwnd, true)) return false;
    SS_COORD col = activeCol, row = activeRow;
    bool changed = sheet.valueText(col, row) != list[static_cast<std::size_t>(index)];
    sheet.setData(col, row, list[static_cast<std::size_t>(index)]);
    combo.highlight = index;
    if (!notify(hwnd, SSM_COMBOSELCHANGE, {.Col = col, .Row = row, .Index = index})) return false;
    if (changed && !notify(hwnd, SSM_DATACHANGE, {.Col = col, .Row = row})) return false;
    return closeCombo(hwnd, true);
}

bool GridWindow::buttonDown(HWND hwnd, SS_COORD col, SS_COORD row) {
    return command(hwnd, SSN_BUTTONDOWN, col, row);
}

bool GridWindow::buttonUp(HWND hwnd, SS_COORD col, SS_COORD row) {
    if (sheet.cellType(col, row).code == CellTypeCode::CheckBox) {
        bool checked = sheet.valueText(col, row) == L"1";
        sheet.setData(col, row, checked ? L"0" : L"1");
        if (!notify(hwnd, SSM_DATACHANGE, {.Col = col, .Row = row})) return false;
    }
    return command(hwnd, SSN_BUTTONUP, col, row);
}

// ---- Geometry -----------------------------------------------------------------------------------------

int GridWindow::headerWidth() const { return sheet.getBool(SSB_ROWHEADERS) ? sheet.colWidthInPixels(0) : 0; }
int GridWindow::headerHeight() const { return sheet.getBool(SSB_COLHEADERS) ? sheet.rowHeightInPixels(0) : 0; }

std::optional<RECT> GridWindow::cellRect(HWND hwnd, SS_COORD col, SS_COORD row) const {
    ui::Window* w = ui::windowFromHandle(hwnd);
    if (!w)
        return std::nullopt;
    if (col == SS_HEADER) col = 0;
    if (row == SS_HEADER) row = 0;
    if (col < 0 || row < 0 || col > sheet.maxCols() || row > sheet.maxRows()) return std::nullopt;
    return GridLayout(*this, w->clientRect()).cellRect(col, row);
}

std::optional<RECT> GridWindow::cellBox(HWND hwnd, SS_COORD col, SS_COORD row) const {
    ui::Window* w = ui::windowFromHandle(hwnd);
    if (!w || col < 0 || row < 0 || col > sheet.maxCols() || row > sheet.maxRows())
        return std::nullopt;
    return GridLayout(*this, w->clientRect()).cellBox(col, row);
}

std::optional<std::pair<SS_COORD, SS_COORD>> GridWindow::hitTest(HWND hwnd, POINT at) const {
    ui::Window* w = ui::windowFromHandle(hwnd);
    if (!w)
        return std::nullopt;
    return GridLayout(*this, w->clientRect()).hitTest(at);
}

void GridWindow::showCell(HWND hwnd, SS_COORD col, SS_COORD row) {
    ui::Window* w = ui::windowFromHandle(hwnd);
    if (!w) return;
    RECT client = w->clientRect();
    auto fitFirst = [](SS_COORD target, SS_COORD first, int room, auto size) {
        if (target < 1) return first;
        if (target < first) return target;
        // The first line that still lets the target end inside the room (or the target itself),
        // found backwards from the target so a jump to a far row costs the room, not the distance.
        SS_COORD start = target;
        int used = size(target);
        while (start > first && used + size(start - 1) <= room)
            used += size(--start);
        return start;
    };
    leftCol = fitFirst(col, leftCol, client.right - headerWidth(), [this](SS_COORD c) { return sheet.colWidthInPixels(c); });
    topRow = fitFirst(row, topRow, client.bottom - headerHeight(), [this](SS_COORD r) { return sheet.rowHeightInPixels(r); });
}

std::optional<std::pair<SS_COORD, SS_COORD>> GridWindow::pressedButton() const {
    if (!press_ || !press_->button)
        return std::nullopt;
    return std::pair{press_->col, press_->row};
}

std::shared_ptr<const ui::BitmapImage> GridWindow::picture(std::wstring_view name) {
    if (name.empty())
        return nullptr;
    // A number is a bitmap handle (asked for each time: its owner may delete it).
    if (name.size() < 20 &&
        std::all_of(name.begin(), name.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; }))
        return ui::gdi::bitmap(reinterpret_cast<HBITMAP>(std::stoull(std::wstring(name))));
    for (auto& [known, image] : pictures_)
        if (known == name)
            return image;
    std::wstring key(name);
    std::shared_ptr<const ui::BitmapImage> image = ui::gdi::findBitmapResource(key);
    if (!image) {
        if (HBITMAP file = ui::gdi::loadBitmapFile(key)) {
            image = ui::gdi::bitmap(file);
            ownedPictures.push_back(file);
        }
    }
    pictures_.emplace_back(std::move(key), image);  // a missing picture is remembered too
    return image;
}

HFONT GridWindow::fontHandle(const CellFont& font) {
    for (auto& [f, handle] : fonts_)
        if (f == font) return handle;
    LOGFONT lf;
    lf.lfHeight = font.height;
    lf.lfWeight = font.weight;
    lf.lfItalic = font.italic;
    lf.lfUnderline = font.underline;
    lf.lfStrikeOut = font.strikeOut;
    std::size_t n = std::min<std::size_t>(font.face.size(), 31);
    std::copy_n(font.face.begin(), n, lf.lfFaceName);
    lf.lfFaceName[n] = 0;
    HFONT handle = ui::gdi::addFont(lf);
    fonts_.emplace_back(font, handle);
    return handle;
}

// ---- Window procedure ------------------------------------------------------------------------------------

LRESULT GridWindow::handle(ui::Window& window, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND hwnd = window.handle;
    POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
    case WM_GETDLGCODE: {
        LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
        if (sheet.getBool(SSB_PROCESSTAB)) code |= DLGC_WANTTAB;
        // Return and Escape belong to the grid only while they have something to end here; otherwise
        // the dialog's default and cancel buttons answer them.
        if (const MSG* msg = reinterpret_cast<const MSG*>(lParam); msg && msg->message == WM_KEYDOWN) {
            bool busy = edit.on || combo.dropped;
            if ((msg->wParam == VK_RETURN && (busy || sheet.getBool(SSB_PROCESSRETURN))) ||
                (msg->wParam == VK_ESCAPE && busy))
                code |= DLGC_WANTALLKEYS;
        }
        return code;
    }
    case WM_ERASEBKGND:
        return TRUE;  // painting covers the whole client area
    case WM_PAINT: {
        CPaintDC dc(CWnd::FromHandle(hwnd));
        GridPainter(*this, GridLayout(*this, window.clientRect()), dc).paint();
        return 0;
    }
    case WM_KEYDOWN:
        onKeyDown(hwnd, static_cast<UINT>(wParam));
        return 0;
    case WM_CHAR:
        onChar(hwnd, static_cast<wchar_t>(wParam));
        return 0;
    case WM_LBUTTONDOWN:
        onButtonDown(hwnd, at, false);
        return 0;
    case WM_LBUTTONDBLCLK:
        onButtonDown(hwnd, at, true);
        return 0;
    case WM_LBUTTONUP:
        onButtonUp(hwnd, at);
        return 0;
    case WM_MOUSEMOVE:
        onMouseMove(hwnd, at);
        return 0;
    case WM_RBUTTONDOWN:
        onRightButton(hwnd, at);
        return 0;
    case WM_KILLFOCUS:
        // Leaving the grid ends what was going on in it, as a click elsewhere would.
        if (combo.dropped && !closeCombo(hwnd, true)) return 0;
        endEdit(hwnd, true);
        return 0;
    default:
        return ui::WindowProcedure::handle(window, message, wParam, lParam);
    }
}

std::vector<std::wstring> GridWindow::items(const ui::Window&) const { return comboItems(activeCol, activeRow); }

int GridWindow::selection(const ui::Window&) const { return combo.dropped ? combo.highlight : -1; }

std::wstring GridWindow::describe(const ui::Window&) const {
    std::wstring out = std::to_wstring(sheet.maxCols()) + L"x" + std::to_wstring(sheet.maxRows()) + L" active=(" +
                       std::to_wstring(activeCol) + L"," + std::to_wstring(activeRow) + L")";
    if (block)
        out += L" block=(" + std::to_wstring(block->col1) + L"," + std::to_wstring(block->row1) + L")-(" +
               std::to_wstring(block->col2) + L"," + std::to_wstring(block->row2) + L")";
    if (edit.on) out += L" editing \"" + edit.text + L"\"";
    if (combo.dropped) out += L" dropped";
    return out;
}

// ---- Mouse ---------------------------------------------------------------------------------------------

void GridWindow::onButtonDown(HWND hwnd, POINT at, bool doubleClick) {
    if (ui::focusWindow() != hwnd) {
        ui::setFocus(hwnd);
        if (!alive(hwnd, this)) return;
    }
    auto hit = hitTest(hwnd, at);
    if (!hit) return;
    auto [col, row] = *hit;
    press_.reset();
    if (col == 0 || row == 0) {
        // A header selects its whole column or row (the corner: everything).
        if (!endEdit(hwnd, true)) return;
        CellRange r{col == 0 ? 1 : col, row == 0 ? 1 : row, col == 0 ? sheet.maxCols() : col,
                    row == 0 ? sheet.maxRows() : row};
        if (r.col2 < 1 || r.row2 < 1) return;
        if (!moveActive(hwnd, r.col1, r.row1, true)) return;
        block = r;
        notify(hwnd, SSM_BLOCKSELECTED, {.Col = r.col1, .Row = r.row1, .Col2 = r.col2, .Row2 = r.row2});
        return;
    }
    if (shiftDown() && !doubleClick) {
        extendBlock(hwnd, col, row, true);
        return;
    }
    auto [anchorCol, anchorRow] = anchorOf(col, row);
    bool sameCell = anchorCol == activeCol && anchorRow == activeRow;
    if (!(sameCell && edit.on) && !moveActive(hwnd, col, row, true)) return;
    CellTypeCode code = sheet.cellType(activeCol, activeRow).code;
    press_ = Press{activeCol, activeRow, false, false};
    ui::setCapture(hwnd);
    if (isButtonKind(code) && isActionable(activeCol, activeRow)) {
        press_->button = true;
        buttonDown(hwnd, activeCol, activeRow);
        return;
    }
    if (doubleClick) {
        press_.reset();  // the release that ends a double click is not another click
        if (!notify(hwnd, SSM_DBLCLK, {.Col = activeCol, .Row = activeRow})) return;
        beginEdit(hwnd, true);
        return;
    }
    if (code == CellTypeCode::ComboBox) {
        auto rect = cellBox(hwnd, activeCol, activeRow);
        if (rect && at.x >= rect->right - kDropButtonWidth) {
            if (combo.dropped) closeCombo(hwnd, true);
            else dropCombo(hwnd, true);
        }
    }
}

void GridWindow::onMouseMove(HWND hwnd, POINT at) {
    if (!press_ || press_->button) return;  // press_ lives from button down to button up
    auto hit = hitTest(hwnd, at);
    if (!hit || hit->first < 1 || hit->second < 1) return;
    if (hit->first == press_->col && hit->second == press_->row && !press_->dragged) return;
    press_->dragged = true;
    extendBlock(hwnd, hit->first, hit->second, false);
}

void GridWindow::onButtonUp(HWND hwnd, POINT at) {
    if (ui::captureWindow() == hwnd) ui::setCapture(nullptr);
    if (!press_) return;
    Press p = *press_;
    press_.reset();
    auto hit = hitTest(hwnd, at);
    bool overPressed = hit && anchorOf(hit->first, hit->second) == std::pair{p.col, p.row};
    if (p.button) {
        // Released elsewhere: a button that was pressed and let go outside does nothing.
        if (overPressed && !buttonUp(hwnd, p.col, p.row)) return;
    } else if (p.dragged) {
        CellRange b = selection();
        notify(hwnd, SSM_BLOCKSELECTED, {.Col = b.col1, .Row = b.row1, .Col2 = b.col2, .Row2 = b.row2});
        return;
    }
    if (overPressed) notify(hwnd, SSM_CLICK, {.Col = p.col, .Row = p.row});
}

void GridWindow::onRightButton(HWND hwnd, POINT at) {
    if (ui::focusWindow() != hwnd) {
        ui::setFocus(hwnd);
        if (!alive(hwnd, this)) return;
    }
    auto hit = hitTest(hwnd, at);
    if (!hit || hit->first < 1 || hit->second < 1) return;
    auto [col, row] = anchorOf(hit->first, hit->second);
    // A right click inside the selection keeps it, so a context menu acts on the whole block.
    if (!selection().contains(col, row) && !moveActive(hwnd, col, row, true)) return;
    if (combo.dropped && !closeCombo(hwnd, true)) return;
    notify(hwnd, SSM_RIGHTCLICK, {.Col = col, .Row = row});
}

void GridWindow::extendBlock(HWND hwnd, SS_COORD col, SS_COORD row, bool notifyUser) {
    col = std::clamp(col, 1, std::max(1, sheet.maxCols()));
    row = std::clamp(row, 1, std::max(1, sheet.maxRows()));
    if (!isDataCell(activeCol, activeRow)) return;
    if (edit.on && !endEdit(hwnd, true)) return;
    block = CellRange{std::min(activeCol, col), std::min(activeRow, row), std::max(activeCol, col),
                      std::max(activeRow, row)};
    showCell(hwnd, col, row);
    if (notifyUser)
        notify(hwnd, SSM_BLOCKSELECTED,
               {.Col = block->col1, .Row = block->row1, .Col2 = block->col2, .Row2 = block->row2});
}

// ---- Keyboard ------------------------------------------------------------------------------------------

bool GridWindow::actionKeyMatches(WORD action, UINT key) const {
    const ActionKey& a = actionKeys[action];
    return a.key != 0 && a.key == key && a.shift == shiftDown() && a.ctrl == ctrlDown();
}

void GridWindow::onKeyDown(HWND hwnd, UINT key) {
    if (combo.dropped) {
        onComboKey(hwnd, key);
        return;
    }
    if (edit.on) {
        onEditKey(hwnd, key);
        return;
    }
    if (!isDataCell(activeCol, activeRow)) return;
    if (actionKeyMatches(SS_KBA_CLEAR, key)) {
        clearSelectionData(hwnd);
        return;
    }
    if (actionKeyMatches(SS_KBA_CURRENT, key)) {
        beginEdit(hwnd, true);
        return;
    }
    if (actionKeyMatches(SS_KBA_POPUP, key) || (key == VK_DOWN && ui::isKeyDown(VK_MENU))) {
        dropCombo(hwnd, true);
        return;
    }
    if (ctrlDown() && (key == 'C' || key == VK_INSERT)) {
        copyToClipboard();
        return;
    }
    if (ctrlDown() && key == 'V') {
        pasteFromClipboard(hwnd, true);
        return;
    }
    switch (key) {
    case VK_SPACE:
        if (isButtonKind(sheet.cellType(activeCol, activeRow).code) && isActionable(activeCol, activeRow)) {
            SS_COORD col = activeCol, row = activeRow;
            if (buttonDown(hwnd, col, row)) buttonUp(hwnd, col, row);
        }
        return;
    case VK_RETURN:
        if (sheet.getBool(SSB_PROCESSRETURN)) applyEnterAction(hwnd);
        return;
    case VK_TAB:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
        moveBy(hwnd, key, shiftDown() && key != VK_TAB);
        return;
    default:
        return;
    }
}

void GridWindow::onEditKey(HWND hwnd, UINT key) {
    int size = static_cast<int>(edit.text.size());
    auto caretTo = [&](int pos) {
        pos = std::clamp(pos, 0, size);
        if (shiftDown()) edit.selEnd = pos;
        else edit.selStart = edit.selEnd = pos;
    };
    switch (key) {
    case VK_LEFT:
        if (!shiftDown() && edit.selStart != edit.selEnd) caretTo(std::min(edit.selStart, edit.selEnd));
        else caretTo(edit.selEnd - 1);
        return;
    case VK_RIGHT:
        if (!shiftDown() && edit.selStart != edit.selEnd) caretTo(std::max(edit.selStart, edit.selEnd));
        else caretTo(edit.selEnd + 1);
        return;
    case VK_HOME:
        caretTo(0);
        return;
    case VK_END:
        caretTo(size);
        return;
    case VK_DELETE: {
        int a = std::min(edit.selStart, edit.selEnd), b = std::max(edit.selStart, edit.selEnd);
        if (a == b && b < size) ++b;
        edit.text.erase(static_cast<std::size_t>(a), static_cast<std::size_t>(b - a));
        edit.selStart = edit.selEnd = a;
        return;
    }
    case VK_ESCAPE:
        endEdit(hwnd, false);
        return;
    case VK_RETURN:
        if (endEdit(hwnd, true)) applyEnterAction(hwnd);
        return;
    case VK_TAB:
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
        if (endEdit(hwnd, true)) moveBy(hwnd, key, false);
        return;
    default:
        return;
    }
}

void GridWindow::onComboKey(HWND hwnd, UINT key) {
    int count = static_cast<int>(comboItems(activeCol, activeRow).size());
    switch (key) {
    case VK_UP:
        combo.highlight = std::max(0, combo.highlight - 1);
        return;
    case VK_DOWN:
        combo.highlight = std::min(count - 1, combo.highlight + 1);
        return;
    case VK_HOME:
        combo.highlight = count > 0 ? 0 : -1;
        return;
    case VK_END:
        combo.highlight = count - 1;
        return;
    case VK_RETURN:
        if (combo.highlight >= 0) chooseComboItem(hwnd, combo.highlight);
        else closeCombo(hwnd, true);
        return;
    case VK_ESCAPE:
    case VK_F4:
        closeCombo(hwnd, true);
        return;
    case VK_TAB:
        if (closeCombo(hwnd, true)) onKeyDown(hwnd, key);
        return;
    default:
        return;
    }
}

void GridWindow::onChar(HWND hwnd, wchar_t ch) {
    if (combo.dropped) return;
    if (!edit.on) {
        // Typing over a cell replaces its content, as in every spreadsheet.
        if (ch < 0x20 || ch == 0x7F) return;
        if (sheet.cellType(activeCol, activeRow).code == CellTypeCode::CheckBox) return;
        beginEdit(hwnd, true, std::wstring(1, ch));
        return;
    }
    int a = std::min(edit.selStart, edit.selEnd), b = std::max(edit.selStart, edit.selEnd);
    if (ch == L'\b') {
        if (a == b && a > 0) --a;
        edit.text.erase(static_cast<std::size_t>(a), static_cast<std::size_t>(b - a));
        edit.selStart = edit.selEnd = a;
        return;
    }
    if (ch < 0x20 || ch == 0x7F) return;
    std::int32_t limit = sheet.cellType(activeCol, activeRow).maxLength;
    if (limit > 0 && static_cast<std::int32_t>(edit.text.size()) - (b - a) >= limit) return;
    edit.text.replace(static_cast<std::size_t>(a), static_cast<std::size_t>(b - a), 1, ch);
    edit.selStart = edit.selEnd = a + 1;
}

void GridWindow::clearSelectionData(HWND hwnd) {
    CellRange r = selection();
    std::vector<std::pair<SS_COORD, SS_COORD>> cleared;
    for (SS_COORD row = r.row1; row <= r.row2; ++row)
        for (SS_COORD col = r.col1; col <= r.col2; ++col) {
            if (!isEditable(col, row) || (sheet.dataText(col, row).empty() && !sheet.hasFormula(col, row))) continue;
            if (sheet.clearData(col, row)) cleared.emplace_back(col, row);
        }
    for (auto [col, row] : cleared)
        if (!notify(hwnd, SSM_DATACHANGE, {.Col = col, .Row = row})) return;
}

std::optional<std::pair<SS_COORD, SS_COORD>> GridWindow::nextCell(SS_COORD col, SS_COORD row, bool forward,
                                                                  bool skipLocked) const {
    SS_COORD cols = sheet.maxCols(), rows = sheet.maxRows();
    auto from = anchorOf(col, row);
    while (true) {
        if (forward) {
            if (++col > cols) {
                col = 1;
                if (++row > rows) return std::nullopt;
            }
        } else {
            if (--col < 1) {
                col = cols;
                if (--row < 1) return std::nullopt;
            }
        }
        auto anchor = anchorOf(col, row);
        if (anchor != std::pair{col, row} || anchor == from) continue;  // inside a span: its anchor counts
        if (skipLocked && isLockedCell(col, row)) continue;
        return anchor;
    }
}

void GridWindow::moveBy(HWND hwnd, UINT key, bool extend) {
    SS_COORD cols = sheet.maxCols(), rows = sheet.maxRows();
    if (cols < 1 || rows < 1) return;
    // Extending moves the far corner of the block; otherwise the active cell moves.
    SS_COORD col = activeCol, row = activeRow;
    if (extend && block) {
        col = block->col1 == activeCol ? block->col2 : block->col1;
        row = block->row1 == activeRow ? block->row2 : block->row1;
    }
    auto span = sheet.spanAt(col, row);
    int page = 10;
    if (ui::Window* w = ui::windowFromHandle(hwnd)) {
        int rowHeight = std::max(1, sheet.rowHeightInPixels(std::max(1, row)));
        page = std::max(1, (w->clientRect().bottom - headerHeight()) / rowHeight);
    }
    switch (key) {
    case VK_TAB: {
        if (!sheet.getBool(SSB_PROCESSTAB)) return;
        auto next = nextCell(activeCol, activeRow, !shiftDown(), true);
        if (next) moveActive(hwnd, next->first, next->second, true);
        return;
    }
    case VK_LEFT: col = (span && !extend ? span->col1 : col) - 1; break;
    case VK_RIGHT: col = (span && !extend ? span->col2 : col) + 1; break;
    case VK_UP: row = (span && !extend ? span->row1 : row) - 1; break;
    case VK_DOWN: row = (span && !extend ? span->row2 : row) + 1; break;
    case VK_HOME:
        col = 1;
        if (ctrlDown()) row = 1;
        break;
    case VK_END:
        col = cols;
        if (ctrlDown()) row = rows;
        break;
    case VK_PRIOR: row -= page; break;
    case VK_NEXT: row += page; break;
    default: return;
    }
    col = std::clamp(col, 1, cols);
    row = std::clamp(row, 1, rows);
    if (extend) extendBlock(hwnd, col, row, true);
    else moveActive(hwnd, col, row, true);
}

void GridWindow::applyEnterAction(HWND hwnd) {
    SS_COORD col = activeCol, row = activeRow;
    switch (sheet.look().editEnterAction) {
    case SS_ENTERACTION_UP: --row; break;
    case SS_ENTERACTION_DOWN: ++row; break;
    case SS_ENTERACTION_LEFT: --col; break;
    case SS_ENTERACTION_RIGHT: ++col; break;
    case SS_ENTERACTION_NEXT:
    case SS_ENTERACTION_PREVIOUS: {
        auto next = nextCell(col, row, sheet.look().editEnterAction == SS_ENTERACTION_NEXT, false);
        if (!next) return;
        std::tie(col, row) = *next;
        break;
    }
    case SS_ENTERACTION_NEXTROW:
        col = 1;
        ++row;
        break;
    default:
        return;
    }
    if (isDataCell(col, row)) moveActive(hwnd, col, row, true);
}

}  // namespace grid
