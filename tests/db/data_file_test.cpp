#include "db/data_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

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
