#include "platform/mxbase/MacroCutsData.h"

#include <string>

#include "platform/mxbase/MacroData.h"
#include "platform/mxbase/MacroDrawing.h"
#include "platform/mxbase/Mx_DbMacro.h"

namespace {

struct DefaultParameter {
    const wchar_t* name;
    double value;
    int flag;
};

struct KindDefaults {
    DefaultParameter parameters[3];
    int count;
};

// A profile in a profile is centred on it: its centre offset is not the user's to change.
const KindDefaults kDefaults[DlgMacroCutsData::kKindCount] = {
    {{{L"Offset", 10.0, 1}, {L"PolyOffset", 0.0, 1}}, 2},
    {{{L"Offset", 10.0, 1}, {L"LengthOffset", 0.0, 1}}, 2},
    {{{L"InsideOffset", 5.0, 1}, {L"OutsideOffset", 5.0, 1}, {L"CenterOffset", 0.0, 0}}, 3},
    {{{L"Offset", 10.0, 1}, {L"LengthOffset", 0.0, 1}, {L"CenterOffset", 0.0, 1}}, 3},
    {{{L"Offset1", 10.0, 1}, {L"Offset2", 10.0, 1}}, 2},
    {{{L"Radius", 10.0, 1}}, 1},
};

bool isNameCharacter(wchar_t c) {
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') || c == L'_';
}

bool isVariableName(const Mx_String& name) {
    if (name.isEmpty() || (name.at(0) >= L'0' && name.at(0) <= L'9'))
        return false;
    for (int i = 0; i < name.length(); ++i) {
        if (!isNameCharacter(name.at(i)))
            return false;
    }
    return !name.startsWith(L"gen_", false);
}

std::wstring oldId(AcDbObjectId id) {
    return std::to_wstring(id.asOldId());
}

// The module of the macro that holds the named profile (the first named profile when no name is
// given), and that profile's name.
const Mx_Module* profileModule(AcDbObjectId id, const Mx_String& profile, Mx_String* found = nullptr) {
    const Mx_DbMacro* object = MacroDrawing::active().object(id);
    const Mx_Macro* macro = object != nullptr ? object->macroRead() : nullptr;
    if (macro == nullptr)
        return nullptr;
    for (const Mx_Module& module : macro->modules()) {
        for (const MacroNamedPrpl& named : module.profiles()) {
            if (named.name.isEmpty() || (!profile.isEmpty() && !named.name.equal(profile, false)))
                continue;
            if (found != nullptr)
                *found = named.name;
            return &module;
        }
    }
    return nullptr;
}

Mx_String previewKey(const Mx_Module& module, const MacroCut& cut) {
    return Mx_String(module.name().str() + L"/" + cut.name.str());
}

}  // namespace

// --- macros in the dialog

bool MacrosInDlgData::UserSelectMacro() {
    MacroDrawing& drawing = MacroDrawing::active();
    AcArray<AcDbObjectId> picked;
    if (!drawing.takePick(picked) || picked.isEmpty()) {
        drawing.note(L"UserSelectMacro -> cancelled");
        return false;
    }
    Mx_StringArray pickedNames;
    for (int i = 0; i < picked.length(); ++i) {
        const Mx_DbMacro* object = drawing.object(picked[i]);
        if (object == nullptr) {
            drawing.note(L"UserSelectMacro -> object " + oldId(picked[i]) + L" not in the drawing");
            return false;
        }
        pickedNames.append(object->macroRead()->name());
    }
    ids = picked;
    names = pickedNames;
    drawing.note(L"UserSelectMacro -> " + std::to_wstring(ids.length()) + L" macros");
    return true;
}

// --- a macro's cut

bool DlgMacroCutsData::GetDefaultValues(int kind, Mx_StringArray& names, AcArray<double>& values,
                                        AcArray<int>& flags) {
    names.removeAll();
    values.removeAll();
    flags.removeAll();
    if (kind < 0 || kind >= kKindCount)
        return false;
    const KindDefaults& defaults = kDefaults[kind];
    for (int i = 0; i < defaults.count; ++i) {
        names.append(defaults.parameters[i].name);
        values.append(defaults.parameters[i].value);
        flags.append(defaults.parameters[i].flag);
    }
    return true;
}

