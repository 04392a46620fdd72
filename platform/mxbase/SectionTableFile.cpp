#include "platform/mxbase/SectionTableFile.h"

#include "platform/mxbase/ObjectExportFiles.h"
#include "platform/mxbase/StringFunctions.h"

bool readFile(const Mx_String& path, Mx_String& name, Mx_Array<Mx_StringArray>& rows) {
    Mx_StringArray lines;
    if (!ObjectExportReadFile(path, lines))
        return false;
    Mx_Array<Mx_StringArray> result;
    result.reserve(lines.length());
    for (const Mx_String& line : lines) {
        Mx_StringArray fields;
        const std::wstring& text = line.str();
        if (!text.empty()) {
            std::size_t start = 0;
            for (;;) {
                std::size_t tab = text.find(L'\t', start);
                fields.append(Mx_String(
                    text.substr(start, tab == std::wstring::npos ? std::wstring::npos : tab - start)));
                if (tab == std::wstring::npos)
                    break;
                start = tab + 1;
            }
        }
        result.append(std::move(fields));
    }
    rows = std::move(result);
    name = getFileName(path, false);
    return true;
}

bool writeFile(const Mx_String& path, const Mx_Array<Mx_StringArray>& rows) {
    Mx_StringArray lines;
    lines.reserve(rows.length());
    for (const Mx_StringArray& row : rows) {
        std::wstring line;
        for (int i = 0; i < row.length(); ++i) {
            const std::wstring& field = row[i].str();
            if (field.find_first_of(L"\t\r\n") != std::wstring::npos)
                return false;
            if (i > 0)
                line += L'\t';
            line += field;
        }
        lines.append(Mx_String(std::move(line)));
    }
    // Written as UTF-8, a leading U+FEFF reads back as a byte-order mark and is dropped; a second
    // one in front is the mark, and the table's own character stays.
    if (!lines.isEmpty() && !lines[0].isEmpty() && lines[0].at(0) == L'\uFEFF')
        lines[0] = Mx_String(L"\uFEFF") + lines[0];
    return ObjectExportWriteFile(path, lines);
}
