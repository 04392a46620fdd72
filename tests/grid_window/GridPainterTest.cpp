// What the grid window draws: texts inside their cells with their alignment, spans as one cell,
// scrolling, the active cell's frame, the selection, locked colours, headers, check boxes, combos, an
// edit in progress, and a cost that follows the window's size, not the sheet's.
#include "platform/grid/window/GridPainter.h"

#include <gtest/gtest.h>

#include <cstdio>  // swscanf
#include <cwchar>  // wcscpy
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "GridTestDialog.h"
#include "platform/grid/window/GridWindow.h"
#include "platform/mfc/Dc.h"
#include "platform/mfc/GdiColors.h"
#include "platform/mfc/GoldenPicture.h"
#include "platform/mfc/TextRenderer.h"
#include "platform/mfc/WindowRenderer.h"

namespace {

constexpr COLORREF kWhite = 0xFFFFFF, kGridLine = 0xC0C0C0, kBlack = 0;

// One DrawText call of the log.
struct DrawnText {
    std::wstring text;
    RECT rect{};
    UINT format = 0;
};

std::vector<DrawnText> drawnTexts(const std::vector<std::wstring>& calls) {
    std::vector<DrawnText> out;
    for (const std::wstring& call : calls) {
        if (call.rfind(L"DrawText(\"", 0) != 0)
            continue;
        const std::size_t end = call.rfind(L"\",");
        DrawnText d;
        d.text = call.substr(10, end - 10);
        int l = 0, t = 0, r = 0, b = 0;
        unsigned format = 0;
        std::swscanf(call.c_str() + end + 2, L"%d,%d,%d,%d,%u", &l, &t, &r, &b, &format);
        d.rect = {l, t, r, b};
        d.format = format;
        out.push_back(d);
    }
    return out;
}

bool within(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// The columns where dark pixels (text, glyphs) lie inside a rectangle: [first, last], or nullopt.
std::optional<std::pair<int, int>> inkColumns(const ui::BitmapImage& image, const RECT& r) {
    int first = -1, last = -1;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            const std::uint32_t p = image.pixel(x, y);
            if ((p & 0xFF) + ((p >> 8) & 0xFF) + ((p >> 16) & 0xFF) > 3 * 100)
                continue;
            if (first < 0 || x < first)
                first = x;
            last = std::max(last, x);
        }
    if (first < 0)
        return std::nullopt;
    return std::pair{first, last};
}

class GridPainterTest : public GridWindowTest {
protected:
    RECT cell(SS_COORD col, SS_COORD row) {
        RECT r{};
        EXPECT_TRUE(SSGetCellRect(hwnd, col, row, &r)) << col << "," << row;
        return r;
    }
    ui::Painting paint() { return ui::paintWindow(hwnd); }
    grid::GridWindow& window() { return *grid::GridWindow::from(hwnd); }
    std::optional<DrawnText> drawn(const ui::Painting& p, const std::wstring& text) {
        for (const DrawnText& d : drawnTexts(p.calls))
            if (d.text == text)
                return d;
        return std::nullopt;
    }
    void setType(SS_COORD col, SS_COORD row, SS_CELLTYPE& type) {
        ASSERT_TRUE(SSSetCellType(hwnd, col, row, &type));
    }
};

TEST_F(GridPainterTest, TextsLandInsideTheirCellsWithTheirAlignment) {
    SS_CELLTYPE type;
    SSSetData(hwnd, 1, 1, L"left");
    SSSetTypeNumber(hwnd, &type, 0, 2, 0, 0, FALSE);
    setType(2, 1, type);
    SSSetFloat(hwnd, 2, 1, 7.125);
    SSSetTypeEdit(hwnd, &type, 1 /* centred */, 0);
    setType(3, 1, type);
    SSSetData(hwnd, 3, 1, L"mid");
    SSSetTypeStaticText(hwnd, &type, 2 /* right */);
    setType(4, 1, type);
    SSSetData(hwnd, 4, 1, L"R");
    ui::Painting p = paint();

    auto number = drawn(p, L"7.13");
    ASSERT_TRUE(number) << "a number cell shows its value with its type's decimals";
    EXPECT_TRUE(number->format & DT_RIGHT);
    for (SS_COORD col = 1; col <= 4; ++col) {
        const RECT r = cell(col, 1);
        const std::wstring texts[] = {L"left", L"7.13", L"mid", L"R"};
        auto d = drawn(p, texts[col - 1]);
        ASSERT_TRUE(d) << col;
        EXPECT_TRUE(within(d->rect, r)) << "the text of column " << col << " stays in its cell";
    }
    // Where the ink lands: left third, right third, middle.
    auto ink = [&](SS_COORD col) { return inkColumns(p.image, cell(col, 1)); };
    const RECT a = cell(1, 1), b = cell(2, 1), c = cell(3, 1);
    ASSERT_TRUE(ink(1) && ink(2) && ink(3) && ink(4));
    EXPECT_LT(ink(1)->first, a.left + 5);
    EXPECT_GT(ink(1)->second, a.left + 5) << "left text starts at the left edge";
    EXPECT_GT(ink(2)->second, b.right - 6) << "numbers end at the right edge";
    EXPECT_GT(ink(2)->first, b.left + (b.right - b.left) / 3);
    const int middle = (c.left + c.right) / 2, inkMiddle = (ink(3)->first + ink(3)->second) / 2;
    EXPECT_NEAR(inkMiddle, middle, 3);
    EXPECT_GT(ink(4)->first, cell(4, 1).left + (cell(4, 1).right - cell(4, 1).left) / 2);
}

TEST_F(GridPainterTest, LongTextIsClippedToItsCellUnlessTheTypeWrapsIt) {
    SSSetData(hwnd, 1, 3, L"a text far too long for one narrow cell");
    SS_CELLTYPE type;
    SSSetTypeEdit(hwnd, &type, 4 /* multi-line */, 0);
    setType(2, 2, type);
    SSSetRowHeightInPixels(hwnd, 2, 40);
    SSSetData(hwnd, 2, 2, L"wrapped words here");
    ui::Painting p = paint();
    auto clipped = drawn(p, L"a text far too long for one narrow cell");
    ASSERT_TRUE(clipped);
    EXPECT_TRUE(clipped->format & DT_SINGLELINE);
    EXPECT_TRUE(inkColumns(p.image, cell(1, 3)));
    EXPECT_FALSE(inkColumns(p.image, cell(2, 3))) << "nothing spills into the next cell";
    auto wrapped = drawn(p, L"wrapped words here");
    ASSERT_TRUE(wrapped);
    EXPECT_TRUE(wrapped->format & DT_WORDBREAK);
    EXPECT_FALSE(wrapped->format & DT_SINGLELINE);
    auto ink = inkColumns(p.image, cell(2, 2));
    ASSERT_TRUE(ink);
    EXPECT_LT(ink->second, cell(2, 2).right - 1) << "the words wrap inside the cell";
}

TEST_F(GridPainterTest, ASpanIsDrawnAsOneCell) {
    ASSERT_TRUE(SSAddCellSpan(hwnd, 2, 2, 2, 2));
    SSSetData(hwnd, 2, 2, L"spanned");
    SSSetColor(hwnd, 2, 2, RGB(255, 255, 0), kBlack);
    ui::Painting p = paint();
    const RECT first = cell(2, 2), last = cell(3, 3);
    auto d = drawn(p, L"spanned");
    ASSERT_TRUE(d);
    EXPECT_GT(d->rect.right, first.right) << "the text has the whole span's width";
    EXPECT_GT(d->rect.bottom, first.bottom);
    EXPECT_TRUE(within(d->rect, {first.left, first.top, last.right, last.bottom}));
    int count = 0;
    for (const DrawnText& t : drawnTexts(p.calls))
        count += t.text == L"spanned";
    EXPECT_EQ(count, 1);
    // No grid line crosses the span; its own lines run along its right and bottom edges.
    EXPECT_EQ(p.image.pixel(first.right - 1, first.top + 3), RGB(255, 255, 0));
    EXPECT_EQ(p.image.pixel(first.right - 3, first.bottom - 1), RGB(255, 255, 0));
    EXPECT_EQ(p.image.pixel(last.right - 1, last.top + 3), kGridLine);
    EXPECT_EQ(p.image.pixel(last.left + 3, last.bottom - 1), kGridLine);
    EXPECT_EQ(p.image.pixel(first.left - 1 + 1, first.top - 1), kGridLine) << "the row above keeps its line";

    // Scrolled so the span starts above and left of the view, what is in view is still its face.
    window().leftCol = 3;
    window().topRow = 3;
    ui::Painting scrolled = paint();
    const RECT corner = cell(3, 3);
    EXPECT_EQ(scrolled.image.pixel(corner.left + 2, corner.top + 2), RGB(255, 255, 0));
    EXPECT_EQ(scrolled.image.pixel(corner.left + 2, 2), GetSysColor(COLOR_BTNFACE))
        << "the headers stay on top";
}

TEST_F(GridPainterTest, ScrollingMovesWhatIsDrawn) {
    SSSetData(hwnd, 3, 4, L"moved");
    const RECT before = cell(3, 4);
    auto at = drawn(paint(), L"moved");
    ASSERT_TRUE(at);
    EXPECT_TRUE(within(at->rect, before));
    window().leftCol = 2;
    window().topRow = 3;
    const RECT after = cell(3, 4);
    EXPECT_EQ(after.left, before.left - (cell(3, 4).right - cell(3, 4).left)) << "one column to the left";
    ui::Painting p = paint();
    at = drawn(p, L"moved");
    ASSERT_TRUE(at);
    EXPECT_TRUE(within(at->rect, after));
    // The headers follow: the first column header in view reads B, the first row header 3.
    const RECT headerB = cell(2, 0), header3 = cell(0, 3);
    auto b = drawn(p, L"B");
    auto three = drawn(p, L"3");
    ASSERT_TRUE(b && three);
    EXPECT_TRUE(within(b->rect, headerB));
    EXPECT_TRUE(within(three->rect, header3));
    EXPECT_FALSE(drawn(p, L"A")) << "column A is scrolled out";
    EXPECT_FALSE(drawn(p, L"1"));
}

TEST_F(GridPainterTest, TheActiveCellHasAThickFrameAndTheBlockIsHighlighted) {
    SSSetActiveCell(hwnd, 2, 3);
    ui::Painting p = paint();
    RECT r = cell(2, 3);
    for (int inset : {0, 1}) {
        EXPECT_EQ(p.image.pixel(r.left - 1 + inset, r.top + 5), kBlack);
        EXPECT_EQ(p.image.pixel(r.right - 1 - inset, r.top + 5), kBlack);
        EXPECT_EQ(p.image.pixel(r.left + 5, r.top - 1 + inset), kBlack);
        EXPECT_EQ(p.image.pixel(r.left + 5, r.bottom - 1 - inset), kBlack);
    }
    EXPECT_EQ(p.image.pixel(r.left + 5, r.top + 5), kWhite);
    const RECT other = cell(3, 4);
    EXPECT_EQ(p.image.pixel(other.left, other.top + 5), kWhite) << "no frame elsewhere";

    SSSetSelectBlock(hwnd, 2, 3, 3, 4);
    SSSetSelColor(hwnd, RGB(0, 0, 128), kWhite);
    p = paint();
    EXPECT_EQ(p.image.pixel(other.left + 5, other.top + 5), RGB(0, 0, 128));
    EXPECT_EQ(p.image.pixel(r.left + 5, r.top + 5), kWhite) << "the active cell inside the block stays plain";
    const RECT outside = cell(4, 4);
    EXPECT_EQ(p.image.pixel(outside.left + 5, outside.top + 5), kWhite);
}

TEST_F(GridPainterTest, LockedCellsTakeTheLockColourUnlessTheyHaveTheirOwn) {
    SSSetLockColor(hwnd, RGB(200, 0, 0), kWhite);
    SSSetLock(hwnd, 1, 2, TRUE);
    SSSetLock(hwnd, 2, 2, TRUE);
    SSSetColor(hwnd, 2, 2, RGB(0, 200, 0), kBlack);
    SSSetActiveCell(hwnd, 4, 6);
    ui::Painting p = paint();
    EXPECT_EQ(p.image.pixel(cell(1, 2).left + 4, cell(1, 2).top + 4), RGB(200, 0, 0));
    EXPECT_EQ(p.image.pixel(cell(2, 2).left + 4, cell(2, 2).top + 4), RGB(0, 200, 0));
    EXPECT_EQ(p.image.pixel(cell(3, 2).left + 4, cell(3, 2).top + 4), kWhite);
}

TEST_F(GridPainterTest, HiddenHeadersTakeNoSpace) {
    SSSetData(hwnd, 1, 1, L"first");
    ui::Painting shown = paint();
    EXPECT_TRUE(drawn(shown, L"A") && drawn(shown, L"1"));
    SSSetBool(hwnd, SSB_COLHEADERS, FALSE);
    SSSetBool(hwnd, SSB_ROWHEADERS, FALSE);
    EXPECT_EQ(cell(1, 1).left, 0);
    EXPECT_EQ(cell(1, 1).top, 0);
    ui::Painting hidden = paint();
    EXPECT_FALSE(drawn(hidden, L"A"));
    EXPECT_FALSE(drawn(hidden, L"1"));
    auto first = drawn(hidden, L"first");
    ASSERT_TRUE(first);
    EXPECT_TRUE(within(first->rect, cell(1, 1)));
    EXPECT_EQ(hidden.image.pixel(0, 0), kBlack) << "the active cell's frame is at the window's corner";
}

TEST_F(GridPainterTest, HeadersShowTheSheetsTextsAndSpans) {
    SSSetData(hwnd, 2, SS_HEADER, L"Bolts");
    SSSetData(hwnd, 0, 2, L"Two");
    ASSERT_TRUE(SSAddCellSpan(hwnd, 3, SS_HEADER, 2, 1));
    SSSetData(hwnd, 3, SS_HEADER, L"Both");
    SSSetMaxCols(hwnd, 30);
    ui::Painting p = paint();
    EXPECT_FALSE(drawn(p, L"B"));
    ASSERT_TRUE(drawn(p, L"Bolts"));
    EXPECT_TRUE(within(drawn(p, L"Bolts")->rect, cell(2, 0)));
    ASSERT_TRUE(drawn(p, L"Two"));
    auto both = drawn(p, L"Both");
    ASSERT_TRUE(both);
    EXPECT_GT(both->rect.right, cell(3, 0).right) << "a header span is one header";
    EXPECT_FALSE(drawn(p, L"D"));
    EXPECT_TRUE(drawn(p, L"E"));
    // Letters go on past Z.
    window().leftCol = 26;
    p = paint();
    EXPECT_TRUE(drawn(p, L"Z"));
    EXPECT_TRUE(drawn(p, L"AA"));
}

TEST_F(GridPainterTest, TheGreyAreaLiesPastTheLastCell) {
    SSSetGrayAreaColor(hwnd, RGB(90, 90, 90), kBlack);
    ui::Painting p = paint();
    const RECT last = cell(4, 6);
    EXPECT_EQ(p.image.pixel(last.right + 2, 2), RGB(90, 90, 90));
    EXPECT_EQ(p.image.pixel(last.right + 2, last.bottom - 3), RGB(90, 90, 90));
    EXPECT_EQ(p.image.pixel(3, last.bottom + 2), RGB(90, 90, 90));
    EXPECT_EQ(p.image.pixel(last.right - 4, last.bottom - 4), kWhite);
}

TEST_F(GridPainterTest, ACheckBoxCellShowsItsState) {
    SS_CELLTYPE type;
    SSSetTypeCheckBox(hwnd, &type, 0, L"", nullptr, nullptr);
    setType(2, 2, type);
    setType(3, 2, type);
    SSSetData(hwnd, 2, 2, L"1");
    SSSetData(hwnd, 3, 2, L"0");
    SSSetActiveCell(hwnd, 1, 6);
    ui::Painting p = paint();
    auto boxOf = [&](SS_COORD col) {
        // The 13 x 13 box centred in the cell; inside it the tick, if any.
        const RECT r = cell(col, 2);
        const int left = r.left + (r.right - 1 - r.left - 13) / 2,
                  top = r.top + (r.bottom - 1 - r.top - 13) / 2;
        return RECT{left + 2, top + 2, left + 11, top + 11};
    };
    EXPECT_TRUE(inkColumns(p.image, boxOf(2))) << "checked: a tick";
    EXPECT_FALSE(inkColumns(p.image, boxOf(3))) << "unchecked: empty";
    user.click(3, 2);
    p = paint();
    EXPECT_TRUE(inkColumns(p.image, boxOf(3))) << "a click ticks it";
}

TEST_F(GridPainterTest, ComboCellsShowTheirTextADropButtonAndTheDroppedList) {
    SS_CELLTYPE type;
    SSSetTypeComboBox(hwnd, &type, 0, L"alpha\tbeta\tgamma");
    setType(2, 2, type);
    SSSetData(hwnd, 2, 2, L"beta");
    ui::Painting p = paint();
    const RECT r = cell(2, 2);
    auto text = drawn(p, L"beta");
    ASSERT_TRUE(text);
    EXPECT_LE(text->rect.right, r.right - grid::GridWindow::kDropButtonWidth)
        << "the text leaves the button free";
    EXPECT_NE(p.image.pixel(r.right - 9, r.top + 4), kWhite) << "the drop button's face";
    EXPECT_FALSE(drawn(p, L"alpha"));

    SSSetActiveCell(hwnd, 2, 2);
    ASSERT_TRUE(window().dropCombo(hwnd, false));
    window().combo.highlight = 2;
    p = paint();
    auto alpha = drawn(p, L"alpha");
    auto gamma = drawn(p, L"gamma");
    ASSERT_TRUE(alpha && gamma);
    EXPECT_GE(alpha->rect.top, r.bottom - 1) << "the list drops below the cell";
    EXPECT_GT(gamma->rect.top, alpha->rect.top);
    EXPECT_EQ(p.image.pixel(gamma->rect.left, gamma->rect.top + 1), GetSysColor(COLOR_HIGHLIGHT));
}

TEST_F(GridPainterTest, AnEditInProgressShowsTheEditedTextAndItsSelection) {
    SSSetData(hwnd, 2, 2, L"old");
    SSSetColor(hwnd, 2, 2, RGB(0, 200, 0), kBlack);
    ASSERT_TRUE(SSSetActiveCell(hwnd, 2, 2));
    ASSERT_TRUE(SSSetEditMode(hwnd, TRUE));
    ASSERT_TRUE(SSSetSel(hwnd, 0, -1));
    for (wchar_t c : std::wstring(L"new text"))
        ui::sendMessage(hwnd, WM_CHAR, c, 0);
    ui::Painting p = paint();
    EXPECT_FALSE(drawn(p, L"old"));
    auto edited = drawn(p, L"new text");
    ASSERT_TRUE(edited);
    const RECT r = cell(2, 2);
    EXPECT_TRUE(within(edited->rect, r));
    EXPECT_EQ(p.image.pixel(r.right - 4, r.top + 3), kWhite) << "an edit shows on the window colour";

    ASSERT_TRUE(SSSetSel(hwnd, 0, 3));
    p = paint();
    EXPECT_TRUE(drawn(p, L"new")) << "the selected part is drawn again over the highlight";
    auto highlighted = [&](int left, int right) {
        int count = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = left; x < right; ++x)
                count += p.image.pixel(x, y) == GetSysColor(COLOR_HIGHLIGHT);
        return count;
    };
    const int middle = (r.left + r.right) / 2;
    EXPECT_GT(highlighted(r.left, middle), 20) << "the first three letters are highlighted";
    EXPECT_EQ(highlighted(middle, r.right), 0);
}

