#include "platform/mfc/Dc.h"

#include <algorithm>
#include <charconv>  // to_chars
#include <cstdlib>  // abs
#include <utility>  // exchange
#include <unordered_map>

#include "platform/mfc/Bitmap.h"
#include "platform/mfc/CWnd.h"
#include "platform/mfc/Font.h"
#include "platform/mfc/GdiBrush.h"
#include "platform/mfc/GdiColors.h"
#include "platform/mfc/TextRenderer.h"
#include "platform/mfc/Window.h"

namespace {

constexpr COLORREF white = 0xFFFFFF;

std::unordered_map<HDC, CDC*>& contexts()
{
    static std::unordered_map<HDC, CDC*> map;
    return map;
}

HDC nextHandle()
{
    static std::uintptr_t next = 0x5000;
    return reinterpret_cast<HDC>(next++);
}

// The call log formats numbers often enough (every fill of a grid) that the wide printf behind
// std::to_wstring shows in profiles; these write the same text directly.
std::wstring number(long value)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    return std::wstring(digits, end);
}

std::wstring hex(COLORREF color)
{
    const COLORREF c = ui::resolveColor(color);
    const unsigned channels[] = {GetRValue(c), GetGValue(c), GetBValue(c)};
    static constexpr wchar_t digits[] = L"0123456789ABCDEF";
    std::wstring text(7, L'#');
    for (int i = 0; i < 3; ++i) {
        text[std::size_t(1 + 2 * i)] = digits[(channels[i] >> 4) & 0xF];
        text[std::size_t(2 + 2 * i)] = digits[channels[i] & 0xF];
    }
    return text;
}

std::wstring rectText(const RECT& r)
{
    return number(r.left) + L"," + number(r.top) + L"," + number(r.right) + L"," + number(r.bottom);
}

// The stock objects, made once and never deleted.
HGDIOBJ stockObject(int index)
{
    static std::unordered_map<int, HGDIOBJ> stock;
    auto& handle = stock[index];
    if (handle)
        return handle;
    switch (index) {
    case WHITE_BRUSH: handle = ui::gdi::addBrush(RGB(255, 255, 255)); break;
    case LTGRAY_BRUSH: handle = ui::gdi::addBrush(RGB(192, 192, 192)); break;
    case GRAY_BRUSH: handle = ui::gdi::addBrush(RGB(128, 128, 128)); break;
    case DKGRAY_BRUSH: handle = ui::gdi::addBrush(RGB(64, 64, 64)); break;
    case BLACK_BRUSH: handle = ui::gdi::addBrush(RGB(0, 0, 0)); break;
    case WHITE_PEN: handle = ui::gdi::addPen({PS_SOLID, 1, RGB(255, 255, 255)}); break;
    case BLACK_PEN: handle = ui::gdi::addPen({PS_SOLID, 1, RGB(0, 0, 0)}); break;
    case NULL_PEN: handle = ui::gdi::addPen({PS_NULL, 0, 0}); break;
    case DEFAULT_GUI_FONT: handle = ui::gdi::addFont(ui::fontOrDefault(nullptr)); break;
    default: break;  // NULL_BRUSH stays null: "no fill"
    }
    return handle;
}

std::uint32_t applyRop(std::uint32_t source, std::uint32_t destination, DWORD rop)
{
    switch (rop) {
    case SRCCOPY: return source;
    case SRCPAINT: return source | destination;
    case SRCAND: return source & destination;
    case SRCINVERT: return source ^ destination;
    case NOTSRCCOPY: return ~source & white;
    case DSTINVERT: return ~destination & white;
    case BLACKNESS: return 0;
    case WHITENESS: return white;
    default: return source;
    }
}

struct ActivePainting {
    HWND window = nullptr;
    CDC* context = nullptr;
};

ActivePainting& activePainting()
{
    static ActivePainting painting;
    return painting;
}

}  // namespace

