#pragma once
// A device-independent picture in memory: what a loaded BMP, a bitmap resource, an icon, a transparency
// mask and the drawing surface of a memory device context all are underneath.
//
// Pixels are kept as COLORREF values (0x00BBGGRR, the layout of RGB()), row by row from the top, so a
// test can compare a pixel with RGB(255, 0, 0) directly. A monochrome picture holds only black and
// white pixels (0x000000 and 0xFFFFFF) and reports 1 bit per pixel, which is how masks behave when they
// are combined with colour pictures.
#include <cstdint>
#include <vector>

namespace ui {

class BitmapImage {
public:
    BitmapImage() = default;
    BitmapImage(int width, int height, std::uint32_t fill = 0, int bitsPerPixel = 24);

    int width() const { return m_width; }
    int height() const { return m_height; }
    bool isNull() const { return m_width <= 0 || m_height <= 0; }
    // Colour depth of the source (1, 4, 8, 16, 24 or 32); pixels are always stored as full colours.
    int bitsPerPixel() const { return m_bitsPerPixel; }
    bool isMonochrome() const { return m_bitsPerPixel == 1; }

    // Out-of-range reads give 0 and out-of-range writes do nothing, so drawing code may clip lazily.
    std::uint32_t pixel(int x, int y) const;
    void setPixel(int x, int y, std::uint32_t color);
    const std::vector<std::uint32_t>& pixels() const { return m_pixels; }

    // The same as setPixel over every pixel of [left, right) x [top, bottom), clipped, a row at a time.
    void fill(int left, int top, int right, int bottom, std::uint32_t color);
    // The same as setPixel(x + toX, y + toY, from.pixel(x + fromX, y + fromY)) for x < width, y < height
    // where both pixels exist; the rest stays as it is. `from` is another picture.
    void copy(const BitmapImage& from, int fromX, int fromY, int width, int height, int toX, int toY);

    // A monochrome mask of the same size: white (1) where this picture has exactly the colour
    // `transparent`, black (0) elsewhere.
    BitmapImage maskOf(std::uint32_t transparent) const;
    // This picture with every pixel that is white in `mask` turned black, ready to be ORed over a
    // background that was ANDed with the mask: together the two show the background there.
    BitmapImage blackenedBy(const BitmapImage& mask) const;

    bool operator==(const BitmapImage&) const = default;

private:
    int m_width = 0;
    int m_height = 0;
    int m_bitsPerPixel = 24;
    std::vector<std::uint32_t> m_pixels;
};

}  // namespace ui
