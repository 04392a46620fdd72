#include "platform/mxbase/MacroSettings.h"

#include <vector>

#include "platform/mxbase/EditConstrData.h"
#include "platform/mxbase/MacroData.h"
#include "platform/mxbase/MacroDrawing.h"
#include "platform/mxbase/Mx_DbMacro.h"
#include "platform/mxbase/NumberFunctions.h"

namespace {

std::wstring idText(AcDbObjectId id) {
    return std::to_wstring(id.asOldId());
}

}  // namespace

Acad::ErrorStatus GetMacroSettings(const EditConstrData& data, MacroSettings& settings) {
    MacroDrawing& drawing = MacroDrawing::active();
    if (data.objectIds.isEmpty()) {
        drawing.note(L"GetMacroSettings -> no macro");
        return Acad::eInvalidInput;
    }
    const Mx_DbMacro* object = drawing.object(data.objectIds[0]);
    const Mx_Macro* macro = object != nullptr ? object->macroRead() : nullptr;
    if (macro == nullptr) {
        drawing.note(L"GetMacroSettings " + idText(data.objectIds[0]) + L" -> not found");
        return Acad::eKeyNotFound;
    }
    MacroSettings read;
    read.macroName = macro->name();
    read.filters = macro->filters();
    for (const MacroGeneralVariable& variable : macro->generalVariables()) {
        read.variableNames.append(variable.name);
        read.variableValues.append(formatShortest(variable.value));
    }
    for (const Mx_Module& module : macro->modules()) {
        read.moduleNames.append(module.name());
        read.moduleGroups.append(module.group());
    }
    macro->getGroupNames(read.groups);
    read.standards = macro->standards();
    settings = read;
    drawing.note(L"GetMacroSettings " + idText(data.objectIds[0]) + L" -> " +
                 std::to_wstring(read.standards.sheets.length()) + L" sheets");
    return Acad::eOk;
}

Acad::ErrorStatus SetMacroSettings(const EditConstrData& data, const MacroSettings& settings) {
    MacroDrawing& drawing = MacroDrawing::active();
    if (data.objectIds.isEmpty() ||
        settings.standards.sheets.length() != settings.standards.mapsTo.length() ||
        settings.variableNames.length() != settings.variableValues.length()) {
        drawing.note(L"SetMacroSettings -> invalid");
        return Acad::eInvalidInput;
    }
    // Every macro is changed on a copy first, so that a value one of them refuses leaves all as they were.
    std::vector<Mx_Macro> changed;
    for (int i = 0; i < data.objectIds.length(); ++i) {
        Mx_DbMacro* object = drawing.object(data.objectIds[i]);
        const Mx_Macro* macro = object != nullptr ? object->macroRead() : nullptr;
        if (macro == nullptr) {
            drawing.note(L"SetMacroSettings " + idText(data.objectIds[i]) + L" -> not found");
            return Acad::eKeyNotFound;
        }
        Mx_Macro copy = *macro;
        copy.setFilters(settings.filters);
        copy.setStandards(settings.standards);
        for (int v = 0; v < settings.variableNames.length(); ++v) {
            if (copy.hasGenVar(settings.variableNames[v]) &&
                copy.setGenVarValue(settings.variableNames[v], settings.variableValues[v]) != Acad::eOk) {
                drawing.note(L"SetMacroSettings " + idText(data.objectIds[i]) + L" -> " +
                             settings.variableNames[v].str() + L" is not a number");
                return Acad::eInvalidInput;
            }
        }
        changed.push_back(std::move(copy));
    }
    for (int i = 0; i < data.objectIds.length(); ++i) {
        Mx_DbMacro* object = drawing.object(data.objectIds[i]);
        *object->macroWrite() = changed[static_cast<std::size_t>(i)];
        Mx_String error;
        // An empty dialog data keeps the object's tabs as they are.
        if (drawing.save(data.objectIds[i], MacroData(), &error) != Acad::eOk) {
            drawing.note(L"SetMacroSettings " + idText(data.objectIds[i]) + L" -> " + error.str());
            return Acad::eFileAccessErr;
        }
        drawing.note(L"SetMacroSettings " + idText(data.objectIds[i]) + L" -> " +
                     std::to_wstring(settings.standards.sheets.length()) + L" sheets");
    }
    return Acad::eOk;
}
