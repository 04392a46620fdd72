#pragma once
// The core's preview pictures of macro drawings, as the macro selection shows them. A preview is drawn
// from the macro itself (its name, and its modules with a mark for their kind) into a BMP file kept in
// the preview folder, and drawn again only when the macro file is newer than its picture.
//
// The preview folder is $XDG_CACHE_HOME/connsheet/previews/ (~/.cache/... without it; the temporary
// folder when neither is set) unless set; a picture is named after the macro file, its path's hash and
// the kind of preview ("FinPlate-1f3a...-abm.bmp"), so macros of the same name in other folders and
// other kinds of preview keep pictures of their own.
#include "platform/mxbase/Mx_String.h"
#include "platform/mxbase/Mx_StringArray.h"

// The preview's size in pixels.
constexpr int kMacroPreviewWidth = 120;
constexpr int kMacroPreviewHeight = 90;

// Makes (when missing or older than its macro) the preview of each macro file; `previews` gets the
// picture's path for each file, in order, empty for one that could not be written. A macro that cannot
// be read gets a picture that says so. `kind` names the kind of preview and is part of the file name.
// False when any picture could not be written.
bool CreatePreviewBMPs(const Mx_StringArray& macroFiles, const Mx_String& kind, Mx_StringArray& previews);

// The folder, with a separator at its end. An empty folder returns to the default.
Mx_String macroPreviewFolder();
void setMacroPreviewFolder(const Mx_String& folder);
