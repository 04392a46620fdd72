#include "platform/mxbase/EditConstrCalls.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/mxbase/MacroData.h"
#include "platform/mxbase/MacroDrawing.h"
#include "platform/mxbase/Mx_DbMacro.h"
#include "platform/mxbase/Mx_Macro.h"

namespace {

struct EditorState {
    Mx_StringArray highlighted;
    Mx_String highlightedObject;
    Mx_StringArray pick;
    bool hasPick = false;
    std::function<void()> interaction;
};

EditorState& state() {
    static EditorState current;
    return current;
}

std::wstring statusText(Acad::ErrorStatus status) {
    switch (status) {
        case Acad::eOk:
            return L"ok";
        case Acad::eKeyNotFound:
            return L"not found";
        case Acad::eDuplicateKey:
            return L"refused: name in use";
        case Acad::eInvalidIndex:
            return L"refused: no such item";
        case Acad::eNotApplicable:
            return L"refused: not applicable";
        case Acad::eInvalidInput:
            return L"refused: invalid";
        default:
            return L"failed";
    }
}

Mx_DbMacro* editedObject(const EditConstrData& data) {
    if (data.objectIds.isEmpty())
        return nullptr;
    return MacroDrawing::active().object(data.objectIds[0]);
}

void interact() {
    if (state().interaction)
        state().interaction();
}

bool takePick(Mx_StringArray& names) {
    interact();
    if (!state().hasPick)
        return false;
    names = state().pick;
    state().pick.removeAll();
    state().hasPick = false;
    return true;
}

// Applies `change` to the edited macro and writes it into its file; the macro is restored when the
// change or the write fails. The call is logged as `what` with its outcome.
template <typename Change>
Acad::ErrorStatus changeMacro(const EditConstrData& data, const std::wstring& what, Change change) {
    MacroDrawing& drawing = MacroDrawing::active();
    Mx_DbMacro* object = editedObject(data);
    Mx_Macro* macro = object != nullptr ? object->macroWrite() : nullptr;
    if (macro == nullptr) {
        drawing.note(what + L" -> no macro");
        return Acad::eKeyNotFound;
    }
    const Mx_Macro before = *macro;
    Acad::ErrorStatus status = change(*macro);
    Mx_String error;
    if (status == Acad::eOk && drawing.save(data.objectIds[0], MacroData(), &error) != Acad::eOk) {
        status = Acad::eInvalidInput;
        drawing.note(what + L" -> not written: " + error.str());
        *macro = before;
        return status;
    }
    if (status != Acad::eOk)
        *macro = before;
    drawing.note(what + L" -> " + statusText(status));
    return status;
}

// The same on one module of the edited macro.
template <typename Change>
Acad::ErrorStatus changeModule(const EditConstrData& data, const Mx_String& module, const std::wstring& what,
                               Change change) {
    return changeMacro(data, what, [&](Mx_Macro& macro) {
        Mx_Module* found = nullptr;
        if (macro.findModuleWrite(module, found) != Acad::eOk)
            return Acad::eKeyNotFound;
        return change(*found);
    });
}

const Mx_Module* findModule(const EditConstrData& data, const Mx_String& module) {
    const Mx_Macro* macro = EditedMacro(data);
    const Mx_Module* found = nullptr;
    if (macro == nullptr || macro->findModule(module, found) != Acad::eOk)
        return nullptr;
    return found;
}

bool validModuleName(const Mx_String& name) {
    const std::wstring& text = name.str();
    if (text.empty() || text.front() == L' ' || text.back() == L' ')
        return false;
    for (wchar_t c : text) {
        if (c < 0x20 || std::wstring(L"\\/:*?\"<>|").find(c) != std::wstring::npos)
            return false;
    }
    return true;
}

std::wstring place(const Mx_String& module, int index) {
    return module.str() + L" " + std::to_wstring(index);
}

Mx_String freshName(const Mx_Module& module, const wchar_t* stem) {
    for (int n = 1;; ++n) {
        Mx_String name(std::wstring(stem) + std::to_wstring(n));
        if (module.findGeometry(name) < 0)
            return name;
    }
}

}  // namespace

const Mx_Macro* EditedMacro(const EditConstrData& data) {
    const Mx_DbMacro* object = editedObject(data);
    return object != nullptr ? object->macroRead() : nullptr;
}

// --- modules

