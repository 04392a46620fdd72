#include "sectionlib/SectionSizeTemplate.h"

#include "platform/mxbase/MacroLangs.h"
#include "platform/mxbase/StringFunctions.h"

namespace {

bool isDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

// Position of `token` in `text` where it stands as a number of its own: not part of a longer number.
int findToken(const std::wstring& text, const std::wstring& token) {
    if (token.empty())
        return -1;
    for (std::size_t at = text.find(token); at != std::wstring::npos; at = text.find(token, at + 1)) {
        const std::size_t end = at + token.size();
        const bool before =
            at > 0 && (isDigit(text[at - 1]) || (text[at - 1] == L'.' && isDigit(token.front())));
        const bool after =
            end < text.size() && (isDigit(text[end]) || (text[end] == L'.' && isDigit(token.back())));
        if (!before && !after)
            return static_cast<int>(at);
    }
    return -1;
}

bool sameValue(const Mx_String& a, const Mx_String& b) {
    double x = 0, y = 0;
    if (a.toDouble(x) && b.toDouble(y))
        return x == y;
    return !a.isEmpty() && a.equal(b, false);
}

Mx_String trimmed(const Mx_String& text) {
    return stripSymbols(text, L" \t");
}

Mx_StringArray splitAtX(const Mx_String& name) {
    Mx_StringArray parts;
    std::wstring part;
    for (wchar_t c : name.str()) {
        if (c == L'x' || c == L'X') {
            parts.append(Mx_String(part));
            part.clear();
        } else {
            part += c;
        }
    }
    parts.append(Mx_String(part));
    return parts;
}

// "100x100": two equal parts around one "x".
bool isSquareForm(const Mx_String& name) {
    const Mx_StringArray parts = splitAtX(name);
    return parts.length() == 2 && !parts[0].isEmpty() && parts[0].equal(parts[1], false);
}

}  // namespace

SectionSizeTemplate::SectionSizeTemplate(const Mx_ProfValuesTable& table, const Mx_String& sysName)
    : table_(table), languages_(table.getNrLanguages()) {
    if (!table_.findSysName(sysName, templateRow_))
        templateRow_ = table_.rows.isEmpty() ? -1 : 0;
    const int firstValue = languages_ + 2;
    for (int col = firstValue; col < table_.headers.length(); ++col)
        valueNames_.append(table_.headers[col]);
    const Mx_StringArray empty;
    const Mx_StringArray& row = templateRow_ >= 0 ? table_.rows[templateRow_] : empty;
    for (int k = 0; k < valueNames_.length(); ++k)
        templateValues_.append(row.at(firstValue + k));

    const Mx_String templateName = row.at(0);
    for (int language = 0; language < languages_; ++language) {
        const std::wstring display = row.at(2 + language).str();
        const int at = findToken(display, templateName.str());
        if (at >= 0) {
            prefixes_.append(Mx_String(display.substr(0, static_cast<std::size_t>(at))));
            suffixes_.append(
                Mx_String(display.substr(static_cast<std::size_t>(at) + templateName.str().size())));
            continue;
        }
        // A display name that does not spell the system name keeps what stands before its first number.
        int position = 0;
        Mx_String digits;
        Mx_String prefix(display);
        if (findFirstNumbers(prefix, position, digits))
            prefix = prefix.getSubStringAt(0, position);
        prefixes_.append(prefix);
        suffixes_.append(Mx_String());
    }

    // The value columns that spell the template's name, each column used once.
    std::vector<bool> used(static_cast<std::size_t>(valueNames_.length()), false);
    for (const Mx_String& part : splitAtX(templateName)) {
        int found = -1;
        for (int k = 0; k < templateValues_.length() && found < 0; ++k)
            if (!used[static_cast<std::size_t>(k)] && sameValue(trimmed(part), templateValues_[k]))
                found = k;
        if (found < 0) {
            namePositions_.clear();
            break;
        }
        used[static_cast<std::size_t>(found)] = true;
        namePositions_.push_back(found);
    }
    // NOTE: a name that no values spell ("A1") is generated from the first value alone.
    if (namePositions_.empty() && valueCount() > 0)
        namePositions_.push_back(0);
}

Mx_String SectionSizeTemplate::currentPrefix() const {
    const int col = table_.getColumnIdx(MacroLangs::GetCurLanguage()) - 2;
    return prefixes_.isValidIndex(col) ? prefixes_[col] : prefixes_.at(0);
}

Mx_String SectionSizeTemplate::currentSuffix() const {
    const int col = table_.getColumnIdx(MacroLangs::GetCurLanguage()) - 2;
    return suffixes_.isValidIndex(col) ? suffixes_[col] : suffixes_.at(0);
}

Mx_String SectionSizeTemplate::generatedName(const Mx_StringArray& values) const {
    Mx_String name;
    for (std::size_t i = 0; i < namePositions_.size(); ++i) {
        const Mx_String value = trimmed(values.at(namePositions_[i]));
        double number = 0;
        if (i > 0)
            name += L"x";
        name += value.toDouble(number) ? Mx_String(number, 6, true) : value;
    }
    return name;
}

Mx_String SectionSizeTemplate::displayName(int language, const Mx_String& sysName) const {
    return prefixes_.at(language) + sysName + suffixes_.at(language);
}

