// The kept answers of the file lookups: an answer is used again only while the folders searched in
// vain and the file found are as they were, so a file that appears in an earlier place, or goes away,
// is seen on the next lookup; inside one run an answer is checked once.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <vector>

#include "platform/mxbase/Mx_Settings.h"
#include "standards/VlFileLookup.h"
#include "standards/VlRunReport.h"
#include "standards/VlSSDlgsMgr.h"
#include "tests/standards/StandardsTestSupport.h"

namespace {

namespace fs = std::filesystem;
using standardstest::ScratchDir;

class VlFileLookupTest : public ::testing::Test {
protected:
    void SetUp() override {
        VlFileLookup::clearCache();
        fs::create_directories(path("first"));
        fs::create_directories(path("second"));
        dir.write("second/x.dat", "second");
        age();
        // The product writes "\" and its own letter case; the second place is spelt otherwise.
        candidates = {dir.file("first") + L"\\x.dat", dir.file("SECOND") + L"\\X.DAT"};
    }
    void TearDown() override { VlFileLookup::clearCache(); }

    fs::path path(const std::string& name) const { return fs::path(dir.file(name).str()); }
    // Gives the folders a time long past, as a library's folders have: only then are answers kept.
    void age() const {
        const auto past = fs::file_time_type::clock::now() - std::chrono::hours(1);
        for (const char* folder : {"first", "second"}) fs::last_write_time(path(folder), past);
    }
    // The index of the candidate found, -1 for none.
    int lookUp() const {
        Mx_String found;
        if (!VlFileLookup::firstExisting(candidates, found)) return -1;
        for (std::size_t i = 0; i < candidates.size(); ++i)
            if (found == candidates[i]) return static_cast<int>(i);
        ADD_FAILURE() << "not a candidate: " << found.toUtf8();
        return -2;
    }

    ScratchDir dir;
    std::vector<Mx_String> candidates;
};

TEST_F(VlFileLookupTest, AnswersFollowTheFolders) {
    EXPECT_EQ(lookUp(), 1);
    EXPECT_EQ(lookUp(), 1);  // kept

    // A file appearing in the earlier place wins from then on, whether its folder is fresh or old.
    dir.write("first/x.dat", "first");
    EXPECT_EQ(lookUp(), 0);
    age();
    EXPECT_EQ(lookUp(), 0);

    fs::remove(path("first/x.dat"));
    age();
    EXPECT_EQ(lookUp(), 1);

    // The file found goes away: nothing is found, and a folder in its place does not count.
    fs::remove(path("second/x.dat"));
    age();
    EXPECT_EQ(lookUp(), -1);
    fs::create_directories(path("second/x.dat"));
    age();
    EXPECT_EQ(lookUp(), -1);
    fs::remove(path("second/x.dat"));
    dir.write("second/x.dat", "again");
    EXPECT_EQ(lookUp(), 1);
}

TEST_F(VlFileLookupTest, AMissingFolderThatAppearsIsSeen) {
    // Neither "later" nor "later\sub" exists: the answer watches the nearest folder that does.
    candidates.insert(candidates.begin(), dir.file("later") + L"\\sub\\x.dat");
    const fs::path root = path("first").parent_path();
    const auto now = fs::file_time_type::clock::now();
    fs::last_write_time(root, now - std::chrono::hours(1));
    EXPECT_EQ(lookUp(), 2);
    EXPECT_EQ(lookUp(), 2);
    dir.write("later/sub/x.dat", "later");
    for (const fs::path& folder : {root, path("later"), path("later/sub")})
        fs::last_write_time(folder, now - std::chrono::hours(2));
    EXPECT_EQ(lookUp(), 0);
}

TEST_F(VlFileLookupTest, ARunChecksEachAnswerOnce) {
    {
        VlFileLookup::RunScope run;
        EXPECT_EQ(lookUp(), 1);
        dir.write("first/x.dat", "first");
        age();
        EXPECT_EQ(lookUp(), 1);  // checked in this run already
        {
            VlFileLookup::RunScope child;  // a child run belongs to the same run
            EXPECT_EQ(lookUp(), 1);
        }
    }
    EXPECT_EQ(lookUp(), 0);
    VlFileLookup::RunScope next;
    EXPECT_EQ(lookUp(), 0);
}

TEST_F(VlFileLookupTest, SingleFiles) {
    EXPECT_TRUE(VlFileLookup::isFile(dir.file("second") + L"\\x.dat"));
    EXPECT_FALSE(VlFileLookup::isFile(dir.file("second")));  // a folder
    EXPECT_FALSE(VlFileLookup::isFile(Mx_String()));
    EXPECT_FALSE(VlFileLookup::isFile(dir.file("nowhere/x.dat")));
}

// The lookups start with the name as given, so a bare name finds a stray file in the working folder
// before the library's. That order stays, but the run's report says once per name which file was
// used: for the sheet, a data file and a child sheet.
class ShadowedByTheWorkingFolder : public ::testing::Test {
protected:
    void SetUp() override {
        VlFileLookup::clearCache();
        gSettings.setStandardsWarnings(true);
        const std::string body = "Input\t\nDouble A\t\nOutput\t\nDouble R\tDouble U\tDouble S\nCalc\t\n";
        const std::string calls = "U = TONUMBER(GETCELL(\"vals.dat\", \"k\"))\t\nX = CallChild(Sub.vls, A, S)\t\n";
        const std::string sub = "Input\t\nDouble A\t\nOutput\t\nDouble S\t\nCalc\t\n";
        dir.write("work/Shadow.vls", body + "R = A + 100\t\n" + calls);
        dir.write("work/vals.dat", "k\t2\n");
        dir.write("work/Sub.vls", sub + "S = A * 3\t\n");
        dir.write("lib/Connection Standards/Shadow.vls", body + "R = A + 1\t\n" + calls);
        dir.write("lib/Connection Standards/Data/vals.dat", "k\t1\n");
        dir.write("lib/Connection Standards/Childs/Sub.vls", sub + "S = A * 30\t\n");
        gSettings.setLibDir(dir.file("lib/"));
        previous = fs::current_path();
        fs::current_path(fs::path(dir.file("work").str()));
    }
    void TearDown() override {
        fs::current_path(previous);
        gSSDlgsMgr.destroyAll();
        gSettings.reset();
        VlFileLookup::clearCache();
    }
    // A run of the sheet named `sheet`; false when it failed.
    bool run(const wchar_t* sheet, double& r, double& u, double& s) {
        VlDlgStandardsData data;
        data.mode = VlDlgStandardsData::kChildRun;
        data.standardsFile = Mx_String(sheet);
        data.varCells.append(VlVarCell(L"A", kVlInput, kVlDouble, 0, 0, L"2"));
        for (const wchar_t* name : {L"R", L"U", L"S"}) data.varCells.append(VlVarCell(name, kVlOutput, kVlDouble));
        if (!StartDlgStandardsSS(data)) return false;
        r = data.varCells[1].value.toDouble();
        u = data.varCells[2].value.toDouble();
        s = data.varCells[3].value.toDouble();
        return true;
    }