CDC::CDC()
    : m_hDC(nextHandle())
{
    contexts()[m_hDC] = this;
    m_brushHandle = static_cast<HBRUSH>(stockObject(WHITE_BRUSH));
    m_penHandle = static_cast<HPEN>(stockObject(BLACK_PEN));
}

CDC::~CDC()
{
    contexts().erase(m_hDC);
}

CDC* CDC::FromHandle(HDC hdc)
{
    const auto it = contexts().find(hdc);
    return it == contexts().end() ? nullptr : it->second;
}

BOOL CDC::CreateCompatibleDC(CDC*)
{
    m_bitmap = nullptr;
    m_ownSurface.reset();
    record(L"CreateCompatibleDC");
    return TRUE;
}

BOOL CDC::DeleteDC()
{
    m_bitmap = nullptr;
    m_ownSurface.reset();
    return TRUE;
}

CBitmap* CDC::SelectObject(CBitmap* bitmap)
{
    CBitmap* previous = m_bitmap;
    m_bitmap = bitmap;
    return previous;
}

CFont* CDC::SelectObject(CFont* font)
{
    CFont* previous = m_font;
    m_font = font;
    m_fontHandle = font ? static_cast<HFONT>(*font) : nullptr;
    return previous;
}

CBrush* CDC::SelectObject(CBrush* brush)
{
    CBrush* previous = m_brush;
    m_brush = brush;
    m_brushHandle = brush ? static_cast<HBRUSH>(*brush) : static_cast<HBRUSH>(stockObject(WHITE_BRUSH));
    return previous;
}

CPen* CDC::SelectObject(CPen* pen)
{
    CPen* previous = m_pen;
    m_pen = pen;
    m_penHandle = pen ? static_cast<HPEN>(*pen) : static_cast<HPEN>(stockObject(BLACK_PEN));
    return previous;
}

HGDIOBJ CDC::SelectStockObject(int index)
{
    HGDIOBJ object = stockObject(index);
    if (index <= NULL_BRUSH) {
        HGDIOBJ previous = m_brushHandle;
        m_brush = nullptr;
        m_brushHandle = static_cast<HBRUSH>(object);
        return previous;
    }
    if (index <= NULL_PEN) {
        HGDIOBJ previous = m_penHandle;
        m_pen = nullptr;
        m_penHandle = static_cast<HPEN>(object);
        return previous;
    }
    HGDIOBJ previous = m_fontHandle;
    m_font = nullptr;
    m_fontHandle = static_cast<HFONT>(object);
    return previous;
}

COLORREF CDC::SetTextColor(COLORREF color)
{
    return std::exchange(m_textColor, ui::resolveColor(color));
}

COLORREF CDC::SetBkColor(COLORREF color)
{
    return std::exchange(m_bkColor, ui::resolveColor(color));
}

int CDC::SetBkMode(int mode)
{
    return std::exchange(m_bkMode, mode);
}

ui::BitmapImage* CDC::surface() const
{
    if (m_bitmap)
        return m_bitmap->image();
    return m_ownSurface.get();
}

void CDC::setSurface(std::shared_ptr<ui::BitmapImage> surface, int scale)
{
    m_ownSurface = std::move(surface);
    m_scale = std::max(1, scale);
}

void CDC::put(int x, int y, std::uint32_t color)
{
    ui::BitmapImage* target = surface();
    if (!target)
        return;
    const int s = scale();
    if (s == 1) {
        target->setPixel(x, y, color);
        return;
    }
    for (int dy = 0; dy < s; ++dy)
        for (int dx = 0; dx < s; ++dx)
            target->setPixel(x * s + dx, y * s + dy, color);
}

std::uint32_t CDC::get(int x, int y) const
{
    const ui::BitmapImage* target = surface();
    return target ? target->pixel(x * scale(), y * scale()) : 0;
}

void CDC::record(std::wstring call)
{
    m_calls.push_back(std::move(call));
}

