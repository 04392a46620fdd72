#include "platform/mxbase/MacroDrawing.h"

#include <algorithm>
#include <filesystem>

#include "platform/mxbase/FileSystem.h"
#include "platform/mxbase/MacroData.h"
#include "platform/mxbase/Mx_DbMacro.h"

struct MacroDrawing::Object {
    AcDbObjectId id;
    Mx_String file;
    Mx_DbMacro macro;
    MacroData tabs;  // every tab the file holds, whatever a dialog's filters show
    int view = -1;
};

namespace {

std::wstring joinIndices(const AcArray<int>& indices) {
    if (indices.isEmpty())
        return L"-";
    std::wstring text;
    for (int i = 0; i < indices.length(); ++i) {
        if (i > 0)
            text += L',';
        text += std::to_wstring(indices[i]);
    }
    return text;
}

std::wstring idsText(const AcArray<AcDbObjectId>& ids) {
    std::wstring text;
    for (int i = 0; i < ids.length(); ++i) {
        if (i > 0)
            text += L',';
        text += std::to_wstring(ids[i].asOldId());
    }
    return text.empty() ? L"-" : text;
}

const wchar_t* const kAll = L"(all)";

// The cells take the values as the module holds them ("15.0" typed becomes "15"); a bolt tab takes
// the module's patterns (a pattern it already had keeps the page controls that show it).
void readModuleIntoTab(const Mx_Module& module, MacroTabData& tab) {
    for (const MacroCell& cell : tab.cells()) {
        Mx_String value;
        if (const_cast<Mx_Module&>(module).getSetConstrVarValue(cell.name, value, Mx_Access::Get) ==
            Acad::eOk)
            tab.findCell(cell.name)->value = value;
    }
    if (!tab.isBoltTab())
        return;
    Mx_Array<MacroPatternProps> patterns;
    for (const MacroBoltPattern& pattern : module.patterns()) {
        MacroPatternProps props;
        if (const MacroPatternProps* known = tab.findPattern(pattern.name))
            props = *known;
        props.pattern = pattern;
        patterns.append(props);
    }
    tab.patternsWrite() = patterns;
}
const wchar_t* const kKindNames[] = {L"General", L"Bolts", L"Profiles", L"Arrays"};

}  // namespace

MacroDrawing::MacroDrawing() = default;

MacroDrawing::~MacroDrawing() {
    close();
}

MacroDrawing& MacroDrawing::active() {
    static MacroDrawing drawing;
    return drawing;
}

Acad::ErrorStatus MacroDrawing::open(const Mx_String& path, Mx_String* error) {
    close();
    const std::filesystem::path where = fsys::resolve(path.view());
    std::vector<std::filesystem::path> files;
    isFolder_ = fsys::isDirectory(where);
    if (isFolder_) {
        std::error_code failure;
        for (const auto& entry : std::filesystem::directory_iterator(where, failure)) {
            if (entry.is_regular_file() && entry.path().extension() == ".json")
                files.push_back(entry.path());
        }
        std::sort(files.begin(), files.end());
    } else {
        files.push_back(where);
    }
    std::vector<Object*> opened;
    for (const std::filesystem::path& file : files) {
        auto* object = new Object;
        object->file = Mx_String(fsys::toWide(file));
        object->id = AcDbObjectId(opened.size() + 1);
        object->macro.setObjectId(object->id);
        if (object->macro.readFromFile(object->file, &object->tabs, error) != Acad::eOk) {
            delete object;
            for (Object* done : opened)
                delete done;
            note(L"open " + path.str() + L" -> failed");
            return Acad::eInvalidInput;
        }
        opened.push_back(object);
    }
    objects_ = std::move(opened);
    path_ = path;
    note(L"open " + path.str() + L" -> " + std::to_wstring(objects_.size()) + L" macros");
    return Acad::eOk;
}

void MacroDrawing::close() {
    for (Object* object : objects_)
        delete object;
    objects_.clear();
    path_ = Mx_String();
    isFolder_ = false;
    hasPick_ = false;
    pick_.clear();
    hasProfilePick_ = false;
}

