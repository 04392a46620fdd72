#include "platform/mfc/BitmapImage.h"

#include <algorithm>
#include <cstddef>  // ptrdiff_t

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

void BitmapImage::fill(int left, int top, int right, int bottom, std::uint32_t color)
{
    left = std::max(left, 0), top = std::max(top, 0);
    right = std::min(right, m_width), bottom = std::min(bottom, m_height);
    if (left >= right || top >= bottom)
        return;
    if (m_bitsPerPixel == 1)
        color = (color & white) == white ? white : 0;
    color &= white;
    for (int y = top; y < bottom; ++y) {
        auto row = m_pixels.begin() + std::ptrdiff_t(std::size_t(y) * std::size_t(m_width));
        std::fill(row + left, row + right, color);
    }
}

void BitmapImage::copy(const BitmapImage& from, int fromX, int fromY, int width, int height, int toX, int toY)
{
    const int left = std::max({0, -toX, -fromX}), top = std::max({0, -toY, -fromY});
    const int right = std::min({width, m_width - toX, from.m_width - fromX});
    const int bottom = std::min({height, m_height - toY, from.m_height - fromY});
    if (left >= right || top >= bottom)
        return;
    if (m_bitsPerPixel == 1) {
        // Colours turn black and white by the pixel rule.
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                setPixel(x + toX, y + toY, from.pixel(x + fromX, y + fromY));
        return;
    }
    for (int y = top; y < bottom; ++y) {
        const auto source = from.m_pixels.begin() +
                            std::ptrdiff_t(std::size_t(y + fromY) * std::size_t(from.m_width) + std::size_t(fromX + left));
        auto target =
            m_pixels.begin() + std::ptrdiff_t(std::size_t(y + toY) * std::size_t(m_width) + std::size_t(toX + left));
        std::transform(source, source + (right - left), target, [](std::uint32_t p) { return p & white; });
    }
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
