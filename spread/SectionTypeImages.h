#pragma once
// Section pictures: which file below "<product directory>\icons\" shows a section, in a big and a small
// size. A standard section type has a picture per type ("ProfSectionI-big.bmp"), a section drawn in a
// drawing one named after the drawing ("plate-small.bmp"), and a user-defined section the copy of its
// library bitmap ("Bracket-automated.bmp"), refreshed when the library's is newer. What has no picture
// shows "Unknown-big.bmp" / "Unknown-small.bmp".
#include "platform/mxbase/Mx_String.h"

// The base name of a standard section type 1..24 ("ProfSectionI"); empty for any other number.
Mx_String sectionTypeImageName(int type);

// True unless the name ends with ".dwg" (in any letter case).
bool isNotDrawingName(const Mx_String& name);

// Copies "<library>User Sections\<name>.bmp" to "<product>\icons\<name>-automated.bmp" when the copy is
// missing or older than the library bitmap, and gives the copy's name. False when there is no library
// bitmap, when the name is not a plain name, or when no copy could be made.
bool userSectionImage(const Mx_String& name, Mx_String& fileName);

// The picture's file name relative to "<product>\icons\". typeOrDrawing is a type number as text or a
// drawing name ("plate.dwg"); when it is empty, sectionName names a user section ("User Sections\X.pr").
Mx_String sectionImageFile(const Mx_String& typeOrDrawing, const Mx_String& sectionName, bool big);
