#include "standards/VlDlgStandardsData.h"

Acad::ErrorStatus VlDlgStandardsData::initialize(Mx_DbMacro* dbMacro, const Mx_String& file,
                                                 const Mx_String& target, MacroData* data) {
    if (!dbMacro || !data) return Acad::eInvalidInput;
    const Mx_String modulePrefix(L"Module.");
    if (target.startsWith(modulePrefix, true))
        moduleGroup = target.getSubStringAt(modulePrefix.length());
    else
        moduleGroup.clear();
    mode = kMainRun;
    standardsFile = file;
    mapsTo = target;
    macro = dbMacro;
    macroData = data;
    return Acad::eOk;
}