Mx_String MacroDrawing::folder() const {
    const std::filesystem::path where = fsys::resolve(path_.view());
    return Mx_String(fsys::toWide(isFolder_ ? where : where.parent_path()));
}

AcArray<AcDbObjectId> MacroDrawing::objectIds() const {
    AcArray<AcDbObjectId> ids;
    for (const Object* object : objects_) {
        if (!object->macro.isErased())
            ids.append(object->id);
    }
    return ids;
}

const MacroDrawing::Object* MacroDrawing::find(AcDbObjectId id) const {
    for (const Object* object : objects_) {
        if (object->id == id && !object->macro.isErased())
            return object;
    }
    return nullptr;
}

MacroDrawing::Object* MacroDrawing::find(AcDbObjectId id) {
    return const_cast<Object*>(std::as_const(*this).find(id));
}

Mx_DbMacro* MacroDrawing::object(AcDbObjectId id) {
    Object* object = find(id);
    return object != nullptr ? &object->macro : nullptr;
}

const Mx_DbMacro* MacroDrawing::object(AcDbObjectId id) const {
    const Object* object = find(id);
    return object != nullptr ? &object->macro : nullptr;
}

Mx_String MacroDrawing::fileOf(AcDbObjectId id) const {
    const Object* object = find(id);
    return object != nullptr ? object->file : Mx_String();
}

Acad::ErrorStatus MacroDrawing::initMacroData(const AcArray<AcDbObjectId>& ids, MacroData& data) const {
    for (int i = 0; i < ids.length(); ++i) {
        if (find(ids[i]) == nullptr)
            return Acad::eKeyNotFound;
    }
    data.objectIds = ids;
    data.macroNames.removeAll();
    data.groupNames.removeAll();
    for (int i = 0; i < ids.length(); ++i) {
        const Mx_Macro* macro = find(ids[i])->macro.macroRead();
        data.macroNames.append(macro->name());
        Mx_StringArray groups;
        macro->getGroupNames(groups);
        for (int g = 0; g < groups.length(); ++g) {
            if (!data.groupNames.contains(groups[g]))
                data.groupNames.append(groups[g]);
        }
    }
    data.currentGroup = -1;
    if (ids.length() == 1)
        data.title = data.macroNames[0];
    else
        data.title = Mx_String(std::to_wstring(ids.length()) + L" macros");
    data.filter1.removeAll();
    data.filter1.append(kAll);
    data.filter2.removeAll();
    data.filter2.append(kAll);
    for (const wchar_t* kind : kKindNames)
        data.filter2.append(kind);
    if (!ids.isEmpty()) {
        for (const MacroTabData& tab : find(ids[0])->tabs.tabs())
            data.filter1.append(tab.name);
    }
    data.filter1Index = 0;
    data.filter2Index = 0;
    return loadTabs(data);
}

Acad::ErrorStatus MacroDrawing::loadTabs(MacroData& data) const {
    MacroData tabs;
    if (!data.objectIds.isEmpty()) {
        const Object* first = find(data.objectIds[0]);
        if (first == nullptr)
            return Acad::eKeyNotFound;
        const Mx_String group = data.filter1Index > 0 && data.filter1Index < data.filter1.length()
                                    ? data.filter1[data.filter1Index]
                                    : Mx_String();
        const int kind = data.filter2Index > 0 ? data.filter2Index - 1 : -1;
        for (const MacroTabData& tab : first->tabs.tabs()) {
            if (!group.isEmpty() && !tab.name.equal(group, false))
                continue;
            if (kind >= 0 && tab.kind != kind)
                continue;
            tabs.addTab(tab);
            // The drawing holds the values: a cell shows its module's variable as it is now.
            const Mx_Module* module = nullptr;
            if (first->macro.macroRead()->findModule(tab.moduleName, module) == Acad::eOk)
                readModuleIntoTab(*module, *tabs.tabAt(tabs.numTabs() - 1));
        }
    }
    data.setTabsFrom(tabs);
    return Acad::eOk;
}

