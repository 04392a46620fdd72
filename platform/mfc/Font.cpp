#include "platform/mfc/Font.h"

#include <cwchar>  // wcsncpy

BOOL CFont::CreateFontIndirect(const LOGFONT* font)
{
    if (font == nullptr || m_hObject != nullptr)
        return FALSE;
    LOGFONT copy = *font;
    copy.lfFaceName[31] = L'\0';
    m_hObject = ui::gdi::addFont(copy);
    return TRUE;
}

BOOL CFont::CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                       BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                       BYTE quality, BYTE pitchAndFamily, LPCTSTR faceName)
{
    LOGFONT font;
    font.lfHeight = height;
    font.lfWidth = width;
    font.lfEscapement = escapement;
    font.lfOrientation = orientation;
    font.lfWeight = weight;
    font.lfItalic = italic;
    font.lfUnderline = underline;
    font.lfStrikeOut = strikeOut;
    font.lfCharSet = charSet;
    font.lfOutPrecision = outPrecision;
    font.lfClipPrecision = clipPrecision;
    font.lfQuality = quality;
    font.lfPitchAndFamily = pitchAndFamily;
    if (faceName)
        std::wcsncpy(font.lfFaceName, faceName, 31);
    return CreateFontIndirect(&font);
}

BOOL CFont::CreatePointFont(int pointSizeTenths, LPCTSTR faceName)
{
    LOGFONT font;
    // Points to pixels at 96 dpi, rounded: 8 pt -> 11 px, 10 pt -> 13 px.
    font.lfHeight = -((pointSizeTenths * 96 + 360) / 720);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    if (faceName)
        std::wcsncpy(font.lfFaceName, faceName, 31);
    return CreateFontIndirect(&font);
}

int CFont::GetLogFont(LOGFONT* font) const
{
    const LOGFONT* found = ui::gdi::font(static_cast<HFONT>(m_hObject));
    if (!found || !font)
        return 0;
    *font = *found;
    return int(sizeof(LOGFONT));
}

namespace ui {

LOGFONT fontOrDefault(HFONT handle)
{
    if (const LOGFONT* found = gdi::font(handle))
        return *found;
    LOGFONT font;
    font.lfHeight = -11;
    font.lfWeight = FW_NORMAL;
    std::wcsncpy(font.lfFaceName, L"Tahoma", 31);
    return font;
}

}  // namespace ui
