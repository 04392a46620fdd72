#include "platform/mxbase/Mx_Settings.h"

#include <gtest/gtest.h>

#include <cstdlib>  // setenv, unsetenv
#include <string>

namespace {

// Every test starts from a fresh process state and leaves the environment as the test runner set it.
class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::unsetenv("CONNSHEET_LIB");
        ::unsetenv("CONNSHEET_HOME");
        gSettings.reset();
    }
    void TearDown() override {
        ::unsetenv("CONNSHEET_LIB");
        ::unsetenv("CONNSHEET_HOME");
        gSettings.reset();
    }
};

TEST_F(SettingsTest, DefaultsPointAtTheBundledLibraryAndResources) {
    EXPECT_EQ(gSettings.libDir(), Mx_String(CONNSHEET_SOURCE_DIR "/examples/library/"));
    EXPECT_EQ(gSettings.mxDir(), Mx_String(CONNSHEET_SOURCE_DIR "/res/"));
    EXPECT_EQ(gSettings.productDir(), Mx_String(CONNSHEET_SOURCE_DIR "/res"));
    EXPECT_EQ(gSettings.workLanguage(), 0);
    EXPECT_TRUE(gSettings.standardsWarnings());
}

TEST_F(SettingsTest, EnvironmentOverridesDefaultsAndSettersOverrideBoth) {
    ::setenv("CONNSHEET_LIB", "/srv/library", 1);
    ::setenv("CONNSHEET_HOME", "/opt/connsheet/", 1);
    EXPECT_EQ(gSettings.libDir(), Mx_String(L"/srv/library/"));
    EXPECT_EQ(gSettings.mxDir(), Mx_String(L"/opt/connsheet/"));
    EXPECT_EQ(gSettings.productDir(), Mx_String(L"/opt/connsheet"));

    gSettings.setLibDir(Mx_String("/home/user/lib"));
    EXPECT_EQ(gSettings.libDir(), Mx_String(L"/home/user/lib/"));
    // An empty setting gives the choice back to the environment.
    gSettings.setLibDir(Mx_String());
    EXPECT_EQ(gSettings.libDir(), Mx_String(L"/srv/library/"));

    // An empty variable counts as unset.
    ::setenv("CONNSHEET_LIB", "", 1);
    EXPECT_EQ(gSettings.libDir(), Mx_String(CONNSHEET_SOURCE_DIR "/examples/library/"));
}

TEST_F(SettingsTest, FoldersEndWithTheSeparatorTheyUse) {
    struct Case {
        const wchar_t* given;
        const wchar_t* libDir;
    };
    for (Case c : {Case{L"C:\\Vorlane\\Library", L"C:\\Vorlane\\Library\\"}, Case{L"lib\\", L"lib\\"},
                   Case{L"/a/b//", L"/a/b//"}, Case{L"/", L"/"}}) {
        gSettings.setLibDir(Mx_String(c.given));
        EXPECT_EQ(gSettings.libDir(), Mx_String(c.libDir));
    }
    gSettings.setMxDir(Mx_String(L"/"));
    EXPECT_EQ(gSettings.productDir(), Mx_String(L"/"));
}

}  // namespace
