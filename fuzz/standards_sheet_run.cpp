// A standards sheet is the module's main input, and a run reads more than the sheet: its child sheets,
// data and sizes files and the section tables. The input is split at form feeds into a sheet, a child
// sheet, a data file and a sizes file, written into a library of their own beside copies of the
// bundled library's child, data and section files, and the sheet runs as `connsheet eval` runs one:
// loaded into a pooled host window, its declarations made the arguments of a child-mode run (inputs
// given the values below), its equations evaluated with the domain functions and "CallChild".
//
// Whatever the files hold, the run ends without harm: no dialog is opened, every host window goes
// back to the pool, and nesting stays within its bound.
#include <unistd.h>  // getpid

#include <cstdint>
#include <cstdlib>  // abort
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "module/ModuleResources.h"
#include "platform/mfc/ScriptedDriver.h"
#include "platform/mfc/VlTempResourceOverride.h"
#include "platform/mxbase/Mx_SectionTableManager.h"
#include "platform/mxbase/Mx_Settings.h"
#include "standards/CDlgSSStandards.h"
#include "standards/VlCalcSS.h"
#include "standards/VlDlgStandardsData.h"
#include "standards/VlSSDlgsMgr.h"

namespace {

namespace fs = std::filesystem;

// The scratch library: made once per process, removed when the process ends normally.
class Library {
public:
    Library() : root_(fs::temp_directory_path() / ("cs_fuzz_standards_" + std::to_string(::getpid()))) {
        fs::remove_all(root_);
        const fs::path bundled = fs::path(CONNSHEET_SOURCE_DIR) / "examples" / "library";
        fs::create_directories(standards() / "Childs");
        fs::create_directories(standards() / "Data");
        // The bundled child, data and section files, so that sheets made from the bundled ones run
        // as far as they do in the library.
        const auto copyAll = [](const fs::path& from, const fs::path& to) {
            fs::create_directories(to);
            for (const auto& entry : fs::directory_iterator(from))
                if (entry.is_regular_file()) fs::copy_file(entry.path(), to / entry.path().filename());
        };
        copyAll(bundled / "prof", root_ / "prof");
        copyAll(bundled / "Connection Standards" / "Childs", standards() / "Childs");
        copyAll(bundled / "Connection Standards" / "Data", standards() / "Data");
        gSettings.setLibDir(Mx_String(root_.string() + "/"));
        gSettings.setStandardsWarnings(true);  // the warning texts are built too
        gSectionTableManager.reset();
    }
    ~Library() {
        gSSDlgsMgr.destroyAll();
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    fs::path standards() const { return root_ / "Connection Standards"; }

private:
    fs::path root_;
};

// Writes `bytes` to `path`, or removes the file when this part of the input is missing.
void place(const fs::path& path, const std::string_view* bytes) {
    if (bytes == nullptr) {
        std::error_code ignored;
        fs::remove(path, ignored);
        return;
    }
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes->data(), static_cast<std::streamsize>(bytes->size()));
}

// Input values of the run: numbers for numeric inputs, a section of the bundled tables for texts.
Mx_String inputValue(const VlVarCell& variable, int index) {
    static const wchar_t* const kNumbers[] = {L"20", L"0", L"12.5", L"-3"};
    static const wchar_t* const kTexts[] = {L"IPE-300", L"HE 200 B", L"M20", L""};
    return Mx_String(variable.valueType == kVlString ? kTexts[index % 4] : kNumbers[index % 4]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Library library;
    // Up to four parts: sheet, child sheet, data file, sizes file.
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    std::string_view parts[4];
    int count = 0;
    while (count < 4) {
        const std::size_t feed = count < 3 ? rest.find('\f') : std::string_view::npos;
        parts[count++] = rest.substr(0, feed);
        if (feed == std::string_view::npos) break;
        rest.remove_prefix(feed + 1);
    }
    const fs::path sheetPath = library.standards() / "Fuzz.vls";
    place(sheetPath, &parts[0]);
    place(library.standards() / "Childs" / "Child.vls", count > 1 ? &parts[1] : nullptr);
    place(library.standards() / "Data" / "Fuzz.dat", count > 2 ? &parts[2] : nullptr);
    place(library.standards() / "Data" / "Fuzz.siz", count > 3 ? &parts[3] : nullptr);

    ui::ScriptedDriver driver;  // answers every message box with its default button
    VlTempResourceOverride::Scope resources(ModuleResources::resourceOverride());
    auto* dialog = static_cast<CDlgSSStandards*>(gSSDlgsMgr.getDlg());
    if (dialog == nullptr) std::abort();
    VlCalcSS& grid = dialog->calcSS;
    if (grid.loadFile(Mx_String(sheetPath.string())) == Acad::eOk && grid.initVarCells() == Acad::eOk) {
        VlDlgStandardsData run;
        run.mode = VlDlgStandardsData::kChildRun;
        run.standardsFile = grid.fileName();
        const VlVarCells& declared = grid.varCells();
        for (int i = 0; i < declared.length(); ++i) {
            if (declared[i].isLocal()) continue;
            VlVarCell argument = declared[i];
            argument.col = 0;
            argument.row = 0;
            argument.value = argument.isInput() ? inputValue(argument, i) : Mx_String();
            run.varCells.append(argument);
        }
        run.genVarNames.append(Mx_String(L"gen_Clearance"));
        run.genVarValues.append(Mx_String(L"10"));
        run.genVarNames.append(Mx_String(L"gen_Grade"));
        run.genVarValues.append(Mx_String(L"S355"));
        if (grid.getFromVars(run) == Acad::eOk) grid.calcChild(run.varCells);
    }
    gSSDlgsMgr.releaseDlg(dialog);

    if (!driver.modalDialogs().empty()) std::abort();   // a run never waits for a person
    if (gSSDlgsMgr.inUseCount() != 0) std::abort();      // a child's host window was kept
    if (gSSDlgsMgr.size() > VlCalcSS::kMaxNesting + 1) std::abort();
    if (VlCalcSS::runningDepth() != 0) std::abort();
    return 0;
}
