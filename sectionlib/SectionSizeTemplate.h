#pragma once
// How a new size of a profile values table is made from one of its sizes: the new size's system name
// (typed, or generated from its values), its display name in every language, its values, the check a
// rectangular tube's sizes must pass, and its place among the table's sizes. The simple library dialog
// and the `connsheet sections add` command both add sizes through it, so both name sizes alike.
//
// Names read like the template's: every language's display name of the template is split around the
// template's system name into a prefix and a suffix ("HE 200 A" around "200" gives "HE " and " A"), and
// the new size's display name is prefix, new system name, suffix ("HE 220 A"). A generated system name
// joins the values at the name positions with "x"; the positions are the value columns whose values
// spell the template's system name ("100x50x5" is h, b and t of an angle). See docs/section-library.md.
#include <vector>

#include "platform/mxbase/Mx_String.h"
#include "platform/mxbase/Mx_StringArray.h"
#include "sectionlib/Mx_ProfValuesTable.h"

class SectionSizeTemplate {
public:
    enum class AddResult {
        Added,
        BadName,       // empty, or holding a TAB or line break
        NameInUse,     // the table already has a size of that system name
        BadValue,      // a value is not a number
        TubeThickness  // section type 10: the inner value must be 0 or greater than the one before it
    };

    // The template is the size whose system name is `sysName`, the first row when there is none.
    SectionSizeTemplate(const Mx_ProfValuesTable& table, const Mx_String& sysName);

    const Mx_ProfValuesTable& table() const { return table_; }
    // -1 when the table has no rows.
    int templateRow() const { return templateRow_; }
    int valueCount() const { return valueNames_.length(); }
    // The value headers and the template's values, as many as there are value headers.
    const Mx_StringArray& valueNames() const { return valueNames_; }
    const Mx_StringArray& templateValues() const { return templateValues_; }
    // Per language (in table order): the text before and after the system name in display names.
    const Mx_StringArray& prefixes() const { return prefixes_; }
    const Mx_StringArray& suffixes() const { return suffixes_; }
    // Value positions (from 0) that make a generated name.
    const std::vector<int>& namePositions() const { return namePositions_; }
    // The prefix of the current language (MacroLangs::GetCurLanguage), the first language's otherwise.
    Mx_String currentPrefix() const;
    Mx_String currentSuffix() const;

    // The values at the name positions joined by "x"; numbers are written without trailing zeros.
    Mx_String generatedName(const Mx_StringArray& values) const;
    // The display name of a size named `sysName` in language `language` (from 0).
    Mx_String displayName(int language, const Mx_String& sysName) const;
    // A copy of the template row with flag "1", the names and the values (missing values keep the
    // template's).
    Mx_StringArray buildRow(const Mx_String& sysName, const Mx_StringArray& values) const;

    // Checks the new size and inserts it at its sorted place in `table` (a copy of this template's
    // table). `index` receives the row it was inserted at; nothing changes unless the result is Added.
    AddResult addTo(Mx_ProfValuesTable& table, const Mx_String& sysName, const Mx_StringArray& values,
                    int& index) const;

    // The row at which a size named `sysName` is inserted: right behind the size that precedes it in
    // natural order (numbers by value) among the sizes of its form, names "AxA" among those of that form.
    static int sortedPosition(const Mx_ProfValuesTable& table, const Mx_String& sysName);
    // Natural order: runs of digits compare by value, everything else ignoring case.
    static int compareNames(const Mx_String& a, const Mx_String& b);
    // The table's picture is section type 10 (a rectangular tube).
    static bool isRectTube(const Mx_ProfValuesTable& table);
    // For a rectangular tube: the value at L + 5 is 0 or greater than the one at L + 4. Short rows pass.
    static bool passesTubeCheck(const Mx_ProfValuesTable& table, const Mx_StringArray& row);

private:
    Mx_ProfValuesTable table_;
    int templateRow_ = -1;
    int languages_ = 4;
    Mx_StringArray valueNames_;
    Mx_StringArray templateValues_;
    Mx_StringArray prefixes_;
    Mx_StringArray suffixes_;
    std::vector<int> namePositions_;
};
