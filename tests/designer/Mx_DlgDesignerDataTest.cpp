// The template file, the control records and the values of a template shown in a product dialog.
#include "designer/Mx_DlgDesignerData.h"

#include <gtest/gtest.h>

#include "DesignerTestSupport.h"
#include "platform/mfc/Automation.h"
#include "platform/mfc/CButton.h"
#include "platform/mfc/Window.h"
#include "platform/mxbase/ObjectExportFiles.h"
#include "platform/mxbase/UiTexts.h"

using designertest::control;
using designertest::Host;
using designertest::TempLibrary;

namespace {

const std::filesystem::path kBundled = std::filesystem::path(CONNSHEET_SOURCE_DIR) / "examples" / "library" /
                                       "Dialog Templates" / "Dialog Design";

}  // namespace

TEST(DesignerControl, ExtendedListsSplitAndMergeByType) {
    struct Case {
        Mx_ControlType type;
        const wchar_t* text;
        const wchar_t* merged;  // what is stored back
    };
    for (const Case& c :
         {Case{kCtrlFlexButton, L"a;b;c", L"a;b;c;"}, Case{kCtrlFlexButton, L"a;b;c;d;e", L"a;b;c;d"},
          Case{kCtrlVarButton, L"p;q;r;s;t", L"p;q;r;s;t"}, Case{kCtrlVarButton2, L"p", L"p;;;;"},
          Case{kCtrlCombo, L"p;q;r;s;t", L"p;q;r;s;t"}, Case{kCtrlEdit, L"", L""}}) {
        SCOPED_TRACE(Mx_String(c.text).toUtf8());
        Mx_DesignerControl control;
        control.type = c.type;
        control.extPart2 = L"stale";
        EXPECT_TRUE(control.setSplitExtComboList(c.text));
        EXPECT_EQ(control.getMergedExtComboList(), Mx_String(c.merged));
        if (c.type == kCtrlFlexButton && Mx_String(c.text).equal(L"a;b;c")) {
            EXPECT_EQ(control.flexGroup, Mx_String(L"a"));
            EXPECT_EQ(control.flexPart3, Mx_String(L"c"));
            EXPECT_TRUE(control.flexPart4.isEmpty());
        }
        if (c.type == kCtrlVarButton) {
            EXPECT_EQ(control.extPart4, Mx_String(L"s"));
            EXPECT_EQ(control.comboList, Mx_String(L"t"));
        }
        if (c.type == kCtrlCombo) {
            EXPECT_EQ(control.comboList, Mx_String(L"p;q;r;s;t"));  // not split
            EXPECT_TRUE(control.extPart2.isEmpty());
        }
    }
}

TEST(DesignerControl, PropertyListKeepsWhatIsStoredAndDropsTheRest) {
    Mx_DesignerControl flex = control(kCtrlFlexButton, 0.1, 0.2, 0.3, 0.4, L"SecondNut");
    flex.setSplitExtComboList(L"Bolt;Nut;Second;");
    flex.locked = true;
    flex.tabOrder = 7;
    flex.comboItems = {L"x"};
    Mx_PropertiesList list;
    flex.setToPropList(list, 3);
    EXPECT_EQ(list.nameAt(0), Mx_String(L"type3"));
    EXPECT_EQ(list.length(), 7);
    Mx_DesignerControl back;
    back.getFromPropList(list, 3);
    EXPECT_EQ(back.type, kCtrlFlexButton);
    EXPECT_DOUBLE_EQ(back.bottomRightY, 0.4);
    EXPECT_EQ(back.flexPart3, Mx_String(L"Second"));
    EXPECT_FALSE(back.locked);
    EXPECT_EQ(back.tabOrder, 0);
    EXPECT_TRUE(back.comboItems.isEmpty());
    // Keys of another index leave the defaults.
    Mx_DesignerControl other;
    other.getFromPropList(list, 4);
    EXPECT_EQ(other.type, kCtrlStatic);
    EXPECT_TRUE(other.contents.isEmpty());
}