void CDC::fill(const RECT& rect, COLORREF color)
{
    ui::BitmapImage* target = surface();
    if (!target)
        return;
    const int s = scale();
    target->fill(int(rect.left) * s, int(rect.top) * s, int(rect.right) * s, int(rect.bottom) * s, color);
}

void CDC::plotPen(int x, int y)
{
    const ui::gdi::Pen* pen = ui::gdi::pen(m_penHandle);
    ui::BitmapImage* target = surface();
    if (!pen || pen->style == PS_NULL || !target)
        return;
    const int width = std::max(1, pen->width);
    const int from = -(width - 1) / 2;
    fill({x + from, y + from, x + from + width, y + from + width}, pen->color);
}

void CDC::drawLine(int x0, int y0, int x1, int y1)
{
    // Bresenham; the last point is left out, so joined lines do not draw their corners twice.
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    while (x0 != x1 || y0 != y1) {
        plotPen(x0, y0);
        const int twice = 2 * error;
        if (twice >= dy)
            error += dy, x0 += sx;
        if (twice <= dx)
            error += dx, y0 += sy;
    }
}

CPoint CDC::MoveTo(int x, int y)
{
    const CPoint previous = m_position;
    m_position = CPoint(x, y);
    record(L"MoveTo(" + number(x) + L"," + number(y) + L")");
    return previous;
}

BOOL CDC::LineTo(int x, int y)
{
    record(L"LineTo(" + number(x) + L"," + number(y) + L")");
    drawLine(m_position.x, m_position.y, x, y);
    m_position = CPoint(x, y);
    return TRUE;
}

BOOL CDC::Rectangle(int left, int top, int right, int bottom)
{
    const CRect rect(left, top, right, bottom);
    record(L"Rectangle(" + rectText(rect) + L")");
    COLORREF brush = 0;
    if (ui::gdi::brushColor(m_brushHandle, brush))
        fill(rect, brush);
    if (right - left >= 1 && bottom - top >= 1) {
        const int r = right - 1, b = bottom - 1;
        for (int x = left; x <= r; ++x)
            plotPen(x, top), plotPen(x, b);
        for (int y = top; y <= b; ++y)
            plotPen(left, y), plotPen(r, y);
    }
    return TRUE;
}

BOOL CDC::Rectangle(LPCRECT rect)
{
    return rect ? Rectangle(rect->left, rect->top, rect->right, rect->bottom) : FALSE;
}

void CDC::FillSolidRect(LPCRECT rect, COLORREF color)
{
    if (!rect)
        return;
    // As MFC does: FillSolidRect works through the background colour and leaves it set.
    SetBkColor(color);
    record(L"FillSolidRect(" + rectText(*rect) + L"," + hex(color) + L")");
    fill(*rect, ui::resolveColor(color));
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color)
{
    const CRect rect(x, y, x + cx, y + cy);
    FillSolidRect(&rect, color);
}

void CDC::FillRect(LPCRECT rect, CBrush* brush)
{
    if (!rect || !brush)
        return;
    record(L"FillRect(" + rectText(*rect) + L"," + hex(brush->color()) + L")");
    fill(*rect, brush->color());
}

void CDC::FrameRect(LPCRECT rect, CBrush* brush)
{
    if (!rect || !brush)
        return;
    record(L"FrameRect(" + rectText(*rect) + L"," + hex(brush->color()) + L")");
    const COLORREF c = brush->color();
    fill({rect->left, rect->top, rect->right, rect->top + 1}, c);
    fill({rect->left, rect->bottom - 1, rect->right, rect->bottom}, c);
    fill({rect->left, rect->top, rect->left + 1, rect->bottom}, c);
    fill({rect->right - 1, rect->top, rect->right, rect->bottom}, c);
}

