#include "platform/mfc/TextRenderer.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwctype>

#include "platform/arx/LoadableModule.h"

// Fontconfig, pango and the libraries under them keep caches for the life of the process that they
// never free; the leak checker of sanitizer builds would report them at every exit.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\nleak:libpango\nleak:libglib\nleak:libgobject\nleak:libcairo.so\n"
           "leak:libharfbuzz.so\nleak:libfreetype.so\nleak:libpixman\n";
}

extern "C" const char* __lsan_default_options() {
    return "print_suppressions=0";
}

namespace ui {
namespace {

render::RenderBackend* loadBackend() {
#ifdef CONNSHEET_RENDER_BUILD_MODULE
    const char* buildTree = CONNSHEET_RENDER_BUILD_MODULE;
#else
    const char* buildTree = nullptr;
#endif
    std::string reasons;
    using Entry = render::RenderBackend* (*)();
    if (auto entry = reinterpret_cast<Entry>(host::loadModuleEntry(
            kRenderModuleName, "CONNSHEET_RENDER_MODULE", buildTree, kRenderBackendSymbol, reasons)))
        return entry();
    std::fprintf(stderr, "connsheet: the render module %s could not be loaded; text is drawn as blocks%s\n",
                 kRenderModuleName, reasons.c_str());
    return nullptr;
}

std::wstring fontKey(const LOGFONT& font) {
    std::wstring key(font.lfFaceName, std::find(font.lfFaceName, font.lfFaceName + 32, L'\0'));
    for (wchar_t& c : key)
        c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    key += L'|' + std::to_wstring(font.lfHeight) + L'|' + std::to_wstring(font.lfWeight) + L'|' +
           (font.lfItalic ? L'i' : L'n');
    return key;
}

}  // namespace

TextRenderer& TextRenderer::instance() {
    static TextRenderer renderer;
    return renderer;
}

TextRenderer::TextRenderer() = default;

render::RenderBackend* TextRenderer::backend() {
    if (!m_loaded) {
        m_loaded = true;
        m_backend = loadBackend();
    }
    return m_backend;
}

int TextRenderer::fontId(const LOGFONT& logFont) {
    std::wstring key = fontKey(logFont);
    if (auto it = m_fontIds.find(key); it != m_fontIds.end())
        return it->second;
    Font font;
    font.request.face.assign(logFont.lfFaceName,
                             std::find(logFont.lfFaceName, logFont.lfFaceName + 32, L'\0'));
    font.request.height = logFont.lfHeight == 0 ? -11 : int(logFont.lfHeight);
    font.request.weight = logFont.lfWeight == 0 ? 400 : int(logFont.lfWeight);
    font.request.italic = logFont.lfItalic != 0;
    if (render::RenderBackend* real = backend()) {
        const render::LineMetrics line = real->metrics(font.request);
        font.metrics = {line.ascent, line.descent, line.ascent + line.descent, line.averageWidth};
    } else {
        const int height = std::abs(font.request.height);
        font.blockWidth = (height + 1) / 2;
        font.metrics = {height, 2, height + 2, font.blockWidth};
    }
    const int id = int(m_fonts.size());
    m_fonts.push_back(font);
    m_fontIds.emplace(std::move(key), id);
    return id;
}

const render::Glyph& TextRenderer::glyph(int font, char32_t character, int scale) {
    const std::uint64_t key =
        (std::uint64_t(font) << 32) | (std::uint64_t(scale & 0xFF) << 24) | (character & 0xFFFFFF);
    if (auto it = m_glyphs.find(key); it != m_glyphs.end())
        return it->second;
    render::Glyph made;
    const Font& f = m_fonts[std::size_t(font)];
    if (render::RenderBackend* real = backend()) {
        made = real->glyph(f.request, character, scale);
    } else {
        made.advance = f.blockWidth;
        if (character != U' ' && character != U'\t') {
            made.left = 0, made.top = 2 * scale;
            made.width = std::max(0, f.blockWidth - 1) * scale;
            made.height = std::max(0, f.metrics.height - 4) * scale;
            made.coverage.assign(std::size_t(made.width) * made.height, 255);
        }
    }
    return m_glyphs.emplace(key, std::move(made)).first->second;
}

TextMetrics TextRenderer::metrics(const LOGFONT& font) {
    return m_fonts[std::size_t(fontId(font))].metrics;
}

int TextRenderer::width(const LOGFONT& font, std::wstring_view line) {
    const int id = fontId(font);
    int total = 0;
    for (wchar_t c : line)
        total += glyph(id, char32_t(c), 1).advance;
    return total;
}

void TextRenderer::advances(const LOGFONT& font, std::wstring_view line, std::vector<int>& out) {
    const int id = fontId(font);
    out.clear();
    out.reserve(line.size());
    for (wchar_t c : line)
        out.push_back(glyph(id, char32_t(c), 1).advance);
}

void TextRenderer::draw(BitmapImage& target, int scale, const LOGFONT& font, int x, int top,
                        std::wstring_view line, std::uint32_t color, const RECT& clip) {
    const int id = fontId(font);
    scale = std::max(1, scale);
    const int clipLeft = std::max(0, int(clip.left) * scale), clipTop = std::max(0, int(clip.top) * scale);
    const int clipRight = std::min(target.width(), int(clip.right) * scale);
    const int clipBottom = std::min(target.height(), int(clip.bottom) * scale);
    const int red = color & 0xFF, green = (color >> 8) & 0xFF, blue = (color >> 16) & 0xFF;
    int pen = x;
    for (wchar_t c : line) {
        const int advance = glyph(id, char32_t(c), 1).advance;
        const render::Glyph& g = scale == 1 ? glyph(id, char32_t(c), 1) : glyph(id, char32_t(c), scale);
        const int originX = pen * scale + g.left, originY = top * scale + g.top;
        for (int row = 0; row < g.height; ++row) {
            const int py = originY + row;
            if (py < clipTop || py >= clipBottom)
                continue;
            const std::uint8_t* coverage = &g.coverage[std::size_t(row) * g.width];
            for (int column = 0; column < g.width; ++column) {
                const int px = originX + column;
                const int alpha = coverage[column];
                if (!alpha || px < clipLeft || px >= clipRight)
                    continue;
                if (alpha == 255 || target.isMonochrome()) {
                    if (alpha < 128)
                        continue;
                    target.setPixel(px, py, color);
                    continue;
                }
                const std::uint32_t under = target.pixel(px, py);
                auto mix = [alpha](int fore, int back) {
                    return (fore * alpha + back * (255 - alpha) + 127) / 255;
                };
                target.setPixel(px, py,
                                std::uint32_t(mix(red, under & 0xFF)) |
                                    (std::uint32_t(mix(green, (under >> 8) & 0xFF)) << 8) |
                                    (std::uint32_t(mix(blue, (under >> 16) & 0xFF)) << 16));
            }
        }
        pen += advance;
    }
}

}  // namespace ui
