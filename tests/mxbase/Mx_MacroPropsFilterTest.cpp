// The core's filter over the library's macro files: which macros it offers, what it merges and how
// ticks narrow the offer.
#include "platform/mxbase/Mx_MacroPropsFilter.h"

#include <gtest/gtest.h>
#include <unistd.h>  // getpid

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/mxbase/Mx_Settings.h"

namespace {

namespace fs = std::filesystem;

struct MacroPropsFilterTest : ::testing::Test {
    fs::path lib = fs::temp_directory_path() / ("connsheet-props-filter-" + std::to_string(::getpid()));
    void SetUp() override {
        fs::remove_all(lib);
        fs::create_directories(lib / "Macros" / "Halls");
        gSettings.setLibDir(Mx_String(lib.wstring()));
        // Module and property names differ in letter case between the macros on purpose.
        macro("Cleat.json",
              R"({"name": "Cleat", "kind": "bolt", "variables": [{"name": "Pitch", "value": 70}],
                              "patterns": [{"name": "Web", "nrBolts1": "2"}]},
                             {"name": "Plate", "variables": [{"name": "Thickness", "value": 10}]})");
        macro("Halls/North.json", R"({"name": "PLATE", "variables": [{"name": "thickness", "value": 12},
                                        {"name": "Width", "value": 200}],
                                       "cuts": [{"name": "Notch", "type": "Cope", "values": {"offset": 1}}]})");
        macro("Bare.json", "");
    }
    void TearDown() override {
        gSettings.reset();
        fs::remove_all(lib);
    }
    void macro(const std::string& file, const std::string& modules) {
        std::ofstream(lib / "Macros" / file) << R"({"version": 1, "modules": [)" << modules << "]}";
    }
    static Mx_StringArray filtered(Mx_MacroPropsFilter& filter) {
        Mx_StringArray names;
        filter.getFilteredMacros(names);
        return names;
    }
};

AcArray<bool> flags(std::initializer_list<bool> values) {
    AcArray<bool> result;
    for (bool value : values)
        result.append(value);
    return result;
}

}  // namespace

TEST_F(MacroPropsFilterTest, NoNamesOfferEveryMacroBelowMacrosSortedByPath) {
    Mx_MacroPropsFilter filter;
    filter.initialize({}, {}, 1, 2);
    Mx_StringArray files;
    EXPECT_EQ(filter.getAllDwgFiles(files), 3);
    EXPECT_EQ(filtered(filter), Mx_StringArray({L"Bare", L"Cleat", L"Halls\\North"}));
    EXPECT_EQ(filter.first(), 1);
    EXPECT_EQ(filter.second(), 2);
}

TEST_F(MacroPropsFilterTest, NamesAreDrawingsOfTheSamePathAndHiddenMissingOrRepeatedOnesAreLeftOut) {
    Mx_MacroPropsFilter filter;
    const Mx_String absolute((lib / "Macros" / "Cleat.dwg").wstring());
    filter.initialize({L"halls\\north.dwg", L"Cleat.dwg", L"Bare", L"Gone.dwg", absolute, L""},
                      flags({true, true, false, true, true}), 0, 0);
    Mx_StringArray files;
    ASSERT_EQ(filter.getAllDwgFiles(files), 2);
    EXPECT_EQ(fs::path(files[0].str()).filename(), "North.json") << "letter case as on disk";
    EXPECT_EQ(filtered(filter), Mx_StringArray({L"Halls\\North", L"Cleat"}))
        << "the absolute path is the same file as Cleat.dwg: once";
}

TEST_F(MacroPropsFilterTest, ModulesAndPropertiesMergeIgnoringCaseAsFirstMet) {
    Mx_MacroPropsFilter filter;
    filter.initialize({}, {}, 0, 0);
    Mx_StringArray modules;
    Mx_Array<Mx_StringArray> properties;
    ASSERT_TRUE(filter.getMergedProperties(modules, properties));
    EXPECT_EQ(modules, Mx_StringArray({L"Cleat", L"Plate"}));
    ASSERT_EQ(properties.length(), 2);
    EXPECT_EQ(properties[0], Mx_StringArray({L"Pitch", L"Web"}));
    EXPECT_EQ(properties[1], Mx_StringArray({L"Thickness", L"Width", L"Notch"}));
}

