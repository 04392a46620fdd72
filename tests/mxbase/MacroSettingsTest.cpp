// A macro's settings: its filters and standards sheets in the macro file, the maps-to text a run of a
// sheet finds there, and reading and writing them through the drawing.
#include "platform/mxbase/MacroSettings.h"

#include <gtest/gtest.h>
#include <unistd.h>  // getpid

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/mxbase/EditConstrData.h"
#include "platform/mxbase/MacroData.h"
#include "platform/mxbase/MacroDrawing.h"
#include "platform/mxbase/MacroJson.h"
#include "platform/mxbase/Mx_DbMacro.h"
#include "platform/mxbase/Mx_Macro.h"

namespace {

namespace fs = std::filesystem;

const fs::path kEndPlate =
    fs::path(CONNSHEET_SOURCE_DIR) / "examples/library/Macros/EndPlateBeamToColumn.json";

std::string slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

MacroFilters someFilters() {
    MacroFilters f;
    f.angle90 = true;
    f.sectionAngles = {L"0", L"180"};
    f.pathDistanceMax = 250.5;
    f.sectionKinds = {L"Rectangular tube"};
    f.sectionSizeMin = 100;
    f.propertyNames = {L"Load class", L"Site"};
    f.propertyValues = {L"Heavy", L""};
    return f;
}

TEST(MacroSettingsFile, FiltersAndStandardsRoundTripAndDefaultsAreNotWritten) {
    Mx_Macro macro;
    Mx_String error;
    ASSERT_TRUE(macrojson::read(slurp(kEndPlate), macro, nullptr, error)) << error.toUtf8();
    const std::string plain = macrojson::write(macro, nullptr);
    EXPECT_EQ(plain.find("\"filters\""), std::string::npos);
    EXPECT_EQ(plain.find("\"standards\""), std::string::npos);

    macro.setFilters(someFilters());
    macro.setStandards({{L"EndPlateBeamToColumn", L"Childs\\BoltLayout"}, {L"", L"Module.Bolts"}});
    const std::string written = macrojson::write(macro, nullptr);
    Mx_Macro back;
    ASSERT_TRUE(macrojson::read(written, back, nullptr, error)) << error.toUtf8();
    EXPECT_TRUE(back == macro);
    EXPECT_EQ(macrojson::write(back, nullptr), written);
    // The members come after the base profiles, in the documented order.
    EXPECT_LT(written.find("\"baseProfiles\""), written.find("\"filters\""));
    EXPECT_LT(written.find("\"filters\""), written.find("\"standards\""));
}

TEST(MacroSettingsFile, BadSettingsAreRefusedNamingThePath) {
    const struct {
        const char* members;
        const char* message;
    } cases[] = {
        {R"("standards": [{"mapsTo": "X"}])", "/standards/0/sheet: missing"},
        {R"("standards": [{"sheet": ""}])", "/standards/0/sheet: expected a non-empty string"},
        {R"("standards": [{"sheet": "A", "key": "B"}])", "/standards/0/key: unknown member"},
        {R"("standards": {"sheet": "A"})", "/standards: expected an array"},
        {R"("filters": {"angle90": 1})", "/filters/angle90: expected true or false"},
        {R"("filters": {"sectionAngles": [90]})", "/filters/sectionAngles/0: expected a string"},
        {R"("filters": {"properties": [{"value": "x"}]})", "/filters/properties/0/name: missing"},
        {R"("filters": {"colour": "red"})", "/filters/colour: unknown member"},
        {R"("filters": [])", "/filters: expected an object"},
    };
    for (const auto& c : cases) {
        const std::string json = std::string(R"({"version": 1, )") + c.members + "}";
        Mx_Macro macro;
        macro.setName(L"untouched");
        Mx_String error;
        EXPECT_FALSE(macrojson::read(json, macro, nullptr, error)) << json;
        EXPECT_EQ(error.toUtf8(), c.message) << json;
        EXPECT_EQ(macro.name(), Mx_String(L"untouched"));
    }
}

TEST(MacroStandardsLookup, ASheetIsFoundByItsNameOrByItsPathInTheLibrary) {
    const MacroStandards standards{{L"EndPlateBeamToColumn", L"Childs\\BoltLayout", L"Unstored"},
                                   {L"KeyOne", L"Module.Bolts", L""}};
    Mx_String found;
    EXPECT_TRUE(standards.findMapsTo(L"/lib/Connection Standards/EndPlateBeamToColumn.vls", found));
    EXPECT_EQ(found, Mx_String(L"KeyOne"));
    EXPECT_TRUE(standards.findMapsTo(L"C:\\Lib\\connection standards\\childs\\boltlayout.VLS", found));
    EXPECT_EQ(found, Mx_String(L"Module.Bolts"));
    EXPECT_TRUE(standards.findMapsTo(L"EndPlateBeamToColumn", found));
    // Not the same file: another folder, a longer name, a sheet listed without a stored text.
    EXPECT_FALSE(standards.findMapsTo(L"/lib/Connection Standards/Parents/EndPlateBeamToColumn.vls", found));
    EXPECT_FALSE(standards.findMapsTo(L"/lib/Connection Standards/MyEndPlateBeamToColumn.vls", found));
    EXPECT_FALSE(standards.findMapsTo(L"/lib/Connection Standards/Unstored.vls", found));
    EXPECT_EQ(found, Mx_String(L"KeyOne"));  // untouched when not found
}

class MacroSettingsDrawing : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("connsheet-macrosettings-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        fs::copy_file(kEndPlate, dir_ / "a.json");
        fs::copy_file(kEndPlate, dir_ / "b.json");
        ASSERT_EQ(MacroDrawing::active().open(Mx_String(dir_.wstring())), Acad::eOk);
        data_.objectIds = MacroDrawing::active().objectIds();
    }
    void TearDown() override {
        MacroDrawing::active().close();
        MacroDrawing::active().clearLog();
        fs::remove_all(dir_);
    }
    fs::path dir_;
    EditConstrData data_;
};