Acad::ErrorStatus GetModuleNames(const EditConstrData& data, Mx_StringArray& names) {
    const Mx_Macro* macro = EditedMacro(data);
    if (macro == nullptr)
        return Acad::eKeyNotFound;
    return macro->getModuleNames(names);
}

Acad::ErrorStatus RemoveModule(EditConstrData& data, const Mx_String& module) {
    return changeMacro(data, L"RemoveModule " + module.str(),
                       [&](Mx_Macro& macro) { return macro.removeModule(module); });
}

Acad::ErrorStatus RenameModule(EditConstrData& data, const Mx_String& module, const Mx_String& newName) {
    return changeMacro(data, L"RenameModule " + module.str() + L" " + newName.str(), [&](Mx_Macro& macro) {
        Mx_Module* found = nullptr;
        if (macro.findModuleWrite(module, found) != Acad::eOk)
            return Acad::eKeyNotFound;
        if (!validModuleName(newName))
            return Acad::eInvalidInput;
        const Mx_Module* other = nullptr;
        if (macro.findModule(newName, other) == Acad::eOk && other != found)
            return Acad::eDuplicateKey;
        found->setName(newName);
        return Acad::eOk;
    });
}

// --- constraints

Acad::ErrorStatus GetConstraints(const EditConstrData& data, const Mx_String& module,
                                 Mx_Array<MacroConstraint>& constraints) {
    const Mx_Module* found = findModule(data, module);
    if (found == nullptr)
        return Acad::eKeyNotFound;
    constraints = found->constraints();
    return Acad::eOk;
}

Acad::ErrorStatus HighlightConstraint(EditConstrData& data, const Mx_String& module, int index) {
    MacroDrawing& drawing = MacroDrawing::active();
    const Mx_Module* found = findModule(data, module);
    if (found == nullptr || !found->constraints().isValidIndex(index)) {
        drawing.note(L"HighlightConstraint " + place(module, index) + L" -> not found");
        return Acad::eInvalidIndex;
    }
    drawing.note(L"HighlightConstraint " + place(module, index));
    state().highlighted.append(Mx_String(module.str() + L":" + std::to_wstring(index)));
    return Acad::eOk;
}

void UnHighlightConstraints(EditConstrData&) {
    MacroDrawing::active().note(L"UnHighlightConstraints " + std::to_wstring(state().highlighted.length()));
    state().highlighted.removeAll();
}

Mx_StringArray HighlightedConstraints() {
    return state().highlighted;
}

Acad::ErrorStatus UpdateConstraint(EditConstrData& data, const Mx_String& module, int index,
                                   const MacroConstraint& constraint) {
    return changeModule(data, module, L"UpdateConstraint " + place(module, index), [&](Mx_Module& m) {
        if (!m.constraints().isValidIndex(index))
            return Acad::eInvalidIndex;
        const Acad::ErrorStatus status = m.checkConstraint(constraint);
        if (status == Acad::eOk)
            m.constraints()[index] = constraint;
        return status;
    });
}

Acad::ErrorStatus DeleteConstraint(EditConstrData& data, const Mx_String& module, int index) {
    return changeModule(data, module, L"DeleteConstraint " + place(module, index), [&](Mx_Module& m) {
        if (!m.constraints().isValidIndex(index))
            return Acad::eInvalidIndex;
        m.constraints().removeAt(index);
        return Acad::eOk;
    });
}

Acad::ErrorStatus SortConstraints(EditConstrData& data, const Mx_String& module, int column) {
    return changeModule(data, module, L"SortConstraints " + place(module, column), [&](Mx_Module& m) {
        if (column < 0 || column > 2)
            return Acad::eInvalidIndex;
        std::vector<MacroConstraint> list;
        for (const MacroConstraint& c : m.constraints())
            list.push_back(c);
        std::stable_sort(list.begin(), list.end(),
                         [column](const MacroConstraint& a, const MacroConstraint& b) {
                             if (column == 0)
                                 return a.kind < b.kind;
                             if (column == 2)
                                 return a.value < b.value;
                             const Mx_String first = a.objects.isEmpty() ? Mx_String() : a.objects[0];
                             const Mx_String second = b.objects.isEmpty() ? Mx_String() : b.objects[0];
                             return first.str() < second.str();
                         });
        m.constraints() = Mx_Array<MacroConstraint>();
        for (const MacroConstraint& c : list)
            m.constraints().append(c);
        return Acad::eOk;
    });
}

