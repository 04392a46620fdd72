#include "platform/mfc/BitmapImage.h"

#include <algorithm>

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

void BitmapImage::copyFrom(const BitmapImage& from, int fromX, int fromY, int x, int y, int width, int height)
{
    // Clip against the source, then the target, moving both origins together.
    auto clip = [](int& a, int& b, int& extent, int limitA, int limitB) {
        const int shift = std::max({0, -a, -b});
        a += shift, b += shift, extent -= shift;
        extent = std::min({extent, limitA - a, limitB - b});
    };
    clip(fromX, x, width, from.m_width, m_width);
    clip(fromY, y, height, from.m_height, m_height);
    if (width <= 0 || height <= 0)
        return;
    for (int row = 0; row < height; ++row) {
        const std::uint32_t* source = &from.m_pixels[std::size_t(fromY + row) * std::size_t(from.m_width) + std::size_t(fromX)];
        std::uint32_t* target = &m_pixels[std::size_t(y + row) * std::size_t(m_width) + std::size_t(x)];
        if (m_bitsPerPixel == 1 && from.m_bitsPerPixel != 1) {
            for (int column = 0; column < width; ++column)
                target[column] = (source[column] & white) == white ? white : 0;
        } else {
            std::copy(source, source + width, target);
        }
    }
}

void BitmapImage::fill(int left, int top, int right, int bottom, std::uint32_t color)
{
    left = std::max(left, 0), top = std::max(top, 0);
    right = std::min(right, m_width), bottom = std::min(bottom, m_height);
    if (m_bitsPerPixel == 1)
        color = (color & white) == white ? white : 0;
    for (int y = top; y < bottom; ++y) {
        std::uint32_t* row = &m_pixels[std::size_t(y) * std::size_t(m_width)];
        std::fill(row + left, row + std::max(left, right), color);
    }
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