void CDC::Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight)
{
    if (!rect)
        return;
    record(L"Draw3dRect(" + rectText(*rect) + L"," + hex(topLeft) + L"," + hex(bottomRight) + L")");
    const COLORREF a = ui::resolveColor(topLeft), b = ui::resolveColor(bottomRight);
    fill({rect->left, rect->top, rect->right - 1, rect->top + 1}, a);
    fill({rect->left, rect->top, rect->left + 1, rect->bottom - 1}, a);
    fill({rect->right - 1, rect->top, rect->right, rect->bottom}, b);
    fill({rect->left, rect->bottom - 1, rect->right, rect->bottom}, b);
}

void CDC::DrawFocusRect(LPCRECT rect)
{
    if (!rect)
        return;
    record(L"DrawFocusRect(" + rectText(*rect) + L")");
    // A dotted frame drawn by inverting, so drawing it twice removes it, as Windows relies on.
    ui::BitmapImage* target = surface();
    if (!target)
        return;
    auto invert = [&](int x, int y) { put(x, y, ~get(x, y) & white); };
    for (int x = rect->left; x < rect->right; x += 2)
        invert(x, rect->top), invert(x, rect->bottom - 1);
    for (int y = rect->top + 2; y < rect->bottom - 1; y += 2)
        invert(rect->left, y), invert(rect->right - 1, y);
}

void CDC::GradientFill(const RECT& rect, COLORREF from, COLORREF to, bool horizontal)
{
    record(L"GradientFill(" + rectText(rect) + L"," + hex(from) + L"," + hex(to) + (horizontal ? L",H)" : L",V)"));
    const COLORREF a = ui::resolveColor(from), b = ui::resolveColor(to);
    const int span = std::max(1, int(horizontal ? rect.right - rect.left : rect.bottom - rect.top));
    for (int i = 0; i < span; ++i) {
        auto mix = [&](int shift) {
            const int x = (a >> shift) & 0xFF, y = (b >> shift) & 0xFF;
            return COLORREF((x + (y - x) * i / span) & 0xFF) << shift;
        };
        const COLORREF color = mix(0) | mix(8) | mix(16);
        if (horizontal)
            fill({rect.left + i, rect.top, rect.left + i + 1, rect.bottom}, color);
        else
            fill({rect.left, rect.top + i, rect.right, rect.top + i + 1}, color);
    }
}

COLORREF CDC::SetPixel(int x, int y, COLORREF color)
{
    put(x, y, ui::resolveColor(color));
    return ui::resolveColor(color);
}

COLORREF CDC::GetPixel(int x, int y) const
{
    const ui::BitmapImage* target = surface();
    if (!target || x < 0 || y < 0 || x * scale() >= target->width() || y * scale() >= target->height())
        return CLR_INVALID;
    return get(x, y);
}

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* source, int xSource, int ySource, DWORD rop)
{
    return StretchBlt(x, y, width, height, source, xSource, ySource, width, height, rop);
}

BOOL CDC::StretchBlt(int x, int y, int width, int height, CDC* source, int xSource, int ySource, int sourceWidth,
                     int sourceHeight, DWORD rop)
{
    record(L"BitBlt(" + number(x) + L"," + number(y) + L"," + number(width) + L"," +
           number(height) + L"," + number(rop) + L")");
    ui::BitmapImage* target = surface();
    const ui::BitmapImage* from = source ? source->surface() : nullptr;
    if (!target || width <= 0 || height <= 0)
        return target ? TRUE : FALSE;
    const bool needsSource = rop != BLACKNESS && rop != WHITENESS && rop != DSTINVERT && rop != PATCOPY;
    if (needsSource && (!from || sourceWidth <= 0 || sourceHeight <= 0))
        return FALSE;
    COLORREF pattern = 0;
    ui::gdi::brushColor(m_brushHandle, pattern);
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            std::uint32_t sourcePixel = pattern;
            if (needsSource) {
                const int sx = xSource + column * sourceWidth / width, sy = ySource + row * sourceHeight / height;
                sourcePixel = source->get(sx, sy);
                // Colour conversions between monochrome and colour surfaces, as Windows makes them:
                // a mask drawn on colour takes the destination's text (0) and background (1) colours;
                // a colour picture drawn on a mask gives 1 where it has the source's background colour.
                if (from->isMonochrome() && !target->isMonochrome())
                    sourcePixel = sourcePixel == white ? m_bkColor : m_textColor;
                else if (!from->isMonochrome() && target->isMonochrome())
                    sourcePixel = sourcePixel == source->m_bkColor ? white : 0;
            }
            const int tx = x + column, ty = y + row;
            put(tx, ty, applyRop(sourcePixel, get(tx, ty), rop) & white);
        }
    }
    return TRUE;
}

