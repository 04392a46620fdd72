#pragma once
// Shared fixtures of the standards tests: a hidden dialog hosting a grid, the bundled end-plate macro
// with its dialog data, and a scratch folder.
#include <gtest/gtest.h>

#include <unistd.h>  // getpid

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/mfc/CDialog.h"
#include "platform/mfc/Resources.h"
#include "platform/mfc/Win32Api.h"
#include "platform/mxbase/MacroData.h"
#include "platform/mxbase/Mx_DbMacro.h"
#include "platform/mxbase/ObjectExportFiles.h"
#include "platform/mfc/ScriptedDriver.h"
#include "spread/Mx_Spread.h"
#include "standards/StartDlgStandardsSS.h"
#include "standards/VlDlgStandardsData.h"

// Test failures show strings as text, not as the bytes of the object.
inline void PrintTo(const Mx_String& text, std::ostream* out) { *out << '"' << text.toUtf8() << '"'; }

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
    // Writes the file, making the folders of a name like "lib/Data/x.dat" first.
    void write(const std::string& name, const std::string& bytes) const {
        std::filesystem::create_directories((path_ / name).parent_path());
        std::ofstream(path_ / name, std::ios::binary) << bytes;
    }

private:
    std::filesystem::path path_;
};

// Equations evaluated the way a sheet evaluates them: a ".vls" sheet is written with the given inputs
// and locals, one output R_1, R_2, ... per equation and, below "Calc", each equation "R_k = expression"
// on a row of its own; the sheet then runs as a child (StartDlgStandardsSS, mode 1). An equation
// that fails is recognised by its failed-equation message ("(line: N)"), so warnings must be on.
//
//   EquationSheet sheet;
//   sheet.input(L"Section", L"IPE-300", kVlString);
//   const int h = sheet.equation("SECTIONSIZE(Section, 1)");
//   ASSERT_TRUE(sheet.run(dir, driver));
//   EXPECT_EQ(sheet.number(h), 300);
class EquationSheet {
public:
    EquationSheet& input(const wchar_t* name, const wchar_t* value, VlValueType type = kVlDouble) {
        inputs_.push_back({Mx_String(name), Mx_String(value), type});
        return *this;
    }
    // A local variable: it starts empty.
    EquationSheet& local(const wchar_t* name, VlValueType type = kVlDouble) {
        locals_.push_back({Mx_String(name), Mx_String(), type});
        return *this;
    }
    // Adds "R_k = expression" (UTF-8) with R_k of `type`; returns k - 1, the equation's index.
    int equation(const std::string& expression, VlValueType type = kVlDouble) {
        equations_.push_back({expression, type});
        return static_cast<int>(equations_.size()) - 1;
    }

    // Writes the sheet as `name` into `dir` and runs it. False when the run itself failed.
    bool run(const ScratchDir& dir, const ui::ScriptedDriver& driver, const std::string& name = "equations.vls") {
        // Every line ends with a TAB: the grid reads a first line holding a TAB as tab-separated text.
        std::string text = "Input\t\n";
        for (const Variable& v : inputs_) text += declaration(v.type) + v.name.toUtf8() + "\t\n";
        text += "Output\t\n";
        for (std::size_t k = 0; k < equations_.size(); ++k)
            text += declaration(equations_[k].type) + "R_" + std::to_string(k + 1) + "\t\n";
        if (!locals_.empty()) {
            text += "Local\t\n";
            for (const Variable& v : locals_) text += declaration(v.type) + v.name.toUtf8() + "\t\n";
        }
        text += "Calc\t\n";
        int row = 2 + static_cast<int>(inputs_.size() + equations_.size()) + (locals_.empty() ? 1 : 2) +
                  static_cast<int>(locals_.size());
        firstEquationRow_ = row + 1;
        for (std::size_t k = 0; k < equations_.size(); ++k)
            text += "R_" + std::to_string(k + 1) + " = " + equations_[k].expression + "\t\n";
        dir.write(name, text);

        data_ = VlDlgStandardsData();
        data_.mode = VlDlgStandardsData::kChildRun;
        data_.standardsFile = dir.file(name);
        for (const Variable& v : inputs_) data_.varCells.append(VlVarCell(v.name, kVlInput, v.type, 0, 0, v.value));
        for (std::size_t k = 0; k < equations_.size(); ++k)
            data_.varCells.append(
                VlVarCell(Mx_String("R_" + std::to_string(k + 1)), kVlOutput, equations_[k].type, 0, 0, Mx_String()));
        const std::size_t before = driver.messageBoxes().size();
        const bool ok = StartDlgStandardsSS(data_);
        boxes_.assign(driver.messageBoxes().begin() + static_cast<std::ptrdiff_t>(before), driver.messageBoxes().end());
        return ok;
    }

    // The result of equation `index` as the output's cell shows it.
    Mx_String text(int index) const { return data_.varCells[static_cast<int>(inputs_.size()) + index].value; }
    double number(int index) const { return text(index).toDouble(); }
    // Whether equation `index` was reported as a failed equation.
    bool failed(int index) const {
        const std::wstring line = L" (line: " + std::to_wstring(firstEquationRow_ + index) + L")\n";
        for (const auto& box : boxes_)
            if (box.text.rfind(L"The following equation failed:", 0) == 0 && box.text.find(line) != std::wstring::npos)
                return true;
        return false;
    }
    // The message boxes the last run showed, in order.
    const std::vector<ui::ScriptedDriver::LoggedMessageBox>& messages() const { return boxes_; }

private:
    struct Variable {
        Mx_String name, value;
        VlValueType type;
    };
    struct Equation {
        std::string expression;
        VlValueType type;
    };
    static std::string declaration(VlValueType type) {
        return type == kVlInteger ? "Int " : type == kVlDouble ? "Double " : "String ";
    }

    std::vector<Variable> inputs_, locals_;
    std::vector<Equation> equations_;
    int firstEquationRow_ = 0;
    VlDlgStandardsData data_;
    std::vector<ui::ScriptedDriver::LoggedMessageBox> boxes_;
};

}  // namespace standardstest
