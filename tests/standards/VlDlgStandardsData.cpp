// The data of one standards run: the target decides module-group or mapping-file mode.
#include "standards/VlDlgStandardsData.h"

#include <gtest/gtest.h>

#include "platform/mxbase/MacroData.h"
#include "platform/mxbase/Mx_DbMacro.h"

TEST(VlDlgStandardsData, InitializeTakesTheModuleGroupFromTheTarget) {
    Mx_DbMacro macro;
    MacroData macroData;
    VlDlgStandardsData data;
    data.mode = VlDlgStandardsData::kChildRun;
    data.moduleGroup = L"stale";
    EXPECT_EQ(data.initialize(nullptr, Mx_String(L"S"), Mx_String(L"Module.Plates"), &macroData), Acad::eInvalidInput);
    EXPECT_EQ(data.initialize(&macro, Mx_String(L"S"), Mx_String(L"Module.Plates"), nullptr), Acad::eInvalidInput);
    EXPECT_EQ(data.mode, VlDlgStandardsData::kChildRun);  // nothing changes on failure

    ASSERT_EQ(data.initialize(&macro, Mx_String(L"EndPlate"), Mx_String(L"Module.Plates.Left"), &macroData), Acad::eOk);
    EXPECT_EQ(data.mode, VlDlgStandardsData::kMainRun);
    EXPECT_EQ(data.moduleGroup, Mx_String(L"Plates.Left"));
    EXPECT_EQ(data.standardsFile, Mx_String(L"EndPlate"));
    EXPECT_EQ(data.macro, &macro);
    EXPECT_EQ(data.macroData, &macroData);

    ASSERT_EQ(data.initialize(&macro, Mx_String(L"EndPlate"), Mx_String(L"EndPlate A"), &macroData), Acad::eOk);
    EXPECT_TRUE(data.moduleGroup.isEmpty());
    EXPECT_EQ(data.mapsTo, Mx_String(L"EndPlate A"));

    VlDlgStandardsData copy = data;  // the variables are copied, the macro is shared
    copy.varCells.append(VlVarCell(L"W", kVlInput, kVlDouble));
    EXPECT_EQ(data.varCells.length(), 0);
    EXPECT_EQ(copy.macro, &macro);
}
