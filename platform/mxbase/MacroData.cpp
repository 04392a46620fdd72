#include "platform/mxbase/MacroData.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/mxbase/FileSystem.h"
#include "platform/mxbase/JsonErrorText.h"
#include "platform/mxbase/MacroDrawing.h"
#include "platform/mxbase/MacroPropertyFile.h"

Acad::ErrorStatus MacroData::addTab(const MacroTabData& tab) {
    if (tab.name.isEmpty())
        return Acad::eInvalidInput;
    const MacroTabData* existing = nullptr;
    if (findTab(tab.name, existing) == Acad::eOk)
        return Acad::eDuplicateKey;
    tabs_.append(tab);
    return Acad::eOk;
}

Acad::ErrorStatus MacroData::findTab(const Mx_String& name, MacroTabData*& tab) {
    for (MacroTabData& candidate : tabs_) {
        if (candidate.name.equal(name, false)) {
            tab = &candidate;
            return Acad::eOk;
        }
    }
    tab = nullptr;
    return Acad::eKeyNotFound;
}

Acad::ErrorStatus MacroData::findTab(const Mx_String& name, const MacroTabData*& tab) const {
    MacroTabData* found = nullptr;
    Acad::ErrorStatus status = const_cast<MacroData*>(this)->findTab(name, found);
    tab = found;
    return status;
}

const MacroTabData* MacroData::findTabOfModule(const Mx_String& moduleName) const {
    for (const MacroTabData& tab : tabs_) {
        if (tab.moduleName.equal(moduleName, false))
            return &tab;
    }
    return nullptr;
}

Acad::ErrorStatus MacroData::getMergedPropsOfGroup(const Mx_String& moduleName, const Mx_String& group,
                                                   MacroProfData& props) const {
    const MacroTabData* tab = findTabOfModule(moduleName);
    if (tab == nullptr)
        return Acad::eKeyNotFound;
    return tab->getMergedPropsOfGroup(group, props);
}

Acad::ErrorStatus MacroData::setMergedPropsOfGroup(const Mx_String& moduleName, const Mx_String& group,
                                                   const MacroProfData& props) {
    MacroTabData* tab = const_cast<MacroTabData*>(findTabOfModule(moduleName));
    if (tab == nullptr)
        return Acad::eKeyNotFound;
    return tab->setMergedPropsOfGroup(group, props);
}

// --- what changed

void MacroData::differences(const MacroData& before, Mx_StringArray& names, AcArray<int>& changed,
                            AcArray<int>& removed) const {
    names.removeAll();
    changed.removeAll();
    removed.removeAll();
    for (int i = 0; i < tabs_.length(); ++i) {
        const MacroTabData* old = nullptr;
        if (before.findTab(tabs_[i].name, old) != Acad::eOk) {
            changed.append(kNewTab);
            names.append(tabs_[i].name);
        } else if (!(*old == tabs_[i])) {
            changed.append(i);
            names.append(tabs_[i].name);
        }
    }
    for (int i = 0; i < before.tabs_.length(); ++i) {
        const MacroTabData* now = nullptr;
        if (findTab(before.tabs_[i].name, now) != Acad::eOk)
            removed.append(i);
    }
}

// --- the drawing

namespace {

MacroData::StandardsRunner& standardsRunner() {
    static MacroData::StandardsRunner runner;
    return runner;
}

}  // namespace

Acad::ErrorStatus MacroData::changeView(const Mx_String& moduleName, int view) {
    MacroDrawing& drawing = MacroDrawing::active();
    drawing.note(L"changeView " + moduleName.str() + L" " + std::to_wstring(view));
    for (int i = 0; i < objectIds.length(); ++i)
        drawing.setView(objectIds[i], view);
    return Acad::eOk;
}

bool MacroData::SelectOtherMacros() {
    MacroDrawing& drawing = MacroDrawing::active();
    AcArray<AcDbObjectId> picked;
    if (!drawing.takePick(picked) || picked.isEmpty()) {
        drawing.note(L"SelectOtherMacros -> cancelled");
        return false;
    }
    bool same = picked.length() == objectIds.length();
    for (int i = 0; same && i < picked.length(); ++i)
        same = picked[i] == objectIds[i];
    if (same) {
        drawing.note(L"SelectOtherMacros -> unchanged");
        return false;
    }
    MacroData fresh;
    if (drawing.initMacroData(picked, fresh) != Acad::eOk) {
        drawing.note(L"SelectOtherMacros -> not in the drawing");
        return false;
    }
    drawing.note(L"SelectOtherMacros -> " + std::to_wstring(picked.length()) + L" macros");
    objectIds = fresh.objectIds;
    macroNames = fresh.macroNames;
    groupNames = fresh.groupNames;
    currentGroup = fresh.currentGroup;
    title = fresh.title;
    filter1 = fresh.filter1;
    filter1Index = fresh.filter1Index;
    filter2 = fresh.filter2;
    filter2Index = fresh.filter2Index;
    setTabsFrom(fresh);
    return true;
}

