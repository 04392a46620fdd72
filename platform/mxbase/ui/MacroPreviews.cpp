#include "platform/mxbase/ui/MacroPreviews.h"

#include <cstdlib>  // getenv
#include <filesystem>
#include <functional>  // hash
#include <optional>
#include <string>

#include "platform/mfc/Bitmap.h"
#include "platform/mfc/BitmapFile.h"
#include "platform/mfc/Dc.h"
#include "platform/mfc/Font.h"
#include "platform/mfc/GdiBrush.h"
#include "platform/mxbase/FileSystem.h"
#include "platform/mxbase/MacroJson.h"
#include "platform/mxbase/Mx_Macro.h"
#include "platform/mxbase/StringFunctions.h"

namespace {

std::optional<Mx_String>& chosenFolder() {
    static std::optional<Mx_String> folder;
    return folder;
}

Mx_String defaultFolder() {
    std::filesystem::path base;
    if (const char* cache = std::getenv("XDG_CACHE_HOME"); cache && *cache)
        base = cache;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = std::filesystem::path(home) / ".cache";
    else
        base = std::filesystem::temp_directory_path();
    return Mx_String(fsys::toWide(base / "connsheet" / "previews")) + L"/";
}

// A hash that is the same in every run (std::hash of a string is not promised to be).
std::string pathHash(const std::wstring& path) {
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (wchar_t c : path) {
        hash ^= static_cast<std::uint64_t>(c);
        hash *= 1099511628211ull;
    }
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    for (int shift = 60; shift >= 0; shift -= 4)
        text += kDigits[(hash >> shift) & 0xF];
    return text;
}

// A small mark for the module's kind: a plate, a bolt (a cross in a square) or a profile (an I).
void drawKindMark(CDC& dc, Mx_ModuleKind kind, int x, int y) {
    const COLORREF ink = RGB(64, 64, 64);
    switch (kind) {
        case Mx_ModuleKind::Bolt: {
            dc.Draw3dRect(CRect(x, y, x + 8, y + 8), ink, ink);
            dc.FillSolidRect(x + 3, y + 1, 2, 6, ink);
            dc.FillSolidRect(x + 1, y + 3, 6, 2, ink);
            break;
        }
        case Mx_ModuleKind::Profile:
            dc.FillSolidRect(x, y, 8, 2, ink);
            dc.FillSolidRect(x + 3, y, 2, 8, ink);
            dc.FillSolidRect(x, y + 6, 8, 2, ink);
            break;
        default:
            dc.FillSolidRect(x, y + 1, 8, 6, RGB(160, 160, 160));
            dc.Draw3dRect(CRect(x, y + 1, x + 8, y + 7), ink, ink);
            break;
    }
}

// The preview of one macro: its name in bold over a rule, then a line per module (as many as fit).
ui::BitmapImage drawPreview(const Mx_String& file) {
    Mx_Macro macro;
    Mx_String problem;
    std::string error;
    const std::optional<std::string> bytes = fsys::readBytes(fsys::fromWide(file.view()), &error);
    const bool readable = bytes && macrojson::read(*bytes, macro, nullptr, problem);
    const Mx_String title = readable && !macro.name().isEmpty() ? macro.name() : getFileName(file, false);

    CBitmap bitmap;
    bitmap.CreateBitmapFrom(ui::BitmapImage(kMacroPreviewWidth, kMacroPreviewHeight, 0xFFFFFF));
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, kMacroPreviewWidth, kMacroPreviewHeight, RGB(255, 255, 255));
    dc.Draw3dRect(CRect(0, 0, kMacroPreviewWidth, kMacroPreviewHeight), RGB(160, 160, 160),
                  RGB(160, 160, 160));
    dc.SetBkMode(TRANSPARENT);

    CFont bold, plain;
    bold.CreateFont(-11, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, L"Tahoma");
    plain.CreateFont(-10, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, L"Tahoma");
    CFont* before = dc.SelectObject(&bold);
    dc.SetTextColor(RGB(0, 0, 128));
    CRect line(5, 4, kMacroPreviewWidth - 5, 18);
    dc.DrawText(CString(title.c_str()), &line, DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    dc.FillSolidRect(5, 19, kMacroPreviewWidth - 10, 1, RGB(0, 0, 128));

    dc.SelectObject(&plain);
    dc.SetTextColor(RGB(0, 0, 0));
    if (!readable) {
        CRect text(5, 24, kMacroPreviewWidth - 5, kMacroPreviewHeight - 4);
        dc.SetTextColor(RGB(160, 0, 0));
        dc.DrawText(CString(L"The macro cannot be read."), &text, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    } else {
        constexpr int kLineHeight = 13;
        const int fitting = (kMacroPreviewHeight - 24 - 3) / kLineHeight;
        const int count = macro.numModules();
        for (int i = 0; i < count && i < fitting; ++i) {
            const int top = 24 + i * kLineHeight;
            // The last line that fits says how many more there are, when they do not all fit.
            if (i == fitting - 1 && count > fitting) {
                CRect more(5, top, kMacroPreviewWidth - 5, top + kLineHeight);
                dc.DrawText(CString((L"+ " + std::to_wstring(count - i) + L" more").c_str()), &more,
                            DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
                break;
            }
            const Mx_Module& module = macro.modules()[i];
            drawKindMark(dc, module.kind(), 6, top + 3);
            CRect name(18, top, kMacroPreviewWidth - 5, top + kLineHeight);
            dc.DrawText(CString(module.name().c_str()), &name,
                        DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
        }
    }
    dc.SelectObject(before);
    const ui::BitmapImage* drawn = bitmap.image();
    return drawn ? *drawn : ui::BitmapImage();
}

}  // namespace

Mx_String macroPreviewFolder() {
    return chosenFolder() ? *chosenFolder() : defaultFolder();
}

void setMacroPreviewFolder(const Mx_String& folder) {
    if (folder.isEmpty())
        chosenFolder().reset();
    else
        chosenFolder() = ensureEndBSlash(folder);
}

bool CreatePreviewBMPs(const Mx_StringArray& macroFiles, const Mx_String& kind, Mx_StringArray& previews) {
    previews = Mx_StringArray();
    const std::filesystem::path folder = fsys::resolve(macroPreviewFolder().view());
    std::string error;
    const bool haveFolder = fsys::createDirectories(folder, &error);
    bool all = true;
    for (const Mx_String& file : macroFiles) {
        const std::filesystem::path source = fsys::resolve(file.view());
        const std::filesystem::path picture =
            folder / (getFileName(file, false).toUtf8() + "-" + pathHash(fsys::toWide(source)) + "-" +
                      kind.toUtf8() + ".bmp");
        const std::optional<std::int64_t> made = fsys::lastWriteTime(picture);
        const std::optional<std::int64_t> changed = fsys::lastWriteTime(source);
        const bool current = made && (!changed || *changed <= *made);
        if (!current &&
            (!haveFolder || !fsys::writeAtomic(picture, ui::encodeBmp(drawPreview(file)), &error))) {
            previews.append(Mx_String());
            all = false;
            continue;
        }
        previews.append(Mx_String(fsys::toWide(picture)));
    }
    return all;
}
