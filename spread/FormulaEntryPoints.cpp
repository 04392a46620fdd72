#include "spread/FormulaEntryPoints.h"

#include "module/ModuleResources.h"
#include "platform/mfc/VlTempResourceOverride.h"
#include "platform/mfc/Win32Api.h"
#include "spread/CFormula.h"

int evaluateSheet(const Mx_String& fileName, int col, int row) {
    VlTempResourceOverride::Scope resources(ModuleResources::resourceOverride());
    CFormula dialog(CFormula::kRecalcCell, adsw_acadMainWnd());
    dialog.setFileName(fileName);
    dialog.setCell(col, row);
    return static_cast<int>(dialog.DoModal());
}

void EvaluateSS() {
    evaluateSheet(L"c:\\a\\t3.sss", 1, 1);
}

bool readSheet(const Mx_String& fileName, Mx_String& title, Mx_StringArray& columnNames,
               Mx_Array<Mx_StringArray>& rows) {
    VlTempResourceOverride::Scope resources(ModuleResources::resourceOverride());
    CFormula dialog(CFormula::kReadAll, adsw_acadMainWnd());
    dialog.setFileName(fileName);
    dialog.setReadOutputs(&columnNames, &rows);
    dialog.DoModal();
    title = dialog.title();
    return dialog.loaded();
}

void ReadSSFile(const Mx_String& fileName, Mx_String& title, Mx_StringArray& columnNames,
                Mx_Array<Mx_StringArray>& rows) {
    readSheet(fileName, title, columnNames, rows);
}
