// connsheet template and connsheet design on a library of the test's own.
#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "CommandRun.h"

namespace {

class Library {
public:
    Library()
        : m_root(std::filesystem::temp_directory_path() / ("designer-cli-" + std::to_string(::getpid()))) {
        std::filesystem::remove_all(m_root);
        const std::filesystem::path bundled =
            std::filesystem::path(CONNSHEET_SOURCE_DIR) / "examples" / "library" / "Dialog Templates";
        std::filesystem::create_directories(m_root);
        std::filesystem::copy(bundled, m_root / "Dialog Templates", std::filesystem::copy_options::recursive);
    }
    ~Library() { std::filesystem::remove_all(m_root); }
    std::string lib() const { return m_root.string() + "/"; }
    std::filesystem::path templates() const { return m_root / "Dialog Templates" / "Dialog Design"; }
    std::string steps(const std::string& text) const {
        const std::filesystem::path path = m_root / "steps.txt";
        std::ofstream(path) << text;
        return path.string();
    }
    static std::string read(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    std::filesystem::path m_root;
};

}  // namespace

TEST(TemplateCommand, ListsTemplatesAndTheirControls) {
    Library library;
    CommandRun names = runConnsheet({"--lib", library.lib(), "template"});
    EXPECT_EQ(names.status, 0);
    EXPECT_EQ(names.out, "Bolt Assembly\nEnd Plate\n");
    CommandRun text = runConnsheet({"--lib", library.lib(), "template", "End Plate"});
    EXPECT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.out.find("End Plate: 420 x 370 pixels, 11 controls"), std::string::npos);
    EXPECT_NE(text.out.find("1      33003  2 Edit field"), std::string::npos) << text.out;
    CommandRun json = runConnsheet({"--lib", library.lib(), "template", "Bolt Assembly.txt", "--json"});
    EXPECT_EQ(json.status, 0);
    EXPECT_NE(json.out.find("\"typeName\": \"Flex button\""), std::string::npos);
    EXPECT_NE(json.out.find("\"list\": \"BoltParts;Nut;Second;\""), std::string::npos);
}

TEST(TemplateCommand, RefusesNamesOutsideTheRootAndMissingTemplates) {
    Library library;
    for (const char* name : {"../../x", "/etc/passwd", "Missing"}) {
        CommandRun run = runConnsheet({"--lib", library.lib(), "template", name});
        EXPECT_EQ(run.status, 2) << name;
        EXPECT_TRUE(run.out.empty());
        EXPECT_FALSE(run.err.empty());
    }
}

TEST(DesignCommand, StepsAddDragAndSave) {
    Library library;
    // Add a control (at 20 % of the picture), drag it by 10 pixels, then set its width through the
    // prompt the width button opens (the section after "---").
    const std::string steps = library.steps(
        "click 1300\n"
        "drag 0 95 60 105 70\n"
        "click 1306\n"
        "---\n"
        "type 8003 \"50\"\n"
        "click IDOK\n");
    CommandRun run = runConnsheet({"--lib", library.lib(), "design", "Bolt Assembly", "--steps", steps});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("saved"), std::string::npos);
    CommandRun listed = runConnsheet({"--lib", library.lib(), "template", "Bolt Assembly", "--json"});
    // 0.2 of 420 x 260 is 84, 52; moved by 10: 94, 62; 50 wide.
    EXPECT_NE(listed.out.find("\"left\": 94,\n        \"top\": 62,\n        \"right\": 144"),
              std::string::npos)
        << listed.out;
}

TEST(DesignCommand, ANewTemplateTakesItsBitmapAndBadStepsRunNothing) {
    Library library;
    const std::string bad = library.steps("click 1300\nwiggle 0\n");
    CommandRun refused = runConnsheet({"--lib", library.lib(), "design", "New", "--steps", bad});
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("steps.txt:2:"), std::string::npos) << refused.err;
    EXPECT_FALSE(std::filesystem::exists(library.templates() / "New.txt"));

    const std::string steps = library.steps("click 1300\n");
    CommandRun run = runConnsheet({"--lib", library.lib(), "design", "Sub/New", "--steps", steps, "--bitmap",
                                   (library.templates() / "End Plate.bmp").string()});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Library::read(library.templates() / "Sub" / "New.bmp") ==
                Library::read(library.templates() / "End Plate.bmp"));
    CommandRun listed = runConnsheet({"--lib", library.lib(), "template", "Sub/New"});
    EXPECT_NE(listed.out.find("1 control"), std::string::npos) << listed.out;

    // Steps that leave with OK save through the designer's question (answered Yes).
    const std::string leave = library.steps("click 1300\nclick IDOK\n");
    CommandRun left = runConnsheet({"--lib", library.lib(), "design", "Sub/New", "--steps", leave});
    EXPECT_EQ(left.status, 0) << left.err;
    EXPECT_NE(left.out.find("saved"), std::string::npos);
    listed = runConnsheet({"--lib", library.lib(), "template", "Sub/New"});
    EXPECT_NE(listed.out.find("2 controls"), std::string::npos) << listed.out;
}
