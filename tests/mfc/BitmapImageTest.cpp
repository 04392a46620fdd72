#include "platform/mfc/BitmapImage.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

// A picture whose every pixel differs, so a copy from the wrong place shows.
ui::BitmapImage numbered(int width, int height, int bitsPerPixel = 24) {
    ui::BitmapImage image(width, height, 0, bitsPerPixel);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, std::uint32_t(0x010203 * (y * width + x + 1)));
    return image;
}

// fill and copy are fast paths: they must leave exactly what setPixel in a loop leaves, clipping and
// all, including on monochrome pictures (black and white only) and with colours carrying high bits.
TEST(BitmapImage, FillAndCopyDoWhatSetPixelDoes) {
    struct Case {
        int left, top, right, bottom;
    };
    for (int bits : {24, 1}) {
        for (Case c : {Case{2, 3, 7, 9}, Case{-4, -2, 3, 20}, Case{8, 8, 30, 30}, Case{5, 5, 5, 9},
                       Case{6, 4, 2, 9}}) {
            ui::BitmapImage fast = numbered(10, 12, bits), slow = fast;
            const std::uint32_t color = 0xFF80C0FF;  // high byte set: the picture keeps 0x00BBGGRR
            fast.fill(c.left, c.top, c.right, c.bottom, color);
            for (int y = c.top; y < c.bottom; ++y)
                for (int x = c.left; x < c.right; ++x)
                    slow.setPixel(x, y, color);
            EXPECT_EQ(fast, slow) << "fill " << c.left << "," << c.top << "," << c.right << "," << c.bottom
                                  << " bits " << bits;
        }
        const ui::BitmapImage source = numbered(6, 5);
        for (Case c : {Case{0, 0, 6, 5}, Case{-2, 1, 4, 4}, Case{3, -1, 9, 9}, Case{1, 2, 2, 2}}) {
            for (int toX : {-3, 0, 7}) {
                ui::BitmapImage fast = numbered(10, 12, bits), slow = fast;
                const int width = c.right - c.left, height = c.bottom - c.top;
                fast.copy(source, c.left, c.top, width, height, toX, 4);
                for (int y = 0; y < height; ++y)
                    for (int x = 0; x < width; ++x)
                        if (x + c.left >= 0 && y + c.top >= 0 && x + c.left < 6 && y + c.top < 5)
                            slow.setPixel(x + toX, y + 4, source.pixel(x + c.left, y + c.top));
                EXPECT_EQ(fast, slow)
                    << "copy from " << c.left << "," << c.top << " to " << toX << " bits " << bits;
            }
        }
    }
}

}  // namespace