Acad::ErrorStatus MacroDrawing::save(AcDbObjectId id, const MacroData& data, Mx_String* error) {
    Object* object = find(id);
    if (object == nullptr)
        return Acad::eKeyNotFound;
    MacroData merged;
    merged.setTabsFrom(object->tabs);
    for (const MacroTabData& tab : data.tabs()) {
        MacroTabData* mine = nullptr;
        if (merged.findTab(tab.name, mine) == Acad::eOk)
            *mine = tab;
    }
    const Acad::ErrorStatus status = object->macro.writeToFile(object->file, &merged, error);
    if (status == Acad::eOk)
        object->tabs.setTabsFrom(merged);
    return status;
}

Acad::ErrorStatus MacroDrawing::erase(AcDbObjectId id) {
    Object* object = find(id);
    note(L"EraseObject " + std::to_wstring(id.asOldId()) + (object != nullptr ? L"" : L" -> not found"));
    if (object == nullptr)
        return Acad::eKeyNotFound;
    object->macro.erase();
    return Acad::eOk;
}

int MacroDrawing::viewOf(AcDbObjectId id) const {
    const Object* object = find(id);
    return object != nullptr ? object->view : -1;
}

void MacroDrawing::setView(AcDbObjectId id, int view) {
    if (Object* object = find(id))
        object->view = view;
}

void MacroDrawing::setNextPick(const AcArray<AcDbObjectId>& ids) {
    pick_.clear();
    for (int i = 0; i < ids.length(); ++i)
        pick_.push_back(ids[i]);
    hasPick_ = true;
}

bool MacroDrawing::takePick(AcArray<AcDbObjectId>& ids) {
    if (!hasPick_)
        return false;
    ids.removeAll();
    for (AcDbObjectId id : pick_)
        ids.append(id);
    hasPick_ = false;
    pick_.clear();
    return true;
}

void MacroDrawing::setNextProfilePick(AcDbObjectId id, const Mx_String& profile) {
    profilePickId_ = id;
    profilePick_ = profile;
    hasProfilePick_ = true;
}

bool MacroDrawing::takeProfilePick(AcDbObjectId& id, Mx_String& profile) {
    if (!hasProfilePick_)
        return false;
    id = profilePickId_;
    profile = profilePick_;
    hasProfilePick_ = false;
    return true;
}

void MacroDrawing::note(const std::wstring& line) {
    log_.push_back(line);
}

std::wstring MacroDrawing::logText() const {
    std::wstring text;
    for (const std::wstring& line : log_)
        text += line + L"\n";
    return text;
}

// --- the core library's calls

namespace {

// Writes the tab into the module; false (with the module possibly half written, so the caller works
// on a copy) when a cell's value is not a number its variable can take.
bool writeTabIntoModule(const MacroTabData& tab, Mx_Module& module) {
    for (const MacroCell& cell : tab.cells()) {
        if (module.findVariable(cell.name) == nullptr)
            continue;
        Mx_String value = cell.value;
        if (module.getSetConstrVarValue(cell.name, value, Mx_Access::Set) != Acad::eOk)
            return false;
    }
    for (const MacroPatternProps& props : tab.patterns()) {
        int id = 0;
        MacroBoltPattern* pattern = nullptr;
        if (module.findPattern(props.name(), id) != Acad::eOk || module.getPattern(id, pattern) != Acad::eOk)
            continue;
        // A count is a non-empty single-line text (the pattern dialog's notation is text as well).
        for (const Mx_String* count : {&props.pattern.nrBolts1, &props.pattern.nrBolts2}) {
            if (count->isEmpty() || count->str().find_first_of(L"\r\n\t") != std::wstring::npos)
                return false;
        }
        *pattern = props.pattern;
        pattern->id = id;
    }
    for (const MacroProfData& group : tab.profGroups()) {
        if (!group.group.equal(module.groupOrName(), false))
            continue;
        for (const MacroNamedPrpl& profile : module.profiles()) {
            if (profile.name.isEmpty())
                continue;
            module.setNamedPrpl(profile.name, group.section.isEmpty() ? profile.section : group.section,
                                group.material.isEmpty() ? profile.material : group.material);
        }
    }
    return true;
}

MacroTabData* tabOfModule(MacroData& data, const Mx_String& moduleName) {
    for (int i = 0; i < data.numTabs(); ++i) {
        if (data.tabAt(i)->moduleName.equal(moduleName, false))
            return data.tabAt(i);
    }
    return nullptr;
}

}  // namespace

