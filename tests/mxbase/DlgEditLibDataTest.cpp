#include "platform/mxbase/DlgEditLibData.h"

#include <gtest/gtest.h>
#include <unistd.h>  // getpid

#include <filesystem>
#include <fstream>

#include "platform/mxbase/MacroLangs.h"
#include "platform/mxbase/Mx_Settings.h"

namespace {

namespace fs = std::filesystem;

class LibraryData : public ::testing::Test {
protected:
    void SetUp() override {
        lib_ = fs::temp_directory_path() / ("connsheet-libdata-" + std::to_string(::getpid()));
        fs::create_directories(lib_ / "prof");
        gSettings.setLibDir(Mx_String(lib_.string() + "/"));
    }
    void TearDown() override {
        gSettings.reset();
        MacroLangs::setLanguages({});
        fs::remove_all(lib_);
    }
    fs::path lib_;
};

TEST_F(LibraryData, WithoutAFileTheBuiltInDataAndWhatIsSavedReadsBack) {
    DlgEditLibData data;
    ASSERT_TRUE(data.load());
    EXPECT_TRUE(data == DlgEditLibData::builtIn());
    ASSERT_EQ(data.types.length(), 24);
    EXPECT_EQ(data.dimensionNames(10),
              (Mx_StringArray{Mx_String(L"h"), Mx_String(L"b"), Mx_String(L"t"), Mx_String(L"r")}));
    EXPECT_TRUE(data.dimensionNames(99).isEmpty());

    data.groups[1].enabled = false;
    data.groups[1].names[2] = L"Profils creux";
    data.types[9].groupId = -1;
    data.types[9].picture = L"tube.bmp";
    EXPECT_EQ(data.types.appendNewType(L"New type"), 24);
    EXPECT_EQ(data.types[24].id, 25);
    ASSERT_TRUE(data.save());
    DlgEditLibData again;
    ASSERT_TRUE(again.load());
    EXPECT_TRUE(again == data);
}

TEST_F(LibraryData, HandWrittenLinesAreReadLeniently) {
    std::ofstream(lib_ / "prof" / "SectionLibrary.txt")
        << "# a comment line is no entry\n"
           "Group\t7\t0\t\tBeams\n"            // names missing in three languages
           "Group\tseven\t1\t\tNot a group\n"  // no id
           "Type\t3\tnone\t1\tx.bmp\th ; b;;t\tAngle\tWinkel\tCornière\tHoek\n";
    DlgEditLibData data;
    ASSERT_TRUE(data.load());
    ASSERT_EQ(data.groups.length(), 1);
    EXPECT_EQ(data.groups[0].id, 7);
    EXPECT_FALSE(data.groups[0].enabled);
    EXPECT_EQ(data.groups[0].names.length(), 4);
    EXPECT_EQ(data.groups[0].names[3], Mx_String());
    ASSERT_EQ(data.types.length(), 1);
    EXPECT_EQ(data.types[0].groupId, -1);
    EXPECT_EQ(data.types[0].names[2], Mx_String(L"Cornière"));
    EXPECT_EQ(data.dimensionNames(3), (Mx_StringArray{Mx_String(L"h"), Mx_String(L"b"), Mx_String(L"t")}));
    EXPECT_EQ(data.groups.appendNewGrp(L"New"), 1);
    EXPECT_EQ(data.groups[1].id, 8) << "one above the highest id";

    // An unreadable file leaves the data as it was.
    DlgEditLibData kept = DlgEditLibData::builtIn();
    EXPECT_FALSE(kept.load(Mx_String((lib_ / "prof").string())));
    EXPECT_TRUE(kept == DlgEditLibData::builtIn());
}

}  // namespace
