#include "platform/mfc/Dc.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/mfc/Bitmap.h"
#include "platform/mfc/Font.h"
#include "platform/mfc/GdiBrush.h"
#include "platform/mfc/GdiColors.h"
#include "platform/mfc/TextRenderer.h"

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

TEST(Dc, TextIsMeasuredWithTheRealFont)
{
    ASSERT_TRUE(ui::TextRenderer::instance().hasRealFonts()) << "the render module must load in tests";
    CFont normal, bold;
    normal.CreateFont(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
    bold.CreateFont(-11, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
    Canvas canvas(40, 14);
    canvas.dc.SelectObject(&normal);
    const CSize iiii = canvas.dc.GetTextExtent(L"iiii"), wwww = canvas.dc.GetTextExtent(L"WWWW");
    EXPECT_LT(iiii.cx * 2, wwww.cx) << "proportional glyphs, not fixed cells";
    EXPECT_EQ(canvas.dc.GetTextExtent(L"ab").cx + canvas.dc.GetTextExtent(L"cd").cx,
              canvas.dc.GetTextExtent(L"abcd").cx) << "laid out without kerning, as GDI does";
    EXPECT_GE(iiii.cy, 12);
    EXPECT_LE(iiii.cy, 15);
    const CSize twoLines = canvas.dc.GetTextExtent(L"ab\r\nabcdef");
    EXPECT_EQ(twoLines, CSize(canvas.dc.GetTextExtent(L"abcdef").cx, 2 * iiii.cy));
    canvas.dc.SelectObject(&bold);
    const int boldWidth = canvas.dc.GetTextExtent(L"abcd").cx;
    canvas.dc.SelectObject(&normal);
    EXPECT_GT(boldWidth, canvas.dc.GetTextExtent(L"abcd").cx);
}

TEST(Dc, DrawTextBreaksWordsAddsEllipsesAndHidesPrefixes)
{
    Canvas canvas(200, 40);
    const int ab = canvas.dc.GetTextExtent(L"ab").cx, cd = canvas.dc.GetTextExtent(L"cd").cx;
    const int line = canvas.dc.GetTextExtent(L"x").cy;
    CRect measure(0, 0, canvas.dc.GetTextExtent(L"ab c").cx, 0);
    canvas.dc.DrawText(L"ab cd", &measure, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(measure, CRect(0, 0, std::max(ab, cd), 2 * line));
    // A word wider than the box stays whole on its line.
    CRect narrow(0, 0, 3, 0);
    canvas.dc.DrawText(L"abcdef gh", &narrow, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(narrow.Width(), canvas.dc.GetTextExtent(L"abcdef").cx);
    EXPECT_EQ(narrow.Height(), 2 * line);
    // Mnemonic marks are not drawn; "&&" is one ampersand; DT_NOPREFIX draws them all.
    CRect prefixed(0, 0, 200, 0), plain(0, 0, 200, 0), raw(0, 0, 200, 0), doubled(0, 0, 200, 0);
    canvas.dc.DrawText(L"&File", &prefixed, DT_CALCRECT | DT_SINGLELINE);
    canvas.dc.DrawText(L"File", &plain, DT_CALCRECT | DT_SINGLELINE);
    canvas.dc.DrawText(L"&File", &raw, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    canvas.dc.DrawText(L"A&&B", &doubled, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(prefixed.Width(), plain.Width());
    EXPECT_GT(raw.Width(), plain.Width());
    EXPECT_EQ(doubled.Width(), canvas.dc.GetTextExtent(L"A&B").cx);
    // An ellipsis keeps the text inside its box.
    CRect shortened(0, 0, canvas.dc.GetTextExtent(L"abcdefgh").cx - 2, 0);
    canvas.dc.DrawText(L"abcdefgh", &shortened, DT_CALCRECT | DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_LE(shortened.Width(), canvas.dc.GetTextExtent(L"abcdefgh").cx - 2);
    EXPECT_GT(shortened.Width(), canvas.dc.GetTextExtent(L"...").cx);
}

TEST(Dc, TextIsClippedToItsBox)
{
    Canvas canvas(40, 14);
    canvas.dc.SetBkMode(TRANSPARENT);
    CRect box(0, 0, 7, 14);
    canvas.dc.DrawText(L"WWW", &box, DT_SINGLELINE);
    int inside = 0, outside = 0;
    for (int y = 0; y < 14; ++y)
        for (int x = 0; x < 40; ++x)
            (x < 7 ? inside : outside) += canvas.dc.GetPixel(x, y) != white;
    EXPECT_GT(inside, 5);
    EXPECT_EQ(outside, 0);
}

TEST(Dc, AScaledSurfaceDrawsEveryLogicalPixelAsABlock)
{
    auto surface = std::make_shared<ui::BitmapImage>(20, 20, white);
    CDC dc;
    dc.setSurface(surface, 2);
    dc.FillSolidRect(1, 1, 2, 1, red);
    dc.SetPixel(5, 5, blue);
    EXPECT_EQ(surface->pixel(1, 1), white);
    EXPECT_EQ(surface->pixel(2, 2), red);
    EXPECT_EQ(surface->pixel(5, 3), red);
    EXPECT_EQ(surface->pixel(6, 2), white);
    EXPECT_EQ(surface->pixel(11, 11), blue);
    EXPECT_EQ(dc.GetPixel(5, 5), blue);
    EXPECT_EQ(dc.GetPixel(10, 10), CLR_INVALID);
}