bool UpdateModule(const Mx_String& moduleName, MacroData& data, const AcArray<int>& changed,
                  const AcArray<int>& removed) {
    MacroDrawing& drawing = MacroDrawing::active();
    const std::wstring call = L"UpdateModule " + moduleName.str() + L" changed=" + joinIndices(changed) +
                              L" removed=" + joinIndices(removed) + L" objects=" + idsText(data.objectIds);
    MacroTabData* tab = tabOfModule(data, moduleName);
    if (tab == nullptr || data.objectIds.isEmpty()) {
        drawing.note(call + L" -> no such tab or no objects");
        return false;
    }
    // Every object is written into a copy first, so a value refused for one object leaves all of them
    // as they were.
    std::vector<Mx_Macro> updated;
    for (int i = 0; i < data.objectIds.length(); ++i) {
        Mx_DbMacro* object = drawing.object(data.objectIds[i]);
        const Mx_Macro* current = object != nullptr ? object->macroRead() : nullptr;
        if (current == nullptr) {
            drawing.note(call + L" -> object " + std::to_wstring(data.objectIds[i].asOldId()) +
                         L" not found");
            return false;
        }
        Mx_Macro copy = *current;
        Mx_Module* module = nullptr;
        if (copy.findModuleWrite(moduleName, module) != Acad::eOk) {
            drawing.note(call + L" -> module not found");
            return false;
        }
        if (!writeTabIntoModule(*tab, *module)) {
            drawing.note(call + L" -> a value was refused");
            return false;
        }
        updated.push_back(std::move(copy));
    }
    bool saved = true;
    for (int i = 0; i < data.objectIds.length(); ++i) {
        Mx_DbMacro* object = drawing.object(data.objectIds[i]);
        *object->macroWrite() = updated[static_cast<std::size_t>(i)];
        if (i == 0) {
            const Mx_Module* module = nullptr;
            object->macroRead()->findModule(moduleName, module);
            readModuleIntoTab(*module, *tab);
        }
        Mx_String error;
        if (drawing.save(data.objectIds[i], data, &error) != Acad::eOk) {
            drawing.note(call + L" -> " + error.str());
            saved = false;
        }
    }
    if (saved)
        drawing.note(call + L" -> ok");
    return saved;
}

Acad::ErrorStatus UpdateAllFilterModified(MacroData& data, bool first) {
    MacroDrawing& drawing = MacroDrawing::active();
    drawing.note(L"UpdateAllFilterModified " + std::wstring(first ? L"groups " : L"kinds ") +
                 std::to_wstring(first ? data.filter1Index : data.filter2Index));
    return drawing.loadTabs(data);
}

bool setAllToMacro(MacroData& data, const AcArray<int>& changed, const AcArray<int>& removed) {
    MacroDrawing::active().note(L"setAllToMacro changed=" + joinIndices(changed) + L" removed=" +
                                joinIndices(removed));
    bool all = true;
    for (int i = 0; i < changed.length(); ++i) {
        const MacroTabData* tab = data.tabAt(changed[i]);
        if (tab == nullptr || tab->moduleName.isEmpty())
            continue;
        AcArray<int> cells;
        for (int c = 0; c < tab->cells().length(); ++c)
            cells.append(c);
        if (!UpdateModule(tab->moduleName, data, cells, AcArray<int>()))
            all = false;
    }
    return all;
}

Acad::ErrorStatus EraseObject(AcDbObjectId id) {
    return MacroDrawing::active().erase(id);
}
