// The core's calls behind the macro editor: the geometry, constraints and equations of a module in the
// macro file, and the changes the editor asks for, each written into the file or refused with the
// macro and the file left as they were.
#include "platform/mxbase/EditConstrCalls.h"

#include <gtest/gtest.h>
#include <unistd.h>  // getpid

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/mxbase/MacroData.h"
#include "platform/mxbase/MacroDrawing.h"
#include "platform/mxbase/MacroJson.h"
#include "platform/mxbase/Mx_Macro.h"

namespace {

namespace fs = std::filesystem;

const fs::path kStiffened = fs::path(CONNSHEET_SOURCE_DIR) / "tests/data/macros/StiffenedEndPlate.json";

std::string slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The error of reading the stiffened end plate with one text replaced.
std::string readError(const std::string& from, const std::string& to) {
    std::string text = slurp(kStiffened);
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    text.replace(at, from.size(), to);
    Mx_Macro macro;
    MacroData tabs;
    Mx_String error;
    return macrojson::read(text, macro, &tabs, error) ? std::string() : error.toUtf8();
}

class EditConstrCallsTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("connsheet-editconstr-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        fs::copy_file(kStiffened, dir_ / "m.json");
        ASSERT_EQ(MacroDrawing::active().open(Mx_String((dir_ / "m.json").wstring())), Acad::eOk);
        data_.objectIds = MacroDrawing::active().objectIds();
        data_.moduleName = L"EndPlate";
        MacroDrawing::active().clearLog();
        cancelNextGeometryPick();
    }
    void TearDown() override {
        cancelNextGeometryPick();
        MacroDrawing::active().close();
        MacroDrawing::active().clearLog();
        fs::remove_all(dir_);
    }
    std::string file() const { return slurp(dir_ / "m.json"); }
    const Mx_Module& plate() const {
        const Mx_Module* found = nullptr;
        EditedMacro(data_)->findModule(L"EndPlate", found);
        return *found;
    }
    // The file as a fresh reader sees it.
    Mx_Macro reread() const {
        Mx_Macro macro;
        MacroData tabs;
        Mx_String error;
        EXPECT_TRUE(macrojson::read(file(), macro, &tabs, error)) << error.toUtf8();
        return macro;
    }

    fs::path dir_;
    EditConstrData data_;
};

}  // namespace

TEST(EditorMacroFormat, GeometryConstraintsAndEquationsRoundTrip) {
    const std::string text = slurp(kStiffened);
    Mx_Macro macro;
    MacroData tabs;
    Mx_String error;
    ASSERT_TRUE(macrojson::read(text, macro, &tabs, error)) << error.toUtf8();
    const Mx_Module* plate = macro.moduleAt(0);
    ASSERT_EQ(plate->geometries().length(), 5);
    ASSERT_EQ(plate->constraints().length(), 3);
    EXPECT_EQ(plate->constraints()[2].kind, MacroConstraint::kDistance);
    EXPECT_EQ(plate->constraints()[2].value, 40);
    EXPECT_TRUE(plate->constraints()[2].showValue);
    EXPECT_EQ(plate->equations().length(), 2);
    EXPECT_EQ(macrojson::write(macro, &tabs), text) << "written again byte for byte";
}

