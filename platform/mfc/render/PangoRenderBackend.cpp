// The render backend over cairo, pango and fontconfig (see RenderBackend.h).
//
// Fonts come from a private fontconfig set made of the Liberation fonts (metric-compatible with Arial,
// Times New Roman and Courier New, which stand in for the Windows dialog fonts) and DejaVu for
// characters Liberation lacks, so a picture looks the same on every machine whatever else is installed.
// Glyphs are drawn one character at a time, as GDI lays out text without kerning, fully hinted with grey
// antialiasing.
#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <pango/pangocairo.h>
#include <pango/pangofc-fontmap.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <tuple>

#include "platform/mfc/render/RenderBackend.h"

namespace {

using ui::render::FontRequest;

std::string utf8(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) {
        char buffer[8];
        const int length = g_unichar_to_utf8(static_cast<gunichar>(c), buffer);
        out.append(buffer, static_cast<std::size_t>(length));
    }
    return out;
}

std::wstring lower(std::wstring text) {
    for (wchar_t& c : text)
        c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return text;
}

// The family a Windows face name is drawn with.
const char* familyOf(const std::wstring& face) {
    const std::wstring name = lower(face);
    static const wchar_t* const mono[] = {L"courier new", L"courier",  L"consolas",    L"lucida console",
                                          L"fixedsys",    L"terminal", L"system fixed"};
    static const wchar_t* const serif[] = {L"times new roman", L"times",    L"ms serif", L"georgia",
                                           L"book antiqua",    L"garamond", L"cambria"};
    for (const wchar_t* candidate : mono)
        if (name == candidate)
            return "Liberation Mono";
    for (const wchar_t* candidate : serif)
        if (name == candidate)
            return "Liberation Serif";
    if (name == L"arial narrow")
        return "Liberation Sans Narrow";
    return "Liberation Sans";
}

struct CairoSurface {
    cairo_surface_t* surface = nullptr;
    ~CairoSurface() {
        if (surface)
            cairo_surface_destroy(surface);
    }
};