TEST(DesignerTemplate, BundledTemplatesRoundTripByteForByte) {
    TempLibrary library;
    for (const char* name : {"End Plate", "Bolt Assembly"}) {
        SCOPED_TRACE(name);
        const std::string original = TempLibrary::read(kBundled / (std::string(name) + ".txt"));
        ASSERT_FALSE(original.empty());
        library.write(library.templates() / (std::string(name) + ".txt"), original);
        std::filesystem::copy_file(kBundled / (std::string(name) + ".bmp"),
                                   library.templates() / (std::string(name) + ".bmp"));
        Host host;
        Mx_DlgDesignerData data;
        ASSERT_TRUE(data.initialize(&host, 33000, 33099, 0, 0, 0, 0, 0, false));
        ASSERT_TRUE(data.readFromFile(library.templatePath(name), true));
        EXPECT_GT(data.getNrControls(), 5);
        data.redrawAllControls();  // windows drawn at rounded pixels must not round the stored factors
        ASSERT_TRUE(data.writeToFile(library.templatePath(std::string(name) + " copy")));
        EXPECT_EQ(TempLibrary::read(library.templates() / (std::string(name) + " copy.txt")), original);
        // The picture travels with the template.
        EXPECT_TRUE(TempLibrary::read(library.templates() / (std::string(name) + " copy.bmp")) ==
                    TempLibrary::read(kBundled / (std::string(name) + ".bmp")));
    }
}

TEST(DesignerTemplate, ReadingRefusesWhatIsNoTemplateOfTheRoot) {
    TempLibrary library;
    library.write(library.templates() / "Sub" / "Plate.txt", "Mx_PropertiesList 1\ntype0\tint\t2\n");
    library.write(library.root() / "Outside.txt", "Mx_PropertiesList 1\nnrOfControls\tint\t1\n");
    Mx_DlgDesignerData data;
    // "nrOfControls" missing: no controls, and still a template.
    EXPECT_TRUE(data.readFromFile(library.templatePath("Sub\\Plate"), false));
    EXPECT_EQ(data.getNrControls(), 0);
    EXPECT_EQ(data.getName(), Mx_String(L"Sub\\Plate"));
    Mx_String outside = getDesignerRootFolder();
    outside += L"..\\..\\Outside.txt";
    EXPECT_FALSE(data.readFromFile(outside, false));
    EXPECT_FALSE(data.readFromFile(Mx_String(library.root().string() + "/Outside.txt"), false));
    EXPECT_FALSE(data.readFromFile(library.templatePath("Missing"), false));
    EXPECT_EQ(data.getName(), Mx_String(L"Sub\\Plate"));
    // Nor is anything written there.
    EXPECT_FALSE(data.writeToFile(outside));
    EXPECT_FALSE(std::filesystem::exists(library.root() / "Dialog Templates" / "Outside.txt"));
    EXPECT_FALSE(isSafeTemplateName(L"/etc/x"));
    EXPECT_FALSE(isSafeTemplateName(L"C:\\x"));
    EXPECT_FALSE(isSafeTemplateName(L"a/../../b"));
    EXPECT_TRUE(isSafeTemplateName(L"a\\..b"));
}

TEST(DesignerTemplate, ALyingControlCountCostsNothing) {
    TempLibrary library;
    library.write(
        library.templates() / "Huge.txt",
        "Mx_PropertiesList 1\nnrOfControls\tint\t2000000000\ntype0\tint\t2\ncontents0\tstring\tA\n");
    library.write(library.templates() / "Defaults.txt", "Mx_PropertiesList 1\nnrOfControls\tint\t5\n");
    Host host;
    Mx_DlgDesignerData data;
    data.initialize(&host, 33000, 33099, 0, 0, 0, 0, 0, false);
    ASSERT_TRUE(data.readFromFile(library.templatePath("Huge"), false));
    EXPECT_EQ(data.getNrControls(), 100);  // as many as the id range holds
    EXPECT_EQ(data.getControl(0)->contents, Mx_String(L"A"));
    // A count without keys gives default controls.
    ASSERT_TRUE(data.readFromFile(library.templatePath("Defaults"), false));
    EXPECT_EQ(data.getNrControls(), 5);
    EXPECT_EQ(data.getControl(4)->type, kCtrlStatic);
}

