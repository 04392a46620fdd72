#pragma once
// One standards run: which macro, which sheet, which target, which general variables, and after the
// run the variables with their final values. The macro, the transaction and the macro data are the
// caller's (borrowed, never owned).
#include <cstdint>

#include "platform/arx/AcadStatus.h"
#include "platform/mxbase/Mx_String.h"
#include "platform/mxbase/Mx_StringArray.h"
#include "standards/VlVarCells.h"

class AcTransaction;
class MacroData;
class Mx_DbMacro;

class VlDlgStandardsData {
public:
    enum Mode : std::int32_t { kMainRun = 0, kChildRun = 1 };

    VlDlgStandardsData() = default;
    virtual ~VlDlgStandardsData() = default;
    VlDlgStandardsData(const VlDlgStandardsData&) = default;
    VlDlgStandardsData& operator=(const VlDlgStandardsData&) = default;
    VlDlgStandardsData(VlDlgStandardsData&&) noexcept = default;
    VlDlgStandardsData& operator=(VlDlgStandardsData&&) noexcept = default;

    // A main run of `file` against `macro` for the target `mapsTo` ("Module." + module group, or the
    // key of a mapping-file line). Needs both pointers. The transaction and the general variables are
    // left to the caller.
    Acad::ErrorStatus initialize(Mx_DbMacro* macro, const Mx_String& file, const Mx_String& mapsTo,
                                 MacroData* macroData);

    std::int32_t mode = kMainRun;
    Mx_String standardsFile;
    Mx_DbMacro* macro = nullptr;
    Mx_String mapsTo;
    Mx_String moduleGroup;
    AcTransaction* transaction = nullptr;
    MacroData* macroData = nullptr;
    Mx_StringArray genVarNames;
    Mx_StringArray genVarValues;
    VlVarCells varCells;
};