    ui::ScriptedDriver driver;
    ScratchDir dir;
    fs::path previous;
};

TEST_F(ShadowedByTheWorkingFolder, TheWorkingFolderWinsAndTheReportSaysSoOnce) {
    VlRunReport report;
    VlRunReportScope collecting(report);
    for (int i = 0; i < 2; ++i) {
        double r = 0, u = 0, s = 0;
        ASSERT_TRUE(run(L"Shadow.vls", r, u, s));
        EXPECT_EQ(r, 102.0);  // the working folder's sheet,
        EXPECT_EQ(u, 2.0);    // data file
        EXPECT_EQ(s, 6.0);    // and child
    }
    EXPECT_TRUE(driver.messageBoxes().empty());
    std::vector<std::string> texts;
    for (const VlRunFinding& finding : report.findings()) {
        EXPECT_EQ(finding.kind, "lookup");
        EXPECT_EQ(finding.severity, VlRunFinding::Severity::warning);
        EXPECT_EQ(finding.sheet, "Shadow.vls");
        texts.push_back(finding.text);
    }
    ASSERT_EQ(texts.size(), 3u);
    const std::string lib = dir.file("lib/").toUtf8();
    EXPECT_EQ(texts[0], "The sheet \"Shadow.vls\" was taken from the working folder (" + dir.file("work").toUtf8() +
                            "/Shadow.vls); the library's " + lib + "Connection Standards/Shadow.vls has the same "
                            "name and was not used.");
    EXPECT_EQ(texts[1].rfind("The file \"vals.dat\" was taken from the working folder", 0), 0u) << texts[1];
    EXPECT_NE(texts[1].find(lib + "Connection Standards/Data/vals.dat"), std::string::npos) << texts[1];
    EXPECT_EQ(texts[2].rfind("The child sheet \"Sub.vls\" was taken from the working folder", 0), 0u) << texts[2];
    EXPECT_NE(texts[2].find(lib + "Connection Standards/Childs/Sub.vls"), std::string::npos) << texts[2];
}

TEST_F(ShadowedByTheWorkingFolder, NothingToSayWhenOnlyOnePlaceHasTheFile) {
    fs::remove(fs::path(dir.file("lib/Connection Standards/Shadow.vls").str()));
    fs::remove(fs::path(dir.file("lib/Connection Standards/Data/vals.dat").str()));
    fs::remove(fs::path(dir.file("lib/Connection Standards/Childs/Sub.vls").str()));
    VlRunReport report;
    VlRunReportScope collecting(report);
    double r = 0, u = 0, s = 0;
    ASSERT_TRUE(run(L"Shadow.vls", r, u, s));
    EXPECT_EQ(r, 102.0);
    EXPECT_TRUE(report.findings().empty());
    // A path is taken as it is: no lookup order, nothing to say.
    ASSERT_TRUE(run(dir.file("lib/../work/Shadow.vls").c_str(), r, u, s));
    EXPECT_TRUE(report.findings().empty());
}

}  // namespace
