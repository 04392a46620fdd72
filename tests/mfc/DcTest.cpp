#include "platform/mfc/Dc.h"

#include <gtest/gtest.h>

#include "platform/mfc/Bitmap.h"
#include "platform/mfc/Font.h"
#include "platform/mfc/GdiBrush.h"
#include "platform/mfc/GdiColors.h"

namespace {

constexpr COLORREF white = RGB(255, 255, 255), black = 0, red = RGB(255, 0, 0), blue = RGB(0, 0, 255);

// A memory context over a fresh white bitmap.
struct Canvas {
    CBitmap bitmap;
    CDC dc;
    Canvas(int width, int height)
    {
        bitmap.CreateBitmapFrom(ui::BitmapImage(width, height, white));
        dc.CreateCompatibleDC(nullptr);
        dc.SelectObject(&bitmap);
    }
    // One character per pixel: '.' white, '#' the given colour, '?' anything else.
    std::string row(int y, COLORREF ink) const
    {
        std::string text;
        for (int x = 0; x < bitmap.image()->width(); ++x) {
            const COLORREF c = bitmap.image()->pixel(x, y);
            text += c == white ? '.' : c == ink ? '#' : '?';
        }
        return text;
    }
};

}  // namespace

TEST(Dc, RectangleOutlinesWithThePenAndFillsWithTheBrush)
{
    Canvas canvas(6, 5);
    CPen pen(PS_SOLID, 1, red);
    CBrush brush(blue);
    canvas.dc.SelectObject(&pen);
    canvas.dc.SelectObject(&brush);
    canvas.dc.Rectangle(1, 1, 5, 5);
    EXPECT_EQ(canvas.row(0, red), "......");
    EXPECT_EQ(canvas.row(1, red), ".####.");
    EXPECT_EQ(canvas.row(2, red), ".#??#.");
    EXPECT_EQ(canvas.bitmap.image()->pixel(2, 2), blue);
    EXPECT_EQ(canvas.row(4, red), ".####.");
    EXPECT_EQ(canvas.dc.calls(), (std::vector<std::wstring>{L"CreateCompatibleDC", L"Rectangle(1,1,5,5)"}));

    // With the null brush only the outline is drawn.
    canvas.dc.SelectStockObject(NULL_BRUSH);
    canvas.dc.FillSolidRect(0, 0, 6, 5, white);
    canvas.dc.Rectangle(0, 0, 3, 3);
    EXPECT_EQ(canvas.row(1, red), "#.#...");
}

TEST(Dc, LinesLeaveOutTheirEndPoint)
{
    Canvas canvas(5, 3);
    canvas.dc.MoveTo(0, 1);
    canvas.dc.LineTo(4, 1);
    EXPECT_EQ(canvas.row(1, black), "####.");
}

TEST(Dc, FillsResolveSystemColours)
{
    Canvas canvas(2, 2);
    canvas.dc.FillSolidRect(0, 0, 2, 1, ui::systemColorFlag | COLOR_BTNFACE);
    EXPECT_EQ(canvas.bitmap.image()->pixel(1, 0), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(canvas.dc.GetBkColor(), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(canvas.dc.GetPixel(5, 5), CLR_INVALID);
}

TEST(Dc, MaskAndPictureShowTheBackgroundWhereThePictureIsWhite)
{
    // The classic transparent blit: background AND mask, then OR the blackened picture.
    ui::BitmapImage picture(3, 1, white);
    picture.setPixel(1, 0, red);
    const ui::BitmapImage mask = picture.maskOf(white);

    Canvas viaBlits(3, 1);
    viaBlits.dc.FillSolidRect(0, 0, 3, 1, blue);
    viaBlits.dc.SetBkColor(white);
    CBitmap maskBitmap, pictureBitmap;
    maskBitmap.CreateBitmapFrom(mask);
    pictureBitmap.CreateBitmapFrom(picture.blackenedBy(mask));
    CDC source;
    source.CreateCompatibleDC(&viaBlits.dc);
    source.SelectObject(&maskBitmap);
    viaBlits.dc.BitBlt(0, 0, 3, 1, &source, 0, 0, SRCAND);
    source.SelectObject(&pictureBitmap);
    viaBlits.dc.BitBlt(0, 0, 3, 1, &source, 0, 0, SRCPAINT);

    Canvas direct(3, 1);
    direct.dc.FillSolidRect(0, 0, 3, 1, blue);
    direct.dc.DrawTransparent(0, 0, picture, mask);

    const std::vector<std::uint32_t> expected{blue, red, blue};
    EXPECT_EQ(viaBlits.bitmap.image()->pixels(), expected);
    EXPECT_EQ(direct.bitmap.image()->pixels(), expected);
}

TEST(Dc, ColourToMonochromeBlitMakesAMaskOfTheBackgroundColour)
{
    CBitmap colour, mono;
    ui::BitmapImage picture(2, 1, white);
    picture.setPixel(0, 0, red);
    colour.CreateBitmapFrom(picture);
    mono.CreateBitmap(2, 1, 1, 1, nullptr);
    CDC from, to;
    from.SelectObject(&colour);
    from.SetBkColor(red);
    to.SelectObject(&mono);
    to.BitBlt(0, 0, 2, 1, &from, 0, 0, SRCCOPY);
    EXPECT_EQ(mono.image()->pixels(), (std::vector<std::uint32_t>{white, black}));
}

TEST(Dc, TextBoxesAreMeasuredFromTheFontAndClipped)
{
    CFont font;
    font.CreateFont(-10, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Verdana");
    Canvas canvas(40, 14);
    canvas.dc.SelectObject(&font);
    EXPECT_EQ(canvas.dc.GetTextExtent(L"abcd"), CSize(20, 12));
    CRect measure(0, 0, 12, 0);
    canvas.dc.DrawText(L"ab cd", &measure, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(measure, CRect(0, 0, 10, 24));

    canvas.dc.SetBkMode(TRANSPARENT);
    CRect box(0, 0, 7, 12);
    canvas.dc.DrawText(L"xx", &box, DT_SINGLELINE);
    // Cells are 5 pixels wide with a 4-pixel block; the second block is clipped at the box's edge (7).
    EXPECT_EQ(canvas.row(5, black), "####.##" + std::string(33, '.'));
}
