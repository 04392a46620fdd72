#pragma once
// Test-only (include from tests, never from library code): compares a rendered picture with its
// golden PNG under tests/golden/, allowing the small differences font and antialiasing versions make.
//
// A pixel counts as changed when a colour channel moved by more than 64; a picture fails when its size
// changed or more than 0.3 % of its pixels (and at least 4) changed. On failure the new picture and a
// difference picture (changed pixels red over a faded copy) are written to golden-failures/ in the
// test's working folder. With UPDATE_GOLDEN=1 the golden PNG is rewritten instead.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/mfc/WindowRenderer.h"

namespace ui {

inline void expectMatchesGolden(const BitmapImage& picture, const std::string& name) {
    const std::filesystem::path golden =
        std::filesystem::path(CONNSHEET_SOURCE_DIR) / "tests" / "golden" / (name + ".png");
    std::string error;
    if (const char* update = std::getenv("UPDATE_GOLDEN"); update && std::string(update) == "1") {
        std::filesystem::create_directories(golden.parent_path());
        EXPECT_TRUE(writePng(golden, picture, &error)) << error;
        return;
    }
    const std::filesystem::path failures = std::filesystem::current_path() / "golden-failures";
    auto keepNew = [&] {
        std::filesystem::create_directories(failures);
        writePng(failures / (name + ".png"), picture, nullptr);
    };
    const std::optional<BitmapImage> expected = readPng(golden, &error);
    if (!expected) {
        keepNew();
        ADD_FAILURE() << "no golden picture " << golden << " (" << error << "); the new one is in "
                      << failures << "; UPDATE_GOLDEN=1 writes it";
        return;
    }
    if (expected->width() != picture.width() || expected->height() != picture.height()) {
        keepNew();
        ADD_FAILURE() << name << ": the picture is " << picture.width() << " x " << picture.height()
                      << ", the golden one " << expected->width() << " x " << expected->height();
        return;
    }
    BitmapImage difference(picture.width(), picture.height());
    long changed = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const std::uint32_t a = picture.pixel(x, y), b = expected->pixel(x, y);
            bool moved = false;
            for (int shift : {0, 8, 16})
                moved = moved || std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > 64;
            changed += moved;
            const std::uint32_t faded = 0xC0C0C0 | ((a >> 2) & 0x3F3F3F);
            difference.setPixel(x, y, moved ? 0x0000FF : faded);
        }
    }
    const long allowed = std::max(4L, long(picture.width()) * picture.height() * 3 / 1000);
    if (changed > allowed) {
        keepNew();
        writePng(failures / (name + ".diff.png"), difference, nullptr);
        ADD_FAILURE() << name << ": " << changed << " pixels changed (at most " << allowed << " may); see "
                      << failures << "; UPDATE_GOLDEN=1 rewrites the golden picture";
    }
}

}  // namespace ui