Mx_StringArray SectionSizeTemplate::buildRow(const Mx_String& sysName, const Mx_StringArray& values) const {
    Mx_StringArray row;
    if (templateRow_ >= 0)
        row = table_.rows[templateRow_];
    if (row.length() < table_.headers.length())
        row.setLogicalLength(table_.headers.length());
    if (row.length() < 2 + languages_)
        row.setLogicalLength(2 + languages_);
    row[0] = sysName;
    row[1] = L"1";
    for (int language = 0; language < languages_; ++language)
        row[2 + language] = displayName(language, sysName);
    for (int k = 0; k < valueCount(); ++k) {
        const Mx_String value = trimmed(values.at(k));
        if (!value.isEmpty())
            row[languages_ + 2 + k] = value;
    }
    return row;
}

SectionSizeTemplate::AddResult SectionSizeTemplate::addTo(Mx_ProfValuesTable& table, const Mx_String& sysName,
                                                          const Mx_StringArray& values, int& index) const {
    const Mx_String name = trimmed(sysName);
    // A TAB or line break cannot be stored in the table's file.
    if (name.isEmpty() || name.str().find_first_of(L"\t\r\n") != std::wstring::npos)
        return AddResult::BadName;
    for (const Mx_String& value : values)
        if (!trimmed(value).isEmpty() && !isNumber(trimmed(value)))
            return AddResult::BadValue;
    // The section-table manager finds sizes ignoring case, so "a1" would hide behind "A1".
    Mx_StringArray sysNames;
    table.getColumn(sysNames, 0);
    if (sysNames.contains(name, false))
        return AddResult::NameInUse;
    const Mx_StringArray row = buildRow(name, values);
    // Checked before the row goes in: a refused size leaves the table as it was.
    if (!passesTubeCheck(table, row))
        return AddResult::TubeThickness;
    const int position = sortedPosition(table, name);
    if (!table.rows.insertAt(position, row))
        return AddResult::BadName;
    index = position;
    return AddResult::Added;
}

int SectionSizeTemplate::sortedPosition(const Mx_ProfValuesTable& table, const Mx_String& sysName) {
    const bool square = isSquareForm(sysName);
    bool anySquare = false;
    for (const Mx_StringArray& row : table.rows)
        anySquare = anySquare || isSquareForm(row.at(0));
    const bool onlySquare = square && anySquare;

    int before = -1, after = -1;  // rows of the nearest names below and above
    for (int i = 0; i < table.rows.length(); ++i) {
        const Mx_String& name = table.rows[i].at(0);
        if (onlySquare && !isSquareForm(name))
            continue;
        if (compareNames(name, sysName) <= 0) {
            if (before < 0 || compareNames(name, table.rows[before].at(0)) >= 0)
                before = i;
        } else if (after < 0 || compareNames(name, table.rows[after].at(0)) < 0) {
            after = i;
        }
    }
    if (before >= 0)
        return before + 1;
    if (after >= 0)
        return after;
    return table.rows.length();
}

int SectionSizeTemplate::compareNames(const Mx_String& a, const Mx_String& b) {
    const std::wstring& x = a.str();
    const std::wstring& y = b.str();
    std::size_t i = 0, j = 0;
    while (i < x.size() && j < y.size()) {
        if (isDigit(x[i]) && isDigit(y[j])) {
            std::size_t ei = i, ej = j;
            while (ei < x.size() && isDigit(x[ei]))
                ++ei;
            while (ej < y.size() && isDigit(y[ej]))
                ++ej;
            std::size_t si = i, sj = j;
            while (si + 1 < ei && x[si] == L'0')
                ++si;
            while (sj + 1 < ej && y[sj] == L'0')
                ++sj;
            if (ei - si != ej - sj)
                return ei - si < ej - sj ? -1 : 1;
            const int digits = x.compare(si, ei - si, y, sj, ej - sj);
            if (digits != 0)
                return digits < 0 ? -1 : 1;
            i = ei;
            j = ej;
            continue;
        }
        const wchar_t cx = Mx_String::foldCase(x[i]), cy = Mx_String::foldCase(y[j]);
        if (cx != cy)
            return cx < cy ? -1 : 1;
        ++i;
        ++j;
    }
    if (i < x.size())
        return 1;
    if (j < y.size())
        return -1;
    return 0;
}

bool SectionSizeTemplate::isRectTube(const Mx_ProfValuesTable& table) {
    if (table.image.contains(L'.'))
        return false;
    int position = 0;
    Mx_String digits;
    const Mx_String picture = trimmed(table.image);
    return findFirstNumbers(picture, position, digits) && position == 0 && digits.toInt() == 10 &&
           picture.length() == digits.length();
}

bool SectionSizeTemplate::passesTubeCheck(const Mx_ProfValuesTable& table, const Mx_StringArray& row) {
    if (!isRectTube(table))
        return true;
    const int languages = table.getNrLanguages();
    if (row.length() <= languages + 5)
        return true;
    double before = 0, inner = 0;
    if (!row[languages + 4].toDouble(before) || !row[languages + 5].toDouble(inner))
        return true;
    return inner == 0 || inner > before;
}
