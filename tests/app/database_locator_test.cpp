#include "app/database_locator.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace {

// The stages over a tree of our own: the program folder prog/, the removable-media root
// root/card/ (met again as an ordinary folder by the device search) and the device root root/.
struct StageCase {
    const char* name;
    std::vector<const char*> files;
    const char* expected;  // relative path of the copy found, or "" for none
    bool deviceStage = true;
};

class DatabaseStagesTest : public ::testing::TestWithParam<StageCase> {};

TEST_P(DatabaseStagesTest, FirstStageWithACopyWins) {
    CTempDir dir;
    dir.MakeDir("prog");
    dir.MakeDir("share/lexicove");
    dir.MakeDir("root/card");
    for (const char* file : GetParam().files) {
        dir.WriteFile(file, "db");
    }
    CDatabaseLocator locator("", dir.Path() + "prog", dir.Path() + "share/lexicove",
                             {dir.Path() + "root/card/"},
                             GetParam().deviceStage ? dir.Path() + "root/" : "");
    std::string path = "stale";
    bool found = locator.LocateDatabase(&path);
    if (*GetParam().expected != '\0') {
        EXPECT_TRUE(found);
        EXPECT_EQ(path, dir.Path() + GetParam().expected);
    } else {
        EXPECT_FALSE(found);
        EXPECT_EQ(path, "");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DatabaseStagesTest,
    ::testing::Values(
        StageCase{"BesideTheProgramWins",
                  {"root/card/wordnet.lcv", "root/wordnet.lcv", "prog/wordnet.lcv"},
                  "prog/wordnet.lcv"},
        StageCase{"CapitalsBesideTheProgram", {"prog/WordNet.LCV"}, "prog/WordNet.LCV"},
        StageCase{"ProgramFolderBeforeInstalled",
                  {"share/lexicove/wordnet.lcv", "prog/wordnet.lcv"},
                  "prog/wordnet.lcv"},
        StageCase{"InstalledBeforeCard",
                  {"root/card/wordnet.lcv", "share/lexicove/wordnet.lcv"},
                  "share/lexicove/wordnet.lcv"},
        StageCase{
            "CapitalsInstalled", {"share/lexicove/WordNet.lcv"}, "share/lexicove/WordNet.lcv"},
        StageCase{
            "CardTwoLevelsDown", {"root/card/a/b/wordnet.lcv"}, "root/card/a/b/wordnet.lcv", false},
        StageCase{"CardBeforeDeviceRoot",
                  {"root/a/b/c/wordnet.lcv", "root/card/a/b/wordnet.lcv"},
                  "root/card/a/b/wordnet.lcv"},
        StageCase{"CardThreeLevelsDownByNeither", {"root/card/a/b/c/wordnet.lcv"}, ""},
        StageCase{"RootThreeLevelsDown", {"root/a/b/c/wordnet.lcv"}, "root/a/b/c/wordnet.lcv"},
        StageCase{"RootFourLevelsDown", {"root/a/b/c/d/wordnet.lcv"}, ""},
        StageCase{"CapitalsUnderTheRoot", {"root/x/WORDNET.LCV"}, "root/x/WORDNET.LCV"},
        StageCase{"OtherNamesOnly", {"prog/wordnet.lcv.part", "root/card/wordnet"}, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DatabaseLocatorTest, LaterCardRootAndMissingPlaces) {
    CTempDir dir;
    std::string path = dir.WriteFile("run-media/me/USB/wordnet.lcv", "db");
    CDatabaseLocator locator("", dir.Path() + "no-such-prog", "",
                             {dir.Path() + "media/me", "", dir.Path() + "run-media/me"}, "");
    std::string located;
    EXPECT_TRUE(locator.LocateDatabase(&located));
    EXPECT_EQ(located, path);

    CDatabaseLocator nowhere("", "", "", {}, "");
    EXPECT_FALSE(nowhere.LocateDatabase(&located));
    EXPECT_EQ(located, "");
}

// Each search stands alone: after a found database, a search where there is none says so.
TEST(DatabaseLocatorTest, RepeatedSearchesDoNotShareAResult) {
    CTempDir with, without;
    with.WriteFile("card/a/wordnet.lcv", "db");
    without.MakeDir("card/a");
    std::string path;
    EXPECT_TRUE(CDatabaseLocator("", "", "", {with.Path() + "card/"}, "").LocateDatabase(&path));
    EXPECT_FALSE(CDatabaseLocator("", "", "", {without.Path() + "card/"}, without.Path())
                     .LocateDatabase(&path));
    EXPECT_EQ(path, "");
}

TEST(DatabaseLocatorTest, UserPathIsTheOnlyPlaceLookedAt) {
    CTempDir dir;
    std::string mine = dir.WriteFile("elsewhere/my.lcv", "db");
    dir.WriteFile("prog/wordnet.lcv", "db");
    std::string path;
    EXPECT_TRUE(CDatabaseLocator(mine, dir.Path() + "prog/", "", {}, "").LocateDatabase(&path));
    EXPECT_EQ(path, mine);
    // A path that names no file is a failure, not a reason to take another copy.
    EXPECT_FALSE(
        CDatabaseLocator(dir.Path() + "elsewhere/typo.lcv", dir.Path() + "prog/", "", {}, "")
            .LocateDatabase(&path));
    EXPECT_EQ(path, "");
    EXPECT_FALSE(CDatabaseLocator(dir.Path() + "elsewhere", "", "", {}, "").LocateDatabase(&path));
}

// The option given on the command line goes before $LEXICOVE_DATABASE.
TEST(DatabaseLocatorTest, OptionThenEnvironmentOnThisSystem) {
    CTempDir dir;
    std::string fromEnv = dir.WriteFile("env.lcv", "db");
    std::string fromOption = dir.WriteFile("option.lcv", "db");
    const char* old = std::getenv("LEXICOVE_DATABASE");
    std::string saved = old != nullptr ? old : "";
    ::setenv("LEXICOVE_DATABASE", fromEnv.c_str(), 1);

    std::string path;
    EXPECT_TRUE(LocateDatabase(&path));
    EXPECT_EQ(path, fromEnv);
    SetDatabaseOption(fromOption);
    EXPECT_TRUE(LocateDatabase(&path));
    EXPECT_EQ(path, fromOption);
    SetDatabaseOption(dir.Path() + "missing.lcv");
    EXPECT_FALSE(LocateDatabase(&path));

    SetDatabaseOption("");
    if (old != nullptr) {
        ::setenv("LEXICOVE_DATABASE", saved.c_str(), 1);
    } else {
        ::unsetenv("LEXICOVE_DATABASE");
    }
}

}  // namespace
