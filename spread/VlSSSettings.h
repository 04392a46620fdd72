#pragma once
// VlSSSettings: the editor settings a sheet carries for the stand-alone spreadsheet editor's printing
// (default font, header and footer files, margins, print switches, named variables). They travel in
// the tag of the sheet's corner cell (0, 0) as an Mx_SimplePropsList text, and can be read from a
// settings file "<product directory>\<name>.vld" (8-bit text, the byte 0xA4 separating the fields).
//
// Header and footer paths are stored short: relative to the sheet's folder or to the product
// directory when they lie inside one of them, and resolved again when read.
#include <string_view>

#include "platform/mfc/Win32Types.h"
#include "platform/mxbase/Mx_String.h"
#include "platform/mxbase/Mx_StringArray.h"

class Mx_SimplePropsList;

class VlSSSettings {
public:
    VlSSSettings() {
        setDefaults();
        valid = false;
    }

    // The sheet the settings were last read from or written to (may be null).
    HWND grid = nullptr;
    // True once the record was initialised from defaults, a sheet or a file.
    bool valid = false;

    Mx_String defaultFont;
    int defaultTextHeight = 0;
    int marginLeft = 0, marginRight = 0, marginTop = 0, marginBottom = 0;
    bool smartPrint = true, colors = true, colHeader = true, rowHeader = true, cellSeperators = true,
         border = true;
    Mx_StringArray varNames;
    Mx_StringArray varValues;

    void setDefaults();
    // Defaults, then the properties of the corner cell's tag. False when the window is no grid.
    bool readFromSheet(HWND sheet);
    // The settings into the corner cell's tag; false when not valid or no grid.
    bool writeToSheet(HWND sheet);
    // Defaults, then "<product directory>\<name>.vld"; false when the file cannot be read.
    bool readFromFile(const Mx_String& name);

    // The stored path as written in the sheet (possibly relative).
    const Mx_String& storedHeaderFile() const { return headerFile_; }
    const Mx_String& storedFooterFile() const { return footerFile_; }
    // The stored path resolved against the sheet's folder and the product directory; an existing
    // candidate replaces the stored text, otherwise the stored text is kept and returned.
    Mx_String headerFile(const Mx_String& sheetFile);
    Mx_String footerFile(const Mx_String& sheetFile);
    void setHeaderFile(const Mx_String& path, const Mx_String& sheetFile);
    void setFooterFile(const Mx_String& path, const Mx_String& sheetFile);
    // Copies the header (or footer) file, and its ".bmp" companion, next to sheetFile when the copy
    // there is missing or older; the stored path then names the copy. False when nothing was copied.
    bool copyHeaderFooter(const Mx_String& sheetFile, bool header);

    // The text form (the corner cell's tag) and its reading; fromText starts from the defaults.
    std::wstring toText() const;
    void fromText(std::wstring_view text);

    // "<product directory>\" with "\" separators.
    static Mx_String productDirectory();
    // The path up to and including its last separator ("\" or "/"); empty without one.
    static Mx_String directoryOf(const Mx_String& path);

private:
    void toProps(Mx_SimplePropsList& props) const;
    void fromProps(const Mx_SimplePropsList& props);
    Mx_String shorten(const Mx_String& path, const Mx_String& sheetFile) const;
    Mx_String resolve(Mx_String& stored, const Mx_String& sheetFile) const;

    Mx_String headerFile_;
    Mx_String footerFile_;
};

// Decodes a settings file's bytes: one wide character per byte (Latin-1), so 0xA4 becomes the "¤"
// separator of the text form.
std::wstring settingsFileText(std::string_view bytes);
