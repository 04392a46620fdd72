#pragma once
// Text as the device contexts measure and draw it: real glyphs from the render module (cairo and
// pango, loaded on first use), laid out character by character as GDI does, with caches so a grid
// of thousands of cells measures and draws in a few milliseconds.
//
// When the module cannot be loaded the renderer says so once on stderr and falls back to blocks:
// every character a solid box half the font height wide, which still shows where text lands.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/mfc/BitmapImage.h"
#include "platform/mfc/GdiObjects.h"
#include "platform/mfc/Win32Types.h"
#include "platform/mfc/render/RenderBackend.h"

namespace ui {

struct TextMetrics {
    int ascent = 0;
    int descent = 0;
    int height = 0;  // ascent + descent: the distance between lines
    int averageWidth = 0;
};

class TextRenderer {
public:
    static TextRenderer& instance();

    // The render module, or null when text falls back to blocks.
    render::RenderBackend* backend();
    bool hasRealFonts() { return backend() != nullptr; }

    TextMetrics metrics(const LOGFONT& font);
    // The advance of one line of text (no line breaks inside).
    int width(const LOGFONT& font, std::wstring_view line);
    // The advances of each character of a line, for callers that break or clip by width.
    void advances(const LOGFONT& font, std::wstring_view line, std::vector<int>& out);
    // Blends one line in `color` onto a surface drawn at `scale` device pixels per logical pixel: (x, top)
    // is the logical top-left of the line, clip the logical rectangle outside which nothing changes.
    void draw(BitmapImage& target, int scale, const LOGFONT& font, int x, int top, std::wstring_view line,
              std::uint32_t color, const RECT& clip);

private:
    TextRenderer();
    struct Font {
        render::FontRequest request;
        TextMetrics metrics;
        int blockWidth = 0;  // blocks: the width of every character
    };
    struct FontKeyHash {
        std::size_t operator()(const std::wstring& key) const { return std::hash<std::wstring>()(key); }
    };
    int fontId(const LOGFONT& font);
    const render::Glyph& glyph(int font, char32_t character, int scale);

    bool m_loaded = false;
    render::RenderBackend* m_backend = nullptr;
    std::unordered_map<std::wstring, int, FontKeyHash> m_fontIds;
    std::vector<Font> m_fonts;
    std::unordered_map<std::uint64_t, render::Glyph> m_glyphs;
};

}  // namespace ui
