#include "spread/VlSSSettings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "platform/mfc/GdiObjects.h"
#include "platform/mfc/RegistryScope.h"
#include "platform/mxbase/FileSystem.h"
#include "platform/mxbase/Mx_Settings.h"
#include "spread/Mx_SimplePropsList.h"
#include "spread/VlSSRegistrySets.h"
#include "spread/VlSSSheet.h"
#include "tests/mxbase/FileSystemTestFolder.h"
#include "tests/spread/SpreadTestHost.h"

namespace {

const std::wstring kSep(1, L'\u00A4');

std::wstring props(std::initializer_list<std::wstring> fields) {
    std::wstring text;
    for (const std::wstring& field : fields)
        text += field + kSep;
    return text;
}

Mx_String wide(const std::filesystem::path& path) {
    return Mx_String(path.string());
}

// A product directory of its own (the installation folder) for each test, and an empty registry.
struct SettingsTest : ::testing::Test {
    TestFolder product;
    TestFolder sheets;
    ui::RegistryScope registry;
    void SetUp() override { gSettings.setMxDir(product.wide()); }
    void TearDown() override { gSettings.reset(); }

    // A settings file "<product>/<name>.vld" in the editor's 8-bit form.
    void putSettingsFile(const std::string& name, const std::string& latin1Fields) {
        product.put(name + ".vld", latin1Fields);
    }
};

std::string latin1(std::initializer_list<std::string> fields) {
    std::string text;
    for (const std::string& field : fields)
        text += field + "\xA4";
    return text;
}

Mx_String tagOf(Mx_Spread& grid) {
    Mx_String text;
    grid.getCellText(0, 0, text, Mx_Spread::kTag);
    return text;
}

}  // namespace

TEST(Mx_SimplePropsList, WritesTypedTripletsAndReadsThemBack) {
    Mx_SimplePropsList list;
    list.setString(L"font", L"Arial Narrow");
    list.setInt(L"height", -13);
    list.setDouble(L"scale", 2.345);
    list.setDouble(L"whole", 2.5, 0);
    list.setLong(L"big", 70000);
    list.setInt(L"HEIGHT", 20);  // same name in other letters: replaced in place
    EXPECT_EQ(list.length(), 5);
    EXPECT_EQ(list.toText(), props({L"font", L"4", L"Arial Narrow", L"height", L"2", L"20", L"scale", L"1",
                                    L"2.35", L"whole", L"1", L"3", L"big", L"3", L"70000"}));

    Mx_SimplePropsList back;
    back.fromText(list.toText());
    int height = 0;
    double scale = 0;
    Mx_String font;
    EXPECT_TRUE(back.getInt(L"Height", height));
    EXPECT_EQ(height, 20);
    EXPECT_TRUE(back.getDouble(L"scale", scale));
    EXPECT_DOUBLE_EQ(scale, 2.35);
    EXPECT_TRUE(back.getString(L"font", font));
    EXPECT_EQ(font, Mx_String(L"Arial Narrow"));
    EXPECT_EQ(back.typeOf(L"big"), Mx_SimplePropsList::kLong);
}

TEST(Mx_SimplePropsList, ReadsDamagedTextWithoutLosingTheGoodProperties) {
    Mx_SimplePropsList list;
    // An unknown type code keeps the name without a value; numbers are read by their leading digits;
    // the incomplete group at the end is dropped; a last value may lack its separator.
    list.fromText(props({L"a", L"9", L"x", L"b", L"2", L"12mm", L"c", L"2", L"99999999999999", L"d", L"1",
                         L"-1.5e1kg"}) +
                  L"e" + kSep + L"4" + kSep + L"tail");
    int value = 0;
    double number = 0;
    Mx_String text;
    EXPECT_TRUE(list.contains(L"a"));
    EXPECT_FALSE(list.getInt(L"a", value)) << "type 0 has no value";
    EXPECT_TRUE(list.getInt(L"b", value));
    EXPECT_EQ(value, 12);
    EXPECT_TRUE(list.getInt(L"c", value));
    EXPECT_EQ(value, 2147483647) << "clamped, not overflowed";
    EXPECT_TRUE(list.getDouble(L"d", number));
    EXPECT_DOUBLE_EQ(number, -15);
    EXPECT_TRUE(list.getString(L"e", text));
    EXPECT_EQ(text, Mx_String(L"tail"));

    list.fromText(props({L"only", L"2"}));
    EXPECT_TRUE(list.isEmpty());
    EXPECT_EQ(leadingInt(L"  -42x"), -42);
    EXPECT_EQ(leadingInt(L"x42"), 0);
    EXPECT_DOUBLE_EQ(leadingDouble(L"."), 0);
}

