#pragma once
// What the drawing layer needs from a real font and picture library, as one small interface: glyphs
// as coverage masks, the line metrics of a font, and PNG encoding and decoding.
//
// The implementation (cairo, pango and fontconfig) is a separate loadable module, opened the first
// time something is drawn or measured, so programs that never draw do not pay for loading those
// libraries at start-up. Both sides are built together from this header; nothing else crosses.
#include <cstdint>
#include <string>
#include <vector>

namespace ui::render {

// A font as the drawing layer asks for it: a Windows face name, a height in pixels (negative: the em
// height, positive: the cell height, as LOGFONT), a weight (100-900) and italic.
struct FontRequest {
    std::wstring face;
    int height = -11;
    int weight = 400;
    bool italic = false;
};

struct LineMetrics {
    int ascent = 0;   // pixels above the baseline
    int descent = 0;  // pixels below it
    int averageWidth = 0;
};

// One glyph at one scale: its advance (at scale 1, so layout is the same at every scale) and its
// coverage (0-255) in device pixels, placed relative to the pen position on the line's top.
struct Glyph {
    int advance = 0;
    int left = 0, top = 0;  // device pixels from (pen x * scale, line top * scale)
    int width = 0, height = 0;
    std::vector<std::uint8_t> coverage;  // width * height, row by row
};

// Pixels as COLORREF values (0x00BBGGRR), row by row from the top.
struct Picture {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;
};

class RenderBackend {
public:
    virtual ~RenderBackend() = default;
    // The real family the face maps to ("Liberation Sans" for "Tahoma"), for documentation and dumps.
    virtual std::wstring familyFor(const std::wstring& face) = 0;
    virtual LineMetrics metrics(const FontRequest& font) = 0;
    virtual Glyph glyph(const FontRequest& font, char32_t character, int scale) = 0;
    // False with a message when the library refuses.
    virtual bool encodePng(const Picture& picture, std::string& bytes, std::string& error) = 0;
    virtual bool decodePng(const std::string& bytes, Picture& picture, std::string& error) = 0;
};

}  // namespace ui::render

// The module's one export: the backend, made on the first call and kept for the process's life.
extern "C" ui::render::RenderBackend* connsheet_render_backend();
inline constexpr const char* kRenderBackendSymbol = "connsheet_render_backend";
inline constexpr const char* kRenderModuleName = "libconnsheet_render.so";
