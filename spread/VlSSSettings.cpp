#include "spread/VlSSSettings.h"

#include <string>

#include "platform/grid/window/SSFunctions.h"
#include "platform/mxbase/FileSystem.h"
#include "platform/mxbase/Mx_Settings.h"
#include "spread/Mx_SimplePropsList.h"

namespace {

bool isSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

// The path with "\" separators, for comparing paths written either way.
Mx_String backslashed(const Mx_String& path) {
    std::wstring text = path.str();
    for (wchar_t& c : text)
        if (c == L'/')
            c = L'\\';
    return Mx_String(std::move(text));
}

bool fileExists(const Mx_String& path) {
    if (path.isEmpty())
        return false;
    return fsys::pathInfo(fsys::resolve(path.view())).kind == fsys::PathInfo::Kind::File;
}

// A path that names its file on its own: a drive or network path, or one from the root of this
// system's file tree.
bool isAbsolute(const Mx_String& path) {
    return path.contains(L':') || path.contains(Mx_String(L"\\\\")) || isSeparator(path.at(0));
}

// The folder above a folder given with its trailing separator ("a\b\" gives "a\"); the folder itself
// when it has no parent.
Mx_String parentFolder(const Mx_String& folder) {
    if (folder.length() < 2)
        return folder;
    const Mx_String inside = folder.getSubStringAt(0, folder.length() - 1);
    return VlSSSettings::directoryOf(inside).isEmpty() ? folder : VlSSSettings::directoryOf(inside);
}

// The file name of a path (after its last separator).
Mx_String fileNameOf(const Mx_String& path) {
    return path.getSubStringAt(VlSSSettings::directoryOf(path).length());
}

// The path with its extension (after the last "." of its file name) changed; appended when it has none.
Mx_String withExtension(const Mx_String& path, const wchar_t* extension) {
    const int nameStart = VlSSSettings::directoryOf(path).length();
    const int dot = path.findLastFrom(L'.');
    Mx_String stem = dot >= nameStart ? path.getSubStringAt(0, dot) : path;
    return stem + L"." + extension;
}

// Copies source over target when the target is missing or older. True when it copied.
bool copyWhenNewer(const Mx_String& source, const Mx_String& target) {
    const auto from = fsys::resolve(source.view());
    const auto to = fsys::resolve(target.view());
    const auto sourceTime = fsys::lastWriteTime(from);
    if (!sourceTime)
        return false;
    const auto targetTime = fsys::lastWriteTime(to);
    if (targetTime && *targetTime >= *sourceTime)
        return false;
    return fsys::copyFile(from, to, nullptr);
}

const wchar_t* const kVarNames = L"varNames";
const wchar_t* const kVarValues = L"varValues";

}  // namespace

std::wstring settingsFileText(std::string_view bytes) {
    std::wstring text;
    text.reserve(bytes.size());
    for (char byte : bytes)
        text += static_cast<wchar_t>(static_cast<unsigned char>(byte));
    return text;
}

Mx_String VlSSSettings::directoryOf(const Mx_String& path) {
    for (int i = path.length() - 1; i >= 0; --i)
        if (isSeparator(path.at(i)))
            return path.getSubStringAt(0, i + 1);
    return {};
}

Mx_String VlSSSettings::productDirectory() {
    Mx_String folder = backslashed(gSettings.productDir());
    if (!folder.endsWith(L"\\"))
        folder += L"\\";
    return folder;
}

void VlSSSettings::setDefaults() {
    valid = true;
    headerFile_.clear();
    footerFile_.clear();
    defaultFont = L"Tahoma";
    defaultTextHeight = 13;
    marginLeft = 9;
    marginRight = 5;
    marginTop = 5;
    marginBottom = 5;
    smartPrint = colors = colHeader = rowHeader = cellSeperators = border = true;
    varNames.removeAll();
    varValues.removeAll();
}

void VlSSSettings::toProps(Mx_SimplePropsList& props) const {
    props.setString(L"defaultFont", defaultFont);
    props.setInt(L"defaultTextHeight", defaultTextHeight);
    props.setString(L"headerFile", headerFile_);
    props.setString(L"footerFile", footerFile_);
    props.setInt(L"marginLeft", marginLeft);
    props.setInt(L"marginRight", marginRight);
    props.setInt(L"marginTop", marginTop);
    props.setInt(L"marginBottom", marginBottom);
    props.setInt(L"smartPrint", smartPrint ? 1 : 0);
    props.setInt(L"colors", colors ? 1 : 0);
    props.setInt(L"colHeader", colHeader ? 1 : 0);
    props.setInt(L"rowHeader", rowHeader ? 1 : 0);
    props.setInt(L"cellSeperators", cellSeperators ? 1 : 0);
    props.setInt(L"border", border ? 1 : 0);
    for (int i = 0; i < varNames.length(); ++i)
        props.setString(Mx_String(kVarNames) + Mx_String(i), varNames[i]);
    for (int i = 0; i < varValues.length(); ++i)
        props.setString(Mx_String(kVarValues) + Mx_String(i), varValues[i]);
}

