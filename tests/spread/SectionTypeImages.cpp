// Section pictures: the file shown for a standard type, a drawing section and a user section, and the
// pictures bundled with the installation.
#include "spread/SectionTypeImages.h"

#include <gtest/gtest.h>

#include <unistd.h>  // getpid

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/mfc/BitmapFile.h"
#include "platform/mxbase/Mx_Settings.h"

inline void PrintTo(const Mx_String& text, std::ostream* out) {
    *out << '"' << text.toUtf8() << '"';
}

namespace {

namespace fs = std::filesystem;

// An installation folder (icons/) and a library folder (User Sections/) of the test's own.
struct SectionImagesTest : ::testing::Test {
    SectionImagesTest() {
        root = fs::temp_directory_path() / ("cs_section_images_" + std::to_string(::getpid()));
        fs::remove_all(root);
        fs::create_directories(root / "product" / "icons");
        fs::create_directories(root / "library" / "User Sections");
        gSettings.setMxDir(Mx_String((root / "product").string() + "/"));
        gSettings.setLibDir(Mx_String((root / "library").string() + "/"));
    }
    ~SectionImagesTest() override {
        gSettings.reset();
        fs::remove_all(root);
    }
    void icon(const std::string& name, const std::string& bytes = "icon") {
        std::ofstream(root / "product" / "icons" / name, std::ios::binary) << bytes;
    }
    void libraryBitmap(const std::string& name, const std::string& bytes) {
        std::ofstream(root / "library" / "User Sections" / (name + ".bmp"), std::ios::binary) << bytes;
    }
    std::string iconBytes(const std::string& name) {
        std::ifstream in(root / "product" / "icons" / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void age(const fs::path& path, int seconds) {
        fs::last_write_time(path, fs::last_write_time(path) - std::chrono::seconds(seconds));
    }

    fs::path root;
};

}  // namespace

TEST(SectionTypeImageName, CoversTheTypesAndNothingElse) {
    EXPECT_EQ(sectionTypeImageName(1), L"ProfSectionI");
    EXPECT_EQ(sectionTypeImageName(19), L"ProfSectionSigma+");
    EXPECT_EQ(sectionTypeImageName(24), L"ProfSectionDouble Cleat");
    EXPECT_EQ(sectionTypeImageName(0), L"");
    EXPECT_EQ(sectionTypeImageName(25), L"");
    EXPECT_EQ(sectionTypeImageName(-1), L"");
    EXPECT_FALSE(isNotDrawingName(L"plate.DWG"));
    EXPECT_TRUE(isNotDrawingName(L"plate.dwg.bak"));
    EXPECT_TRUE(isNotDrawingName(L"dwg"));
}

TEST_F(SectionImagesTest, StandardTypesShowTheirIconOrUnknown) {
    EXPECT_EQ(sectionImageFile(L"5", L"", false), L"Unknown-small.bmp");
    icon("ProfSectionT-small.bmp");
    EXPECT_EQ(sectionImageFile(L"5", L"", false), L"ProfSectionT-small.bmp");
    EXPECT_EQ(sectionImageFile(L"5", L"", true), L"Unknown-big.bmp");
    EXPECT_EQ(sectionImageFile(L"5 T 100", L"ignored", false), L"ProfSectionT-small.bmp")
        << "the leading number";
    EXPECT_EQ(sectionImageFile(L"99", L"", false), L"Unknown-small.bmp");
    EXPECT_EQ(sectionImageFile(L"x", L"", false), L"Unknown-small.bmp");
}

TEST_F(SectionImagesTest, DrawingSectionsAreNamedAfterTheDrawing) {
    icon("plate-big.bmp");
    EXPECT_EQ(sectionImageFile(L"plate.dwg", L"", true), L"plate-big.bmp");
    EXPECT_EQ(sectionImageFile(L"C:\\sections\\plate.dwg", L"", true), L"plate-big.bmp");
    EXPECT_EQ(sectionImageFile(L"plate.dwg", L"", false), L"Unknown-small.bmp");
}

TEST_F(SectionImagesTest, UserSectionsGetTheirLibraryBitmapCopiedWhenNewer) {
    libraryBitmap("Bracket", "first");
    EXPECT_EQ(sectionImageFile(L"", L"User Sections\\Bracket.pr", true), L"Unknown-big.bmp");
    EXPECT_EQ(sectionImageFile(L"", L"User Sections\\Bracket.pr", false), L"Bracket-automated.bmp");
    EXPECT_EQ(iconBytes("Bracket-automated.bmp"), "first");

    // An older library bitmap leaves the copy alone; a newer one replaces it.
    const fs::path source = root / "library" / "User Sections" / "Bracket.bmp";
    libraryBitmap("Bracket", "second");
    age(source, 3600);
    EXPECT_EQ(sectionImageFile(L"", L"Bracket", false), L"Bracket-automated.bmp");
    EXPECT_EQ(iconBytes("Bracket-automated.bmp"), "first");
    libraryBitmap("Bracket", "third");
    age(root / "product" / "icons" / "Bracket-automated.bmp", 7200);
    Mx_String copy;
    EXPECT_TRUE(userSectionImage(L"Bracket", copy));
    EXPECT_EQ(copy, L"Bracket-automated.bmp");
    EXPECT_EQ(iconBytes("Bracket-automated.bmp"), "third");

    // A section icon of its own wins over the copy.
    icon("Bracket-small.bmp");
    EXPECT_EQ(sectionImageFile(L"", L"User Sections\\Bracket.pr", false), L"Bracket-small.bmp");
}

TEST_F(SectionImagesTest, UserSectionsWithoutBitmapOrWithAPathShowUnknown) {
    Mx_String copy = L"unchanged";
    EXPECT_FALSE(userSectionImage(L"Missing", copy));
    EXPECT_EQ(copy, L"unchanged");
    EXPECT_EQ(sectionImageFile(L"", L"User Sections\\Missing.pr", false), L"Unknown-small.bmp");

    // A name that climbs out of the folders copies nothing anywhere.
    std::ofstream(root / "library" / "escape.bmp") << "x";
    EXPECT_EQ(sectionImageFile(L"", L"User Sections\\..\\escape", false), L"Unknown-small.bmp");
    EXPECT_FALSE(userSectionImage(L"../escape", copy));
    EXPECT_FALSE(fs::exists(root / "product" / "escape-automated.bmp"));
}

// The installation's own pictures: every type drawn has both sizes, and they read as pictures.
TEST(BundledSectionIcons, ReadAsPicturesOfTheirSize) {
    const fs::path icons = fs::path(CONNSHEET_SOURCE_DIR) / "res" / "icons";
    int drawn = 0;
    for (int type = 1; type <= 24; ++type) {
        const std::string base = Mx_String(sectionTypeImageName(type)).toUtf8();
        if (!fs::exists(icons / (base + "-big.bmp")))
            continue;
        ++drawn;
        for (auto [suffix, side] : {std::pair{"-big.bmp", 48}, std::pair{"-small.bmp", 16}}) {
            const ui::BmpReadResult read = ui::readBmpFile((icons / (base + suffix)).string());
            ASSERT_TRUE(read.ok) << base << suffix << ": " << read.error;
            EXPECT_EQ(read.image.width(), side) << base << suffix;
            EXPECT_EQ(read.image.height(), side) << base << suffix;
        }
    }
    EXPECT_GE(drawn, 10) << "I, H, U, C, L, T, Z, flat, round, tube and pipe are drawn";
    EXPECT_TRUE(ui::readBmpFile((icons / "Unknown-small.bmp").string()).ok);
    EXPECT_TRUE(ui::readBmpFile((icons / "Unknown-big.bmp").string()).ok);
}