BOOL CDC::DrawIcon(int x, int y, HICON icon)
{
    const auto picture = ui::gdi::icon(icon);
    record(L"DrawIcon(" + number(x) + L"," + number(y) + L")");
    if (!picture || picture->isNull())
        return FALSE;
    const ui::BitmapImage mask = picture->maskOf(picture->pixel(0, picture->height() - 1));
    ui::BitmapImage* target = surface();
    if (!target)
        return TRUE;
    for (int row = 0; row < picture->height(); ++row)
        for (int column = 0; column < picture->width(); ++column)
            if (mask.pixel(column, row) != white)
                put(x + column, y + row, picture->pixel(column, row));
    return TRUE;
}

void CDC::DrawTransparent(int x, int y, const ui::BitmapImage& picture, const ui::BitmapImage& mask)
{
    record(L"DrawTransparent(" + number(x) + L"," + number(y) + L"," +
           number(picture.width()) + L"," + number(picture.height()) + L")");
    ui::BitmapImage* target = surface();
    if (!target)
        return;
    // AND with the mask keeps the background where the mask is white and clears it elsewhere; OR with
    // the picture (blackened where transparent) then paints the opaque part.
    const ui::BitmapImage opaque = picture.blackenedBy(mask);
    for (int row = 0; row < picture.height(); ++row) {
        for (int column = 0; column < picture.width(); ++column) {
            const int tx = x + column, ty = y + row;
            const std::uint32_t kept = get(tx, ty) & mask.pixel(column, row);
            put(tx, ty, kept | opaque.pixel(column, row));
        }
    }
}

LOGFONT CDC::currentFont() const
{
    return ui::fontOrDefault(m_fontHandle);
}

int CDC::lineHeight() const
{
    return ui::TextRenderer::instance().metrics(currentFont()).height;
}

CSize CDC::GetTextExtent(const CString& text) const
{
    // As GetTextExtentPoint32: one line's advance; line breaks are characters like any other, but
    // callers here measure labels that may hold several lines, so each line is measured on its own.
    ui::TextRenderer& renderer = ui::TextRenderer::instance();
    const LOGFONT font = currentFont();
    int longest = 0, lines = 1;
    std::wstring_view rest = text.str();
    for (;;) {
        const std::size_t end = rest.find(L'\n');
        std::wstring_view line = rest.substr(0, end);
        if (!line.empty() && line.back() == L'\r')
            line.remove_suffix(1);
        longest = std::max(longest, renderer.width(font, line));
        if (end == std::wstring_view::npos)
            break;
        rest.remove_prefix(end + 1);
        ++lines;
    }
    return CSize(longest, lines * lineHeight());
}

