#include "cli/MacroSubDialogCommand.h"

#include "macrodlg/MacroSubDialogRunners.h"
#include "platform/arx/Utf8.h"
#include "platform/mxbase/MacroData.h"
#include "platform/mxbase/MacroDrawing.h"
#include "platform/mxbase/MacroTabData.h"
#include "platform/mxbase/Mx_DbMacro.h"
#include "platform/mxbase/Mx_Macro.h"
#include "platform/mxbase/Mx_Module.h"

namespace connsheet {
namespace {

MacroTabData* firstBoltTab(MacroData& data) {
    for (int i = 0; i < data.numTabs(); ++i) {
        if (data.tabAt(i)->isBoltTab())
            return data.tabAt(i);
    }
    return nullptr;
}

// What a bolt page does with the dialog's bolt data: the tab takes it, the differences go to the
// drawing, and the dialog gets the tab's bolt data back as the drawing left it.
bool applyBolts(MacroData& data, MacroTabData& tab, MacroBoltData& bolts) {
    const MacroTabData before = tab;
    tab.setBoltData(bolts);
    Mx_StringArray names;
    AcArray<int> changed, removed;
    tab.differences(before, names, changed, removed);
    if (changed.isEmpty() && removed.isEmpty())
        return true;  // nothing to write: the dialog's data is the tab's already
    if (!UpdateModule(tab.moduleName, data, changed, removed)) {
        tab = before;
        return false;
    }
    const MacroBoltData* result = nullptr;
    if (tab.getBoltData(result) == Acad::eOk)
        bolts = *result;
    return true;
}

// The bolt module of the named pattern in the first object, or null.
const MacroBoltPattern* findPattern(const MacroData& data, const Mx_String& name, Mx_String& moduleName) {
    if (data.objectIds.isEmpty())
        return nullptr;
    const Mx_DbMacro* object = MacroDrawing::active().object(data.objectIds[0]);
    const Mx_Macro* macro = object != nullptr ? object->macroRead() : nullptr;
    if (macro == nullptr)
        return nullptr;
    for (int i = 0; i < macro->numModules(); ++i) {
        const Mx_Module* module = macro->moduleAt(i);
        if (module == nullptr || !module->isBoltModule())
            continue;
        int id = 0;
        const MacroBoltPattern* pattern = nullptr;
        if (module->findPattern(name, id) == Acad::eOk && module->getPattern(id, pattern) == Acad::eOk) {
            moduleName = module->name();
            return pattern;
        }
    }
    return nullptr;
}

// What a general page does with the dialog's pattern: it replaces the pattern of that name in the
// bolt module of every edited object, and the objects are saved.
bool applyPattern(const MacroData& data, const Mx_String& moduleName, const MacroBoltPattern& pattern) {
    MacroDrawing& drawing = MacroDrawing::active();
    bool all = true;
    for (int i = 0; i < data.objectIds.length(); ++i) {
        Mx_DbMacro* object = drawing.object(data.objectIds[i]);
        Mx_Module* module = nullptr;
        if (object == nullptr || object->macroWrite()->findModuleWrite(moduleName, module) != Acad::eOk) {
            all = false;
            continue;
        }
        int id = 0;
        MacroBoltPattern* held = nullptr;
        if (module->findPattern(pattern.name, id) != Acad::eOk || module->getPattern(id, held) != Acad::eOk) {
            all = false;
            continue;
        }
        *held = pattern;
        held->id = id;
        all = drawing.save(data.objectIds[i], data) == Acad::eOk && all;
    }
    drawing.note(L"pattern " + pattern.name.str() + L" of " + moduleName.str() +
                 (all ? L" -> ok" : L" -> failed"));
    return all;
}

}  // namespace

bool openMacroSubDialog(MacroSubDialog which, const std::string& name, MacroData& data,
                        std::string& problem) {
    if (which == MacroSubDialog::BoltAdvanced) {
        MacroTabData* tab = firstBoltTab(data);
        const MacroBoltData* bolts = nullptr;
        if (tab == nullptr || tab->getBoltData(bolts) != Acad::eOk) {
            problem = "the macro has no bolt tab";
            return false;
        }
        BoltAdvRequest request;
        request.data = *bolts;
        request.diameters = {L"12", L"16", L"20", L"24", L"27", L"30"};
        request.apply = [&data, tab](MacroBoltData& edited) { return applyBolts(data, *tab, edited); };
        runSubDialog(request);
        return true;
    }
    Mx_String moduleName;
    const MacroBoltPattern* pattern = findPattern(data, Mx_String(utf8::decode(name)), moduleName);
    if (pattern == nullptr) {
        problem = "the macro has no bolt pattern \"" + name + "\"";
        return false;
    }
    PatternRequest request;
    request.pattern.pattern = *pattern;
    request.index = 0;
    request.apply = [&data, moduleName](const MacroPatternProps& edited) {
        return applyPattern(data, moduleName, edited.pattern);
    };
    runSubDialog(request);
    return true;
}

}  // namespace connsheet
