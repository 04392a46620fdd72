#include "standards/TabMappingData.h"

#include "platform/mxbase/Mx_DbMacro.h"

Acad::ErrorStatus TabMappingData::initialize(Mx_DbMacro* dbMacro, const MacroStandards& standards) {
    const Mx_Macro* content = dbMacro != nullptr ? dbMacro->macroRead() : nullptr;
    if (content == nullptr)
        return Acad::eInvalidInput;
    VlSSMapping all;
    if (all.initAllVarsFromMacro(dbMacro, nullptr) != Acad::eOk)
        return Acad::eInvalidInput;
    macro = dbMacro;
    allVars = all;
    content->getGroupNames(moduleGroups);
    sheets = standards.sheets;
    mapsTo = standards.mapsTo;
    mapsTo.setLogicalLength(sheets.length());
    opened_.sheets = sheets;
    opened_.mapsTo = mapsTo;
    return Acad::eOk;
}

Mx_String TabMappingData::getMapping(const Mx_String& sheet, int row) const {
    if (!opened_.sheets.isValidIndex(row) || !opened_.sheets[row].equal(sheet, false))
        return Mx_String();
    return opened_.mapsTo.at(row);
}

MacroStandards TabMappingData::standards() const {
    MacroStandards result;
    result.sheets = sheets;
    result.mapsTo = mapsTo;
    return result;
}
