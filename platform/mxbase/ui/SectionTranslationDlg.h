#pragma once
// The core's editor of a section-name translation table (SectionTranslation.h): one pair a line,
// "library name = translated name", in a text box under the caption `title`.
#include "platform/mxbase/Mx_String.h"
#include "platform/mxbase/Mx_StringArray.h"

// Shows the pairs for editing; OK writes the edited table to `fileName` atomically and hands it back
// in the arrays. False when cancelled or when the file could not be written (said in a message box);
// the file and the arrays are then left as they were. `columnTitle` names the translated column.
bool writeSectionTranslation(const Mx_String& title, const Mx_String& columnTitle, Mx_StringArray& names,
                             Mx_StringArray& translated, const Mx_String& fileName);

// The text box's text for the pairs, and the pairs of a text box's text: a line without "=" is a
// name without translation; blank lines and lines starting with "#" are skipped; blanks around both
// names are removed.
Mx_String sectionTranslationText(const Mx_StringArray& names, const Mx_StringArray& translated);
void parseSectionTranslationText(const Mx_String& text, Mx_StringArray& names, Mx_StringArray& translated);
