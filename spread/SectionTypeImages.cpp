#include "spread/SectionTypeImages.h"

#include <array>

#include "platform/mxbase/FileSystem.h"
#include "platform/mxbase/Mx_Settings.h"
#include "spread/Mx_SimplePropsList.h"  // leadingInt

namespace {

constexpr std::array<const wchar_t*, 24> kTypeNames = {
    L"ProfSectionI",
    L"ProfSectionCL",
    L"ProfSectionHL",
    L"ProfSectionCU",
    L"ProfSectionT",
    L"ProfSectionOI",
    L"ProfSectionOU",
    L"ProfSectionRect",
    L"ProfSectionRound",
    L"ProfSectionRectTube",
    L"ProfSectionRoundTube",
    L"ProfSectionC",
    L"ProfSectionZ",
    L"ProfSectionV",
    L"ProfSectionO",
    L"ProfSectionQ",
    L"ProfSectionCuttedI",
    L"ProfSectionSigma",
    L"ProfSectionSigma+",
    L"ProfSectionSigma Sleeve",
    L"ProfSectionC+",
    L"ProfSectionC Sleeve",
    L"ProfSectionSingle Cleat",
    L"ProfSectionDouble Cleat",
};

bool isSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

Mx_String iconsFolder() {
    Mx_String folder = gSettings.productDir();
    folder += L"\\icons\\";
    return folder;
}

// The name without its extension (a dot after the last separator).
Mx_String withoutExtension(const Mx_String& name) {
    for (int i = name.length() - 1; i >= 0 && !isSeparator(name.at(i)); --i)
        if (name.at(i) == L'.')
            return name.getSubStringAt(0, i);
    return name;
}

// The last component of a path.
Mx_String fileNamePart(const Mx_String& name) {
    int i = name.length();
    while (i > 0 && !isSeparator(name.at(i - 1)))
        --i;
    return name.getSubStringAt(i);
}

// A name that stays inside the folder it is put in.
bool isPlainName(const Mx_String& name) {
    if (name.isEmpty() || name.equal(L".") || name.equal(L".."))
        return false;
    for (int i = 0; i < name.length(); ++i)
        if (isSeparator(name.at(i)) || name.at(i) == L':')
            return false;
    return true;
}

bool iconExists(const Mx_String& fileName) {
    Mx_String path = iconsFolder();
    path += fileName;
    return fsys::exists(fsys::resolve(path.view()));
}

}  // namespace

Mx_String sectionTypeImageName(int type) {
    if (type < 1 || type > static_cast<int>(kTypeNames.size()))
        return {};
    return kTypeNames[static_cast<std::size_t>(type - 1)];
}

bool isNotDrawingName(const Mx_String& name) {
    return !name.endsWith(L".dwg", false);
}

bool userSectionImage(const Mx_String& name, Mx_String& fileName) {
    if (!isPlainName(name))
        return false;
    Mx_String source = gSettings.libDir();
    source += L"User Sections\\";
    source += name;
    source += L".bmp";
    const std::filesystem::path sourcePath = fsys::resolve(source.view());
    const auto sourceTime = fsys::lastWriteTime(sourcePath);
    if (!sourceTime)
        return false;

    Mx_String copyName = name;
    copyName += L"-automated.bmp";
    Mx_String target = iconsFolder();
    target += copyName;
    const std::filesystem::path targetPath = fsys::resolve(target.view());
    const auto targetTime = fsys::lastWriteTime(targetPath);
    if (!targetTime || *targetTime < *sourceTime) {
        const bool copied = fsys::createDirectories(targetPath.parent_path(), nullptr) &&
                            fsys::copyFile(sourcePath, targetPath, nullptr);
        // An older copy still shows the section; no copy at all shows nothing.
        if (!copied && !targetTime)
            return false;
    }
    fileName = copyName;
    return true;
}

Mx_String sectionImageFile(const Mx_String& typeOrDrawing, const Mx_String& sectionName, bool big) {
    const wchar_t* suffix = big ? L"-big.bmp" : L"-small.bmp";
    Mx_String base;
    bool userSection = false;
    if (!typeOrDrawing.isEmpty()) {
        if (isNotDrawingName(typeOrDrawing))
            base = sectionTypeImageName(leadingInt(typeOrDrawing.view()));
        else
            base = withoutExtension(fileNamePart(typeOrDrawing));
    } else {
        base = sectionName;
        const Mx_String prefix(L"User Sections\\");
        if (base.startsWith(prefix, false))
            base = base.getSubStringAt(prefix.length());
        base = withoutExtension(base);
        userSection = true;
    }
    if (isPlainName(base)) {
        Mx_String fileName = base;
        fileName += suffix;
        if (iconExists(fileName))
            return fileName;
        if (userSection && !big && userSectionImage(base, fileName))
            return fileName;
    }
    Mx_String unknown(L"Unknown");
    unknown += suffix;
    return unknown;
}
