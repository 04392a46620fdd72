#pragma once
// Shared fixtures of the standards tests: a hidden dialog hosting a grid, the bundled end-plate macro
// with its dialog data, and a scratch folder.
#include <gtest/gtest.h>

#include <unistd.h>  // getpid

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/mfc/CDialog.h"
#include "platform/mfc/Resources.h"
#include "platform/mfc/Win32Api.h"
#include "platform/mxbase/MacroData.h"
#include "platform/mxbase/Mx_DbMacro.h"
#include "platform/mxbase/ObjectExportFiles.h"
#include "spread/Mx_Spread.h"

namespace standardstest {

constexpr int kDialogId = 600, kGrid = 100;

inline HINSTANCE hostResources() {
    static HINSTANCE module = ui::loadResourceModuleFromText("standards-test", R"(
DIALOG 600 0 0 260 207
  CAPTION "Dialog"
  STYLE WS_POPUP | WS_CAPTION | WS_SYSMENU
  CONTROL Static 100 "" 7 7 246 173
END
)").module;
    return module;
}

// A grid of `cols` x `rows` in a hidden dialog, as the standards run uses one.
class GridHost : public CDialog {
public:
    GridHost(int cols = 6, int rows = 20) : CDialog(kDialogId, nullptr) {
        AfxSetResourceHandle(hostResources());
        Create(kDialogId, nullptr);
        grid.createFromDlgItem(this, kGrid, false);
        grid.setMaxCols(cols, false);
        grid.setMaxRows(rows, false);
    }
    ~GridHost() override {
        grid.DestroyWindow();
        DestroyWindow();
    }
    void put(int col, int row, const wchar_t* text) { EXPECT_TRUE(grid.setCellText(col, row, Mx_String(text))); }
    Mx_String value(int col, int row) {
        Mx_String text;
        EXPECT_TRUE(grid.getCellText(col, row, text, Mx_Spread::kValue));
        return text;
    }

    Mx_Spread grid;
};

// The bundled end-plate connection: group "Plates" (module EndPlate), "Bolts" (EndPlateBolts, pattern
// BoltRows), "Stiffeners"; gen_Clearance 10; base profiles HEB-200 and IPE-300.
struct EndPlateMacro {
    EndPlateMacro() {
        const Mx_String path(CONNSHEET_SOURCE_DIR "/examples/library/Macros/EndPlateBeamToColumn.json");
        EXPECT_EQ(macro.readFromFile(path, &data), Acad::eOk);
    }
    Mx_Macro& content() { return *macro.macroWrite(); }
    Mx_DbMacro macro;
    MacroData data;
};

// A fresh folder below the system's temporary folder, removed with the object.
class ScratchDir {
public:
    ScratchDir() {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::temp_directory_path() /
                ("cs_standards_" + std::string(test->test_suite_name()) + "_" + test->name() + "_" +
                 std::to_string(::getpid()));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchDir() { std::filesystem::remove_all(path_); }
    Mx_String file(const std::string& name) const { return Mx_String((path_ / name).string()); }
    // The file's raw bytes; empty when it does not exist.
    std::string bytes(const std::string& name) const {
        std::ifstream in(path_ / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void write(const std::string& name, const std::string& bytes) const {
        std::ofstream(path_ / name, std::ios::binary) << bytes;
    }

private:
    std::filesystem::path path_;
};

}  // namespace standardstest
