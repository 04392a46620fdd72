#include "sectionlib/SectionLibHooks.h"

#include "platform/mfc/Bitmap.h"  // ui::gdi::loadBitmapFile
#include "platform/mfc/Win32Api.h"
#include "platform/mxbase/Mx_Settings.h"
#include "platform/mxbase/ObjectExportFiles.h"
#include "spread/Mx_Spread.h"
#include "spread/SectionTypeImages.h"

namespace sectionlib {

namespace {

bool gridOptions(CWnd*, Mx_Spread& grid) {
    return grid.editHeaders();
}

void gridSearch(Mx_Spread& grid) {
    MSG msg{};
    msg.hwnd = grid.GetSafeHwnd();
    msg.message = WM_KEYDOWN;
    msg.wParam = VK_F3;
    grid.PreTranslateMessage(&msg);
}

SpreadOptionsHook gOptions = gridOptions;
SearchHook gSearch = gridSearch;
SectionPictureHook gPicture = sectionImageFile;

}  // namespace

void setSpreadOptionsHook(SpreadOptionsHook hook) {
    gOptions = hook ? hook : gridOptions;
}
void setSearchHook(SearchHook hook) {
    gSearch = hook ? hook : gridSearch;
}
void setSectionPictureHook(SectionPictureHook hook) {
    gPicture = hook ? hook : sectionImageFile;
}

bool runSpreadOptions(CWnd* owner, Mx_Spread& grid) {
    return gOptions(owner, grid);
}
void runSearch(Mx_Spread& grid) {
    gSearch(grid);
}
Mx_String sectionPictureFile(const Mx_String& typeOrDrawing, const Mx_String& sectionName, bool big) {
    return gPicture(typeOrDrawing, sectionName, big);
}

HBITMAP loadTablePicture(const Mx_String& image, bool big) {
    Mx_String path;
    if (image.contains(L'.') && !image.endsWith(L".dwg", false)) {
        path = gSettings.libDir() + L"prof\\" + image;
    } else {
        const Mx_String file = sectionPictureFile(image, Mx_String(), big);
        if (file.isEmpty())
            return nullptr;
        path = gSettings.mxDir() + L"icons\\" + file;
    }
    if (!ObjectExportFileExists(path))
        return nullptr;
    return ui::gdi::loadBitmapFile(path.str());
}

}  // namespace sectionlib