TEST_F(GridPainterTest, PaintingAndClicksAgreeOnSpans) {
    ASSERT_TRUE(SSAddCellSpan(hwnd, 1, 2, 3, 1));
    SS_CELLTYPE type;
    SSSetTypeComboBox(hwnd, &type, 0, L"x\ty");
    setType(1, 2, type);
    ui::Painting p = paint();
    // The drop button is drawn at the span's right edge, and a click there drops the list.
    const RECT spanEnd = cell(3, 2);
    EXPECT_NE(p.image.pixel(spanEnd.right - 9, spanEnd.top + 4), kWhite);
    EXPECT_EQ(p.image.pixel(cell(1, 2).right - 9, spanEnd.top + 4), kWhite) << "not at the anchor's own edge";
    ui::setFocus(hwnd);
    const LPARAM at = MAKELPARAM(spanEnd.right - 5, spanEnd.top + 4);
    ui::sendMessage(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ui::sendMessage(hwnd, WM_LBUTTONUP, 0, at);
    EXPECT_TRUE(window().combo.dropped);
}

TEST_F(GridPainterTest, PictureAndButtonCells) {
    const COLORREF red = RGB(255, 0, 0);
    auto makeRed = [&] { return ui::gdi::addBitmap(std::make_shared<ui::BitmapImage>(8, 6, red)); };
    SS_CELLTYPE type;
    SSSetTypePictureHandle(hwnd, &type, 0, makeRed(), TRUE);
    setType(1, 2, type);
    SSSetTypePictureHandle(hwnd, &type, 0x40 /* stretched */, makeRed(), TRUE);
    setType(2, 2, type);
    SSSetTypeButton(hwnd, &type, 0, L"Go");
    setType(3, 2, type);
    SSSetActiveCell(hwnd, 4, 6);
    ui::Painting p = paint();
    const RECT centred = cell(1, 2), stretched = cell(2, 2);
    const int cx = (centred.left + centred.right - 1) / 2, cy = (centred.top + centred.bottom - 1) / 2;
    EXPECT_EQ(p.image.pixel(cx, cy), red);
    EXPECT_EQ(p.image.pixel(cx - 4, cy - 3), red) << "the picture's top-left, centred";
    EXPECT_EQ(p.image.pixel(cx - 5, cy), kWhite) << "at its own size";
    EXPECT_EQ(p.image.pixel(stretched.left + 1, stretched.top + 1), red);
    EXPECT_EQ(p.image.pixel(stretched.right - 2, stretched.bottom - 2), red);
    auto caption = drawn(p, L"Go");
    ASSERT_TRUE(caption);
    EXPECT_TRUE(within(caption->rect, cell(3, 2)));
    EXPECT_EQ(p.image.pixel(cell(3, 2).left + 3, cell(3, 2).top + 3), GetSysColor(COLOR_BTNFACE))
        << "a button face";
}

// A sheet of a million rows paints the cells in view and no more: as many texts as a small sheet.
TEST_F(GridPainterTest, AMillionRowSheetPaintsOnlyWhatIsInView) {
    ASSERT_TRUE(SSSetMaxRows(hwnd, 40));
    for (SS_COORD row = 1; row <= 40; ++row)
        for (SS_COORD col = 1; col <= 4; ++col)
            SSSetData(hwnd, col, row, L"v");
    const std::size_t small = drawnTexts(paint().calls).size();
    ASSERT_TRUE(SSSetMaxRows(hwnd, 1'000'000));
    SSSetData(hwnd, 2, 1'000'000, L"last");
    const std::size_t large = drawnTexts(paint().calls).size();
    EXPECT_EQ(large, small);
    const RECT client = ui::windowFromHandle(hwnd)->clientRect();
    EXPECT_LT(small, std::size_t((client.bottom / 10 + 1) * 5)) << "only the rows the window holds";

    ASSERT_TRUE(SSShowCell(hwnd, 2, 1'000'000));
    ui::Painting end = paint();
    EXPECT_TRUE(drawn(end, L"1000000"));
    auto last = drawn(end, L"last");
    ASSERT_TRUE(last);
    EXPECT_TRUE(within(last->rect, cell(2, 1'000'000)));
    EXPECT_LE(drawnTexts(end.calls).size(), small) << "no more cost at the far end";
}

// The picture: a small grid with headers, a span, alignments, fonts and colours, a check box and a
// combo cell, the active cell and a selected block.
TEST_F(GridPainterTest, GoldenPicture) {
    if (!ui::TextRenderer::instance().hasRealFonts())
        GTEST_SKIP() << "no render module";
    SSSetMaxCols(hwnd, 5);
    SSSetMaxRows(hwnd, 8);
    SSSetColWidthInPixels(hwnd, 0, 28);
    for (SS_COORD col = 1; col <= 5; ++col)
        SSSetColWidthInPixels(hwnd, col, col == 1 ? 76 : 60);
    SS_CELLTYPE type;
    SSSetData(hwnd, 1, 1, L"Plate");
    SSSetTypeNumber(hwnd, &type, 0, 2, 0, 0, FALSE);
    SSSetCellTypeRange(hwnd, 2, 1, 2, 4, &type);
    SSSetFloat(hwnd, 2, 1, 12.5);
    SSSetFloat(hwnd, 2, 2, 1234.567);
    SSSetTypeEdit(hwnd, &type, 1, 0);
    setType(3, 1, type);
    SSSetData(hwnd, 3, 1, L"centred");
    LOGFONT bold{};
    bold.lfHeight = 13;
    bold.lfWeight = 700;
    std::wcscpy(bold.lfFaceName, L"Arial");
    HFONT boldFont = ui::gdi::addFont(bold);
    SSSetFont(hwnd, 1, 1, boldFont, FALSE);
    LOGFONT italic = bold;
    italic.lfWeight = 400;
    italic.lfItalic = 1;
    HFONT italicFont = ui::gdi::addFont(italic);
    SSSetFont(hwnd, 3, 1, italicFont, FALSE);
    SSSetColor(hwnd, 1, 2, RGB(255, 255, 204), RGB(160, 0, 0));
    SSSetData(hwnd, 1, 2, L"coloured");
    ASSERT_TRUE(SSAddCellSpan(hwnd, 1, 3, 2, 2));
    SSSetData(hwnd, 1, 3, L"a span of four");
    SSSetTypeCheckBox(hwnd, &type, 0, L"", nullptr, nullptr);
    setType(4, 1, type);
    setType(4, 2, type);
    SSSetData(hwnd, 4, 1, L"1");
    SSSetTypeComboBox(hwnd, &type, 0, L"M16\tM20\tM24");
    setType(5, 1, type);
    SSSetData(hwnd, 5, 1, L"M20");
    SSSetLock(hwnd, 5, 2, TRUE);
    SSSetData(hwnd, 5, 2, L"locked");
    SSSetData(hwnd, 2, SS_HEADER, L"Size");
    SSSetActiveCell(hwnd, 3, 3);
    SSSetSelectBlock(hwnd, 3, 3, 4, 5);
    // The grid alone: the dialog's other controls are not what this picture is about.
    ui::expectMatchesGolden(ui::renderWindow(hwnd), "grid_window");
    ui::gdi::deleteObject(boldFont);
    ui::gdi::deleteObject(italicFont);
}

}  // namespace
