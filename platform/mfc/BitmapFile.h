#pragma once
// Reading and writing Windows BMP files.
//
// BMP files come from outside (dialog-template pictures, icons, section pictures a user copied into the
// library), so the reader trusts nothing: every size and offset is checked against the bytes actually
// present before it is used, absurd sizes are refused before anything is allocated, and a file that
// does not add up is refused with a reason rather than read in part.
//
// Read: 1-, 4- and 8-bit paletted, 16-bit (5-5-5 or bit fields), 24- and 32-bit (plain or bit fields);
// bottom-up and top-down; the core, info, V4 and V5 headers. Not read: run-length compressed files,
// embedded JPEG/PNG. Palette indexes beyond the palette read as black, as Windows draws them.
#include "platform/mfc/BitmapImage.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace ui {

struct BmpReadResult {
    bool ok = false;
    BitmapImage image;
    std::string error;  // why the file was refused; empty when ok
};

// Largest width or height accepted, and largest pixel count: far beyond any picture the product uses,
// small enough that a lying header cannot make us allocate gigabytes.
inline constexpr int maxBmpSide = 32768;
inline constexpr std::int64_t maxBmpPixels = 64LL * 1024 * 1024;

BmpReadResult readBmp(std::string_view bytes);
BmpReadResult readBmp(const std::uint8_t* data, std::size_t size);
// Reads a file given by a native path (UTF-8). The error names the file.
BmpReadResult readBmpFile(const std::string& path);

// A complete BMP file: 1 bit per pixel for monochrome pictures, 24 bits otherwise; bottom-up.
std::string encodeBmp(const BitmapImage& image);

}  // namespace ui