TEST(DesignerTemplate, TemplateNamesAndFieldNames) {
    TempLibrary library;
    Mx_Array<Mx_DesignerControl> controls;
    controls.append(control(kCtrlStatic, 0, 0, 0.1, 0.1, L"Label"));
    controls.append(control(kCtrlEdit, 0, 0, 0.1, 0.1, L"Width"));
    controls.append(control(kCtrlCombo, 0, 0, 0.1, 0.1, L"Grade"));
    controls.append(control(kCtrlEdit, 0, 0, 0.1, 0.1, L"Height"));
    library.write(library.templates() / "A" / "picture.bmp", "");
    library.writeTemplate("b", controls);
    library.writeTemplate("A\\nested", controls);
    Mx_StringArray names;
    getModuleImages(names);
    ASSERT_EQ(names.length(), 2);
    EXPECT_EQ(names[0], Mx_String(L"A\\nested"));
    EXPECT_EQ(names[1], Mx_String(L"b"));
    EXPECT_TRUE(GetImageDlgCtrlNames(library.templatePath("b"), names));
    EXPECT_EQ(names, (Mx_StringArray{L"Width", L"Height"}));
    Mx_DlgDesignerData data;
    data.initialize(nullptr, 1, 2, 0, 0, 0, 0, 0, false);  // refused: no dialog
    data.readFromFile(library.templatePath("b"), false);
    int index = -1;
    EXPECT_TRUE(data.findEditCtrlWithContents(L"Grade", index));
    EXPECT_EQ(index, 2);
    EXPECT_FALSE(data.findEditCtrlWithContents(L"Label", index));
}

TEST(DesignerTemplate, AppendReusesFreedIdsAndRunsOutAtTheEndOfTheRange) {
    Host host;
    Mx_DlgDesignerData data;
    data.initialize(&host, 33000, 33002, 0, 0, 0, 0, 0, false);
    for (int id : {33000, 33001, 33002})
        EXPECT_EQ(data.append(Mx_DesignerControl()), id);
    data.removeControl(1);
    EXPECT_EQ(data.append(Mx_DesignerControl()), 33001);
    EXPECT_EQ(data.append(Mx_DesignerControl()), 0);
    int index = -1;
    EXPECT_FALSE(data.findCtrlFromResource(0, index));
    data.removeControl(99);  // ignored
    EXPECT_EQ(data.getNrControls(), 4);
    EXPECT_EQ(data.getControl(4), nullptr);
}

