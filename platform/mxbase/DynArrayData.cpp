#include "platform/mxbase/DynArrayData.h"

#include <algorithm>
#include <iterator>  // back_inserter
#include <vector>

#include "platform/mxbase/MacroDrawing.h"
#include "platform/mxbase/Mx_DbMacro.h"
#include "platform/mxbase/Mx_Macro.h"
#include "platform/mxbase/Mx_Module.h"
#include "platform/mxbase/UiTexts.h"

void DynArrayData::getEntryColumns(Mx_StringArray& headings, Mx_Array<Mx_StringArray>& columns) const {
    headings = {dialString(86), dialString(1479)};
    Mx_StringArray values, actions;
    for (const DynArrayEntry& entry : entries) {
        values.append(entry.value);
        actions.append(Mx_String(entry.action));
    }
    columns.removeAll();
    columns.append(values);
    columns.append(actions);
}

void DynArrayData::setEntryColumns(const Mx_Array<Mx_StringArray>& columns) {
    entries.removeAll();
    if (columns.isEmpty())
        return;
    const Mx_StringArray& values = columns[0];
    for (int row = 0; row < values.length(); ++row) {
        if (values[row].view().find_first_not_of(L" \t") == std::wstring_view::npos)
            continue;  // the grid's blank rows are no copies
        DynArrayEntry entry;
        entry.value = values[row];
        int action = DynArrayEntry::kNormal;
        if (columns.length() >= 2 && row < columns[1].length() && columns[1][row].toInt(action))
            entry.action = action;
        entries.append(entry);
    }
}

bool DynArrayData::setEntryAction(int index, int action) {
    DynArrayEntry* entry = entries.at(index);
    if (entry == nullptr)
        return false;
    entry->action = action;
    return true;
}

void DynArrayData::getValidDimNames(const AcArray<AcDbObjectId>& ids, const Mx_String& moduleName,
                                    Mx_StringArray& names) const {
    names.removeAll();
    std::vector<Mx_String> common;
    for (int i = 0; i < ids.length(); ++i) {
        const Mx_DbMacro* object = MacroDrawing::active().object(ids[i]);
        const Mx_Macro* macro = object != nullptr ? object->macroRead() : nullptr;
        const Mx_Module* module = nullptr;
        if (macro == nullptr || macro->findModule(moduleName, module) != Acad::eOk)
            return;  // an object without the module: no dimension is valid for all of them
        std::vector<Mx_String> own;
        for (const MacroVariable& variable : module->variables())
            own.push_back(variable.name);
        std::sort(own.begin(), own.end());
        if (i == 0) {
            common = std::move(own);
            continue;
        }
        std::vector<Mx_String> both;
        std::set_intersection(common.begin(), common.end(), own.begin(), own.end(), std::back_inserter(both));
        common = std::move(both);
    }
    for (const Mx_String& name : common)
        names.append(name);
}

bool DynArrayData::operator==(const DynArrayData& other) const {
    return name == other.name && arrayType == other.arrayType && ctrlId == other.ctrlId &&
           moduleImage == other.moduleImage && std::equal(dimNames, dimNames + 3, other.dimNames) &&
           count == other.count && secondCount == other.secondCount && distance == other.distance &&
           startValue == other.startValue && endValue == other.endValue && increment == other.increment &&
           mirror == other.mirror && alternating == other.alternating && skip == other.skip &&
           entries == other.entries;
}
