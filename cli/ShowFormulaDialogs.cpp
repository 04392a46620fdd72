#include "cli/ShowFormulaDialogs.h"

#include "module/ModuleResources.h"
#include "platform/arx/CommandLine.h"
#include "platform/mfc/VlTempResourceOverride.h"
#include "platform/mfc/Win32Api.h"
#include "spread/CDlgFindReplace.h"
#include "spread/CDlgStringArray.h"
#include "spread/CFormula.h"
#include "spread/DlgSSAsTool.h"
#include "spread/FormulaEntryPoints.h"

namespace connsheet {
namespace {

int showFormulas(const Mx_String& path, int col, int row, const std::function<int(HWND)>& finish,
                 std::ostream& err) {
    VlTempResourceOverride::Scope resources(ModuleResources::resourceOverride());
    CFormula dialog(CFormula::kRecalcCell);
    dialog.setFileName(path);
    dialog.setCell(col, row);
    if (!dialog.Create(CFormula::IDD)) {
        err << "connsheet: the formulas dialog could not be created\n";
        return 1;
    }
    if (!dialog.loaded()) {
        err << "connsheet: " << path.toUtf8() << ": cannot load the sheet\n";
        dialog.DestroyWindow();
        return 1;
    }
    const int status = finish(dialog.GetSafeHwnd());
    if (::IsWindow(dialog.GetSafeHwnd()))
        dialog.DestroyWindow();
    return status;
}

int showStringTable(const Mx_String& path, const std::function<int(HWND)>& finish, std::ostream& err) {
    Mx_String title;
    Mx_StringArray columns;
    Mx_Array<Mx_StringArray> rows;
    if (!readSheet(path, title, columns, rows)) {
        err << "connsheet: " << path.toUtf8() << ": cannot load the sheet\n";
        return 1;
    }
    // A sheet without header texts still gets one column per column.
    for (int i = 0; i < columns.length(); ++i)
        if (columns[i].isEmpty())
            columns[i] = Mx_String(static_cast<wchar_t>(L'A' + i % 26));
    VlTempResourceOverride::Scope resources(ModuleResources::resourceOverride());
    CDlgStringArray dialog(columns, {}, rows, true, L"DLG_SS_STRINGARRAY", title.isEmpty() ? path : title);
    if (!dialog.Create(CDlgStringArray::IDD)) {
        err << "connsheet: the string-table dialog could not be created\n";
        return 1;
    }
    const int status = finish(dialog.GetSafeHwnd());
    if (::IsWindow(dialog.GetSafeHwnd()))
        dialog.DestroyWindow();
    return status;
}

int showFindReplace(const Mx_String& path, const std::function<int(HWND)>& finish, std::ostream& err) {
    DlgSSAsTool tool;
    if (!tool.create() || !tool.grid()) {
        err << "connsheet: the spreadsheet window could not be created\n";
        return 1;
    }
    Mx_Spread& grid = *tool.grid();
    grid.initDefaults(0);
    if (!grid.LoadFromFile(path.c_str())) {
        err << "connsheet: " << path.toUtf8() << ": cannot load the sheet\n";
        return 1;
    }
    grid.SetActiveCell(1, 1);
    CDlgFindReplace dialog(grid);
    if (!dialog.open()) {
        err << "connsheet: the find/replace dialog could not be created\n";
        return 1;
    }
    return finish(dialog.GetSafeHwnd());
}

}  // namespace

int showFormulaDialog(UINT id, const Mx_String& path, int col, int row,
                      const std::function<int(HWND)>& finish, std::ostream& err) {
    // The dialogs tell the host's command line what they load; that is no part of the output.
    host::setPrintSink({});
    switch (id) {
        case CFormula::IDD:
            return showFormulas(path, col, row, finish, err);
        case CDlgStringArray::IDD:
            return showStringTable(path, finish, err);
        case CDlgFindReplace::IDD:
            return showFindReplace(path, finish, err);
        default:
            return -1;
    }
}

}  // namespace connsheet
