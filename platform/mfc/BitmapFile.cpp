#include "platform/mfc/BitmapFile.h"

#include <algorithm>  // min
#include <array>
#include <fstream>
#include <iterator>

namespace ui {

namespace {

constexpr std::uint32_t compressionRgb = 0;
constexpr std::uint32_t compressionBitFields = 3;
constexpr std::size_t fileHeaderSize = 14;

std::uint32_t u16(const std::uint8_t* p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8;
}

std::uint32_t u32(const std::uint8_t* p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

std::int32_t s32(const std::uint8_t* p)
{
    return std::int32_t(u32(p));
}

std::uint32_t rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b)
{
    return (r & 0xFF) | (g & 0xFF) << 8 | (b & 0xFF) << 16;
}

// One colour channel described by a bit-field mask, scaled to 0..255.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint32_t max = 0;

    explicit Channel(std::uint32_t m)
        : mask(m)
    {
        if (mask == 0)
            return;
        while (((mask >> shift) & 1) == 0)
            ++shift;
        max = mask >> shift;
    }
    std::uint32_t value(std::uint32_t pixel) const
    {
        if (max == 0)
            return 0;
        return std::uint32_t(std::uint64_t((pixel & mask) >> shift) * 255 / max);
    }
};

BmpReadResult refuse(std::string reason)
{
    BmpReadResult result;
    result.error = std::move(reason);
    return result;
}

}  // namespace

