#pragma once
// A fixture for the commands that edit macro files: the scratch folder holds a copy of a macro of the
// source tree (the bundled end-plate macro unless the test says otherwise), which the test reads back,
// and the registry lives in memory for the test.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>

#include "ScratchFolder.h"
#include "platform/mfc/RegistryScope.h"

class MacroFileTest : public ScratchFolderTest {
protected:
    // `source` relative to the source tree, copied into the folder as `name`.
    explicit MacroFileTest(std::string source = "examples/library/Macros/EndPlateBeamToColumn.json",
                           std::string name = "EndPlate.json")
        : source_(std::move(source)), name_(std::move(name)) {}

    void SetUp() override {
        ScratchFolderTest::SetUp();
        std::filesystem::copy_file(std::filesystem::path(CONNSHEET_SOURCE_DIR) / source_, dir_ / name_,
                                   std::filesystem::copy_options::overwrite_existing);
        macro_ = (dir_ / name_).string();
    }
    std::string macroText() const {
        std::ifstream in(macro_, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    ui::RegistryScope registry_;
    std::string macro_;

private:
    std::string source_;
    std::string name_;
};
