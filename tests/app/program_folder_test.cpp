#include "app/program_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "support/temp_dir.h"

namespace {

bool IsFolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Sets or clears environment variables for one test and puts them back afterwards.
class ProgramFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* name : NAMES) {
            const char* value = std::getenv(name);
            saved_.emplace_back(
                name, value != nullptr ? std::optional<std::string>(value) : std::nullopt);
            ::unsetenv(name);
        }
    }
    void TearDown() override {
        for (const auto& [name, value] : saved_) {
            if (value) {
                ::setenv(name, value->c_str(), 1);
            } else {
                ::unsetenv(name);
            }
        }
    }
    static void Set(const char* name, const std::string& value) {
        ::setenv(name, value.c_str(), 1);
    }

    static constexpr const char* NAMES[] = {"LEXICOVE_HOME", "XDG_DATA_HOME", "HOME"};
    std::vector<std::pair<const char*, std::optional<std::string>>> saved_;
    CTempDir dir_;
};

TEST_F(ProgramFolderTest, LexicoveHomeComesFirst) {
    Set("LEXICOVE_HOME", dir_.Path() + "portable/lexicove");  // no trailing slash
    Set("XDG_DATA_HOME", dir_.Path() + "data");
    Set("HOME", dir_.Path() + "home");
    EXPECT_EQ(ResolveProgramFolder(), dir_.Path() + "portable/lexicove/");
    EXPECT_TRUE(IsFolder(dir_.Path() + "portable/lexicove"));
    EXPECT_FALSE(IsFolder(dir_.Path() + "data"));
}

TEST_F(ProgramFolderTest, ThenTheDataHome) {
    Set("XDG_DATA_HOME", dir_.Path() + "data/");
    Set("HOME", dir_.Path() + "home");
    EXPECT_EQ(ResolveProgramFolder(), dir_.Path() + "data/Lexicove/");
    EXPECT_TRUE(IsFolder(dir_.Path() + "data/Lexicove"));
}

TEST_F(ProgramFolderTest, ThenTheHomeFolder) {
    Set("HOME", dir_.Path() + "home");
    EXPECT_EQ(ResolveProgramFolder(), dir_.Path() + "home/.local/share/Lexicove/");
    EXPECT_TRUE(IsFolder(dir_.Path() + "home/.local/share/Lexicove"));
    // A relative data home does not count.
    Set("XDG_DATA_HOME", "relative/data");
    EXPECT_EQ(ResolveProgramFolder(), dir_.Path() + "home/.local/share/Lexicove/");
}

TEST_F(ProgramFolderTest, RelativeHomeIsMadeAbsolute) {
    char* cwd = ::getcwd(nullptr, 0);
    ASSERT_NE(cwd, nullptr);
    ASSERT_EQ(::chdir(dir_.Path().c_str()), 0);
    Set("LEXICOVE_HOME", "./here/../portable");
    std::string folder = ResolveProgramFolder();
    ASSERT_EQ(::chdir(cwd), 0);
    std::free(cwd);
    EXPECT_EQ(folder, dir_.Path() + "portable/");
    EXPECT_TRUE(IsFolder(folder));
}

TEST_F(ProgramFolderTest, LookedUpOnceAndEndsWithSlash) {
    Set("LEXICOVE_HOME", dir_.Path() + "first");
    const std::string first = GetProgramFolder();
    Set("LEXICOVE_HOME", dir_.Path() + "second");
    const std::string& second = GetProgramFolder();
    EXPECT_EQ(second, first);
    EXPECT_EQ(&second, &GetProgramFolder());
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(first.back(), '/');
    EXPECT_EQ(first.front(), '/');
    EXPECT_TRUE(IsFolder(first));
    EXPECT_FALSE(IsFolder(dir_.Path() + "second"));
}

}  // namespace