TEST(VlSSSettings, ATagWithOnlyTheTextHeightKeepsEveryOtherDefault) {
    VlSSSettings settings;
    settings.fromText(props({L"defaultTextHeight", L"2", L"20"}));
    EXPECT_TRUE(settings.valid);
    EXPECT_EQ(settings.defaultTextHeight, 20);
    EXPECT_EQ(settings.defaultFont, Mx_String(L"Tahoma"));
    EXPECT_EQ(settings.marginLeft, 9);
    EXPECT_EQ(settings.marginRight, 5);
    EXPECT_EQ(settings.marginBottom, 5);
    EXPECT_TRUE(settings.smartPrint && settings.colors && settings.colHeader && settings.rowHeader &&
                settings.cellSeperators && settings.border);
    EXPECT_TRUE(settings.storedHeaderFile().isEmpty());
    EXPECT_EQ(settings.varNames.length(), 0);
}

TEST(VlSSSettings, VariableListsOfDifferentLengthsTravelAsNumberedProperties) {
    VlSSSettings settings;
    settings.setDefaults();
    settings.border = false;
    settings.varNames = {L"Project", L"Client"};
    settings.varValues = {L"P-17", L"Acme", L"spare"};
    Mx_SimplePropsList list;
    list.fromText(settings.toText());
    ASSERT_EQ(list.length(), 14 + 5);
    // The written order: font, height, header, footer, margins, switches, then names, then values.
    EXPECT_EQ(list.nameAt(0), Mx_String(L"defaultFont"));
    EXPECT_EQ(list.nameAt(13), Mx_String(L"border"));
    EXPECT_EQ(list.nameAt(14), Mx_String(L"varNames0"));
    EXPECT_EQ(list.nameAt(15), Mx_String(L"varNames1"));
    EXPECT_EQ(list.nameAt(16), Mx_String(L"varValues0"));
    EXPECT_EQ(list.nameAt(18), Mx_String(L"varValues2"));

    VlSSSettings back;
    back.fromText(settings.toText());
    EXPECT_EQ(back.varNames.length(), 2);
    EXPECT_EQ(back.varValues.length(), 3);
    EXPECT_EQ(back.varValues[2], Mx_String(L"spare"));
    EXPECT_FALSE(back.border);

    // A gap ends the list: entries after a missing index are not read.
    back.fromText(props({L"varNames0", L"4", L"a", L"varNames2", L"4", L"c"}));
    EXPECT_EQ(back.varNames.length(), 1);
}

TEST(VlSSSettings, AnInvalidRecordOrNoGridIsNotWritten) {
    VlSSSettings settings;
    EXPECT_FALSE(settings.valid);
    spreadtest::Host host;
    EXPECT_FALSE(settings.writeToSheet(host.grid.GetSafeHwnd()));
    settings.setDefaults();
    EXPECT_FALSE(settings.writeToSheet(nullptr));
    EXPECT_TRUE(settings.writeToSheet(host.grid.GetSafeHwnd()));
    EXPECT_TRUE(tagOf(host.grid).startsWith(L"defaultFont"));
}