BOOL CDC::TextOut(int x, int y, const CString& text)
{
    CRect rect(x, y, x + GetTextExtent(text).cx, y + lineHeight());
    record(L"TextOut(" + number(x) + L"," + number(y) + L",\"" + text.str() + L"\")");
    const std::size_t before = m_calls.size();
    DrawText(text, &rect, DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
    m_calls.resize(before);
    return TRUE;
}

namespace {

// Without DT_NOPREFIX "&x" marks x as the mnemonic and "&&" is one ampersand. The mark itself is
// not drawn: Windows hides mnemonic underlines until the keyboard is used.
std::wstring withoutPrefixes(std::wstring_view text)
{
    std::wstring out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&' && i + 1 < text.size())
            ++i;
        else if (text[i] == L'&')
            continue;
        out += text[i];
    }
    return out;
}

// Breaks text into the lines DrawText draws: at line breaks (unless single-line), and with
// DT_WORDBREAK between words so each line fits the width; a word wider than the width stays whole and
// is clipped, as Windows does.
std::vector<std::wstring> breakLines(const std::wstring& text, UINT format, int width, const LOGFONT& font)
{
    std::vector<std::wstring> paragraphs;
    if (format & DT_SINGLELINE) {
        std::wstring line;
        for (wchar_t c : text)
            if (c != L'\n' && c != L'\r')
                line += c;
        paragraphs.push_back(std::move(line));
    } else {
        std::wstring line;
        for (wchar_t c : text) {
            if (c == L'\r')
                continue;
            if (c == L'\n') {
                paragraphs.push_back(std::move(line));
                line.clear();
                continue;
            }
            line += c;
        }
        paragraphs.push_back(std::move(line));
    }
    if (!(format & DT_WORDBREAK) || (format & DT_SINGLELINE))
        return paragraphs;
    ui::TextRenderer& renderer = ui::TextRenderer::instance();
    std::vector<std::wstring> lines;
    std::vector<int> advances;
    for (const std::wstring& paragraph : paragraphs) {
        renderer.advances(font, paragraph, advances);
        std::size_t start = 0;
        while (start <= paragraph.size()) {
            // The longest run of whole words from `start` that fits.
            int used = 0;
            std::size_t end = start, lastBreak = std::wstring::npos;
            while (end < paragraph.size()) {
                if (paragraph[end] == L' ')
                    lastBreak = end;
                if (used + advances[end] > width && paragraph[end] != L' ')
                    break;
                used += advances[end++];
            }
            if (end < paragraph.size() && lastBreak != std::wstring::npos && lastBreak > start)
                end = lastBreak;
            else if (end < paragraph.size())
                while (end < paragraph.size() && paragraph[end] != L' ')
                    ++end;  // one word wider than the line
            std::wstring line = paragraph.substr(start, end - start);
            while (!line.empty() && line.back() == L' ')
                line.pop_back();
            lines.push_back(std::move(line));
            start = end;
            while (start < paragraph.size() && paragraph[start] == L' ')
                ++start;
            if (start >= paragraph.size())
                break;
        }
    }
    return lines;
}

// Shortens a line to fit the width with "..." at its end.
std::wstring withEllipsis(const std::wstring& line, int width, const LOGFONT& font)
{
    ui::TextRenderer& renderer = ui::TextRenderer::instance();
    if (renderer.width(font, line) <= width)
        return line;
    const int dots = renderer.width(font, L"...");
    std::vector<int> advances;
    renderer.advances(font, line, advances);
    int used = 0;
    std::size_t keep = 0;
    while (keep < line.size() && used + advances[keep] + dots <= width)
        used += advances[keep++];
    return line.substr(0, keep) + L"...";
}

}  // namespace

