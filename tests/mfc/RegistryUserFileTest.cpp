// The user's registry file is process-wide once made current, so it has a test program of its own.
#include <cstdlib>  // setenv
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <unistd.h>  // getpid

#include "platform/mfc/Registry.h"
#include "platform/mfc/RegistryStore.h"

using ui::RegistryStore;

namespace {

std::string readText(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(RegistryUserFile, IsReadOnFirstUseAndACorruptOneIsReportedThenAndSetAside)
{
    const std::filesystem::path home =
        std::filesystem::temp_directory_path() / ("connsheet-userfile-" + std::to_string(::getpid()));
    std::filesystem::create_directories(home / "connsheet");
    const std::filesystem::path file = home / "connsheet" / "registry.json";
    ::setenv("XDG_CONFIG_HOME", home.c_str(), 1);
    std::vector<std::string> warnings;
    auto previous = RegistryStore::setWarningSink([&](const std::string& text) { warnings.push_back(text); });

    std::ofstream(file, std::ios::binary) << "{\"HKEY_CURRENT_USER\": {\"K\": {\"v\": 7}}}";
    RegistryStore::useUserFile();
    // Start-up reads nothing: what the file holds when the first value is asked for is what counts.
    EXPECT_TRUE(warnings.empty());
    std::ofstream(file, std::ios::binary) << "{\"HKEY_CURRENT_USER\": {";
    EXPECT_TRUE(warnings.empty());

    DWORD value = 0;
    EXPECT_FALSE(ui::registry::readDword(HKEY_CURRENT_USER, L"K", L"v", value));
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find(file.string()), std::string::npos);
    EXPECT_EQ(RegistryStore::current().filePath(), file.string());

    // Reported once, and kept aside by the first write.
    EXPECT_TRUE(ui::registry::writeDword(HKEY_CURRENT_USER, L"K", L"v", 9));
    EXPECT_TRUE(ui::registry::readDword(HKEY_CURRENT_USER, L"K", L"v", value));
    EXPECT_EQ(value, 9u);
    EXPECT_EQ(warnings.size(), 1u);
    EXPECT_EQ(readText(file.string() + ".bad"), "{\"HKEY_CURRENT_USER\": {");
    EXPECT_NE(readText(file).find("\"v\": 9"), std::string::npos);

    RegistryStore::setWarningSink(std::move(previous));
    std::filesystem::remove_all(home);
}

}  // namespace