TEST(EditorMacroFormat, BadConstraintsAreRefusedWithTheirPath) {
    EXPECT_EQ(
        readError("\"kind\": \"parallel\"", "\"kind\": \"skew\""),
        "/modules/0/constraints/0/kind: expected a constraint kind such as \"parallel\" or \"distance\"");
    EXPECT_EQ(
        readError("\"PlateFace\",\n            \"ColumnFace\"", "\"PlateFace\",\n            \"Nowhere\""),
        "/modules/0/constraints/1/objects/1: the module has no geometry \"Nowhere\"");
    EXPECT_EQ(readError("\"objects\": [\n            \"StiffenerEdge\"\n          ]", "\"objects\": []"),
              "/modules/2/constraints/0/objects: a fixed constraint ties 1 object");
    EXPECT_EQ(readError("\"state\": 1", "\"state\": 5"),
              "/modules/0/constraints/1/state: expected a whole number from 0 to 4");
    EXPECT_EQ(readError("\"type\": \"circle\"", "\"type\": \"sphere\""),
              "/modules/0/geometry/4/type: expected one of \"point\", \"line\", \"plane\", \"circle\", "
              "\"coordSys\", \"boltPattern\"");
    EXPECT_EQ(readError("\"name\": \"BeamFlange\"", "\"name\": \"plateedge\""),
              "/modules/0/geometry/1: duplicate name \"plateedge\"");
    EXPECT_EQ(readError("\"TopExtension = 40\"", "\"Top\\tExtension = 40\""),
              "/modules/0/equations/1: control characters are not allowed in texts");
    EXPECT_EQ(readError("\"TopExtension = 40\"", "40"), "/modules/0/equations/1: expected a string");
}

TEST_F(EditConstrCallsTest, RenamingChecksTheNameAndAnotherCaseOfItsOwnIsFine) {
    EXPECT_EQ(RenameModule(data_, L"EndPlate", L"endplatebolts"), Acad::eDuplicateKey);
    for (const wchar_t* bad : {L"", L" Plate", L"Plate ", L"A:B", L"A\"B", L"Tab\tPlate"})
        EXPECT_EQ(RenameModule(data_, L"EndPlate", bad), Acad::eInvalidInput) << bad;
    EXPECT_EQ(RenameModule(data_, L"Nowhere", L"Elsewhere"), Acad::eKeyNotFound);
    const std::string before = file();
    EXPECT_EQ(file(), before);
    EXPECT_EQ(RenameModule(data_, L"EndPlate", L"ENDPLATE"), Acad::eOk);
    EXPECT_EQ(reread().moduleAt(0)->name(), L"ENDPLATE");
}

TEST_F(EditConstrCallsTest, AnIndexOutsideTheListChangesNothing) {
    const std::string before = file();
    MacroConstraint c = plate().constraints()[0];
    EXPECT_EQ(UpdateConstraint(data_, L"EndPlate", 3, c), Acad::eInvalidIndex);
    EXPECT_EQ(DeleteConstraint(data_, L"EndPlate", -1), Acad::eInvalidIndex);
    EXPECT_EQ(ContextMenuAction(data_, L"EndPlate", 0, kMenuMoveUp), Acad::eInvalidIndex)
        << "the first cannot move up";
    EXPECT_EQ(ContextMenuAction(data_, L"EndPlate", 2, kMenuMoveDown), Acad::eInvalidIndex);
    EXPECT_EQ(UpdateGeomFlexibility(data_, L"EndPlate", 5, true), Acad::eInvalidIndex);
    EXPECT_EQ(SortConstraints(data_, L"EndPlate", 3), Acad::eInvalidIndex);
    EXPECT_EQ(HighlightConstraint(data_, L"EndPlate", 3), Acad::eInvalidIndex);
    c.objects.append(L"PlateFace");  // three objects for a parallel constraint
    EXPECT_EQ(UpdateConstraint(data_, L"EndPlate", 0, c), Acad::eInvalidInput);
    EXPECT_EQ(file(), before);
    EXPECT_TRUE(HighlightedConstraints().isEmpty());
}

TEST_F(EditConstrCallsTest, AChangeTheFileCannotHoldIsUndone) {
    Mx_StringArray equations;
    equations.append(L"Height =\t2");  // a tab: the file would not read back
    Mx_Array<MacroVariable> variables;
    for (const MacroVariable& v : plate().variables())
        variables.append(v);
    const std::string before = file();
    EXPECT_NE(UpdateVarsEqs(data_, L"EndPlate", variables, equations), Acad::eOk);
    EXPECT_EQ(file(), before);
    EXPECT_EQ(plate().equations().length(), 2) << "the macro in the drawing is as it was";
    EXPECT_NE(MacroDrawing::active().logText().find(L"UpdateVarsEqs EndPlate -> not written"),
              std::wstring::npos);
}

