#include "lists/word_list.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "support/temp_dir.h"
#include "support/unprivileged.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> Items(const CWordList& list) {
    std::vector<std::string> items;
    for (int i = 0; i < list.Count(); ++i) {
        items.emplace_back(list.At(i));
    }
    return items;
}

CWordList& Fill(CWordList& list, const std::vector<std::string>& words) {
    for (const std::string& w : words) {
        list.Add(w.c_str());
    }
    return list;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) {
        names.push_back(e.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

using Words = std::vector<std::string>;

TEST(WordListAdd, UniquenessIgnoresAsciiCaseOnly) {
    CWordList list;
    EXPECT_EQ(list.Add("Apple"), 0);
    EXPECT_EQ(list.Add("pear"), 1);
    EXPECT_EQ(list.Add("APPLE"), 0);  // the existing item's position, nothing changes
    EXPECT_EQ(list.Add("\xC4pfel"), 2);
    EXPECT_EQ(list.Add("\xE4pfel"), 3);  // code-page letters are not folded
    EXPECT_EQ(list.Add(""), -1);
    EXPECT_EQ(list.Add(nullptr), -1);
    EXPECT_EQ(list.Add("pearl", 4), 1);       // n bytes: "pear"
    EXPECT_EQ(list.Add("plum\0tail", 9), 4);  // the text ends at its NUL
    EXPECT_EQ(list.Add("fig", -1), 5);
    EXPECT_EQ(Items(list), (Words{"Apple", "pear", "\xC4pfel", "\xE4pfel", "plum", "fig"}));
    EXPECT_EQ(list.IndexOf("PLUM"), 4);
    EXPECT_EQ(list.IndexOf("plu"), -1);
    EXPECT_EQ(list.IndexOf(nullptr), -1);
}

TEST(WordListInsertAt, MovesOrAppendsAndClamps) {
    struct Case {
        const char* name;
        Words start;
        int position;
        const char* text;
        int result;
        Words after;
    };
    Words six = {"a", "b", "c", "d", "e", "f"};
    std::vector<Case> cases = {
        {"existing to the front", six, 0, "F", 0, {"f", "a", "b", "c", "d", "e"}},
        {"existing further back", six, 4, "b", 4, {"a", "c", "d", "e", "b", "f"}},
        {"existing to its own place", six, 2, "c", 2, six},
        {"new to the front", {"a", "b"}, 0, "z", 0, {"z", "a", "b"}},
        {"past the end appends", {"a", "b"}, 3, "z", 2, {"a", "b", "z"}},
        {"negative goes to the front", {"a", "b"}, -5, "b", 0, {"b", "a"}},
        {"empty text is refused", {"a"}, 0, "", -1, {"a"}},
    };
    for (const Case& c : cases) {
        CWordList list;
        Fill(list, c.start);
        EXPECT_EQ(list.InsertAt(c.position, c.text), c.result) << c.name;
        EXPECT_EQ(Items(list), c.after) << c.name;
    }
}

TEST(WordListRemove, CutsAtTheEndAndIgnoresBadStarts) {
    struct Case {
        int start;
        int n;
        Words after;
    };
    std::vector<Case> cases = {
        {1, 1, {"a", "c"}},       {0, 2, {"c"}},           {1, 99, {"a"}},
        {10, 1, {"a", "b", "c"}}, {3, 1, {"a", "b", "c"}}, {-1, 2, {"a", "b", "c"}},
        {0, 0, {"a", "b", "c"}},
    };
    for (const Case& c : cases) {
        CWordList list;
        Fill(list, {"a", "b", "c"});
        list.Remove(c.start, c.n);
        EXPECT_EQ(Items(list), c.after) << "start " << c.start << " n " << c.n;
    }
    CWordList list;
    Fill(list, {"a", "b"});
    list.Remove(0, 1);
    EXPECT_EQ(list.Add("A"), 1);  // a removed item is gone for uniqueness too
}

TEST(WordListSort, ByteOrderCapitalsFirst) {
    CWordList list;
    Fill(list, {"pear", "Zebra", "apple", "\xE9t\xE9", "Apricot"});
    list.Sort();
    EXPECT_EQ(Items(list), (Words{"Apricot", "Zebra", "apple", "pear", "\xE9t\xE9"}));
}

TEST(WordListGrowth, GrowsBy128WithoutReordering) {
    CWordList list;
    EXPECT_EQ(list.Capacity(), 0);
    Words words;
    for (int i = 0; i < 300; ++i) {
        words.push_back("w" + std::to_string(i));
        ASSERT_EQ(list.Add(words.back().c_str()), i);
        EXPECT_EQ(list.Capacity(), (i / CWordList::kGrowBy + 1) * CWordList::kGrowBy) << i;
    }
    EXPECT_EQ(Items(list), words);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Capacity(), 384);  // the array stays
    EXPECT_EQ(list.Add("w5"), 0);
}

TEST(WordListLoad, LineEndsEmptyLinesAndDuplicates) {
    struct Case {
        const char* name;
        std::string bytes;
        Words items;
    };
    std::vector<Case> cases = {
        {"CR LF with a case duplicate", "Apple\r\napple\r\n\r\npear\r\n", {"Apple", "pear"}},
        {"LF only, no final end", "Apple\napple\n\npear", {"Apple", "pear"}},
        {"CR only", "Apple\rapple\r\rpear\r", {"Apple", "pear"}},
        {"blank lines only", "\r\n\n\r\r\n", {}},
        {"a NUL ends its line", std::string("ab\0cd\r\n\0x\r\nef", 14), {"ab", "ef"}},
        {"spaces are kept", " ice cream \r\n", {" ice cream "}},
    };
    for (const Case& c : cases) {
        CTempDir dir;
        std::string path = dir.WriteFile("list.txt", c.bytes);
        CWordList list;
        EXPECT_TRUE(list.Load(path)) << c.name;
        EXPECT_EQ(Items(list), c.items) << c.name;
        EXPECT_EQ(list.Path(), path);
    }
}

TEST(WordListLoad, AddsAfterPresentItemsAndKeepsAMissingPath) {
    CTempDir dir;
    std::string path = dir.WriteFile("list.txt", "pear\r\nFig\r\n");
    CWordList list;
    Fill(list, {"fig", "kiwi"});
    EXPECT_TRUE(list.Load(path));
    EXPECT_EQ(Items(list), (Words{"fig", "kiwi", "pear"}));

    CWordList missing;
    EXPECT_FALSE(missing.Load(dir.Path() + "none.txt"));
    EXPECT_EQ(missing.FileStatus(), LIST_FILE_MISSING);
    EXPECT_EQ(missing.Count(), 0);
    missing.Add("new");
    EXPECT_TRUE(missing.Save());  // the stored path lets Save create the file
    EXPECT_EQ(ReadBytes(dir.Path() + "none.txt"), "new\r\n");

    CWordList empty;
    EXPECT_TRUE(empty.Load(dir.WriteFile("empty.txt", "")));
    EXPECT_EQ(empty.FileStatus(), LIST_FILE_READ);
    EXPECT_EQ(empty.Count(), 0);
}

// A list file that is there but cannot be read (here: no read permission) keeps its words:
// the list works in memory and is never saved over the file.
TEST(WordListLoad, AnUnreadableFileIsNeverOverwritten) {
    CTempDir dir;
    ASSERT_EQ(::chmod(dir.Path().c_str(), 0777), 0);  // anyone may write in the folder
    std::string path = dir.WriteFile("Favorites.txt", "keep\r\n");
    ASSERT_EQ(::chmod(path.c_str(), 0), 0);
    int outcome = RunUnprivileged([&] {
        CWordList list;
        if (list.Load(path) || list.FileStatus() != LIST_FILE_UNREADABLE) {
            return 1;
        }
        if (list.Add("new") != 0 || list.Save() || list.Save()) {
            return 2;
        }
        return list.Count() == 1 ? 0 : 3;
    });
    EXPECT_EQ(outcome, 0);
    ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
    EXPECT_EQ(ReadBytes(path), "keep\r\n");
    EXPECT_EQ(FolderEntries(dir.Path()), (Words{"Favorites.txt"}));

    CWordList folder;  // a folder where the file should be
    EXPECT_FALSE(folder.Load(dir.MakeDir("History.txt")));
    EXPECT_EQ(folder.FileStatus(), LIST_FILE_UNREADABLE);
    folder.Add("new");
    EXPECT_FALSE(folder.Save());
}

TEST(WordListSave, RoundTripIsByteExact) {
    CTempDir dir;
    std::string path = dir.Path() + "Favorites.txt";
    std::string bytes = "ice cream\r\nApple\r\n\xE9t\xE9\r\nrun:3\r\n";
    CWordList first;
    first.Load(path);
    Fill(first, {"ice cream", "Apple", "\xE9t\xE9", "run:3"});
    ASSERT_TRUE(first.Save());
    EXPECT_EQ(ReadBytes(path), bytes);

    CWordList second;
    ASSERT_TRUE(second.Load(path));
    EXPECT_EQ(Items(second), Items(first));
    ASSERT_TRUE(second.Save());
    EXPECT_EQ(ReadBytes(path), bytes);
    EXPECT_EQ(FolderEntries(dir.Path()), (Words{"Favorites.txt"}));  // no temporary left
}

TEST(WordListSave, EmptyListWritesAnEmptyFileAndNoPathFails) {
    CTempDir dir;
    std::string path = dir.WriteFile("StudyList.txt", "old\r\n");
    CWordList list;
    ASSERT_TRUE(list.Load(path));
    list.Clear();
    ASSERT_TRUE(list.Save());
    EXPECT_TRUE(fs::exists(path));
    EXPECT_EQ(ReadBytes(path), "");

    CWordList noFile;
    noFile.Add("x");
    EXPECT_FALSE(noFile.Save());
}

// Saving writes the file a link leads to and leaves the link; the file keeps its permissions.
TEST(WordListSave, KeepsPermissionsAndWritesThroughLinks) {
    struct Case {
        const char* name;
        std::string link;    // the list's path, relative to the folder
        std::string target;  // where the words land
        mode_t mode;         // the target's permissions before and after; 0: no target yet
    };
    CTempDir dir;
    std::string sync = dir.MakeDir("sync");
    std::vector<Case> cases = {
        {"a plain file", "plain.txt", "plain.txt", 0640},
        {"a relative link", "Favorites.txt", "sync/Favorites.txt", 0600},
        {"an absolute link to a link", "StudyList.txt", "sync/StudyList.txt", 0664},
        {"a link to no file yet", "History.txt", "sync/History.txt", 0},
    };
    ASSERT_EQ(::symlink("sync/Favorites.txt", (dir.Path() + "Favorites.txt").c_str()), 0);
    ASSERT_EQ(::symlink((sync + "inner").c_str(), (dir.Path() + "StudyList.txt").c_str()), 0);
    ASSERT_EQ(::symlink("StudyList.txt", (sync + "inner").c_str()), 0);
    ASSERT_EQ(::symlink((sync + "History.txt").c_str(), (dir.Path() + "History.txt").c_str()), 0);
    for (const Case& c : cases) {
        std::string target = dir.Path() + c.target;
        if (c.mode != 0) {
            dir.WriteFile(c.target, "old\r\n");
            ASSERT_EQ(::chmod(target.c_str(), c.mode), 0) << c.name;
        }
        CWordList list;
        list.Load(dir.Path() + c.link);
        list.Add("new");
        ASSERT_TRUE(list.Save()) << c.name;
        EXPECT_EQ(ReadBytes(target), c.mode != 0 ? "old\r\nnew\r\n" : "new\r\n") << c.name;
        struct stat st;
        ASSERT_EQ(::stat(target.c_str(), &st), 0) << c.name;
        EXPECT_EQ(st.st_mode & 07777, c.mode != 0 ? c.mode : 0644) << c.name;
        if (c.link != c.target) {
            ASSERT_EQ(::lstat((dir.Path() + c.link).c_str(), &st), 0) << c.name;
            EXPECT_TRUE(S_ISLNK(st.st_mode)) << c.name;
        }
    }
    EXPECT_EQ(FolderEntries(sync),
              (Words{"Favorites.txt", "History.txt", "StudyList.txt", "inner"}));

    std::string loop = dir.Path() + "loop.txt";  // a link to itself is refused
    ASSERT_EQ(::symlink("loop.txt", loop.c_str()), 0);
    CWordList looped;
    looped.Load(loop);
    looped.Add("new");
    EXPECT_FALSE(looped.Save());
}

// An item holding a line break, whatever put it there, stays one line of the file.
TEST(WordListSave, LineBreaksInsideAnItemAreWrittenAsSpaces) {
    CTempDir dir;
    std::string path = dir.Path() + "History.txt";
    CWordList list;
    list.Load(path);
    Fill(list, {"ice\r\ncream", "walk\n", "\rrun"});
    ASSERT_TRUE(list.Save());
    EXPECT_EQ(ReadBytes(path), "ice  cream\r\nwalk \r\n run\r\n");
    CWordList reread;
    ASSERT_TRUE(reread.Load(path));
    EXPECT_EQ(Items(reread), (Words{"ice  cream", "walk ", " run"}));
}

// Makes writes beyond a few bytes fail as they do on a full disk (EFBIG, which also hits
// root), for the life of the object.
class CFileSizeLimit {
  public:
    explicit CFileSizeLimit(rlim_t bytes) {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &previous_);
        struct rlimit limit = previous_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~CFileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }

  private:
    struct rlimit previous_ {};
    void (*previousHandler_)(int) = nullptr;
};