cairo_status_t appendBytes(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

struct ReadCursor {
    const std::string* bytes;
    std::size_t at = 0;
};

cairo_status_t readBytes(void* closure, unsigned char* data, unsigned int length) {
    auto* cursor = static_cast<ReadCursor*>(closure);
    if (cursor->bytes->size() - cursor->at < length)
        return CAIRO_STATUS_READ_ERROR;
    std::memcpy(data, cursor->bytes->data() + cursor->at, length);
    cursor->at += length;
    return CAIRO_STATUS_SUCCESS;
}

class PangoRenderBackend final : public ui::render::RenderBackend {
public:
    PangoRenderBackend() {
        FcConfig* config = FcConfigCreate();
        // The caches fontconfig keeps anyway (the user's, else the system's), so the fonts are scanned once.
        static const char cacheFolders[] =
            "<fontconfig><cachedir prefix=\"xdg\">fontconfig</cachedir>"
            "<cachedir>/var/cache/fontconfig</cachedir></fontconfig>";
        FcConfigParseAndLoadFromMemory(config, reinterpret_cast<const FcChar8*>(cacheFolders), FcFalse);
        for (const char* folder :
             {"/usr/share/fonts/truetype/liberation", "/usr/share/fonts/truetype/liberation2",
              "/usr/share/fonts/truetype/dejavu"})
            FcConfigAppFontAddDir(config, reinterpret_cast<const FcChar8*>(folder));
        m_fontMap = pango_cairo_font_map_new_for_font_type(CAIRO_FONT_TYPE_FT);
        pango_fc_font_map_set_config(PANGO_FC_FONT_MAP(m_fontMap), config);
        FcConfigDestroy(config);
        m_context = pango_font_map_create_context(m_fontMap);
        cairo_font_options_t* options = cairo_font_options_create();
        cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
        cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_FULL);
        cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
        pango_cairo_context_set_font_options(m_context, options);
        cairo_font_options_destroy(options);
    }

    std::wstring familyFor(const std::wstring& face) override {
        const char* family = familyOf(face);
        return std::wstring(family, family + std::strlen(family));
    }

    ui::render::LineMetrics metrics(const FontRequest& font) override {
        std::lock_guard lock(m_mutex);
        return fontOf(font, 1).metrics;
    }

    ui::render::Glyph glyph(const FontRequest& font, char32_t character, int scale) override {
        std::lock_guard lock(m_mutex);
        scale = std::clamp(scale, 1, 16);
        const Font& base = fontOf(font, 1);
        const Font& scaled = fontOf(font, scale);
        ui::render::Glyph result;
        const std::string text = utf8(std::wstring(1, static_cast<wchar_t>(character)));
        PangoLayout* layout = pango_layout_new(m_context);
        pango_layout_set_font_description(layout, base.description);
        pango_layout_set_text(layout, text.c_str(), static_cast<int>(text.size()));
        PangoRectangle logical;
        pango_layout_get_pixel_extents(layout, nullptr, &logical);
        result.advance = std::max(0, logical.width);
        pango_layout_set_font_description(layout, scaled.description);
        PangoRectangle ink;
        pango_layout_get_pixel_extents(layout, &ink, &logical);
        const int baseline = PANGO_PIXELS(pango_layout_get_baseline(layout));
        // Draw so the baseline lands where the unscaled line has it, then keep only the inked box.
        const int pad = 2 + std::abs(scaled.request.height);
        const int width = std::max(1, logical.width) + 2 * pad,
                  height = std::max(1, logical.height) + 2 * pad;
        CairoSurface surface{cairo_image_surface_create(CAIRO_FORMAT_A8, width, height)};
        cairo_t* cr = cairo_create(surface.surface);
        const int originY = pad + base.metrics.ascent * scale - baseline;
        cairo_move_to(cr, pad, originY);
        pango_cairo_update_context(cr, m_context);
        pango_cairo_show_layout(cr, layout);
        cairo_destroy(cr);
        g_object_unref(layout);
        cairo_surface_flush(surface.surface);
        const unsigned char* data = cairo_image_surface_get_data(surface.surface);
        const int stride = cairo_image_surface_get_stride(surface.surface);
        int left = width, top = height, right = -1, bottom = -1;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (data[y * stride + x]) {
                    left = std::min(left, x), right = std::max(right, x);
                    top = std::min(top, y), bottom = std::max(bottom, y);
                }
        if (right < 0)
            return result;
        result.left = left - pad;
        result.top = top - pad;
        result.width = right - left + 1;
        result.height = bottom - top + 1;
        result.coverage.resize(static_cast<std::size_t>(result.width) * result.height);
        for (int y = 0; y < result.height; ++y)
            std::memcpy(&result.coverage[static_cast<std::size_t>(y) * result.width],
                        data + (top + y) * stride + left, static_cast<std::size_t>(result.width));
        return result;
    }

    bool encodePng(const ui::render::Picture& picture, std::string& bytes, std::string& error) override {
        if (picture.width <= 0 || picture.height <= 0) {
            error = "empty picture";
            return false;
        }
        CairoSurface surface{cairo_image_surface_create(CAIRO_FORMAT_RGB24, picture.width, picture.height)};
        if (cairo_surface_status(surface.surface) != CAIRO_STATUS_SUCCESS) {
            error = cairo_status_to_string(cairo_surface_status(surface.surface));
            return false;
        }
        cairo_surface_flush(surface.surface);
        unsigned char* data = cairo_image_surface_get_data(surface.surface);
        const int stride = cairo_image_surface_get_stride(surface.surface);
        for (int y = 0; y < picture.height; ++y) {
            auto* row = reinterpret_cast<std::uint32_t*>(data + y * stride);
            for (int x = 0; x < picture.width; ++x) {
                const std::uint32_t c = picture.pixels[static_cast<std::size_t>(y) * picture.width + x];
                row[x] = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
            }
        }
        cairo_surface_mark_dirty(surface.surface);
        const cairo_status_t status = cairo_surface_write_to_png_stream(surface.surface, appendBytes, &bytes);
        if (status != CAIRO_STATUS_SUCCESS) {
            error = cairo_status_to_string(status);
            return false;
        }
        return true;
    }

    bool decodePng(const std::string& bytes, ui::render::Picture& picture, std::string& error) override {
        ReadCursor cursor{&bytes};
        CairoSurface surface{cairo_image_surface_create_from_png_stream(readBytes, &cursor)};
        if (cairo_surface_status(surface.surface) != CAIRO_STATUS_SUCCESS) {
            error = cairo_status_to_string(cairo_surface_status(surface.surface));
            return false;
        }
        // Whatever the file's format, read it back as opaque colours.
        CairoSurface rgb{cairo_image_surface_create(CAIRO_FORMAT_RGB24,
                                                    cairo_image_surface_get_width(surface.surface),
                                                    cairo_image_surface_get_height(surface.surface))};
        cairo_t* cr = cairo_create(rgb.surface);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_paint(cr);
        cairo_set_source_surface(cr, surface.surface, 0, 0);
        cairo_paint(cr);
        cairo_destroy(cr);
        cairo_surface_flush(rgb.surface);
        picture.width = cairo_image_surface_get_width(rgb.surface);
        picture.height = cairo_image_surface_get_height(rgb.surface);
        picture.pixels.resize(static_cast<std::size_t>(picture.width) * picture.height);
        const unsigned char* data = cairo_image_surface_get_data(rgb.surface);
        const int stride = cairo_image_surface_get_stride(rgb.surface);
        for (int y = 0; y < picture.height; ++y) {
            const auto* row = reinterpret_cast<const std::uint32_t*>(data + y * stride);
            for (int x = 0; x < picture.width; ++x) {
                const std::uint32_t c = row[x];
                picture.pixels[static_cast<std::size_t>(y) * picture.width + x] =
                    ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
            }
        }
        return true;
    }

private:
    struct Font {
        FontRequest request;
        PangoFontDescription* description = nullptr;
        ui::render::LineMetrics metrics;
    };

    // Fonts are made once per request and scale and kept: a program draws with a handful.
    const Font& fontOf(const FontRequest& request, int scale) {
        const auto key =
            std::make_tuple(lower(request.face), request.height, request.weight, request.italic, scale);
        auto it = m_fonts.find(key);
        if (it != m_fonts.end())
            return it->second;
        Font font;
        font.request = request;
        font.request.height *= scale;
        font.description = pango_font_description_new();
        pango_font_description_set_family(font.description, familyOf(request.face));
        pango_font_description_set_weight(
            font.description,
            static_cast<PangoWeight>(std::clamp(request.weight == 0 ? 400 : request.weight, 100, 1000)));
        pango_font_description_set_style(font.description,
                                         request.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
        // A negative height is the em size; a positive one the cell (ascent + descent), which for these
        // families is about 1.15 em.
        const int height = std::abs(font.request.height == 0 ? -11 * scale : font.request.height);
        const double em = font.request.height > 0 ? height / 1.149 : height;
        pango_font_description_set_absolute_size(font.description, em * PANGO_SCALE);
        PangoFontMetrics* metrics = pango_context_get_metrics(m_context, font.description, nullptr);
        font.metrics.ascent = PANGO_PIXELS_CEIL(pango_font_metrics_get_ascent(metrics));
        font.metrics.descent = PANGO_PIXELS_CEIL(pango_font_metrics_get_descent(metrics));
        font.metrics.averageWidth = PANGO_PIXELS(pango_font_metrics_get_approximate_char_width(metrics));
        pango_font_metrics_unref(metrics);
        return m_fonts.emplace(key, font).first->second;
    }

    std::mutex m_mutex;
    PangoFontMap* m_fontMap = nullptr;
    PangoContext* m_context = nullptr;
    std::map<std::tuple<std::wstring, int, int, bool, int>, Font> m_fonts;
};

}  // namespace

extern "C" __attribute__((visibility("default"))) ui::render::RenderBackend* connsheet_render_backend() {
    // Made once and never destroyed: fontconfig and pango keep process-wide state of their own.
    static auto* backend = new PangoRenderBackend();
    return backend;
}
