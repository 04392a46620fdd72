#include "standards/VlExchangeCause.h"

#include "platform/mxbase/MacroData.h"
#include "platform/mxbase/Mx_DbMacro.h"
#include "platform/mxbase/Mx_Macro.h"
#include "platform/mxbase/Mx_Module.h"
#include "platform/mxbase/StringFunctions.h"
#include "standards/VlDlgStandardsData.h"
#include "standards/VlObjectMap.h"
#include "standards/VlSSMapping.h"
#include "standards/VlVarCell.h"

namespace {

std::string quoted(const Mx_String& text) { return "\"" + text.toUtf8() + "\""; }

const char* typeWord(VlValueType type) {
    switch (type) {
        case kVlInteger: return "Int";
        case kVlDouble: return "Double";
        default: return "String";
    }
}

// What a link or a name reaches inside a module, for "... not found in group G".
std::string objectWords(int kind, const Mx_String& object) {
    if (kind == VlObjectMap::kDistance) return "variable " + quoted(object);
    if (kind >= VlObjectMap::kCutOffset && kind <= VlObjectMap::kCutRadius) return "cut " + quoted(object) + " (or that value of it)";
    if (kind >= VlObjectMap::kPatternNrBolts1 && kind <= VlObjectMap::kPatternReverseStart2) return "bolt pattern " + quoted(object);
    if (kind == VlObjectMap::kBoltsDiameter || kind == VlObjectMap::kBoltsHoleOffset) return "bolt data";
    if (kind == VlObjectMap::kOwnedMemberName) return "profile group with an owned member";
    return quoted(object);
}

// The module group's part: no module, modules without their tab, or the object itself missing.
std::string groupCause(const Mx_Macro& macro, const VlDlgStandardsData& data, const Mx_String& group,
                       const std::string& object) {
    Mx_StringArray modules;
    macro.getModNamesOfGroup(group, modules);
    if (modules.isEmpty()) return "no module in group " + quoted(group);
    std::string withoutTab;
    int tabs = 0;
    for (const Mx_String& name : modules) {
        const Mx_Module* module = nullptr;
        if (macro.findModule(name, module) != Acad::eOk || !module) continue;
        const MacroTabData* tab = nullptr;
        if (data.macroData && data.macroData->findTab(module->groupOrName(), tab) == Acad::eOk && tab) {
            ++tabs;
        } else if (withoutTab.empty()) {
            withoutTab = "module " + quoted(name) + " has no tab " + quoted(module->groupOrName()) +
                         " (a module's values are reached through the tab named after its group)";
        }
    }
    if (tabs == 0 && !withoutTab.empty()) return withoutTab;
    return object + " not found in group " + quoted(group);
}

}  // namespace

std::string vlExchangeCause(const VlSSMapping& mapping, const VlVarCell& cell, const VlDlgStandardsData& data,
                            bool set) {
    if (!data.macro) return "no macro";
    const Mx_Macro* macro = data.macro->macroRead(data.transaction);
    if (!macro) return "the macro cannot be opened";
    const bool numeric = isNumericValueType(cell.valueType);
    if (set && numeric && !isNumber(cell.value)) return "the value " + quoted(cell.value) + " is not a number";

    if (mapping.type == VlSSMapping::kModuleGroup) {
        const Mx_String& name = cell.name;
        if (numeric && name.startsWith(L"gen.", false)) {
            const Mx_String genVar = Mx_String(L"gen_") + name.getSubStringAt(4);
            if (!macro->hasGenVar(genVar)) return "no general variable " + quoted(genVar) + " in the macro";
            return "the macro refused the value of " + quoted(genVar);
        }
        if (cell.valueType == kVlString && set && (name.endsWith(L".Name", false) || name.endsWith(L".Material", false)))
            return "a plate's or profile's section and material are read only";
        const bool stringReach = name.endsWith(L".Name", false) || name.endsWith(L".Material", false) ||
                                 name.endsWith(L".NrBolts1", false) || name.endsWith(L".NrBolts2", false) ||
                                 name.endsWith(L".MemberName", false);
        if (cell.valueType == kVlString && !stringReach)
            return "a String variable reaches a module only as .Name, .Material, .NrBolts1, .NrBolts2 or .MemberName";
        return groupCause(*macro, data, data.moduleGroup, "nothing named " + quoted(name));
    }

    int index = -1;
    if (mapping.findSSVar(cell.name, cell.valueType, index) != Acad::eOk)
        return std::string("no link for ") + typeWord(cell.valueType) + " " + quoted(cell.name) +
               " in the mapping line " + quoted(data.mapsTo);
    const VlObjectMap& link = mapping.mappedObjects()[index];
    switch (link.kind) {
        case VlObjectMap::kGenVar:
            if (!macro->hasGenVar(link.objectName)) return "no general variable " + quoted(link.objectName) + " in the macro";
            return "the macro refused the value of " + quoted(link.objectName);
        case VlObjectMap::kPrPlName:
        case VlObjectMap::kPrPlMaterial:
        case VlObjectMap::kMemberSectionSize:
            if (set) return "base-profile links are read only";
            return "base profile " + quoted(link.objectName) + " not found, or without that value";
        default:
            return groupCause(*macro, data, link.groupName, objectWords(link.kind, link.objectName));
    }
}