Acad::ErrorStatus ContextMenuAction(EditConstrData& data, const Mx_String& module, int index, int action) {
    const std::wstring what = L"ContextMenuAction " + place(module, index) + L" " + std::to_wstring(action);
    return changeModule(data, module, what, [&](Mx_Module& m) {
        Mx_Array<MacroConstraint>& list = m.constraints();
        if (!list.isValidIndex(index))
            return Acad::eInvalidIndex;
        switch (action) {
            case kMenuMoveUp:
                return list.swap(index, index - 1) ? Acad::eOk : Acad::eInvalidIndex;
            case kMenuMoveDown:
                return list.swap(index, index + 1) ? Acad::eOk : Acad::eInvalidIndex;
            case kMenuDuplicate:
                list.insertAt(index + 1, list[index]);
                return Acad::eOk;
            case kMenuDelete:
                list.removeAt(index);
                return Acad::eOk;
            default:
                return Acad::eInvalidInput;
        }
    });
}

// --- geometry

Acad::ErrorStatus GetGeometries(const EditConstrData& data, const Mx_String& module,
                                Mx_Array<MacroGeometry>& geometries) {
    const Mx_Module* found = findModule(data, module);
    if (found == nullptr)
        return Acad::eKeyNotFound;
    geometries = found->geometries();
    return Acad::eOk;
}

Acad::ErrorStatus HighlightObject(EditConstrData& data, const Mx_String& module, int index) {
    MacroDrawing& drawing = MacroDrawing::active();
    const Mx_Module* found = findModule(data, module);
    if (found == nullptr || !found->geometries().isValidIndex(index)) {
        drawing.note(L"HighlightObject " + place(module, index) + L" -> not found");
        return Acad::eInvalidIndex;
    }
    drawing.note(L"HighlightObject " + module.str() + L" " + found->geometries()[index].name.str());
    state().highlightedObject = found->geometries()[index].name;
    return Acad::eOk;
}

void UnHighlightObject(EditConstrData&) {
    if (state().highlightedObject.isEmpty())
        return;
    MacroDrawing::active().note(L"UnHighlightObject " + state().highlightedObject.str());
    state().highlightedObject = Mx_String();
}

Acad::ErrorStatus UpdateConstrGeom(EditConstrData& data, const Mx_String& module, int index, double offset) {
    return changeModule(data, module, L"UpdateConstrGeom " + place(module, index), [&](Mx_Module& m) {
        if (!m.geometries().isValidIndex(index))
            return Acad::eInvalidIndex;
        m.geometries()[index].offset = offset;
        return Acad::eOk;
    });
}

Acad::ErrorStatus UpdateGeomFlexibility(EditConstrData& data, const Mx_String& module, int index,
                                        bool flexible) {
    const std::wstring what = L"UpdateGeomFlexibility " + place(module, index) + (flexible ? L" 1" : L" 0");
    return changeModule(data, module, what, [&](Mx_Module& m) {
        if (!m.geometries().isValidIndex(index))
            return Acad::eInvalidIndex;
        m.geometries()[index].flexible = flexible;
        return Acad::eOk;
    });
}

// --- variables and equations

Acad::ErrorStatus UpdateVarsEqs(EditConstrData& data, const Mx_String& module,
                                const Mx_Array<MacroVariable>& variables, const Mx_StringArray& equations) {
    return changeModule(data, module, L"UpdateVarsEqs " + module.str(), [&](Mx_Module& m) {
        // Mx_Module has no call that removes a variable: the module is rebuilt with the new list, and
        // everything else it holds is carried over.
        Mx_Module copy(m.name(), m.group(), m.kind());
        for (const MacroVariable& v : variables) {
            const Acad::ErrorStatus status = copy.addVariable(v);
            if (status != Acad::eOk)
                return status;
        }
        for (const MacroCut& c : m.cuts())
            copy.addCut(c);
        for (const MacroBoltPattern& p : m.patterns())
            copy.addPattern(p);
        for (const MacroNamedPrpl& p : m.profiles())
            copy.addProfile(p);
        copy.geometries() = m.geometries();
        copy.constraints() = m.constraints();
        copy.equations() = equations;
        m = copy;
        return Acad::eOk;
    });
}

// --- commands

