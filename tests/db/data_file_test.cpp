#include "db/data_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <string>
#include <thread>

#include "support/temp_dir.h"

// Reaches into CDataFile to break its handle as a failing device would.
class CDataFileTestPeer {
  public:
    static void DisableMapping(CDataFile& f) { f.allowMap_ = false; }
    static void BreakHandle(CDataFile& f) {
        // Point the handle at a write-only descriptor: the next read fails with EBADF.
        int broken = ::open("/dev/null", O_WRONLY);
        ::dup2(broken, f.fd_);
        ::close(broken);
    }
};

namespace {

class DataFileTest : public ::testing::TestWithParam<bool> {
  protected:
    void SetUp() override {
        path_ = dir_.WriteFile("data.bin", "0123456789");
        if (!GetParam()) {
            CDataFileTestPeer::DisableMapping(file_);
        }
        ASSERT_TRUE(file_.OpenRead(path_.c_str()));
        EXPECT_EQ(file_.IsMapped(), GetParam());
    }
    CTempDir dir_;
    std::string path_;
    CDataFile file_;
};

TEST_P(DataFileTest, ShortReadAtTheEnd) {
    char buf[8] = {};
    EXPECT_EQ(file_.ReadAt(6, 8, buf), 4);
    EXPECT_EQ(std::string(buf, 4), "6789");
    EXPECT_EQ(file_.ReadAt(10, 4, buf), 0);
    EXPECT_EQ(file_.ReadAt(0xFFFFFFF0u, 4, buf), 0);
    EXPECT_EQ(file_.Size(), 10u);
}

INSTANTIATE_TEST_SUITE_P(MappedAndPread, DataFileTest, ::testing::Values(true, false));

// Only positioned reads can fail mid-use; a mapped file has no handle to break.
TEST(DataFileRead, FailedReadReopensAndThePathStays) {
    CTempDir dir;
    std::string path = dir.WriteFile("data.bin", "0123456789");
    CDataFile file;
    CDataFileTestPeer::DisableMapping(file);
    ASSERT_TRUE(file.OpenRead(path.c_str()));
    char buf[4] = {};
    CDataFileTestPeer::BreakHandle(file);
    EXPECT_EQ(file.ReadAt(0, 4, buf), -1);
    EXPECT_EQ(file.ReadAt(2, 3, buf), 3);
    EXPECT_EQ(std::string(buf, 3), "234");
    EXPECT_EQ(file.Path(), path);
}

// Four pages of numbered bytes, mapped; then the file is cut to 100 bytes under the map, as a
// database replaced in place or truncated by another program would be.
class DataFileCutShortTest : public ::testing::Test {
  protected:
    static constexpr uint32_t kLength = 4 * 4096;
    void SetUp() override {
        std::string bytes(kLength, '\0');
        for (uint32_t i = 0; i < kLength; ++i) {
            bytes[i] = static_cast<char>('a' + i % 26);
        }
        path_ = dir_.WriteFile("wordnet.lcv", bytes);
        ASSERT_TRUE(file_.OpenRead(path_.c_str()));
        ASSERT_TRUE(file_.IsMapped());
        ASSERT_EQ(::truncate(path_.c_str(), 100), 0);
    }
    CTempDir dir_;
    std::string path_;
    CDataFile file_;
};

TEST_F(DataFileCutShortTest, ReadPastTheNewEndFailsAndTheReopenSeesTheFileAsItIs) {
    char buf[16] = {};
    EXPECT_EQ(file_.ReadAt(3 * 4096, 16, buf), -1);
    EXPECT_EQ(file_.Size(), 100u);  // reopened and mapped afresh
    EXPECT_EQ(file_.ReadAt(3 * 4096, 16, buf), 0);
    EXPECT_EQ(file_.ReadAt(96, 16, buf), 4);
    EXPECT_EQ(std::string(buf, 4), "stuv");
    EXPECT_EQ(file_.Path(), path_);
}

TEST_F(DataFileCutShortTest, AReadAcrossTheLostPagesFails) {
    std::string buf(kLength, 'x');
    EXPECT_EQ(file_.ReadAt(0, kLength, buf.data()), -1);
    EXPECT_EQ(file_.ReadAt(0, kLength, buf.data()), 100);
}

// A search walks the map in place: a lost page reads as zeros there, the view stays valid
// after the main thread's read has reopened the file, and the next view is the new file.
TEST_F(DataFileCutShortTest, AViewInUseStaysReadable) {
    uint64_t length = 0;
    const uint8_t* view = file_.MappedView(&length);
    ASSERT_NE(view, nullptr);
    ASSERT_EQ(length, kLength);
    uint8_t seen = 0xFF;
    std::thread walker([&] { seen = view[2 * 4096 + 5]; });
    walker.join();
    EXPECT_EQ(seen, 0);
    char buf[4];
    EXPECT_EQ(file_.ReadAt(0, 4, buf), -1);  // the damage found by the other thread counts
    EXPECT_EQ(view[0], 'a');
    EXPECT_EQ(view[3 * 4096], 0);
    EXPECT_NE(file_.MappedView(&length), nullptr);
    EXPECT_EQ(length, 100u);
}

// A bus error that does not come from one of our maps still ends the program.
TEST(DataFileCutShortDeathTest, ABusErrorElsewhereStillEndsTheProgram) {
    CTempDir dir;
    std::string path = dir.WriteFile("other.bin", std::string(2 * 4096, 'x'));
    CDataFile ours;
    ASSERT_TRUE(ours.OpenRead(path.c_str()));  // the handler is installed
    EXPECT_DEATH(
        {
            int fd = ::open(path.c_str(), O_RDONLY);
            auto* p = static_cast<volatile const char*>(
                ::mmap(nullptr, 2 * 4096, PROT_READ, MAP_SHARED, fd, 0));
            if (::ftruncate(::open(path.c_str(), O_WRONLY), 0) == 0) {
                (void)p[4096];
            }
        },
        "");
}

TEST(DataFileOpen, RefusesWhatIsNoReadableFile) {
    CTempDir dir;
    CDataFile f;
    EXPECT_FALSE(f.OpenRead(nullptr));
    EXPECT_FALSE(f.OpenRead(""));
    EXPECT_FALSE(f.OpenRead((dir.Path() + "missing").c_str()));
    EXPECT_FALSE(f.OpenRead(dir.Path().c_str()));  // a folder
    char buf[1];
    EXPECT_EQ(f.ReadAt(0, 1, buf), -1);
    EXPECT_TRUE(f.Path().empty());
}

TEST(DataFileOpen, WriteCreatesAndTruncates) {
    CTempDir dir;
    std::string path = dir.WriteFile("out.txt", "old contents");
    CDataFile f;
    ASSERT_TRUE(f.OpenWrite(path.c_str()));
    EXPECT_EQ(f.Write("new", 3), 3);
    EXPECT_EQ(f.Size(), 3u);
    CDataFile r;
    ASSERT_TRUE(r.OpenRead(path.c_str()));
    char buf[16];
    EXPECT_EQ(r.ReadAt(0, 16, buf), 3);
}

TEST(DataFileOpen, EmptyFileReadsNothing) {
    CTempDir dir;
    std::string path = dir.WriteFile("empty", "");
    CDataFile f;
    ASSERT_TRUE(f.OpenRead(path.c_str()));
    char buf[4];
    EXPECT_EQ(f.ReadAt(0, 4, buf), 0);
}

}  // namespace