// Every way a save can fail: false, the old file (if any) byte for byte as it was, and
// nothing new in its folder.
TEST(WordListSave, FailedSaveLeavesTheOldFileIntact) {
    const std::string old = "alpha\r\nbeta\r\n";
    Words longList;
    for (int i = 0; i < 50; ++i) {
        longList.push_back("word" + std::to_string(i));
    }

    {  // the folder is a regular file: nothing can be created in it
        CTempDir dir;
        std::string notAFolder = dir.WriteFile("plain", "x");
        CWordList list;
        EXPECT_FALSE(list.Load(notAFolder + "/list.txt"));
        list.Add("word");
        EXPECT_FALSE(list.Save());
        EXPECT_EQ(ReadBytes(notAFolder), "x");
        EXPECT_EQ(FolderEntries(dir.Path()), (Words{"plain"}));
    }
    {  // the disk fills up while the new text is written
        CTempDir dir;
        std::string path = dir.WriteFile("History.txt", old);
        CWordList list;
        ASSERT_TRUE(list.Load(path));
        Fill(list, longList);
        {
            CFileSizeLimit limit(64);
            EXPECT_FALSE(list.Save());
        }
        EXPECT_EQ(ReadBytes(path), old);
        EXPECT_EQ(FolderEntries(dir.Path()), (Words{"History.txt"}));
        EXPECT_EQ(list.Count(), 52);  // the list in memory is unchanged
        EXPECT_TRUE(list.Save());     // and saves once there is room again
        std::string expected = old;
        for (const std::string& w : longList) {
            expected += w + "\r\n";
        }
        EXPECT_EQ(ReadBytes(path), expected);
    }
    {  // the old name cannot be replaced (a folder holding a file stands there)
        CTempDir dir;
        std::string inside = dir.WriteFile("Favorites.txt/keep", old);
        CWordList list;
        list.Load(dir.Path() + "Favorites.txt");
        list.Add("word");
        EXPECT_FALSE(list.Save());
        EXPECT_EQ(ReadBytes(inside), old);
        EXPECT_EQ(FolderEntries(dir.Path()), (Words{"Favorites.txt"}));
    }
}

