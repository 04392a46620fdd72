// Macro files: round trip, refusal of bad documents with the JSON path named, atomic writes, the
// bundled example macros, and written bytes that stay what the document writer gave.
#include <gtest/gtest.h>

#include <unistd.h>  // getpid
#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>

#include "platform/mxbase/MacroData.h"
#include "platform/mxbase/MacroJson.h"
#include "platform/mxbase/Mx_DbMacro.h"
#include "platform/mxbase/Mx_Macro.h"
#include "platform/mxbase/Mx_SectionTableManager.h"
#include "tests/mxbase/MacroJsonDomWriter.h"

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

namespace {

// Files already stored, and peers reading the JSON lines, rely on the written bytes: writing value by
// value must give exactly what dumping the built document gave, in both layouts.
void expectWrittenAsTheDocumentWriterDid(const Mx_Macro& macro, const MacroData* tabs) {
    for (macrojson::Layout layout : {macrojson::Layout::indented, macrojson::Layout::oneLine})
        EXPECT_EQ(macrojson::write(macro, tabs, layout), domwriter::domWrite(macro, tabs, layout));
}

}  // namespace

TEST(MacroJson, EveryKnownMacroIsWrittenAsTheDocumentWriterDid) {
    const fs::path source(CONNSHEET_SOURCE_DIR);
    int written = 0;
    for (const fs::path& folder :
         {kMacros, source / "tests/data/macros", source / "fuzz/corpus/mxbase_macro_json"}) {
        for (const auto& entry : fs::directory_iterator(folder)) {
            SCOPED_TRACE(entry.path().string());
            Mx_Macro macro;
            MacroData tabs;
            Mx_String error;
            if (!macrojson::read(slurp(entry.path()), macro, &tabs, error))
                continue;  // the corpus holds broken documents too
            expectWrittenAsTheDocumentWriterDid(macro, &tabs);
            expectWrittenAsTheDocumentWriterDid(macro, nullptr);
            ++written;
        }
    }
    EXPECT_GE(written, 10);
}