bool StartMacroCommand(EditConstrData& data, int code) {
    MacroDrawing& drawing = MacroDrawing::active();
    const std::wstring what = L"StartMacroCommand " + std::to_wstring(code) + L" " + data.moduleName.str();
    if (code < 0 || code > 13) {
        drawing.note(what + L" -> unknown command");
        return false;
    }
    Mx_StringArray picked;
    if (!takePick(picked)) {
        drawing.note(what + L" -> cancelled");
        return false;
    }
    if (code == 11) {
        return changeMacro(data, what, [&](Mx_Macro& macro) {
                   if (picked.isEmpty() || !validModuleName(picked[0]))
                       return Acad::eInvalidInput;
                   Mx_Module added(picked[0], Mx_String(), Mx_ModuleKind::General);
                   for (int i = 1; i < picked.length(); ++i) {
                       MacroGeometry geometry;
                       geometry.name = picked[i];
                       if (added.addGeometry(geometry) != Acad::eOk)
                           return Acad::eInvalidInput;
                   }
                   return macro.addModule(added);
               }) == Acad::eOk;
    }
    return changeModule(data, data.moduleName, what, [&](Mx_Module& m) {
               if (code == 12) {
                   if (!m.isBoltModule())
                       return Acad::eNotApplicable;
                   MacroBoltPattern pattern;
                   pattern.name = picked.isEmpty() ? freshName(m, L"Pattern") : picked[0];
                   Acad::ErrorStatus status = m.addPattern(pattern);
                   if (status != Acad::eOk)
                       return status;
                   MacroGeometry geometry;
                   geometry.name = pattern.name;
                   geometry.type = L"boltPattern";
                   return m.addGeometry(geometry);
               }
               if (code == 13) {
                   MacroGeometry geometry;
                   geometry.name = picked.isEmpty() ? freshName(m, L"CoordSys") : picked[0];
                   geometry.type = L"coordSys";
                   return m.addGeometry(geometry);
               }
               MacroConstraint constraint;
               constraint.kind = code;
               constraint.objects = picked;
               return m.addConstraint(constraint);
           }) == Acad::eOk;
}

bool SelectOtherMacro(EditConstrData& data) {
    MacroDrawing& drawing = MacroDrawing::active();
    interact();
    AcArray<AcDbObjectId> picked;
    if (!drawing.takePick(picked) || picked.isEmpty()) {
        drawing.note(L"SelectOtherMacro -> cancelled");
        return false;
    }
    const Mx_DbMacro* object = drawing.object(picked[0]);
    if (object == nullptr || object->macroRead() == nullptr) {
        drawing.note(L"SelectOtherMacro -> not in the drawing");
        return false;
    }
    if (!data.objectIds.isEmpty() && data.objectIds[0] == picked[0]) {
        drawing.note(L"SelectOtherMacro -> unchanged");
        return false;
    }
    data.objectIds = AcArray<AcDbObjectId>();
    data.objectIds.append(picked[0]);
    data.macroName = object->macroRead()->name();
    data.moduleName = Mx_String();
    drawing.note(L"SelectOtherMacro -> " + data.macroName.str());
    return true;
}

void ZoomCommand(EditConstrData& data) {
    MacroDrawing& drawing = MacroDrawing::active();
    drawing.note(L"ZoomCommand " + data.macroName.str());
    interact();
    for (int i = 0; i < data.objectIds.length(); ++i)
        drawing.setView(data.objectIds[i], 3);
}

bool StartEditMacroCutDlg(EditConstrData& data) {
    MacroDrawing& drawing = MacroDrawing::active();
    const std::wstring what = L"StartEditMacroCutDlg " + data.moduleName.str();
    Mx_StringArray picked;
    if (!takePick(picked) || picked.isEmpty()) {
        drawing.note(what + L" -> cancelled");
        return false;
    }
    const Mx_Module* module = findModule(data, data.moduleName);
    const MacroCut* cut = nullptr;
    if (module == nullptr || module->getCutConstraint(picked[0], cut) != Acad::eOk) {
        drawing.note(what + L" -> no cut " + picked[0].str());
        return false;
    }
    drawing.note(what + L" -> " + cut->name.str());
    return true;
}

void setNextGeometryPick(const Mx_StringArray& names) {
    state().pick = names;
    state().hasPick = true;
}

void cancelNextGeometryPick() {
    state().pick.removeAll();
    state().hasPick = false;
}

bool hasNextGeometryPick() {
    return state().hasPick;
}

void setDrawingInteraction(std::function<void()> interaction) {
    state().interaction = std::move(interaction);
}
