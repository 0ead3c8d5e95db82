#include "app/install_layout.h"

#include <gtest/gtest.h>

#include "app/install_dirs.h"

namespace {

struct BesideCase {
    const char* programFolder;
    const char* relative;
    const char* expected;
};

TEST(InstallLayoutTest, FolderBesideTheProgram) {
    const BesideCase cases[] = {
        {"/opt/lexicove/bin/", "../share/lexicove", "/opt/lexicove/share/lexicove/"},
        {"/opt/lexicove/bin/", "../lib/lexicove/", "/opt/lexicove/lib/lexicove/"},
        {"/usr/bin/", "./../share/./lexicove", "/usr/share/lexicove/"},
        {"/bin/", "../../x", "/x/"},    // never above the root
        {"", "../share/lexicove", ""},  // the program's location unknown
    };
    for (const BesideCase& c : cases) {
        EXPECT_EQ(FolderBeside(c.programFolder, c.relative), c.expected)
            << c.programFolder << c.relative;
    }
}

// The installed folders are found from the test program's own folder by the install rules'
// relative paths.
TEST(InstallLayoutTest, InstalledFoldersFollowTheRunningProgram) {
    const std::string here = RunningProgramFolder();
    ASSERT_FALSE(here.empty());
    EXPECT_EQ(here.back(), '/');
    EXPECT_EQ(InstalledDataFolder(), FolderBeside(here, LEXICOVE_DATA_FROM_BIN));
    EXPECT_EQ(InstalledLibraryFolder(), FolderBeside(here, LEXICOVE_LIBRARY_FROM_BIN));
    EXPECT_EQ(std::string(LEXICOVE_DATA_FROM_BIN), "../share/lexicove");
    EXPECT_EQ(std::string(LEXICOVE_LIBRARY_FROM_BIN), "../lib/lexicove");
}

}  // namespace