TEST_F(EditConstrCallsTest, SortingIsStableAndDuplicatingCopies) {
    ASSERT_EQ(SortConstraints(data_, L"EndPlate", 1), Acad::eOk);  // by first object
    EXPECT_EQ(plate().constraints()[0].kind, MacroConstraint::kParallel)
        << "equal first objects keep their order";
    EXPECT_EQ(plate().constraints()[1].kind, MacroConstraint::kDistance);
    EXPECT_EQ(plate().constraints()[2].kind, MacroConstraint::kCoincident);
    ASSERT_EQ(ContextMenuAction(data_, L"EndPlate", 1, kMenuDuplicate), Acad::eOk);
    EXPECT_EQ(plate().constraints().length(), 4);
    EXPECT_EQ(plate().constraints()[2], plate().constraints()[1]);
    EXPECT_EQ(reread().moduleAt(0)->constraints().length(), 4);
}

TEST_F(EditConstrCallsTest, MacroCommandsTakeThePickAndCheckItAgainstTheModule) {
    EXPECT_FALSE(StartMacroCommand(data_, 0)) << "no pick: cancelled";
    EXPECT_FALSE(StartMacroCommand(data_, 14));
    Mx_StringArray pick;
    pick.append(L"PlateEdge");
    pick.append(L"ColumnFace");
    pick.append(L"HoleCentre");
    setNextGeometryPick(pick);
    EXPECT_TRUE(StartMacroCommand(data_, MacroConstraint::kSymmetric));
    EXPECT_FALSE(hasNextGeometryPick()) << "the pick is used up";
    EXPECT_EQ(plate().constraints().last().kind, MacroConstraint::kSymmetric);
    setNextGeometryPick(Mx_StringArray());
    EXPECT_TRUE(StartMacroCommand(data_, 13));
    setNextGeometryPick(Mx_StringArray());
    EXPECT_TRUE(StartMacroCommand(data_, 13));
    EXPECT_EQ(plate().geometries().last().name, L"CoordSys2") << "a fresh name each time";
    data_.moduleName = L"EndPlateBolts";
    setNextGeometryPick(Mx_StringArray());
    EXPECT_TRUE(StartMacroCommand(data_, 12));
    const Mx_Macro macro = reread();
    ASSERT_EQ(macro.moduleAt(1)->patterns().length(), 2);
    EXPECT_EQ(macro.moduleAt(1)->patterns()[1].name, L"Pattern1");
    EXPECT_EQ(macro.moduleAt(1)->geometries().last().type, L"boltPattern");
}

TEST_F(EditConstrCallsTest, VariablesAreReplacedAndTheRestOfTheModuleStays) {
    Mx_Array<MacroVariable> variables;
    MacroVariable width;
    width.name = L"Width";
    width.value = 220;
    variables.append(width);
    Mx_StringArray equations;
    equations.append(L"Width = 220");
    ASSERT_EQ(UpdateVarsEqs(data_, L"EndPlate", variables, equations), Acad::eOk);
    const Mx_Macro written = reread();
    const Mx_Module& m = *written.moduleAt(0);
    ASSERT_EQ(m.variables().length(), 1);
    EXPECT_EQ(m.variables()[0].value, 220);
    EXPECT_EQ(m.equations().length(), 1);
    EXPECT_EQ(m.cuts().length(), 2);
    EXPECT_EQ(m.profiles().length(), 1);
    EXPECT_EQ(m.constraints().length(), 3);
    EXPECT_EQ(m.group(), L"Plates");
    variables.append(width);
    EXPECT_EQ(UpdateVarsEqs(data_, L"EndPlate", variables, equations), Acad::eDuplicateKey);
}
