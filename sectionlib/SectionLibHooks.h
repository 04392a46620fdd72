#pragma once
// Where the section library dialogs reach facilities of the spreadsheet component that are plugged in
// from outside this folder. Each hook is a plain function pointer with a default; setting null restores
// the default.
//
// - Spreadsheet options (values page, button 1200): the spreadsheet options dialog (dialog 245) on the
//   table's grid. Default: the grid's editHeaders(), which opens the header editor registered with
//   Mx_Spread::setHeaderEditor (nothing, and no change, when none is registered).
// - Search (values page, button 1208): the grid's find and replace dialog. Default: asks the grid for
//   it as F3 does, which opens the find/replace dialog registered with Mx_Spread::setFindReplaceFactory
//   (nothing when none is registered).
// - Section pictures (both dialogs): the file name of a section shape's picture below
//   "<product directory>\icons\". Default: sectionImageFile, the section type pictures.
#include "platform/mfc/Win32Types.h"
#include "platform/mxbase/Mx_String.h"

class CWnd;
class Mx_Spread;

namespace sectionlib {

// True when the options were changed (the caller then renews the table's headers).
using SpreadOptionsHook = bool (*)(CWnd* owner, Mx_Spread& grid);
using SearchHook = void (*)(Mx_Spread& grid);
// `typeOrDrawing`: a section type number or a ".dwg" file name; empty when none.
using SectionPictureHook = Mx_String (*)(const Mx_String& typeOrDrawing, const Mx_String& sectionName,
                                         bool big);

void setSpreadOptionsHook(SpreadOptionsHook hook);
void setSearchHook(SearchHook hook);
void setSectionPictureHook(SectionPictureHook hook);

bool runSpreadOptions(CWnd* owner, Mx_Spread& grid);
void runSearch(Mx_Spread& grid);
Mx_String sectionPictureFile(const Mx_String& typeOrDrawing, const Mx_String& sectionName, bool big);

// The picture a table's image names, loaded: a file name (it contains ".", not a ".dwg") from the
// library's "prof\" folder, otherwise the section picture of the type or drawing from the product's
// "icons\" folder. Null when there is none.
HBITMAP loadTablePicture(const Mx_String& image, bool big);

}  // namespace sectionlib
