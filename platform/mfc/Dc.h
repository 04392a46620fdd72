#pragma once
// MFC's CDC: a device context that both records what is drawn and paints it.
//
// Every drawing call is appended to calls() as one readable line ("FillSolidRect(0,0,10,10,#FF0000)"),
// so a test can check what a handler drew without caring about pixels. When the context has a surface
// (a memory context with a bitmap selected, or the window surface given by ui::paintWindow), lines,
// rectangles, fills, bitmaps, icons and text boxes are also rasterised onto it, so a test can check
// pixels too.
//
// Text is measured and drawn with real fonts (TextRenderer.h): DrawText breaks words, adds ellipses
// and aligns by the glyphs' real advances.
//
// A window surface may be drawn at a scale (2 for a picture at 192 dpi): coordinates stay logical and
// every primitive covers scale x scale device pixels; text is drawn with the font at that scale.
//
// Colours given as system-colour values (0x800000nn) are resolved to RGB when they are used.
#include <memory>
#include <string>
#include <vector>

#include "platform/mfc/AfxTypes.h"
#include "platform/mfc/BitmapImage.h"
#include "platform/mfc/GdiObjects.h"

class CBitmap;
class CBrush;
class CFont;
class CPen;
class CWnd;

// Raster operations for BitBlt.
constexpr DWORD SRCCOPY = 0x00CC0020;
constexpr DWORD SRCPAINT = 0x00EE0086;
constexpr DWORD SRCAND = 0x008800C6;
constexpr DWORD SRCINVERT = 0x00660046;
constexpr DWORD NOTSRCCOPY = 0x00330008;
constexpr DWORD DSTINVERT = 0x00550009;
constexpr DWORD BLACKNESS = 0x00000042;
constexpr DWORD WHITENESS = 0x00FF0062;
constexpr DWORD PATCOPY = 0x00F00021;

constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Stock objects.
constexpr int WHITE_BRUSH = 0;
constexpr int LTGRAY_BRUSH = 1;
constexpr int GRAY_BRUSH = 2;
constexpr int DKGRAY_BRUSH = 3;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int HOLLOW_BRUSH = NULL_BRUSH;
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int NULL_PEN = 8;
constexpr int DEFAULT_GUI_FONT = 17;

// DrawText formats.
constexpr UINT DT_TOP = 0x0;
constexpr UINT DT_LEFT = 0x0;
constexpr UINT DT_CENTER = 0x1;
constexpr UINT DT_RIGHT = 0x2;
constexpr UINT DT_VCENTER = 0x4;
constexpr UINT DT_BOTTOM = 0x8;
constexpr UINT DT_WORDBREAK = 0x10;
constexpr UINT DT_SINGLELINE = 0x20;
constexpr UINT DT_NOCLIP = 0x100;
constexpr UINT DT_CALCRECT = 0x400;
constexpr UINT DT_NOPREFIX = 0x800;
constexpr UINT DT_END_ELLIPSIS = 0x8000;