TEST_F(MacroPropsFilterTest, TicksAddUpAndAPropertyNeedsItsOwnModule) {
    Mx_MacroPropsFilter filter;
    filter.initialize({}, {}, 0, 0);
    EXPECT_EQ(filter.setModuleStatus(L"plate", true), Acad::eOk);
    EXPECT_EQ(filtered(filter), Mx_StringArray({L"Cleat", L"Halls\\North"}));
    EXPECT_EQ(filter.setModulePropStatus(L"Plate", L"WIDTH", true), Acad::eOk);
    EXPECT_EQ(filtered(filter), Mx_StringArray({L"Halls\\North"}));
    EXPECT_EQ(filter.setModuleStatus(L"Cleat", true), Acad::eOk);
    EXPECT_TRUE(filtered(filter).isEmpty());
    EXPECT_EQ(filter.setModulePropStatus(L"Plate", L"Width", false), Acad::eOk);
    EXPECT_EQ(filter.setModuleStatus(L"PLATE", false), Acad::eOk) << "unticked in any letter case";
    EXPECT_EQ(filtered(filter), Mx_StringArray({L"Cleat"}));
    // A property another module has does not count.
    EXPECT_EQ(filter.setModuleStatus(L"Cleat", false), Acad::eOk);
    EXPECT_EQ(filter.setModulePropStatus(L"Cleat", L"Thickness", true), Acad::eKeyNotFound);
    EXPECT_EQ(filter.setModuleStatus(L"Roof", true), Acad::eKeyNotFound);
    EXPECT_EQ(filter.setModulePropStatus(L"Plate", L"", true), Acad::eKeyNotFound);
    EXPECT_EQ(filtered(filter).length(), 3) << "refused ticks narrow nothing";
    EXPECT_EQ(filter.calls().back(), L"getFilteredMacros 3");
}

TEST_F(MacroPropsFilterTest, AnUnreadableMacroIsOfferedUntilSomethingIsTicked) {
    std::ofstream(lib / "Macros" / "Broken.json") << "{\"version\": 1, \"modules\": [";
    Mx_MacroPropsFilter filter;
    filter.initialize({}, {}, 0, 0);
    EXPECT_EQ(filtered(filter).length(), 4);
    EXPECT_EQ(filter.calls().front().rfind(L"unreadable Broken: ", 0), 0u);
    filter.setModuleStatus(L"Plate", true);
    EXPECT_FALSE(filtered(filter).contains(L"Broken"));
}

TEST_F(MacroPropsFilterTest, MergingFailsOnlyWhenNoMacroCanBeRead) {
    Mx_MacroPropsFilter filter;
    filter.initialize({L"Gone"}, {}, 0, 0);
    Mx_StringArray modules;
    Mx_Array<Mx_StringArray> properties;
    EXPECT_FALSE(filter.getMergedProperties(modules, properties));
    filter.initialize({L"Bare"}, {}, 0, 0);
    EXPECT_TRUE(filter.getMergedProperties(modules, properties)) << "read, without modules";
    EXPECT_TRUE(modules.isEmpty());
}

TEST_F(MacroPropsFilterTest, InitializeForgetsTicksAndReadsTheFilesAgain) {
    Mx_MacroPropsFilter filter;
    filter.initialize({}, {}, 0, 0);
    filter.setModuleStatus(L"Cleat", true);
    ASSERT_EQ(filtered(filter).length(), 1);
    macro("Late.json", R"({"name": "Cleat"})");
    EXPECT_EQ(filtered(filter).length(), 1) << "read once";
    filter.initialize({}, {}, 0, 0);
    EXPECT_EQ(filtered(filter), Mx_StringArray({L"Bare", L"Cleat", L"Halls\\North", L"Late"}));
}