TEST_F(MacroSettingsDrawing, SettingsAreReadFromTheFirstMacroAndWrittenIntoEveryOne) {
    MacroSettings settings;
    ASSERT_EQ(GetMacroSettings(data_, settings), Acad::eOk);
    EXPECT_EQ(settings.macroName, Mx_String(L"EndPlateBeamToColumn"));
    EXPECT_EQ(settings.variableNames, (Mx_StringArray{L"gen_Clearance", L"gen_BoltGrade"}));
    EXPECT_EQ(settings.variableValues, (Mx_StringArray{L"10", L"8.8"}));
    EXPECT_EQ(settings.moduleNames, (Mx_StringArray{L"EndPlate", L"EndPlateBolts", L"Stiffeners"}));
    EXPECT_EQ(settings.moduleGroups, (Mx_StringArray{L"Plates", L"Bolts", L""}));
    EXPECT_EQ(settings.groups, (Mx_StringArray{L"Plates", L"Bolts", L"Stiffeners"}));

    settings.filters = someFilters();
    settings.standards = {{L"EndPlateBeamToColumn"}, {L"KeyOne"}};
    settings.variableValues[0] = L"12.5";
    ASSERT_EQ(SetMacroSettings(data_, settings), Acad::eOk);
    for (const char* file : {"a.json", "b.json"}) {
        Mx_DbMacro reread;
        MacroData tabs;
        ASSERT_EQ(reread.readFromFile(Mx_String((dir_ / file).wstring()), &tabs), Acad::eOk);
        EXPECT_TRUE(reread.macroRead()->filters() == settings.filters) << file;
        EXPECT_TRUE(reread.macroRead()->standards() == settings.standards) << file;
        double clearance = 0;
        reread.macroRead()->getGenVarValue(L"gen_Clearance", clearance);
        EXPECT_EQ(clearance, 12.5);
        EXPECT_EQ(tabs.numTabs(), 3) << file;  // the tabs stay
    }
}

TEST_F(MacroSettingsDrawing, ARefusedValueOrAMissingMacroWritesNothing) {
    const std::string a = slurp(dir_ / "a.json"), b = slurp(dir_ / "b.json");
    MacroSettings settings;
    ASSERT_EQ(GetMacroSettings(data_, settings), Acad::eOk);
    settings.standards = {{L"Sheet"}, {L"Key"}};
    settings.variableValues[1] = L"eight";
    EXPECT_EQ(SetMacroSettings(data_, settings), Acad::eInvalidInput);
    settings.variableValues[1] = L"8";
    settings.standards.mapsTo.removeAll();  // not row-parallel
    EXPECT_EQ(SetMacroSettings(data_, settings), Acad::eInvalidInput);
    EXPECT_EQ(slurp(dir_ / "a.json"), a);
    EXPECT_EQ(slurp(dir_ / "b.json"), b);

    EditConstrData none;
    EXPECT_EQ(GetMacroSettings(none, settings), Acad::eInvalidInput);
    settings.standards.mapsTo = {L"Key"};
    EditConstrData unknown;
    unknown.objectIds.append(AcDbObjectId(99));
    EXPECT_EQ(GetMacroSettings(unknown, settings), Acad::eKeyNotFound);
    EXPECT_EQ(SetMacroSettings(unknown, settings), Acad::eKeyNotFound);
}

}  // namespace
