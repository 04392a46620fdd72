// The macros' preview pictures: drawn once, drawn again only when the macro changed, one per kind.
#include "platform/mxbase/ui/MacroPreviews.h"

#include <gtest/gtest.h>
#include <unistd.h>  // getpid

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/mfc/BitmapFile.h"

namespace {

namespace fs = std::filesystem;

struct MacroPreviewsTest : ::testing::Test {
    fs::path dir = fs::temp_directory_path() / ("connsheet-previews-" + std::to_string(::getpid()));
    void SetUp() override {
        fs::remove_all(dir);
        fs::create_directories(dir / "a");
        fs::create_directories(dir / "b");
        setMacroPreviewFolder(Mx_String((dir / "previews").wstring()));
    }
    void TearDown() override {
        setMacroPreviewFolder(Mx_String());
        fs::remove_all(dir);
    }
    Mx_String macro(const std::string& path, const std::string& name) {
        std::ofstream(dir / path)
            << R"({"version": 1, "name": ")" << name
            << R"(", "modules": [{"name": "Plate"}, {"name": "Bolts", "kind": "bolt"}]})";
        return Mx_String((dir / path).wstring());
    }
    static ui::BitmapImage read(const Mx_String& path) {
        const ui::BmpReadResult result = ui::readBmpFile(fs::path(path.str()).string());
        return result.ok ? result.image : ui::BitmapImage();
    }
};

}  // namespace

TEST_F(MacroPreviewsTest, EachMacroGetsAPictureOfItsOwnEvenWithTheSameFileName) {
    const Mx_String first = macro("a/Cleat.json", "Cleat A");
    const Mx_String second = macro("b/Cleat.json", "Cleat B");
    Mx_StringArray pictures;
    ASSERT_TRUE(CreatePreviewBMPs({first, second}, L"abm", pictures));
    ASSERT_EQ(pictures.length(), 2);
    EXPECT_NE(pictures[0], pictures[1]);
    EXPECT_NE(pictures[0].str().find(L"abm"), std::wstring::npos) << "the kind is part of the name";
    const ui::BitmapImage a = read(pictures[0]);
    EXPECT_EQ(a.width(), kMacroPreviewWidth);
    EXPECT_EQ(a.height(), kMacroPreviewHeight);
    EXPECT_NE(a.pixels(), read(pictures[1]).pixels()) << "drawn from each macro's own name";
}

TEST_F(MacroPreviewsTest, APictureIsDrawnAgainOnlyWhenItsMacroIsNewer) {
    const Mx_String file = macro("a/Cleat.json", "Cleat");
    Mx_StringArray pictures;
    ASSERT_TRUE(CreatePreviewBMPs({file}, L"abm", pictures));
    const fs::path picture(pictures[0].str());
    const auto made = fs::last_write_time(picture);
    ASSERT_TRUE(CreatePreviewBMPs({file}, L"abm", pictures));
    EXPECT_EQ(fs::last_write_time(picture), made) << "up to date: left alone";

    const auto before = read(pictures[0]).pixels();
    macro("a/Cleat.json", "Cleat with a longer name");
    fs::last_write_time(dir / "a/Cleat.json", made + std::chrono::seconds(5));
    ASSERT_TRUE(CreatePreviewBMPs({file}, L"abm", pictures));
    EXPECT_NE(read(pictures[0]).pixels(), before) << "the macro changed: drawn again";
}

TEST_F(MacroPreviewsTest, AnUnreadableMacroStillGetsAPictureAndAnUnwritableFolderNone) {
    std::ofstream(dir / "a/Broken.json") << "{";
    const Mx_String broken((dir / "a/Broken.json").wstring());
    Mx_StringArray pictures;
    ASSERT_TRUE(CreatePreviewBMPs({broken}, L"abm", pictures));
    EXPECT_FALSE(read(pictures[0]).isNull());

    // The preview folder's place is taken by a file: nothing can be written there.
    std::ofstream(dir / "blocked") << "x";
    setMacroPreviewFolder(Mx_String((dir / "blocked" / "previews").wstring()));
    EXPECT_FALSE(CreatePreviewBMPs({broken, macro("a/Cleat.json", "Cleat")}, L"abm", pictures));
    EXPECT_EQ(pictures, Mx_StringArray({L"", L""})) << "one entry per macro, empty when not made";
}
