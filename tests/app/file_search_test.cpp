#include "app/file_search.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "support/unprivileged.h"

namespace {

const std::set<std::string> NONE;

TEST(FileExistsTest, OnlyReadableRegularFiles) {
    CTempDir dir;
    std::string file = dir.WriteFile("wordnet.lcv", "x");
    std::string empty = dir.WriteFile("empty", "");
    std::string folder = dir.MakeDir("folder");
    std::string fifo = dir.Path() + "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string link = dir.Path() + "link";
    ASSERT_EQ(::symlink(file.c_str(), link.c_str()), 0);

    EXPECT_TRUE(FileExists(file));
    EXPECT_TRUE(FileExists(empty));
    EXPECT_TRUE(FileExists(link));
    EXPECT_FALSE(FileExists(dir.Path() + "missing"));
    EXPECT_FALSE(FileExists(folder));
    EXPECT_FALSE(FileExists(fifo));  // and does not wait for a writer
    EXPECT_FALSE(FileExists(""));
}

struct DepthCase {
    const char* file;  // relative to the search root
    int depth;
    bool found;
};

class FindFileDepthTest : public ::testing::TestWithParam<DepthCase> {};

// The depth counts the levels below the root that are still searched.
TEST_P(FindFileDepthTest, FoundOnlyWithinTheDepth) {
    CTempDir dir;
    std::string path = dir.WriteFile(GetParam().file, "db");
    dir.WriteFile("a/other.txt", "");
    auto found = FindFileInTree(dir.Path(), "wordnet.lcv", GetParam().depth, NONE);
    if (GetParam().found) {
        ASSERT_TRUE(found.has_value());
        EXPECT_EQ(*found, path);
    } else {
        EXPECT_FALSE(found.has_value()) << *found;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindFileDepthTest,
    ::testing::Values(DepthCase{"wordnet.lcv", 0, true}, DepthCase{"wordnet.lcv", -1, false},
                      DepthCase{"a/wordnet.lcv", 0, false}, DepthCase{"a/wordnet.lcv", 1, true},
                      DepthCase{"a/b/wordnet.lcv", 1, false}, DepthCase{"a/b/wordnet.lcv", 2, true},
                      DepthCase{"a/b/c/wordnet.lcv", 2, false},
                      DepthCase{"a/b/c/wordnet.lcv", 3, true},
                      DepthCase{"a/b/c/d/wordnet.lcv", 3, false}));

TEST(FindFileInTreeTest, NameComparedWithoutLetterCase) {
    CTempDir dir;
    std::string path = dir.WriteFile("Card/WORDNET.LCV", "db");
    auto found = FindFileInTree(dir.Path(), "wordnet.lcv", 1, NONE);
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(*found, path);  // the name as stored
    EXPECT_FALSE(FindFileInTree(dir.Path(), "wordnet.lc", 1, NONE).has_value());
    EXPECT_FALSE(FindFileInTree(dir.Path(), "wordnet.lcvx", 1, NONE).has_value());
}

TEST(FindFileInTreeTest, RootWithoutSlashAndFolderNamedLikeTheFile) {
    CTempDir dir;
    dir.MakeDir("x/wordnet.lcv");  // a folder, not the file
    std::string path = dir.WriteFile("x/wordnet.lcv/wordnet.lcv", "db");
    std::string root = dir.Path().substr(0, dir.Path().size() - 1);
    auto found = FindFileInTree(root, "wordnet.lcv", 2, NONE);
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(*found, path);
    EXPECT_FALSE(FindFileInTree(root, "wordnet.lcv", 1, NONE).has_value());
}

// Each search stands alone: a match found earlier is not handed to a later search.
TEST(FindFileInTreeTest, EachSearchIsItsOwn) {
    CTempDir with, without;
    with.WriteFile("wordnet.lcv", "db");
    without.WriteFile("a/readme.txt", "");
    EXPECT_TRUE(FindFileInTree(with.Path(), "wordnet.lcv", 1).has_value());
    EXPECT_FALSE(FindFileInTree(without.Path(), "wordnet.lcv", 1).has_value());
}

TEST(FindFileInTreeTest, LinksToFoldersAreNotFollowed) {
    CTempDir dir, elsewhere;
    elsewhere.WriteFile("wordnet.lcv", "db");
    std::string link = dir.Path() + "card";
    ASSERT_EQ(::symlink(elsewhere.Path().c_str(), link.c_str()), 0);
    std::string loop = dir.Path() + "loop";
    ASSERT_EQ(::symlink(dir.Path().c_str(), loop.c_str()), 0);
    EXPECT_FALSE(FindFileInTree(dir.Path(), "wordnet.lcv", 3, NONE).has_value());

    // A link to the file itself is a file.
    std::string fileLink = dir.Path() + "WordNet.lcv";
    ASSERT_EQ(::symlink((elsewhere.Path() + "wordnet.lcv").c_str(), fileLink.c_str()), 0);
    auto found = FindFileInTree(dir.Path(), "wordnet.lcv", 0, NONE);
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(*found, fileLink);
}

TEST(FindFileInTreeTest, ExcludedFoldersAreNotEntered) {
    CTempDir dir;
    dir.WriteFile("net/wordnet.lcv", "db");
    std::string path = dir.WriteFile("disk/wordnet.lcv", "db");
    const std::set<std::string> excluded = {dir.Path() + "net/"};
    for (int i = 0; i < 2; ++i) {
        auto found = FindFileInTree(dir.Path(), "wordnet.lcv", 1, excluded);
        ASSERT_TRUE(found.has_value());
        EXPECT_EQ(*found, path);
    }
    // The folder a search starts from is searched even when it is excluded.
    EXPECT_TRUE(FindFileInTree(dir.Path() + "net/", "wordnet.lcv", 0, excluded).has_value());
}

// Runs the search as the user "nobody"; the outcome: 0 found at expected, 1 not found, 2
// elsewhere.
int SearchAsUnprivileged(const std::string& root, const std::string& expected) {
    return RunUnprivileged([&]() {
        auto found = FindFileInTree(root, "wordnet.lcv", 2, NONE);
        return !found ? 1 : (*found == expected ? 0 : 2);
    });
}

TEST(FindFileInTreeTest, UnreadableFolderIsSkippedQuietly) {
    CTempDir dir;
    ASSERT_EQ(::chmod(dir.Path().c_str(), 0755), 0);
    dir.WriteFile("aaa-locked/wordnet.lcv", "hidden");
    dir.WriteFile("mmm-locked/inner/wordnet.lcv", "hidden");
    std::string path = dir.WriteFile("zzz/wordnet.lcv", "db");
    ASSERT_EQ(::chmod((dir.Path() + "zzz").c_str(), 0755), 0);
    ASSERT_EQ(::chmod((dir.Path() + "aaa-locked").c_str(), 0), 0);
    ASSERT_EQ(::chmod((dir.Path() + "mmm-locked").c_str(), 0), 0);
    EXPECT_EQ(SearchAsUnprivileged(dir.Path(), path), 0);

    ::unlink(path.c_str());
    EXPECT_EQ(SearchAsUnprivileged(dir.Path(), path), 1);
}

TEST(ExcludedFoldersTest, PseudoAndNetworkMountsAreLeftOut) {
    const char* table =
        "/dev/sda1 / ext4 rw,relatime 0 0\n"
        "proc /proc proc rw,nosuid 0 0\n"
        "sysfs /sys sysfs rw 0 0\n"
        "tmpfs /tmp tmpfs rw 0 0\n"
        "server:/export /mnt/nfs nfs4 rw 0 0\n"
        "//host/share /mnt/my\\040share cifs rw 0 0\n"
        "sshfs#me@host: /home/me/remote fuse.sshfs rw 0 0\n"
        "/dev/sdb1 /media/me/CARD vfat rw 0 0\n"
        "/dev/sdc1 /mnt/backup btrfs rw 0 0\n"
        "/dev/loop3 /snap/core/1 squashfs ro 0 0\n"
        "garbage\n"
        "\n";
    std::set<std::string> excluded = ExcludedFolders(table);
    for (const char* folder : {"/proc/", "/sys/", "/dev/", "/run/", "/tmp/", "/mnt/nfs/",
                               "/mnt/my share/", "/home/me/remote/", "/snap/core/1/"}) {
        EXPECT_EQ(excluded.count(folder), 1u) << folder;
    }
    for (const char* folder : {"/", "/media/me/CARD/", "/mnt/backup/"}) {
        EXPECT_EQ(excluded.count(folder), 0u) << folder;
    }
}

}  // namespace