class CDC {
public:
    CDC();
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC m_hDC = nullptr;
    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }
    // The CDC behind a handle this layer made (the wParam of WM_ERASEBKGND); null otherwise.
    static CDC* FromHandle(HDC hdc);

    // A memory context; its surface is the bitmap selected into it (none until then: drawing is only
    // recorded).
    BOOL CreateCompatibleDC(CDC* reference);
    BOOL DeleteDC();

    // Selecting null restores the context's original object of that kind.
    CBitmap* SelectObject(CBitmap* bitmap);
    CFont* SelectObject(CFont* font);
    CBrush* SelectObject(CBrush* brush);
    CPen* SelectObject(CPen* pen);
    // Selects a stock brush, pen or font; returns the handle of the object it replaced (may be null).
    HGDIOBJ SelectStockObject(int index);

    COLORREF SetTextColor(COLORREF color);
    COLORREF GetTextColor() const { return m_textColor; }
    COLORREF SetBkColor(COLORREF color);
    COLORREF GetBkColor() const { return m_bkColor; }
    int SetBkMode(int mode);
    int GetBkMode() const { return m_bkMode; }

    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT p) { return MoveTo(p.x, p.y); }
    // Draws with the current pen up to, but not including, the end point, as Windows does.
    BOOL LineTo(int x, int y);
    BOOL LineTo(POINT p) { return LineTo(p.x, p.y); }
    // Outline with the pen, inside filled with the brush; right and bottom exclusive.
    BOOL Rectangle(int left, int top, int right, int bottom);
    BOOL Rectangle(LPCRECT rect);
    void FillSolidRect(LPCRECT rect, COLORREF color);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);
    void FillRect(LPCRECT rect, CBrush* brush);
    void FrameRect(LPCRECT rect, CBrush* brush);
    void Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight);
    void DrawFocusRect(LPCRECT rect);
    // GradientFill with one rectangle: colours blend from the left (top) edge to the right (bottom) one.
    void GradientFill(const RECT& rect, COLORREF from, COLORREF to, bool horizontal);
    COLORREF SetPixel(int x, int y, COLORREF color);
    // CLR_INVALID outside the surface or without one.
    COLORREF GetPixel(int x, int y) const;

    BOOL BitBlt(int x, int y, int width, int height, CDC* source, int xSource, int ySource, DWORD rop);
    BOOL StretchBlt(int x, int y, int width, int height, CDC* source, int xSource, int ySource, int sourceWidth,
                    int sourceHeight, DWORD rop);
    // Icons are drawn transparently: the colour of their bottom-left pixel shows the background.
    BOOL DrawIcon(int x, int y, HICON icon);
    // A picture drawn with its transparency mask (white in the mask = background shows), as the
    // designer's template bitmaps are.
    void DrawTransparent(int x, int y, const ui::BitmapImage& picture, const ui::BitmapImage& mask);

    BOOL TextOut(int x, int y, const CString& text);
    // Returns the height of the text; with DT_CALCRECT only measures, adjusting rect.
    int DrawText(const CString& text, LPRECT rect, UINT format);
    CSize GetTextExtent(const CString& text) const;

    // ---- Inspection
    const std::vector<std::wstring>& calls() const { return m_calls; }
    void clearCalls() { m_calls.clear(); }
    // The surface drawn on (the selected bitmap or the window surface); null when only recording.
    ui::BitmapImage* surface() const;
    // Gives the context a surface of its own (ui::paintWindow uses it for window contexts), drawn at
    // `scale` device pixels per logical pixel.
    void setSurface(std::shared_ptr<ui::BitmapImage> surface, int scale = 1);
    int scale() const { return m_bitmap ? 1 : m_scale; }

    // Appends a line to calls() (a paint context borrowing a window surface reports through this).
    void record(std::wstring call);

private:
    void fill(const RECT& rect, COLORREF color);
    void drawLine(int x0, int y0, int x1, int y1);
    void plotPen(int x, int y);
    // One logical pixel: scale x scale device pixels.
    void put(int x, int y, std::uint32_t color);
    std::uint32_t get(int x, int y) const;
    LOGFONT currentFont() const;
    int lineHeight() const;

    std::vector<std::wstring> m_calls;
    std::shared_ptr<ui::BitmapImage> m_ownSurface;
    CBitmap* m_bitmap = nullptr;
    CFont* m_font = nullptr;
    CBrush* m_brush = nullptr;
    CPen* m_pen = nullptr;
    HBRUSH m_brushHandle = nullptr;
    HPEN m_penHandle = nullptr;
    HFONT m_fontHandle = nullptr;
    COLORREF m_textColor = 0;
    COLORREF m_bkColor = 0xFFFFFF;
    int m_bkMode = OPAQUE;
    int m_scale = 1;
    CPoint m_position;
};

constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

// The context a window's paint handlers draw on (WM_PAINT): inside ui::paintWindow it is the window
// surface; otherwise a context that only records.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* window);
    ~CPaintDC() override;

private:
    bool m_borrowed = false;
};

class CClientDC : public CPaintDC {
public:
    using CPaintDC::CPaintDC;
};

namespace ui {

struct Painting {
    BitmapImage image;               // the client area after erase and paint
    std::vector<std::wstring> calls;  // what the handlers drew, in order
};

// Paints a window as Windows would on exposure: WM_ERASEBKGND with a context over a surface of the
// client size (first filled with the button-face colour, the default dialog background), then WM_PAINT
// whose CPaintDC draws on the same surface.
Painting paintWindow(HWND window);

// Erases and paints a window's client area on the given surface (at `scale`), keeping what the
// handlers drew in `calls` when given. The surface holds what lies beneath beforehand: a window whose
// handlers leave pixels alone shows it.
void paintClient(HWND window, const std::shared_ptr<BitmapImage>& surface, int scale,
                 std::vector<std::wstring>* calls = nullptr);

}  // namespace ui