int CDC::DrawText(const CString& text, LPRECT rect, UINT format)
{
    if (!rect)
        return 0;
    ui::TextRenderer& renderer = ui::TextRenderer::instance();
    const LOGFONT font = currentFont();
    const int lh = lineHeight();
    const int boxWidth = int(rect->right - rect->left);
    const std::wstring shown = (format & DT_NOPREFIX) ? text.str() : withoutPrefixes(text.str());
    std::vector<std::wstring> lines = breakLines(shown, format, boxWidth, font);
    if (format & DT_END_ELLIPSIS)
        for (std::wstring& line : lines)
            line = withEllipsis(line, boxWidth, font);
    int widest = 0;
    std::vector<int> widths;
    for (const auto& line : lines)
        widest = std::max(widest, widths.emplace_back(renderer.width(font, line)));
    const int height = int(lines.size()) * lh;
    if (format & DT_CALCRECT) {
        rect->right = rect->left + widest;
        rect->bottom = rect->top + height;
        return height;
    }
    record(L"DrawText(\"" + text.str() + L"\"," + rectText(*rect) + L"," + number(format) + L")");
    ui::BitmapImage* target = surface();
    if (!target)
        return height;
    int top = rect->top;
    if ((format & DT_SINGLELINE) && (format & DT_VCENTER))
        top = rect->top + (rect->bottom - rect->top - lh) / 2;
    else if ((format & DT_SINGLELINE) && (format & DT_BOTTOM))
        top = rect->bottom - lh;
    const RECT clip = (format & DT_NOCLIP) ? RECT{-(1 << 20), -(1 << 20), 1 << 20, 1 << 20} : *rect;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int width = widths[i];
        int left = rect->left;
        if (format & DT_CENTER)
            left = rect->left + (boxWidth - width) / 2;
        else if (format & DT_RIGHT)
            left = rect->right - width;
        const int y = top + int(i) * lh;
        if (m_bkMode == OPAQUE) {
            const RECT box{std::max<LONG>(left, clip.left), std::max<LONG>(y, clip.top),
                           std::min<LONG>(left + width, clip.right), std::min<LONG>(y + lh, clip.bottom)};
            if (box.left < box.right && box.top < box.bottom)
                fill(box, m_bkColor);
        }
        renderer.draw(*target, scale(), font, left, y, lines[i], m_textColor, clip);
        if (font.lfUnderline || font.lfStrikeOut) {
            const ui::TextMetrics metrics = renderer.metrics(font);
            const int lineY = font.lfUnderline ? y + metrics.ascent + 1 : y + metrics.ascent * 2 / 3;
            const RECT stroke{std::max<LONG>(left, clip.left), std::max<LONG>(lineY, clip.top),
                              std::min<LONG>(left + width, clip.right), std::min<LONG>(lineY + 1, clip.bottom)};
            if (stroke.left < stroke.right && stroke.top < stroke.bottom)
                fill(stroke, m_textColor);
        }
    }
    return height;
}

CPaintDC::CPaintDC(CWnd* window)
{
    ActivePainting& painting = activePainting();
    if (window && painting.context && painting.window == window->GetSafeHwnd()) {
        setSurface(std::shared_ptr<ui::BitmapImage>(painting.context->surface(), [](ui::BitmapImage*) {}),
                   painting.context->scale());
        m_borrowed = true;
    }
}

CPaintDC::~CPaintDC()
{
    ActivePainting& painting = activePainting();
    if (m_borrowed && painting.context)
        for (const auto& call : calls())
            painting.context->record(call);
}

namespace ui {

void paintClient(HWND hwnd, const std::shared_ptr<BitmapImage>& surface, int scale, std::vector<std::wstring>* calls)
{
    CDC context;
    context.setSurface(surface, scale);
    ActivePainting saved = activePainting();
    activePainting() = {hwnd, &context};
    sendMessage(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(context.GetSafeHdc()), 0);
    sendMessage(hwnd, WM_PAINT, 0, 0);
    activePainting() = saved;
    if (calls)
        *calls = context.calls();
}

Painting paintWindow(HWND hwnd)
{
    Painting result;
    Window* window = windowFromHandle(hwnd);
    if (!window)
        return result;
    const RECT client = window->clientRect();
    auto image = std::make_shared<BitmapImage>(int(client.right - client.left), int(client.bottom - client.top),
                                               GetSysColor(COLOR_BTNFACE));
    paintClient(hwnd, image, 1, &result.calls);
    result.image = *image;
    return result;
}

}  // namespace ui