TEST_F(SettingsTest, SettingsFilesAreEightBitTextInTheProductDirectory) {
    putSettingsFile("Print A3",
                    latin1({"defaultFont", "4", "Caf\xE9 Sans", "marginTop", "2", "12", "colors", "2", "0"}));
    VlSSSettings settings;
    ASSERT_TRUE(settings.readFromFile(L"Print A3"));
    EXPECT_EQ(settings.defaultFont, Mx_String(L"Caf\u00E9 Sans")) << "each byte is one character";
    EXPECT_EQ(settings.marginTop, 12);
    EXPECT_FALSE(settings.colors);
    EXPECT_EQ(settings.defaultTextHeight, 13);

    settings.marginTop = 1;
    EXPECT_FALSE(settings.readFromFile(L"missing"));
    EXPECT_EQ(settings.marginTop, 5) << "an unreadable file leaves the defaults";
    EXPECT_TRUE(settings.valid);
}

TEST_F(SettingsTest, HeaderPathsAreStoredShortAndResolvedAgain) {
    const Mx_String sheet = wide(sheets / "bills" / "bill.vls");
    const auto inSheetFolder = sheets.put("bills/head.txt", "H");
    const auto inProduct = product.put("print/foot.txt", "F");
    const auto above = sheets.put("logo.txt", "L");

    VlSSSettings settings;
    settings.setDefaults();
    settings.setHeaderFile(wide(inSheetFolder), sheet);
    EXPECT_EQ(settings.storedHeaderFile(), Mx_String(L"head.txt"));
    settings.setFooterFile(wide(inProduct), sheet);
    EXPECT_EQ(settings.storedFooterFile(), Mx_String(L"print/foot.txt"));
    EXPECT_EQ(settings.headerFile(sheet), wide(inSheetFolder)) << "resolved under the sheet's folder";
    EXPECT_EQ(settings.footerFile(sheet), VlSSSettings::productDirectory() + L"print/foot.txt");

    // A missing file is kept as given, and stays as stored when read.
    settings.setHeaderFile(L"gone\\nowhere.txt", sheet);
    EXPECT_EQ(settings.storedHeaderFile(), Mx_String(L"gone\\nowhere.txt"));
    EXPECT_EQ(settings.headerFile(sheet), Mx_String(L"gone\\nowhere.txt"));

    // "..\" climbs one folder above the sheet's.
    settings.fromText(props({L"headerFile", L"4", L"..\\logo.txt"}));
    EXPECT_TRUE(fsys::exists(fsys::resolve(settings.headerFile(sheet).view())));
    EXPECT_TRUE(std::filesystem::equivalent(fsys::resolve(settings.headerFile(sheet).view()), above));
}

TEST_F(SettingsTest, HeaderCopiesGoNextToTheSheetOnlyWhenNewer) {
    const auto source = product.put("head.txt", "header v1");
    product.put("head.bmp", "BMpicture");
    const Mx_String sheet = wide(sheets / "bill.vls");
    VlSSSettings settings;
    settings.setDefaults();
    settings.setHeaderFile(wide(source), sheet);
    EXPECT_EQ(settings.storedHeaderFile(), Mx_String(L"head.txt")) << "relative to the product directory";

    ASSERT_TRUE(settings.copyHeaderFooter(sheet, true));
    EXPECT_EQ(TestFolder::get(sheets / "head.txt"), "header v1");
    EXPECT_EQ(TestFolder::get(sheets / "head.bmp"), "BMpicture") << "the picture of the same name goes along";
    EXPECT_EQ(settings.storedHeaderFile(), Mx_String(L"head.txt")) << "now the copy beside the sheet";
    EXPECT_FALSE(settings.copyHeaderFooter(sheet, true)) << "the copy is not older: nothing to do";
    EXPECT_FALSE(settings.copyHeaderFooter(sheet, false)) << "no footer";
}

TEST_F(SettingsTest, TheRegistryIsReadOnlyWithBothValues) {
    VlSSRegistrySets sets;
    EXPECT_FALSE(sets.read());
    EXPECT_EQ(sets.language, Mx_String(L"EN"));
    EXPECT_TRUE(sets.defaultSettingsName.isEmpty());

    registry.store().setMachineValue(VlSSRegistrySets::kKey, L"Default Settings",
                                     ui::RegistryValue::string(L"Office"));
    EXPECT_FALSE(sets.read()) << "the language is missing";
    EXPECT_EQ(sets.defaultSettingsName, Mx_String(L"Office"));
    registry.store().setMachineValue(VlSSRegistrySets::kKey, L"Language", ui::RegistryValue::string(L"NL"));
    EXPECT_TRUE(sets.read());
    EXPECT_EQ(sets.language, Mx_String(L"NL"));
}