TEST(DesignerValues, ControlsShownInAProductDialog) {
    TempLibrary library;
    library.writeBitmap("Values", 200, 100);
    library.write(library.root() / "grades.lst", "8.8\n10.9\n");
    Mx_Array<Mx_DesignerControl> controls;
    controls.append(control(kCtrlEdit, 0.1, 0.1, 0.4, 0.2, L"Width"));
    Mx_DesignerControl combo = control(kCtrlCombo, 0.5, 0.1, 0.9, 0.2, L"12.9");
    combo.comboList = Mx_String(library.root().string() + "/grades.lst");
    controls.append(combo);
    controls.append(control(kCtrlCheckBox, 0.1, 0.3, 0.4, 0.4, L"Pretensioned"));
    controls.append(control(kCtrlPositionList, 0.5, 0.3, 0.9, 0.4, L"2"));
    Mx_DesignerControl flex = control(kCtrlFlexButton, 0.1, 0.5, 0.2, 0.7, L"SecondNut");
    flex.setSplitExtComboList(L"Bolt;Nut;Second");
    controls.append(flex);
    controls.append(control(kCtrlVarButton, 0.5, 0.5, 0.9, 0.7, L"Pick"));
    library.writeTemplate("Values", controls);

    Host host;
    Mx_DlgDesignerData data;
    data.initialize(&host, 33000, 33099, 0, 0, 0, 0, 0, false);
    ASSERT_TRUE(data.readFromFile(library.templatePath("Values"), true));
    data.redrawAllControls();
    ui::Automation dlg(host);
    // Windows where the factors say, the combo opened to its dropped height.
    EXPECT_EQ(dlg.rect(33000).left, 20);
    EXPECT_EQ(dlg.rect(33000).bottom, 20);
    EXPECT_EQ(dlg.rect(33001).bottom - dlg.rect(33001).top, 200);
    // A combo whose contents is not among its items shows the contents.
    EXPECT_EQ(dlg.items(33001), (std::vector<std::wstring>{L"8.8", L"10.9"}));
    EXPECT_EQ(dlg.text(33001), L"12.9");
    // Position list: its five items, the value is the index.
    Mx_String value;
    EXPECT_EQ(dlg.items(33003).size(), 5u);
    EXPECT_TRUE(data.getCtrlValue(33003, value));
    EXPECT_EQ(value, Mx_String(L"2"));
    EXPECT_TRUE(data.setCtrlValue(33003, L"4"));
    EXPECT_EQ(dlg.text(33003), dialString(695).str());

    // Check box: any positive number checks it, the undefined text makes it three-state.
    const std::wstring undefined = dialString(695).str();
    struct Check {
        const wchar_t* set;
        int state;
        const wchar_t* get;
    };
    for (const Check& c :
         {Check{L"2.5", BST_CHECKED, L"1"}, Check{L"0", BST_UNCHECKED, L"0"},
          Check{L"-1", BST_UNCHECKED, L"0"}, Check{undefined.c_str(), BST_INDETERMINATE, nullptr}}) {
        EXPECT_TRUE(data.setCtrlValue(33002, c.set));
        EXPECT_EQ(dlg.checked(33002), c.state);
        ASSERT_TRUE(data.getCtrlValue(33002, value));
        EXPECT_EQ(value, c.get ? Mx_String(c.get) : dialString(695));
    }
    EXPECT_EQ(dlg.style(33002) & BS_TYPEMASK, static_cast<DWORD>(BS_AUTO3STATE));
    data.setCtrlValue(33002, L"1");
    EXPECT_EQ(dlg.style(33002) & BS_TYPEMASK, static_cast<DWORD>(BS_AUTOCHECKBOX));

    // Variable buttons ignore values; text controls take them.
    EXPECT_TRUE(data.setCtrlValue(33005, L"changed"));
    EXPECT_EQ(dlg.text(33005), L"Pick");
    EXPECT_TRUE(data.setCtrlValue(33000, L"250"));
    EXPECT_EQ(dlg.text(33000), L"250");
    EXPECT_FALSE(data.setCtrlValue(33050, L"x"));
    EXPECT_FALSE(data.getCtrlValue(33050, value));

    // Flex buttons: state 2 leaves the button unchecked; the flex icon is on it.
    int state = -1;
    EXPECT_TRUE(data.setFlexBtnStatus(L"Bolt", L"SecondNut", 1));
    EXPECT_TRUE(data.getFlexBtnStatus(4, state));
    EXPECT_EQ(state, 1);
    EXPECT_TRUE(data.setFlexBtnStatus(L"Bolt", L"SecondNut", 2));
    EXPECT_TRUE(data.getFlexBtnStatus(4, state));
    EXPECT_EQ(state, 0);
    EXPECT_FALSE(data.setFlexBtnStatus(L"Bolt", L"FirstNut", 1));
    EXPECT_FALSE(data.getFlexBtnStatus(0, state));
    EXPECT_NE(static_cast<CButton*>(dlg.wnd(33004))->GetIcon(), nullptr);
    std::vector<int> all, withPart3;
    EXPECT_TRUE(data.getFlexBtnsInGroup(L"Bolt", all, withPart3));
    EXPECT_EQ(all, std::vector<int>{4});
    EXPECT_EQ(withPart3, std::vector<int>{4});
    EXPECT_TRUE(data.hideAllFlexBtns(L"Bolt"));
    EXPECT_FALSE(dlg.visible(33004));

    // Read-only applies to edit fields and editable combos only.
    EXPECT_TRUE(data.setCtrlReadOnly(33000, true));
    EXPECT_FALSE(dlg.enabled(33000));
    EXPECT_TRUE(data.setCtrlReadOnly(33000, false));
    EXPECT_TRUE(dlg.enabled(33000));
    EXPECT_FALSE(data.setCtrlReadOnly(33002, true));

    // Drawing again replaces the windows rather than adding a second set.
    data.redrawAllControls();
    EXPECT_EQ(data.getNrDrawnCtrls(), 6);
    EXPECT_EQ(ui::windowFromHandle(host.GetSafeHwnd())->children.size(), 6u);
}