BmpReadResult readBmp(const std::uint8_t* data, std::size_t size)
{
    if (data == nullptr || size < fileHeaderSize + 12)
        return refuse("not a BMP file (too short)");
    if (data[0] != 'B' || data[1] != 'M')
        return refuse("not a BMP file (no \"BM\" signature)");
    const std::uint32_t pixelOffset = u32(data + 10);

    const std::uint8_t* info = data + fileHeaderSize;
    const std::uint32_t headerSize = u32(info);
    if (headerSize != 12 && headerSize < 40)
        return refuse("unknown BMP header size " + std::to_string(headerSize));
    if (fileHeaderSize + std::uint64_t(headerSize) > size)
        return refuse("BMP header runs past the end of the file");

    std::int64_t width = 0;
    std::int64_t height = 0;
    std::uint32_t bitCount = 0;
    std::uint32_t compression = compressionRgb;
    std::uint32_t colorsUsed = 0;
    std::size_t paletteEntrySize = 4;
    if (headerSize == 12) {
        width = u16(info + 4);
        height = std::int16_t(u16(info + 6));
        bitCount = u16(info + 10);
        paletteEntrySize = 3;
    } else {
        width = s32(info + 4);
        height = s32(info + 8);
        bitCount = u16(info + 14);
        compression = u32(info + 16);
        colorsUsed = u32(info + 32);
    }
    const bool topDown = height < 0;
    if (topDown)
        height = -height;
    if (width <= 0 || height <= 0)
        return refuse("BMP picture has no pixels");
    if (width > maxBmpSide || height > maxBmpSide || width * height > maxBmpPixels)
        return refuse("BMP picture too large (" + std::to_string(width) + " x " + std::to_string(height) + ")");

    const bool paletted = bitCount == 1 || bitCount == 4 || bitCount == 8;
    if (!paletted && bitCount != 16 && bitCount != 24 && bitCount != 32)
        return refuse("unsupported BMP colour depth " + std::to_string(bitCount));
    if (compression != compressionRgb && !(compression == compressionBitFields && (bitCount == 16 || bitCount == 32)))
        return refuse("unsupported BMP compression " + std::to_string(compression));

    // The masks follow a 40-byte header as three extra values, or sit inside a V2+ header.
    std::uint32_t masks[3] = {0x7C00, 0x03E0, 0x001F};
    if (bitCount == 32)
        masks[0] = 0xFF0000, masks[1] = 0xFF00, masks[2] = 0xFF;
    std::size_t tableStart = fileHeaderSize + headerSize;
    if (compression == compressionBitFields) {
        const std::size_t at = fileHeaderSize + 40;
        if (at + 12 > size)
            return refuse("BMP colour masks run past the end of the file");
        for (int i = 0; i < 3; ++i)
            masks[i] = u32(data + at + 4 * std::size_t(i));
        if (headerSize == 40)
            tableStart += 12;
    }

    std::array<std::uint32_t, 256> palette{};
    if (paletted) {
        const std::uint32_t maxColors = 1u << bitCount;
        const std::uint32_t count = colorsUsed == 0 || colorsUsed > maxColors ? maxColors : colorsUsed;
        const std::uint64_t tableEnd = tableStart + std::uint64_t(count) * paletteEntrySize;
        // A palette shorter than declared is common in hand-made files; take the entries that fit
        // before the pixels, and refuse only when there are none at all.
        const std::uint64_t limit = std::min<std::uint64_t>(size, pixelOffset >= tableStart ? pixelOffset : size);
        const std::uint64_t available = limit > tableStart ? (std::min(tableEnd, limit) - tableStart) / paletteEntrySize : 0;
        if (available == 0)
            return refuse("BMP palette missing");
        for (std::uint64_t i = 0; i < available; ++i) {
            const std::uint8_t* entry = data + tableStart + i * paletteEntrySize;
            palette[i] = rgb(entry[2], entry[1], entry[0]);
        }
    }

    const std::uint64_t stride = ((std::uint64_t(width) * bitCount + 31) / 32) * 4;
    if (pixelOffset < tableStart || pixelOffset > size || stride * std::uint64_t(height) > size - pixelOffset)
        return refuse("BMP pixel data runs past the end of the file");

    const Channel red(masks[0]), green(masks[1]), blue(masks[2]);
    BitmapImage image(int(width), int(height), 0, int(bitCount));
    for (std::int64_t row = 0; row < height; ++row) {
        const std::uint8_t* line = data + pixelOffset + std::uint64_t(row) * stride;
        const int y = int(topDown ? row : height - 1 - row);
        for (std::int64_t x = 0; x < width; ++x) {
            std::uint32_t color = 0;
            switch (bitCount) {
            case 1:
                color = palette[(line[x / 8] >> (7 - x % 8)) & 1];
                break;
            case 4:
                color = palette[(line[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0xF];
                break;
            case 8:
                color = palette[line[x]];
                break;
            case 16: {
                const std::uint32_t value = u16(line + 2 * x);
                color = rgb(red.value(value), green.value(value), blue.value(value));
                break;
            }
            case 24:
                color = rgb(line[3 * x + 2], line[3 * x + 1], line[3 * x]);
                break;
            case 32: {
                const std::uint32_t value = u32(line + 4 * x);
                color = rgb(red.value(value), green.value(value), blue.value(value));
                break;
            }
            }
            image.setPixel(int(x), y, color);
        }
    }
    BmpReadResult result;
    result.ok = true;
    result.image = std::move(image);
    return result;
}

BmpReadResult readBmp(std::string_view bytes)
{
    return readBmp(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

BmpReadResult readBmpFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return refuse("cannot open " + path);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    BmpReadResult result = readBmp(bytes);
    if (!result.ok)
        result.error = path + ": " + result.error;
    return result;
}

std::string encodeBmp(const BitmapImage& image)
{
    const bool mono = image.isMonochrome();
    const std::uint32_t bitCount = mono ? 1 : 24;
    const std::uint32_t width = std::uint32_t(image.width());
    const std::uint32_t height = std::uint32_t(image.height());
    const std::uint32_t stride = ((width * bitCount + 31) / 32) * 4;
    const std::uint32_t paletteSize = mono ? 8 : 0;
    const std::uint32_t offset = 14 + 40 + paletteSize;
    const std::uint32_t fileSize = offset + stride * height;

    std::string out;
    out.reserve(fileSize);
    auto put16 = [&](std::uint32_t v) { out += char(v & 0xFF), out += char((v >> 8) & 0xFF); };
    auto put32 = [&](std::uint32_t v) { put16(v & 0xFFFF), put16(v >> 16); };
    out += "BM";
    put32(fileSize);
    put32(0);
    put32(offset);
    put32(40);
    put32(width);
    put32(height);
    put16(1);
    put16(bitCount);
    put32(compressionRgb);
    put32(stride * height);
    put32(2835);  // 72 dpi
    put32(2835);
    put32(mono ? 2 : 0);
    put32(0);
    if (mono) {
        put32(0x000000);
        put32(0xFFFFFF);
    }
    for (std::uint32_t row = 0; row < height; ++row) {
        const int y = int(height - 1 - row);
        std::string line(stride, '\0');
        for (std::uint32_t x = 0; x < width; ++x) {
            const std::uint32_t c = image.pixel(int(x), y);
            if (mono) {
                if (c == 0xFFFFFF)
                    line[x / 8] = char(std::uint8_t(line[x / 8]) | (0x80 >> (x % 8)));
            } else {
                line[3 * x] = char((c >> 16) & 0xFF);
                line[3 * x + 1] = char((c >> 8) & 0xFF);
                line[3 * x + 2] = char(c & 0xFF);
            }
        }
        out += line;
    }
    return out;
}

}  // namespace ui
