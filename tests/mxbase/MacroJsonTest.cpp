// Macro files: round trip, refusal of bad documents with the JSON path named, atomic writes, and the
// bundled example macros.
#include <gtest/gtest.h>

#include <unistd.h>  // getpid
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>

#include "platform/mxbase/MacroData.h"
#include "platform/mxbase/MacroJson.h"
#include "platform/mxbase/Mx_DbMacro.h"
#include "platform/mxbase/Mx_Macro.h"
#include "platform/mxbase/Mx_SectionTableManager.h"

namespace {

namespace fs = std::filesystem;

const fs::path kMacros = fs::path(CONNSHEET_SOURCE_DIR) / "examples/library/Macros";

fs::path tempFolder(const std::string& name) {
    fs::path folder =
        fs::temp_directory_path() / ("connsheet_macrojson_" + name + "_" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

std::string slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(MacroJson, BundledExamplesReadAndRoundTripExactly) {
    Mx_SectionTableManager sections(Mx_SectionTableManager::LibraryLoad::Never);
    ASSERT_EQ(sections.loadFolder(Mx_String(CONNSHEET_SOURCE_DIR) + L"/examples/library/prof/"), Acad::eOk);
    int seen = 0;
    for (const auto& entry : fs::directory_iterator(kMacros)) {
        if (entry.path().extension() != ".json")
            continue;
        ++seen;
        SCOPED_TRACE(entry.path().filename().string());
        Mx_Macro macro;
        MacroData tabs;
        Mx_String error;
        ASSERT_TRUE(macrojson::read(slurp(entry.path()), macro, &tabs, error)) << error.toUtf8();
        EXPECT_GT(macro.numModules(), 1);
        EXPECT_GT(tabs.numTabs(), 1);
        // Every base profile names a section of the bundled tables, so SECTIONSIZE works on it.
        for (const MacroBaseProfile& prof : macro.baseProfiles()) {
            Mx_String systemName;
            EXPECT_EQ(sections.getSystemName(prof.section, systemName), Acad::eOk) << prof.section.toUtf8();
            EXPECT_EQ(systemName, prof.section);
        }

        std::string written = macrojson::write(macro, &tabs);
        Mx_Macro again;
        MacroData againTabs;
        ASSERT_TRUE(macrojson::read(written, again, &againTabs, error)) << error.toUtf8();
        EXPECT_EQ(macro, again);
        EXPECT_TRUE(tabs.sameTabs(againTabs));
        EXPECT_EQ(written, macrojson::write(again, &againTabs));  // writing is deterministic
    }
    EXPECT_GE(seen, 3);
}

TEST(MacroJson, RoundTripKeepsAwkwardValues) {
    Mx_Macro macro(L"Ünïcode ¿ƒ");
    Mx_Module module(L"M", L"", Mx_ModuleKind::Bolt);
    module.addVariable({L"Tiny", 0.1 + 0.2, false, true});
    module.addVariable({L"Huge", 1e300, true, false});
    module.addVariable({L"Negative", -0.0, true, true});
    MacroCut cut;
    cut.name = L"C";
    cut.setValue(kCutChamferOffset2, 1.0 / 3.0);
    module.addCut(cut);
    MacroBoltPattern pattern;
    pattern.name = L"P";
    pattern.nrBolts1 = L"3*75";
    module.addPattern(pattern);
    macro.addModule(module);
    macro.addGenVar({L"gen_X", -12.25});

    Mx_Macro again;
    Mx_String error;
    ASSERT_TRUE(macrojson::read(macrojson::write(macro, nullptr), again, nullptr, error)) << error.toUtf8();
    EXPECT_EQ(macro, again);
}

struct BadDocument {
    const char* json;
    const char* message;  // the start of the expected error
};

TEST(MacroJson, BadDocumentsAreRefusedNamingPathAndProblem) {
    const BadDocument cases[] = {
        {"", "1:1: unexpected end of input; expected '[', '{', or a literal"},
        {"{\"version\":1,", "1:14: unexpected end of input; expected string literal"},
        {"[]", "/: expected an object"},
        {R"({"name":"x"})", "/version: missing"},
        {R"({"version":2})", "/version: unsupported version 2"},
        {R"({"version":1,"format":"other"})", "/format: expected \"connsheet-macro\""},
        {R"({"version":1,"colour":1})", "/colour: unknown member"},
        {R"({"version":1,"modules":{}})", "/modules: expected an array"},
        {R"({"version":1,"modules":[{"kind":"bolt"}]})", "/modules/0/name: missing"},
        {R"({"version":1,"modules":[{"name":""}]})", "/modules/0/name: expected a non-empty string"},
        {R"({"version":1,"modules":[{"name":"A","kind":"gadget"}]})", "/modules/0/kind: expected one of"},
        {R"({"version":1,"modules":[{"name":"A"},{"name":"a"}]})", "/modules/1: duplicate name \"a\""},
        {R"({"version":1,"modules":[{"name":"A"},{"name":"B"},{"name":"C","variables":[{"name":"T","value":"15"}]}]})",
         "/modules/2/variables/0/value: expected a number"},
        {R"({"version":1,"modules":[{"name":"A","variables":[{"name":"T","value":1,"visible":"yes"}]}]})",
         "/modules/0/variables/0/visible: expected true or false"},
        {R"({"version":1,"modules":[{"name":"A","cuts":[{"name":"C","values":{"diameter":3}}]}]})",
         "/modules/0/cuts/0/values/diameter: unknown member"},
        {R"({"version":1,"modules":[{"name":"A","patterns":[{"name":"P"}]}]})",
         "/modules/0/patterns: only bolt modules have bolt patterns"},
        {R"({"version":1,"modules":[{"name":"A","kind":"bolt","patterns":[{"name":"P","id":1.5}]}]})",
         "/modules/0/patterns/0/id: expected a whole number"},
        {R"({"version":1,"modules":[{"name":"A","kind":"bolt","patterns":[{"name":"P","nrBolts1":""}]}]})",
         "/modules/0/patterns/0/nrBolts1: expected a non-empty count"},
        {R"({"version":1,"modules":[{"name":"A\nB"}]})", "/modules/0/name: control characters"},
        {R"({"version":1,"modules":[{"name":"A\u0009B"}]})", "/modules/0/name: control characters"},
        {R"({"version":1,"generalVariables":[{"name":"Clearance","value":1}]})",
         "/generalVariables/0/name: expected a name starting with \"gen_\""},
        {R"({"version":1,"baseProfiles":[{"material":"S355"}]})", "/baseProfiles/0/section: missing"},
        {R"({"version":1,"tabs":[{"name":"T","kind":"general","boltData":{}}]})",
         "/tabs/0/boltData: only bolt tabs have bolt data"},
        {R"({"version":1,"tabs":[{"name":"T","cells":[{"name":"c","kind":"slider"}]}]})",
         "/tabs/0/cells/0/kind: expected one of"},
        {R"({"version":1,"a/b":1})", "/a~1b: unknown member"},
    };
    for (const BadDocument& c : cases) {
        SCOPED_TRACE(c.json);
        Mx_Macro macro(L"Untouched");
        MacroData tabs;
        Mx_String error;
        EXPECT_FALSE(macrojson::read(c.json, macro, &tabs, error));
        EXPECT_EQ(error.toUtf8().rfind(c.message, 0), 0u) << error.toUtf8();
        EXPECT_EQ(macro.name(), L"Untouched");  // nothing changes on failure
    }
}

TEST(MacroJson, DeepNestingIsRefusedNotRecursedInto) {
    std::string deep =
        R"({"version":1,"description":)" + std::string(100000, '[') + std::string(100000, ']') + "}";
    Mx_Macro macro;
    Mx_String error;
    EXPECT_FALSE(macrojson::read(deep, macro, nullptr, error));
    EXPECT_NE(error.toUtf8().find("nested deeper"), std::string::npos) << error.toUtf8();
}

TEST(MacroJson, FilesAreWrittenAtomicallyAndUnstorableMacrosRefused) {
    fs::path folder = tempFolder("write");
    Mx_String path(((folder / "Copy.json").string()));
    Mx_DbMacro db;
    MacroData tabs;
    Mx_String error;
    ASSERT_EQ(db.readFromFile(Mx_String((kMacros / "FinPlate.json").string()), &tabs, &error), Acad::eOk)
        << error.toUtf8();
    ASSERT_EQ(db.writeToFile(path, &tabs, &error), Acad::eOk) << error.toUtf8();
    EXPECT_FALSE(db.isModified());
    std::string before = slurp(folder / "Copy.json");

    // An infinite value could not be read back: the old file must stay as it was.
    Mx_Module* module = nullptr;
    ASSERT_EQ(db.macroWrite()->findModuleWrite(L"FinPlate", module), Acad::eOk);
    module->setConstrVarValue(L"Width", std::numeric_limits<double>::infinity());
    EXPECT_NE(db.writeToFile(path, &tabs, &error), Acad::eOk);
    EXPECT_NE(error.toUtf8().find("/modules/0/variables/1/value"), std::string::npos) << error.toUtf8();
    EXPECT_EQ(slurp(folder / "Copy.json"), before);
    for (const auto& entry : fs::directory_iterator(folder))
        EXPECT_EQ(entry.path().filename(), "Copy.json");

    // A failed read leaves the database macro as it was.
    std::ofstream(folder / "Bad.json") << R"({"version":1,"modules":[{"name":7}]})";
    Mx_Macro kept = *db.macroRead();
    EXPECT_EQ(db.readFromFile(Mx_String((folder / "Bad.json").string()), &tabs, &error), Acad::eInvalidInput);
    EXPECT_NE(error.toUtf8().find("/modules/0/name: expected a string"), std::string::npos) << error.toUtf8();
    EXPECT_EQ(*db.macroRead(), kept);
    EXPECT_EQ(db.readFromFile(Mx_String((folder / "Missing.json").string()), nullptr, &error),
              Acad::eInvalidInput);
    fs::remove_all(folder);
}

}  // namespace

TEST(MacroJson, BoltSettingsRoundTripAndAFileWithoutThemReadsTheDefaults) {
    Mx_Macro macro;
    MacroData tabs;
    Mx_String error;
    ASSERT_TRUE(macrojson::read(slurp(kMacros / "EndPlateBeamToColumn.json"), macro, &tabs, error));
    MacroTabData* boltTab = nullptr;
    for (int i = 0; i < tabs.numTabs(); ++i) {
        if (tabs.tabAt(i)->isBoltTab())
            boltTab = tabs.tabAt(i);
    }
    ASSERT_NE(boltTab, nullptr);
    MacroBoltData* bolts = nullptr;
    ASSERT_EQ(boltTab->getBoltData(bolts), Acad::eOk);
    EXPECT_EQ(bolts->nut1, Switch::On) << "absent: the defaults";
    EXPECT_TRUE(bolts->slottedHoles.isEmpty());

    bolts->holeTolerance = L"1.5";
    bolts->tapped = Switch::Varies;
    bolts->nut1 = Switch::Off;
    bolts->boltCount = 4;
    bolts->separateHoles = true;
    bolts->holeParts = {L"End plate", L"Column flange"};
    bolts->holeTolerances = {L"", L"3"};
    MacroSlottedHole hole;
    hole.active = true;
    hole.type = 0;
    hole.length = L"30";
    hole.radius = L"11";
    bolts->slottedHoles.append(hole);
    const std::string written = macrojson::write(macro, &tabs);
    Mx_Macro again;
    MacroData againTabs;
    ASSERT_TRUE(macrojson::read(written, again, &againTabs, error)) << error.toUtf8();
    EXPECT_TRUE(tabs.sameTabs(againTabs));
    EXPECT_NE(written.find("\"tapped\": \"varies\""), std::string::npos);
    EXPECT_EQ(written.find("\"washer1\""), std::string::npos) << "a default is not written";

    const std::string refused[] = {R"("slottedHoles": [{"type": 3}])", R"("nut2": "maybe")",
                                   R"("holes": [{"tolerance": "2"}])"};
    for (const std::string& member : refused) {
        std::string bad = slurp(kMacros / "EndPlateBeamToColumn.json");
        const std::size_t at = bad.find("\"holeOffset\"");
        ASSERT_NE(at, std::string::npos);
        bad.insert(at, member + ", ");
        Mx_Macro ignored;
        MacroData ignoredTabs;
        EXPECT_FALSE(macrojson::read(bad, ignored, &ignoredTabs, error)) << member;
        EXPECT_NE(error.toUtf8().find("/boltData/"), std::string::npos) << error.toUtf8();
    }
}

TEST(MacroJson, APatternsLayoutRoundTripsAndABadAlternationIsRefused) {
    Mx_Macro macro(L"Layout");
    Mx_Module module(L"Bolts", L"", Mx_ModuleKind::Bolt);
    MacroBoltPattern pattern;
    pattern.name = L"Rows";
    pattern.useDirection1 = false;
    pattern.alignment2 = PatternAlignment::Varies;
    pattern.fixedSpacing1 = false;
    pattern.distances1 = {L"60", L"75.5"};
    pattern.alternation = 5;
    pattern.alternateRows = true;
    module.addPattern(pattern);
    macro.addModule(module);
    const std::string written = macrojson::write(macro, nullptr);
    Mx_Macro again;
    Mx_String error;
    ASSERT_TRUE(macrojson::read(written, again, nullptr, error)) << error.toUtf8();
    EXPECT_EQ(macro, again);
    EXPECT_NE(written.find("\"alignment2\": \"varies\""), std::string::npos);

    std::string bad = written;
    bad.replace(bad.find("\"alternation\": 5"), 16, "\"alternation\": 6");
    EXPECT_FALSE(macrojson::read(bad, again, nullptr, error));
    EXPECT_NE(error.toUtf8().find("/patterns/0/alternation"), std::string::npos) << error.toUtf8();
}

TEST(MacroJson, ArraysAndThePlacementOfProfileGroupsRoundTripAndAreWrittenOnlyWhenSet) {
    const std::string json = R"({"version": 1, "modules": [{"name": "Stiffeners", "kind": "profile"}],
        "tabs": [{"name": "Stiffeners", "kind": "profile", "module": "Stiffeners",
                  "profileGroups": [{"group": "Stiffeners", "rotation": "90", "basePlane": "xp"},
                                    {"group": "Ribs"}],
                  "arrays": [{"name": "Ribs", "arrayType": 2}, {"name": "Plates"}]}]})";
    Mx_Macro macro;
    MacroData tabs;
    Mx_String error;
    ASSERT_TRUE(macrojson::read(json, macro, &tabs, error)) << error.toUtf8();
    const MacroTabData& tab = *tabs.tabAt(0);
    ASSERT_EQ(tab.arrays().length(), 2);
    EXPECT_EQ(tab.arrays()[0].arrayType, 2);
    EXPECT_EQ(tab.arrays()[1].arrayType, 0);
    EXPECT_EQ(tab.profGroups()[0].rotationText(), L"90");
    EXPECT_TRUE(tab.profGroups()[0].offset.isEmpty());
    const std::string written = macrojson::write(macro, &tabs);
    EXPECT_EQ(written.find("\"offset\""), std::string::npos) << "an unset placement is not written";
    Mx_Macro again;
    MacroData againTabs;
    ASSERT_TRUE(macrojson::read(written, again, &againTabs, error)) << error.toUtf8();
    EXPECT_TRUE(againTabs.sameTabs(tabs));

    const std::string duplicate =
        R"({"version": 1, "tabs": [{"name": "T", "arrays": [{"name": "A"}, {"name": "a"}]}]})";
    EXPECT_FALSE(macrojson::read(duplicate, macro, &tabs, error));
    EXPECT_EQ(error, L"/tabs/0/arrays/1: duplicate name \"a\"");
}
