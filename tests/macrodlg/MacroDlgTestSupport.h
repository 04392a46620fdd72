#pragma once
// A drawing for macro dialog tests: the bundled end-plate macro (and, when asked, more macros) copied
// into a scratch folder, opened as the active drawing, with the module loaded around the test.
#include <gtest/gtest.h>
#include <unistd.h>  // getpid

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "module/entry/ModuleEntry.h"
#include "platform/arx/CommandLine.h"
#include "platform/mfc/Clock.h"
#include "platform/mfc/MessageLoop.h"
#include "platform/mfc/RegistryScope.h"
#include "platform/mxbase/MacroData.h"
#include "platform/mxbase/MacroDrawing.h"

inline const std::filesystem::path kEndPlate =
    std::filesystem::path(CONNSHEET_SOURCE_DIR) / "examples/library/Macros/EndPlateBeamToColumn.json";

class MacroDrawingTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("connsheet-macrodlg-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
        std::filesystem::copy_file(kEndPlate, dir_ / "EndPlate.json");
    }
    void TearDown() override {
        MacroDrawing::active().close();
        MacroDrawing::active().clearLog();
        std::filesystem::remove_all(dir_);
    }
    // Opens the drawing (the folder, or the end plate file alone) and gives the data that edits all
    // its macros.
    MacroData open(bool wholeFolder = false) {
        const std::filesystem::path path = wholeFolder ? dir_ : dir_ / "EndPlate.json";
        EXPECT_EQ(MacroDrawing::active().open(Mx_String(path.wstring())), Acad::eOk);
        MacroData data;
        MacroDrawing::active().initMacroData(MacroDrawing::active().objectIds(), data);
        MacroDrawing::active().clearLog();
        host::clearEvents();
        return data;
    }
    std::string onDisk(const std::string& name = "EndPlate.json") const {
        std::ifstream in(dir_ / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    // Another copy of the end plate in the folder, under another file name.
    void copyEndPlate(const std::string& name) { std::filesystem::copy_file(kEndPlate, dir_ / name); }
    bool logHas(const std::wstring& text) const {
        return MacroDrawing::active().logText().find(text) != std::wstring::npos;
    }
    std::filesystem::path dir_;
};

// With the module loaded (the dialog templates reach the resource chain) on a frozen clock.
class MacroDlgTest : public MacroDrawingTest {
protected:
    void TearDown() override {
        MacroDrawingTest::TearDown();
        ui::resetMessageQueue();
    }
    ui::FrozenClock clock_;
    ui::RegistryScope registry_;  // dialog sizes start from nothing
    ModuleFrame::LoadedModule module_;
};