TEST(MacroJson, AwkwardValuesAreWrittenAsTheDocumentWriterDid) {
    // Texts with everything that is escaped or passed through, and what Mx_String can hold that is
    // not a character (a lone surrogate, a value above U+10FFFF, a NUL).
    const Mx_String awkward(std::wstring(L"q\"b\\s/\b\f\n\r\t\x01\x1f\x7f \u00dc\u20ac\U0001F600") +
                            static_cast<wchar_t>(0xD800) + static_cast<wchar_t>(0x110000) + L'\0' + L"end");
    const int intMin = std::numeric_limits<int>::min(), intMax = std::numeric_limits<int>::max();
    const double doubles[] = {
        0.1,  1e21, -0.0, 25.0,    1e-7, 1e300, std::numeric_limits<double>::denorm_min(),
        -0.5, 1e16, NAN,  INFINITY};

    Mx_Macro macro(awkward);
    macro.setDescription(L"\u00e9t\u00e9 \"2\"");
    Mx_Module bolts(L"Bolts", awkward, Mx_ModuleKind::Bolt);
    for (int i = 0; i < static_cast<int>(std::size(doubles)); ++i) {
        const MacroVariable variable{Mx_String(L"V" + std::to_wstring(i)), doubles[i], i % 2 == 0,
                                     i % 3 == 0};
        ASSERT_EQ(bolts.addVariable(variable), Acad::eOk);
    }
    MacroCut allValues, noValues;
    allValues.name = awkward;
    allValues.type = L"Notch";
    allValues.number = intMin;
    for (int i = 0; i < kCutValueCount; ++i)
        allValues.setValue(i, doubles[i]);
    noValues.name = L"Bare";
    noValues.number = intMax;
    ASSERT_EQ(bolts.addCut(allValues), Acad::eOk);
    ASSERT_EQ(bolts.addCut(noValues), Acad::eOk);
    MacroBoltPattern plain, laidOut;
    plain.name = L"Plain";
    plain.id = intMax;
    plain.spacing1 = 75.0;
    plain.spacing2 = 1e-7;
    laidOut.name = awkward;
    laidOut.twoDirections = laidOut.reverseStart1 = laidOut.reverseStart2 = true;
    laidOut.useDirection1 = laidOut.fixedSpacing1 = laidOut.fixedSpacing2 = false;
    laidOut.alignment1 = PatternAlignment::Start;
    laidOut.alignment2 = PatternAlignment::Varies;
    laidOut.distances1 = {L"60", awkward};
    laidOut.distances2 = {L""};
    laidOut.alternation = 3;
    laidOut.alternateRows = true;
    ASSERT_EQ(bolts.addPattern(plain), Acad::eOk);
    ASSERT_EQ(bolts.addPattern(laidOut), Acad::eOk);
    ASSERT_EQ(bolts.addProfile({awkward, L"PL-15x200", L"", true}), Acad::eOk);
    ASSERT_EQ(bolts.addGeometry({L"P1", L"point", 25.0, true}), Acad::eOk);
    ASSERT_EQ(bolts.addGeometry({L"P2", L"point", -0.0, false}), Acad::eOk);
    MacroConstraint distance, bare;
    distance.objects = {L"P1", L"P2"};
    distance.value = 0.1;
    distance.state = 4;
    distance.useVariable = distance.showValue = true;
    bare.kind = -1;  // an unknown kind is written with an empty name
    bolts.constraints().append(distance);
    bolts.constraints().append(bare);
    bolts.equations() = {L"Width = Height / 2", awkward};
    macro.addModule(bolts);
    macro.addModule(Mx_Module(L"Empty", L"", Mx_ModuleKind::General));
    ASSERT_EQ(macro.addGenVar({L"gen_Big", 1e21}), Acad::eOk);
    ASSERT_EQ(macro.addGenVar({L"gen_Whole", 25.0}), Acad::eOk);
    macro.addBaseProf({L"HEB-200", awkward});
    MacroFilters filters;
    filters.angle90 = true;
    filters.pathDistanceMax = 1e-7;
    filters.sectionSizeMin = -0.0;
    filters.sectionKinds = {L"I", awkward};
    filters.propertyNames = {L"NAME", L"no value"};
    filters.propertyValues = {awkward};
    macro.setFilters(filters);
    MacroStandards standards;
    standards.sheets = {L"Sheet1", awkward};
    standards.mapsTo = {awkward};
    macro.setStandards(standards);

    MacroData tabs;
    MacroTabData general(awkward, MacroTabData::kGeneral);
    general.title = awkward;
    general.templateFile = L"dlg\\page.tpl";
    ASSERT_EQ(general.addCell({L"C1", MacroCell::kCheckBox, intMin, awkward, L"1", L"a;b", true}), Acad::eOk);
    ASSERT_EQ(general.addCell({L"C2", 99, intMax, L"", L"", L"", false}), Acad::eOk);
    ASSERT_EQ(general.addFlexFixButton({awkward, L"Width", false, true}), Acad::eOk);
    ASSERT_EQ(tabs.addTab(general), Acad::eOk);
    MacroTabData boltTab(L"Bolts", MacroTabData::kBolt);
    MacroBoltData boltData;
    boltData.composition = awkward;
    boltData.holeTolerance = L"1.5";
    boltData.addedLength = L"";
    boltData.washers = Switch::Varies;
    boltData.nut1 = Switch::Off;
    boltData.boltCount = intMax;
    boltData.separateHoles = true;
    boltData.holeParts = {L"End plate", awkward, L"Column"};
    boltData.holeTolerances = {L"", L"3"};  // shorter than the parts: the last tolerance is empty
    MacroSlottedHole slot;
    slot.active = true;
    slot.length = awkward;
    boltData.slottedHoles.append(slot);
    boltData.slottedHoles.append(MacroSlottedHole());
    boltTab.setBoltData(boltData);
    ASSERT_EQ(tabs.addTab(boltTab), Acad::eOk);
    ASSERT_EQ(tabs.addTab(MacroTabData(L"Plain bolts", MacroTabData::kBolt)), Acad::eOk);
    MacroTabData profileTab(L"Stiffeners", MacroTabData::kProfile);
    MacroProfData placed, angled, varies;
    placed.group = L"Ribs";
    placed.offset = L"10";
    placed.basePlane = awkward;
    placed.rotation = MacroProfData::Rot270;
    angled.group = L"Angled";
    angled.setRotationText(L"12.5");
    varies.group = awkward;
    varies.rotation = MacroProfData::RotVaries;
    for (const MacroProfData& group : {placed, angled, varies})
        ASSERT_EQ(profileTab.addProfGroup(group), Acad::eOk);
    DynArrayData array;
    array.name = awkward;
    array.arrayType = intMin;
    profileTab.arraysWrite().append(array);
    ASSERT_EQ(tabs.addTab(profileTab), Acad::eOk);

    expectWrittenAsTheDocumentWriterDid(macro, &tabs);
    expectWrittenAsTheDocumentWriterDid(macro, nullptr);
    // Nothing optional at all: no name, no module, default filters, no tab.
    expectWrittenAsTheDocumentWriterDid(Mx_Macro(), nullptr);
    expectWrittenAsTheDocumentWriterDid(Mx_Macro(), &tabs);
    const MacroData noTabs;
    expectWrittenAsTheDocumentWriterDid(Mx_Macro(), &noTabs);

    const std::string oneLine = macrojson::write(macro, &tabs, macrojson::Layout::oneLine);
    EXPECT_EQ(oneLine.find('\n'), std::string::npos);
    EXPECT_NE(oneLine.find(R"("value":null)"), std::string::npos) << "NaN and infinities";
    EXPECT_NE(oneLine.find("\xEF\xBF\xBD"), std::string::npos) << "a lone surrogate";
}