// The Searched list: the search worker appends while the main thread reads positions it was
// told of. Each position read must hold the word that was added there, and nothing torn.
TEST(WordListThreads, AppendOnOneThreadWhileAnotherReads) {
    constexpr int kWords = 2000;
    CWordList list;
    std::atomic<int> announced{-1};
    std::thread worker([&] {
        for (int i = 0; i < kWords; ++i) {
            std::string word = "word" + std::to_string(i);
            int position = list.Add(word.c_str());
            list.Add(word.c_str());  // a word reported twice is listed once
            announced.store(position, std::memory_order_release);
        }
    });
    int mismatches = 0;
    int last = -1;
    std::string text;
    while (last < kWords - 1) {
        int upTo = announced.load(std::memory_order_acquire);
        for (int p = last + 1; p <= upTo; ++p) {
            if (!list.CopyAt(p, &text) || text != "word" + std::to_string(p)) {
                ++mismatches;
            }
            list.IndexOf("word0");
            list.Count();
        }
        last = std::max(last, upTo);
    }
    worker.join();
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(list.Count(), kWords);
    EXPECT_FALSE(list.CopyAt(kWords, &text));
}

// A new search empties the list while the main thread may still read an old position: the
// read gets a whole word or a refusal, never freed memory.
TEST(WordListThreads, ClearWhileAnotherThreadCopies) {
    CWordList list;
    std::atomic<bool> done{false};
    std::thread worker([&] {
        for (int round = 0; round < 200; ++round) {
            list.Clear();
            for (int i = 0; i < 20; ++i) {
                list.Add(("w" + std::to_string(i)).c_str());
            }
        }
        done.store(true);
    });
    std::string text;
    int bad = 0;
    while (!done.load()) {
        for (int p = 0; p < 20; ++p) {
            if (list.CopyAt(p, &text) && text != "w" + std::to_string(p)) {
                ++bad;
            }
        }
    }
    worker.join();
    EXPECT_EQ(bad, 0);
}

}  // namespace
