#include "platform/mfc/BitmapImage.h"

namespace ui {

namespace {
constexpr std::uint32_t white = 0xFFFFFF;
}

BitmapImage::BitmapImage(int width, int height, std::uint32_t fill, int bitsPerPixel)
    : m_width(width > 0 && height > 0 ? width : 0)
    , m_height(width > 0 && height > 0 ? height : 0)
    , m_bitsPerPixel(bitsPerPixel)
    , m_pixels(std::size_t(m_width) * std::size_t(m_height), fill)
{
}

std::uint32_t BitmapImage::pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return 0;
    return m_pixels[std::size_t(y) * std::size_t(m_width) + std::size_t(x)];
}

void BitmapImage::setPixel(int x, int y, std::uint32_t color)
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return;
    // A monochrome surface cannot hold colours: like a 1-bit DIB it keeps white for white, black else.
    if (m_bitsPerPixel == 1)
        color = (color & white) == white ? white : 0;
    m_pixels[std::size_t(y) * std::size_t(m_width) + std::size_t(x)] = color & white;
}

BitmapImage BitmapImage::maskOf(std::uint32_t transparent) const
{
    BitmapImage mask(m_width, m_height, 0, 1);
    for (std::size_t i = 0; i < m_pixels.size(); ++i)
        if (m_pixels[i] == (transparent & white))
            mask.m_pixels[i] = white;
    return mask;
}

BitmapImage BitmapImage::blackenedBy(const BitmapImage& mask) const
{
    BitmapImage result = *this;
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            if (mask.pixel(x, y) == white)
                result.setPixel(x, y, 0);
    return result;
}

}  // namespace ui
