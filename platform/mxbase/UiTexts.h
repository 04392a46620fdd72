#pragma once
// User-interface texts by number, from the text table compiled into the library (res/texts/en.txt).
// The table is parsed once, on first use. An unknown number gives the visible placeholder
// "<text N>", never an empty string.
#include <string>
#include <string_view>
#include <vector>

#include "platform/mxbase/Mx_String.h"

// The dialog text with this number in the current work language (English is the only table shipped,
// so every work language reads it).
Mx_String dialString(int number);

// The core's general text with this number, from the table's second section (the product calls it
// `string(n)`; named differently here so that it cannot be confused with std::string).
Mx_String coreString(int number);

namespace uitexts {

enum class Section { Dialog, Core };

// True when the table holds a text for the number.
bool has(int number, Section section = Section::Dialog);
// Number of texts in a section.
int count(Section section = Section::Dialog);

// Replaces the table with one parsed from text in the layout of res/texts/en.txt (a translated table,
// or a test's own). Returns one sentence per line that could not be used; such lines are skipped.
std::vector<std::string> load(std::string_view text);
// Back to the table compiled into the library. Returns its problems (none for a well-formed table).
std::vector<std::string> loadBuiltin();

}  // namespace uitexts
