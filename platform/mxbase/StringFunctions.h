#pragma once
// The core library's free string functions. Conventions (docs/core.md has the details):
// - a boolean option named caseSensitive: false compares ignoring case (Mx_String::foldCase);
// - a boolean option named dropEmpty on the split functions: true leaves empty pieces out;
// - splitting an empty text yields no pieces at all;
// - functions that fill an out array empty it first and return the number of elements put in.
#include "platform/arx/AcArray.h"
#include "platform/mxbase/Mx_String.h"
#include "platform/mxbase/Mx_StringArray.h"

// Joins two to five strings.
Mx_String appStrs(const Mx_String& s1, const Mx_String& s2, const Mx_String& s3 = Mx_String(),
                  const Mx_String& s4 = Mx_String(), const Mx_String& s5 = Mx_String());

// An array of the given strings, in order; empty strings are elements too.
Mx_StringArray stringArr(const Mx_String& s1);
Mx_StringArray stringArr(const Mx_String& s1, const Mx_String& s2);
Mx_StringArray stringArr(const Mx_String& s1, const Mx_String& s2, const Mx_String& s3);
Mx_StringArray stringArr(const Mx_String& s1, const Mx_String& s2, const Mx_String& s3, const Mx_String& s4);
Mx_StringArray stringArr(const Mx_String& s1, const Mx_String& s2, const Mx_String& s3, const Mx_String& s4,
                         const Mx_String& s5);

// Splits at every occurrence of the separator text ("::" splits at "::" only). An empty separator
// gives the whole text as one piece. Pieces are kept exactly as they are.
int splitString(const Mx_String& text, const Mx_String& separator, Mx_StringArray& pieces,
                bool dropEmpty = false);
// Splits at a single character and removes blanks (spaces and tabs) around each piece, so a list
// typed as "a, b ,c" gives "a", "b", "c". With dropEmpty a piece that is empty after trimming goes.
int splitStringAtSymbol(const Mx_String& text, wchar_t symbol, Mx_StringArray& pieces,
                        bool dropEmpty = false);
// The ";"-list of a stored text: splits at `separator` keeping every piece, empty ones included, so
// that positions are preserved ("a;;c" gives "a", "", "c").
int strToArr(const Mx_String& text, Mx_StringArray& pieces, wchar_t separator = L';');
// Joins the elements with `separator` between them (the inverse of strToArr).
Mx_String arrToStr(const Mx_StringArray& items, const Mx_String& separator = Mx_String(L";"));

// The text after the first (or, with fromLast, the last) occurrence of `delimiter`; empty when the
// delimiter does not occur.
Mx_String getSubstrAfter(const Mx_String& text, const Mx_String& delimiter, bool fromLast = false);
// The text before the first (or last) occurrence of `delimiter`; empty when it does not occur.
Mx_String getSubstrBefore(const Mx_String& text, const Mx_String& delimiter, bool fromLast = false);

// Whether the whole text is one decimal number (parseNumber in NumberFunctions.h: blanks around,
// optional sign, "." fraction, optional exponent).
bool isNumber(const Mx_String& text);

// Paths use "\" or "/" alike. The extension is the part of the file name (after the last
// separator) from its last ".", when that "." is not the name's first character (".map" has none).
Mx_String removeExtension(const Mx_String& path);
// Replaces (or adds) the extension; `extension` may be given with or without its ".", and an empty
// one removes it.
Mx_String changeExtension(const Mx_String& path, const Mx_String& extension);
// The file name after the last "\" or "/", optionally without its extension.
Mx_String getFileName(const Mx_String& path, bool withExtension = true);
// The path with a "\" at its end unless it already ends with "\" or "/". An empty path stays empty.
Mx_String ensureEndBSlash(const Mx_String& path);

// Whether any element repeats an earlier one.
bool hasDuplicates(const Mx_StringArray& items, bool caseSensitive = true);
// The positions, ascending, of every element that repeats an earlier one (the first occurrence is not
// a duplicate: "a", "b", "A", "a" ignoring case gives 2 and 3). Returns the count.
int getDuplicates(const Mx_StringArray& items, AcArray<int>& positions, bool caseSensitive = true);
// The same, giving the repeated names: each name once, as first written, in order of first repetition.
int getDuplicates(const Mx_StringArray& items, Mx_StringArray& names, bool caseSensitive = true);

// Spreadsheet column letters: 1 -> "A", 26 -> "Z", 27 -> "AA", 702 -> "ZZ", 703 -> "AAA". Empty for
// a column below 1.
Mx_String getAlfabet(int column);

// `length` random characters: letters and digits with `withDigits`, otherwise capital letters only.
// Never contains anything a mapping file or key list treats as syntax.
Mx_String generateRandomString(int length, bool withDigits);

// A name built from `base` that is not in `existing` (compared ignoring case): `base` itself when
// free; otherwise, when `base` ends in digits, that number counted up ("HEA100" -> "HEA101"), else
// `base` followed by 1, 2, ... ("Table" -> "Table1"). Empty base counts from "1".
Mx_String findNonExistingString(const Mx_StringArray& existing, const Mx_String& base);

// The first run of digits 0-9 in `text`: its position and its digits. False when there is none.
bool findFirstNumbers(const Mx_String& text, int& position, Mx_String& digits);

// Sorts in place, stable. Ignoring case, names that differ only in case keep a fixed order
// (upper case first) so that the result never depends on the input order.
void sortArray(Mx_StringArray& items, bool ascending = true, bool caseSensitive = true);

enum class StripSide { Start, End, Both };
// Removes the characters of `symbols` from the start, the end or both ends of `text`.
Mx_String stripSymbols(const Mx_String& text, const Mx_String& symbols, StripSide side = StripSide::Both);
