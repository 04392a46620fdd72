#include "platform/mfc/BitmapFile.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

#include "platform/mfc/Win32Types.h"

using ui::BitmapImage;
using ui::readBmp;

namespace {

const std::string dataDir = std::string(CONNSHEET_TEST_DATA_DIR) + "/mfc/bmp/";

std::string bytesOf(const std::string& name)
{
    std::ifstream in(dataDir + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void put32(std::string& bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + std::size_t(i)] = char((value >> (8 * i)) & 0xFF);
}

constexpr COLORREF red = RGB(255, 0, 0), green = RGB(0, 255, 0), blue = RGB(0, 0, 255);
constexpr COLORREF white = RGB(255, 255, 255), black = 0, yellow = RGB(255, 255, 0);

}  // namespace

TEST(BitmapFile, ReadsEveryDepthAndRowOrder)
{
    struct Case {
        const char* file;
        int bits;
    };
    // Each file shows the same picture, so every decoder must agree pixel for pixel.
    for (const Case& c : {Case{"rgb24.bmp", 24}, Case{"rgb24_topdown.bmp", 24}, Case{"rgb32.bmp", 32},
                          Case{"rgb32_v5.bmp", 32}, Case{"rgb16_565.bmp", 16}, Case{"pal8.bmp", 8},
                          Case{"pal4.bmp", 4}, Case{"pal8_core.bmp", 8}}) {
        SCOPED_TRACE(c.file);
        const auto read = ui::readBmpFile(dataDir + c.file);
        ASSERT_TRUE(read.ok) << read.error;
        const BitmapImage& image = read.image;
        EXPECT_EQ(image.width(), 3);
        EXPECT_EQ(image.height(), 2);
        EXPECT_EQ(image.bitsPerPixel(), c.bits);
        EXPECT_EQ(image.pixels(), (std::vector<std::uint32_t>{red, green, blue, white, black, yellow}));
    }
}

TEST(BitmapFile, MonochromeKeepsItsPaletteAndDepth)
{
    const auto read = ui::readBmpFile(dataDir + "mono1.bmp");
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_TRUE(read.image.isMonochrome());
    EXPECT_EQ(read.image.pixels(), (std::vector<std::uint32_t>{white, white, white, white, black, white}));
}

TEST(BitmapFile, EncodeThenReadRoundTrips)
{
    BitmapImage picture(5, 3, RGB(10, 20, 30));
    picture.setPixel(4, 0, red);
    picture.setPixel(0, 2, blue);
    auto back = readBmp(ui::encodeBmp(picture));
    ASSERT_TRUE(back.ok) << back.error;
    EXPECT_EQ(back.image, picture);

    const BitmapImage mask = picture.maskOf(red);
    back = readBmp(ui::encodeBmp(mask));
    ASSERT_TRUE(back.ok) << back.error;
    EXPECT_EQ(back.image, mask);
}

TEST(BitmapFile, RefusesMalformedFiles)
{
    const std::string good = bytesOf("rgb24.bmp");
    ASSERT_TRUE(readBmp(good).ok);
    struct Case {
        const char* what;
        std::string bytes;
    };
    std::vector<Case> cases;
    cases.push_back({"empty", ""});
    cases.push_back({"no signature", "XX" + good.substr(2)});
    cases.push_back({"pixels cut short", good.substr(0, good.size() - 1)});
    cases.push_back({"header cut short", good.substr(0, 20)});
    std::string offset = good;
    put32(offset, 10, 0xFFFFFFF0);
    cases.push_back({"pixel offset past the end", offset});
    std::string huge = good;
    put32(huge, 18, 100000);
    put32(huge, 22, 100000);
    cases.push_back({"absurd size", huge});
    std::string zero = good;
    put32(zero, 18, 0);
    cases.push_back({"no width", zero});
    std::string minHeight = good;
    put32(minHeight, 22, 0x80000000);
    cases.push_back({"most negative height", minHeight});
    std::string depth = good;
    depth[28] = 7;
    cases.push_back({"colour depth 7", depth});
    std::string rle = good;
    put32(rle, 30, 1);
    cases.push_back({"run-length compressed", rle});
    std::string headerSize = good;
    put32(headerSize, 14, 0xFFFFFF00);
    cases.push_back({"header size past the end", headerSize});
    std::string palette = bytesOf("pal8.bmp");
    put32(palette, 10, 54);  // pixels start where the palette should be
    cases.push_back({"palette missing", palette});

    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto read = readBmp(c.bytes);
        EXPECT_FALSE(read.ok);
        EXPECT_FALSE(read.error.empty());
        EXPECT_TRUE(read.image.isNull());
    }
}

TEST(BitmapFile, PaletteIndexBeyondThePaletteIsBlack)
{
    std::string bytes = bytesOf("pal8.bmp");
    // Pixel data starts after the six palette entries; the first bottom row pixel is (0, 1).
    const std::size_t pixels = 14 + 40 + 6 * 4;
    bytes[pixels] = char(200);
    const auto read = readBmp(bytes);
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_EQ(read.image.pixel(0, 1), black);
}

TEST(BitmapImage, MaskMarksExactlyTheTransparentColour)
{
    BitmapImage picture(2, 2, white);
    picture.setPixel(1, 0, RGB(254, 255, 255));
    picture.setPixel(0, 1, red);
    const BitmapImage mask = picture.maskOf(white);
    EXPECT_TRUE(mask.isMonochrome());
    EXPECT_EQ(mask.pixels(), (std::vector<std::uint32_t>{white, black, black, white}));
    // Blackening the transparent pixels is what lets "AND mask, then OR picture" show the background.
    EXPECT_EQ(picture.blackenedBy(mask).pixels(), (std::vector<std::uint32_t>{black, RGB(254, 255, 255), red, black}));
}
