// FROMTABLE reads a table sheet named in a formula and looks a cell up in it, by reference or by header
// and key texts. The input up to the first line break is the argument list after the table
// ("A1", "\"Size\", \"Hole\", \"m16\"", "B2, C3"), the rest is the table file. Whatever the table
// and the arguments, the lookup ends, the calling grid stays usable and the grid being calculated is
// the one it was before.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "fuzz/FuzzSupport.h"
#include "platform/arx/CommandLine.h"
#include "platform/mfc/CDialog.h"
#include "platform/mfc/Resources.h"
#include "platform/mfc/Win32Api.h"
#include "spread/CFormula.h"
#include "spread/CalculatingGrid.h"

namespace {

using fuzzsupport::check;

HINSTANCE hostResources() {
    static HINSTANCE module = ui::loadResourceModuleFromText("fuzz-host", R"(
DIALOG 500 0 0 200 100
  CAPTION "Host"
  STYLE WS_POPUP | WS_CAPTION
  CONTROL Static 100 "" 5 5 190 90
END
)")
                                  .module;
    return module;
}

class Host : public CDialog {
public:
    Host() : CDialog(500, nullptr) {
        AfxSetResourceHandle(hostResources());
        Create(500, nullptr);
        grid.createFromDlgItem(this, 100, false);
        grid.SetMaxCols(4);
        grid.SetMaxRows(4);
        CFormula::registerFromTable(grid);
    }
    ~Host() override {
        grid.DestroyWindow();
        DestroyWindow();
    }
    Mx_Spread grid;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fuzzsupport::ScratchFolder folder("cs_fuzz_from_table");
    static Host host;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t newline = input.find('\n');
    if (newline == std::string_view::npos || newline > 200)
        return 0;
    const std::string arguments(input.substr(0, newline));
    const std::string_view table = input.substr(newline + 1);
    const std::filesystem::path file = folder.path() / "table.vls";
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(table.data(), static_cast<std::streamsize>(table.size()));

    host::clearEvents();
    host.grid.ClearDataRange(1, 1, 4, 4);
    host.grid.SetData(4, 4, L"marker");
    const std::string formula = "FROMTABLE(\"" + file.string() + "\", " + arguments + ")";
    host.grid.SetFormula(1, 1, Mx_String(formula).c_str());
    Mx_String text;
    host.grid.getCellText(1, 1, text);
    check(CalculatingGrid::current() == nullptr);
    // The grid still calculates.
    check(host.grid.SetFormula(2, 2, L"1+1") && host.grid.getCellText(2, 2, text) && text == L"2");
    return 0;
}