bool DlgMacroCutsData::CutNameInUse(const Mx_String& name) const {
    const MacroDrawing& drawing = MacroDrawing::active();
    for (int i = 0; i < macros.ids.length(); ++i) {
        const Mx_DbMacro* object = drawing.object(macros.ids[i]);
        if (object == nullptr)
            continue;
        for (const Mx_Module& module : object->macroRead()->modules()) {
            for (const MacroCut& cut : module.cuts()) {
                if (cut.name.equal(name, false))
                    return true;
            }
        }
    }
    return false;
}

bool DlgMacroCutsData::AreVarNamesValid() const {
    for (int i = 0; i < paramNames.length(); ++i) {
        if (!isVariableName(paramNames[i]))
            return false;
        for (int j = 0; j < i; ++j) {
            if (paramNames[j].equal(paramNames[i], false))
                return false;
        }
    }
    return true;
}

// --- the cuts on a profile

bool DlgProfCutsData::getCutDescs(Mx_StringArray& descs) const {
    descs.removeAll();
    const Mx_Module* module = profileModule(profileId, profileName);
    if (module == nullptr)
        return false;
    for (const MacroCut& cut : module->cuts()) {
        Mx_String desc = cut.name;
        if (!cut.type.isEmpty())
            desc = Mx_String(cut.name.str() + L" (" + cut.type.str() + L")");
        descs.append(desc);
    }
    return true;
}

bool DlgProfCutsData::removeCut(int index) {
    MacroDrawing& drawing = MacroDrawing::active();
    Mx_DbMacro* object = drawing.object(profileId);
    const Mx_Module* found = profileModule(profileId, profileName);
    if (found == nullptr || !found->cuts().isValidIndex(index)) {
        drawing.note(L"removeCut " + std::to_wstring(index) + L" -> no such cut");
        return false;
    }
    const Mx_String moduleName = found->name();
    const Mx_String cut = found->cuts()[index].name;
    const std::wstring call = L"removeCut " + oldId(profileId) + L" " + moduleName.str() + L"/" + cut.str();
    // The macro is changed in a copy first: when its file cannot be written the drawing keeps the cut.
    const Mx_Macro before = *object->macroRead();
    Mx_Module* module = nullptr;
    object->macroWrite()->findModuleWrite(moduleName, module);
    module->removeCut(cut);
    Mx_String error;
    if (drawing.save(profileId, MacroData(), &error) != Acad::eOk) {
        *object->macroWrite() = before;
        drawing.note(call + L" -> " + error.str());
        return false;
    }
    drawing.note(call + L" -> ok");
    return true;
}

bool DlgProfCutsData::drawCutPreview(int index) {
    MacroDrawing& drawing = MacroDrawing::active();
    const Mx_Module* module = profileModule(profileId, profileName);
    if (module == nullptr || !module->cuts().isValidIndex(index)) {
        drawing.note(L"drawCutPreview " + std::to_wstring(index) + L" -> no such cut");
        return false;
    }
    const Mx_String key = previewKey(*module, module->cuts()[index]);
    if (!previews_.contains(key))
        previews_.append(key);
    drawing.note(L"drawCutPreview " + oldId(profileId) + L" " + key.str());
    return true;
}

bool DlgProfCutsData::removeCutPreview(int index) {
    MacroDrawing& drawing = MacroDrawing::active();
    const Mx_Module* module = profileModule(profileId, profileName);
    if (module == nullptr || !module->cuts().isValidIndex(index))
        return false;
    const Mx_String key = previewKey(*module, module->cuts()[index]);
    const int at = previews_.indexOf(key);
    if (at < 0)
        return false;
    previews_.removeAt(at);
    drawing.note(L"removeCutPreview " + oldId(profileId) + L" " + key.str());
    return true;
}

void DlgProfCutsData::removeAllCutPreviews() {
    MacroDrawing& drawing = MacroDrawing::active();
    for (int i = 0; i < previews_.length(); ++i)
        drawing.note(L"removeCutPreview " + oldId(profileId) + L" " + previews_[i].str());
    previews_.removeAll();
}

bool DlgProfCutsData::selectOtherProf() {
    MacroDrawing& drawing = MacroDrawing::active();
    AcDbObjectId id;
    Mx_String profile;
    if (!drawing.takeProfilePick(id, profile)) {
        drawing.note(L"selectOtherProf -> cancelled");
        return false;
    }
    Mx_String name;
    if (profileModule(id, profile, &name) == nullptr) {
        drawing.note(L"selectOtherProf " + oldId(id) + L" " + profile.str() + L" -> not in the drawing");
        return false;
    }
    profileId = id;
    profileName = name;
    drawing.note(L"selectOtherProf -> " + oldId(id) + L" " + name.str());
    return true;
}