void VlSSSettings::fromProps(const Mx_SimplePropsList& props) {
    props.getString(L"defaultFont", defaultFont);
    props.getInt(L"defaultTextHeight", defaultTextHeight);
    props.getString(L"headerFile", headerFile_);
    props.getString(L"footerFile", footerFile_);
    props.getInt(L"marginLeft", marginLeft);
    props.getInt(L"marginRight", marginRight);
    props.getInt(L"marginTop", marginTop);
    props.getInt(L"marginBottom", marginBottom);
    const auto readSwitch = [&](const wchar_t* name, bool& on) {
        int value = 0;
        if (props.getInt(name, value))
            on = value != 0;
    };
    readSwitch(L"smartPrint", smartPrint);
    readSwitch(L"colors", colors);
    readSwitch(L"colHeader", colHeader);
    readSwitch(L"rowHeader", rowHeader);
    readSwitch(L"cellSeperators", cellSeperators);
    readSwitch(L"border", border);
    // The numbered entries run from 0 up to the first missing one; a list can hold no more entries
    // than the text has properties, so a hostile tag cannot make this loop long.
    const auto readList = [&](const wchar_t* stem, Mx_StringArray& list) {
        list.removeAll();
        Mx_String value;
        for (int i = 0; i < props.length() && props.getString(Mx_String(stem) + Mx_String(i), value); ++i)
            list.append(value);
    };
    readList(kVarNames, varNames);
    readList(kVarValues, varValues);
}

std::wstring VlSSSettings::toText() const {
    Mx_SimplePropsList props;
    toProps(props);
    return props.toText();
}

void VlSSSettings::fromText(std::wstring_view text) {
    setDefaults();
    Mx_SimplePropsList props;
    props.fromText(text);
    fromProps(props);
}

bool VlSSSettings::readFromSheet(HWND sheet) {
    setDefaults();
    grid = sheet;
    const int length = SSGetCellTagLen(sheet, 0, 0);
    if (length < 0)
        return false;
    std::wstring tag(static_cast<std::size_t>(length) + 1, L'\0');
    const int read = SSGetCellTag(sheet, 0, 0, tag.data(), length + 1);
    tag.resize(read > 0 ? static_cast<std::size_t>(read) : 0);
    fromText(tag);
    grid = sheet;
    return true;
}

bool VlSSSettings::writeToSheet(HWND sheet) {
    if (!valid || !sheet)
        return false;
    grid = sheet;
    return SSSetCellTag(sheet, 0, 0, toText().c_str()) != FALSE;
}

bool VlSSSettings::readFromFile(const Mx_String& name) {
    setDefaults();
    if (name.isEmpty())
        return false;
    const auto bytes = fsys::readBytes(fsys::resolve((productDirectory() + name + L".vld").view()), nullptr);
    if (!bytes)
        return false;
    fromText(settingsFileText(*bytes));
    return true;
}

Mx_String VlSSSettings::shorten(const Mx_String& path, const Mx_String& sheetFile) const {
    if (!fileExists(path))
        return path;
    const Mx_String written = backslashed(path);
    const Mx_String sheetFolder = backslashed(directoryOf(sheetFile));
    if (!sheetFolder.isEmpty() && written.startsWith(sheetFolder, false))
        return path.getSubStringAt(sheetFolder.length());
    const Mx_String product = productDirectory();
    if (written.startsWith(product, false))
        return path.getSubStringAt(product.length());
    return path;
}

Mx_String VlSSSettings::resolve(Mx_String& stored, const Mx_String& sheetFile) const {
    if (stored.isEmpty() || isAbsolute(stored))
        return stored;
    Mx_String relative = stored;
    bool up = false;
    int parent = backslashed(relative).findFirstFrom(Mx_String(L"..\\"));
    if (parent >= 0) {
        relative.removeAt(parent, 3);
        up = true;
    }
    for (Mx_String folder : {directoryOf(sheetFile), productDirectory()}) {
        if (folder.isEmpty())
            continue;
        if (up)
            folder = parentFolder(folder);
        const Mx_String candidate = folder + relative;
        if (fileExists(candidate)) {
            stored = candidate;
            return stored;
        }
    }
    return stored;
}

Mx_String VlSSSettings::headerFile(const Mx_String& sheetFile) {
    return resolve(headerFile_, sheetFile);
}
Mx_String VlSSSettings::footerFile(const Mx_String& sheetFile) {
    return resolve(footerFile_, sheetFile);
}
void VlSSSettings::setHeaderFile(const Mx_String& path, const Mx_String& sheetFile) {
    headerFile_ = shorten(path, sheetFile);
}
void VlSSSettings::setFooterFile(const Mx_String& path, const Mx_String& sheetFile) {
    footerFile_ = shorten(path, sheetFile);
}

bool VlSSSettings::copyHeaderFooter(const Mx_String& sheetFile, bool header) {
    const Mx_String source = header ? headerFile(sheetFile) : footerFile(sheetFile);
    if (!fileExists(source))
        return false;
    const Mx_String target = directoryOf(sheetFile) + fileNameOf(source);
    if (!copyWhenNewer(source, target))
        return false;
    copyWhenNewer(withExtension(source, L"bmp"), withExtension(target, L"bmp"));
    if (header)
        setHeaderFile(target, sheetFile);
    else
        setFooterFile(target, sheetFile);
    return true;
}