TEST_F(SettingsTest, ANewSheetTakesTheRegistrysSettingsWhenTheNamedFileIsMissing) {
    putSettingsFile("Office", latin1({"defaultFont", "4", "Verdana", "defaultTextHeight", "2", "17"}));
    registry.store().setMachineValue(VlSSRegistrySets::kKey, L"Default Settings",
                                     ui::RegistryValue::string(L"Office"));
    spreadtest::Host host;
    Mx_Spread& grid = host.grid;
    ASSERT_TRUE(initNewSheet(grid, L"no such settings", true));
    EXPECT_EQ(grid.getMaxCols(), 6);
    EXPECT_EQ(grid.getMaxRows(), 11);
    SS_CELLTYPE type;
    ASSERT_TRUE(grid.GetCellType(6, 11, &type));
    EXPECT_EQ(type.Type, SS_TYPE_EDIT);
    EXPECT_EQ(type.detail.maxLength, 100);
    VlSSSettings settings;
    settings.readFromSheet(grid.GetSafeHwnd());
    EXPECT_EQ(settings.defaultFont, Mx_String(L"Verdana"));
    const LOGFONT* data = ui::gdi::font(grid.GetFont(3, 4));
    const LOGFONT* header = ui::gdi::font(grid.GetFont(3, SS_HEADER));
    ASSERT_TRUE(data && header);
    EXPECT_EQ(std::wstring(data->lfFaceName), L"Verdana");
    EXPECT_EQ(data->lfWeight, 400);
    EXPECT_EQ(header->lfWeight, 700);
    WORD mode = 0;
    long delay = 0;
    grid.GetTextTip(&mode, &delay, nullptr, nullptr, nullptr);
    EXPECT_EQ(mode, 2);
    EXPECT_EQ(delay, 10);

    ASSERT_TRUE(loadSettingsIntoGrid(grid, L"also missing"));
    EXPECT_EQ(grid.fontFace(), Mx_String(L"Verdana")) << "the grid's font is the one its settings name";
    EXPECT_EQ(grid.fontSize(), 17);
}

TEST_F(SettingsTest, SavingKeepsTheSettingsAndCopiesTheHeader) {
    spreadtest::Host host;
    Mx_Spread& grid = host.grid;
    initNewSheet(grid, L"", true);
    const auto header = product.put("letterhead.txt", "LH");
    VlSSSettings settings;
    settings.readFromSheet(grid.GetSafeHwnd());
    settings.setHeaderFile(wide(header), L"");
    settings.writeToSheet(grid.GetSafeHwnd());
    ASSERT_TRUE(applyVariables(grid, {L"Job"}, {L"J-1"}));
    grid.setCellText(1, 1, L"kept");
    grid.SetBool(SSB_CHANGEMADE, TRUE);

    EXPECT_FALSE(saveSheet(grid, wide(sheets / "no folder" / "x.vls")));
    EXPECT_TRUE(grid.GetBool(SSB_CHANGEMADE)) << "a failed save leaves the sheet changed";

    const Mx_String file = wide(sheets / "out.vls");
    ASSERT_TRUE(saveSheet(grid, file));
    EXPECT_FALSE(grid.GetBool(SSB_CHANGEMADE));
    EXPECT_EQ(TestFolder::get(sheets / "letterhead.txt"), "LH");

    spreadtest::Host reopened;
    ASSERT_TRUE(reopened.grid.LoadFromFile(file.c_str()));
    VlSSSettings saved;
    saved.readFromSheet(reopened.grid.GetSafeHwnd());
    ASSERT_EQ(saved.varNames.length(), 1);
    EXPECT_EQ(saved.varValues[0], Mx_String(L"J-1"));
    EXPECT_EQ(saved.defaultFont, Mx_String(L"Tahoma"));
}