void MacroData::setStandardsRunner(StandardsRunner runner) {
    standardsRunner() = std::move(runner);
}

bool MacroData::loadFromStandards() {
    MacroDrawing& drawing = MacroDrawing::active();
    if (!standardsRunner()) {
        drawing.note(L"loadFromStandards -> no standards");
        return false;
    }
    Mx_String message;
    const bool ok = standardsRunner()(*this, message);
    drawing.note(L"loadFromStandards -> " + std::wstring(ok ? L"ok" : L"failed") +
                 (message.isEmpty() ? L"" : L": " + message.str()));
    if (ok)
        drawing.loadTabs(*this);
    return ok;
}

bool MacroData::reApply() {
    MacroDrawing::active().note(L"reApply");
    AcArray<int> all;
    for (int i = 0; i < tabs_.length(); ++i)
        all.append(i);
    return setAllToMacro(*this, all, AcArray<int>());
}

// --- property files

bool MacroData::propListAllowed() const {
    if (objectIds.isEmpty() || macroNames.isEmpty() || macroNames[0].isEmpty())
        return false;
    for (int i = 1; i < macroNames.length(); ++i) {
        if (!macroNames[i].equal(macroNames[0], false))
            return false;
    }
    return true;
}

Acad::ErrorStatus MacroData::getPropFiles(Mx_StringArray& files, Mx_StringArray& folders) const {
    files.removeAll();
    folders.removeAll();
    if (!propListAllowed())
        return Acad::eNotApplicable;
    // Kept beside the drawing, one folder per macro name: "Properties/EndPlateBeamToColumn/".
    const std::filesystem::path folder = fsys::resolve(MacroDrawing::active().folder().view()) /
                                         "Properties" / fsys::fromWide(macroNames[0].view());
    folders.append(Mx_String(fsys::toWide(folder)));
    std::error_code failure;
    std::vector<std::filesystem::path> found;
    for (const auto& entry : std::filesystem::directory_iterator(folder, failure)) {
        if (entry.is_regular_file() && entry.path().extension() == ".json")
            found.push_back(entry.path());
    }
    std::sort(found.begin(), found.end());
    for (const std::filesystem::path& file : found)
        files.append(Mx_String(fsys::toWide(file)));
    return Acad::eOk;
}

Acad::ErrorStatus MacroData::writeToFile(const Mx_String& path, Mx_String* error) const {
    std::string problem;
    const std::filesystem::path where = fsys::resolve(path.view());
    const bool ok = fsys::createDirectories(where.parent_path(), &problem) &&
                    fsys::writeAtomic(where, macroprops::write(*this), &problem);
    MacroDrawing::active().note(L"writeToFile " + path.str() + (ok ? L" -> ok" : L" -> failed"));
    if (!ok && error != nullptr)
        *error = Mx_String(problem);
    return ok ? Acad::eOk : Acad::eFileAccessErr;
}

Acad::ErrorStatus MacroData::readFromFile(const Mx_String& path, int& count, Mx_String* error) {
    MacroDrawing& drawing = MacroDrawing::active();
    std::string problem;
    const std::optional<std::string> bytes = fsys::readBytes(fsys::resolve(path.view()), &problem);
    Mx_String message;
    if (!bytes) {
        message = Mx_String(problem);
    } else if (!macroprops::read(*bytes, *this, count, message)) {
        message = Mx_String(withFileName(path.toUtf8(), message.toUtf8()));
    } else {
        drawing.note(L"readFromFile " + path.str() + L" -> " + std::to_wstring(count) + L" values");
        return Acad::eOk;
    }
    drawing.note(L"readFromFile " + path.str() + L" -> " + message.str());
    if (error != nullptr)
        *error = message;
    return Acad::eInvalidInput;
}
