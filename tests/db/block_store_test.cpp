#include "db/block_store.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <fstream>
#include <string>
#include <vector>

#include "db/block_cache.h"
#include "db/data_file.h"
#include "db/format.h"
#include "support/fixture_writer.h"
#include "support/temp_dir.h"

namespace {

class BlockStoreTest : public ::testing::Test {
  protected:
    // Writes a database whose text stream is fixture_'s and opens a store over it; damage
    // may edit the image first.
    CBlockStore& Open(void (*damage)(std::vector<uint8_t>*) = nullptr) {
        fixture_.AddWord("x", {lcv::MakeRef(lcv::ENTRY_NOUN, 0)});
        image_ = fixture_.Image();
        if (damage != nullptr) {
            damage(&image_);
        }
        path_ = dir_.WriteFile("db.lcv", std::string(image_.begin(), image_.end()));
        store_.reset();
        file_ = std::make_unique<CDataFile>();
        EXPECT_TRUE(file_->OpenRead(path_.c_str()));
        store_ = std::make_unique<CBlockStore>(
            file_.get(), lcv::DecodeFixed32(&image_[lcv::kHeaderDirectoryOffset]),
            lcv::DecodeFixed32(&image_[lcv::kHeaderDataOffset]));
        return *store_;
    }
    std::string Field(uint32_t position) {
        uint32_t length = 0;
        const char* p = store_->ReadRecord(position, &length);
        return p == nullptr ? "<null>" : std::string(p, length);
    }

    CFixtureWriter fixture_;
    CTempDir dir_;
    std::string path_;
    std::vector<uint8_t> image_;
    std::unique_ptr<CDataFile> file_;
    std::unique_ptr<CBlockStore> store_;
};

TEST_F(BlockStoreTest, FieldAcrossABlockBoundaryIsOneContiguousField) {
    fixture_.PadTo(2 * 4096 - 2);
    uint32_t at = fixture_.Append("lake\rloch\nrest");
    fixture_.PadTo(3 * 4096 + 10);
    CBlockStore& store = Open();
    ASSERT_EQ(store.BlockCount(), 4u);
    EXPECT_EQ(Field(at), "lake");
    EXPECT_EQ(Field(at + 5), "loch");
    EXPECT_EQ(store.WindowStart(), 4096u);
    EXPECT_EQ(store.WindowLength(), 2u * 4096);
    EXPECT_EQ(store.ReadByte(at + 4, false), '\r');  // the terminator can be read after it
}

TEST_F(BlockStoreTest, ReadingInsideTheWindowInflatesNothing) {
    uint32_t a = fixture_.Append("alpha\n");
    uint32_t b = fixture_.Append("beta\n");
    CBlockStore& store = Open();
    EXPECT_EQ(Field(a), "alpha");
    uint64_t loads = store.InflateCount();
    EXPECT_EQ(Field(b), "beta");
    EXPECT_EQ(store.InflateCount(), loads);
}

TEST_F(BlockStoreTest, EndsOfTheStream) {
    fixture_.Append("first\n");
    fixture_.PadTo(4096 + 99);
    uint32_t last = fixture_.Append("Z");
    CBlockStore& store = Open();
    EXPECT_EQ(store.ReadByte(0, false), 'f');
    EXPECT_EQ(store.ReadByte(last, false), 'Z');
    EXPECT_EQ(store.ReadByte(last + 1, false), 0);
    EXPECT_EQ(store.ReadByte(10 * 4096, false), 0);
    EXPECT_EQ(store.ReadByte(0xFFFFFFFF, false), 0);
    EXPECT_EQ(Field(last), "<null>");  // runs into the end before any terminator
}

TEST_F(BlockStoreTest, FieldThatMeetsAZeroByteIsNoField) {
    uint32_t at = fixture_.Append(std::string("ab\0cd\n", 6));
    Open();
    EXPECT_EQ(Field(at), "<null>");
    EXPECT_EQ(Field(at + 3), "cd");
}

// A page's reads jump between blocks; each block is inflated once, and fields (one across a
// block boundary among them) read the same whichever way the window was filled.
TEST_F(BlockStoreTest, APageInflatesEachBlockOnce) {
    std::vector<uint32_t> at;
    for (uint32_t k = 0; k < 4; ++k) {
        fixture_.PadTo(k * 4096 + 7);
        at.push_back(fixture_.Append("field" + std::to_string(k) + "\n"));
    }
    fixture_.PadTo(4 * 4096 - 3);
    uint32_t across = fixture_.Append("across\r");  // blocks 3 and 4
    fixture_.PadTo(5 * 4096 + 10);
    CBlockStore& store = Open();
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        for (uint32_t k : {2u, 0u, 3u, 1u, 0u, 2u}) {
            EXPECT_EQ(Field(at[k]), "field" + std::to_string(k));
        }
        EXPECT_EQ(Field(across), "across");
        EXPECT_EQ(store.WindowStart(), 3u * 4096);
        EXPECT_EQ(store.WindowLength(), 2u * 4096);
        EXPECT_EQ(store.ReadByte(across + 6, true), '\r');
        EXPECT_EQ(store.ReadByte(4 * 4096 - 1, false), 'r');  // back in the window's first block
    }
    EXPECT_EQ(store.InflateCount(), 5u);
}

TEST_F(BlockStoreTest, KeptBlocksAreBoundedAndTheOldestMakesRoom) {
    const uint32_t blocks = CBlockCache::kSlots + 1;
    std::vector<uint32_t> at;
    for (uint32_t k = 0; k < blocks; ++k) {
        fixture_.PadTo(k * 4096);
        at.push_back(fixture_.Append("b" + std::to_string(k) + "\n"));
    }
    CBlockStore& store = Open();
    for (uint32_t k = 0; k < blocks; ++k) {
        EXPECT_EQ(Field(at[k]), "b" + std::to_string(k));
    }
    EXPECT_EQ(store.InflateCount(), blocks);
    EXPECT_EQ(Field(at[1]), "b1");  // kept
    EXPECT_EQ(store.InflateCount(), blocks);
    EXPECT_EQ(Field(at[0]), "b0");  // made room for the last block: inflated again
    EXPECT_EQ(store.InflateCount(), blocks + 1);
}

// Two hand-made blocks stored without compression (zlib level 0), so that other text of the
// same length gives a file of the same layout.
std::string StoredBlocksFile(const std::string& first, const std::string& second) {
    std::string blocks[2];
    std::string directory("\x02\x00\x00\x00", 4);
    uint32_t end = 0;
    for (int k = 0; k < 2; ++k) {
        std::string text = (k == 0 ? first : second);
        text.resize(k == 0 ? 4096 : text.size(), '.');
        uLongf size = compressBound(static_cast<uLong>(text.size()));
        blocks[k].resize(size);
        EXPECT_EQ(compress2(reinterpret_cast<Bytef*>(blocks[k].data()), &size,
                            reinterpret_cast<const Bytef*>(text.data()), text.size(), 0),
                  Z_OK);
        blocks[k].resize(size);
        end += static_cast<uint32_t>(size);
        uint8_t raw[4];
        lcv::EncodeFixed32(raw, end);
        directory.append(reinterpret_cast<char*>(raw), 4);
    }
    return directory + blocks[0] + blocks[1];  // directory at 0, data at 12
}

TEST(BlockStoreHandMade, TextChangedInTheFileIsNotServedFromKeptBlocks) {
    CTempDir dir;
    std::string before = StoredBlocksFile("hand\n", "next\n");
    std::string path = dir.WriteFile("h", before);
    CDataFile file;
    ASSERT_TRUE(file.OpenRead(path.c_str()));
    CBlockStore store(&file, 0, 12);
    auto field = [&store](uint32_t position) {
        uint32_t length = 0;
        const char* p = store.ReadRecord(position, &length);
        return p == nullptr ? std::string("<null>") : std::string(p, length);
    };
    EXPECT_EQ(field(0), "hand");
    EXPECT_EQ(field(4096), "next");
    EXPECT_EQ(store.InflateCount(), 2u);

    std::string after = StoredBlocksFile("hang\n", "next\n");
    ASSERT_EQ(after.size(), before.size());
    {
        std::fstream out(path, std::ios::in | std::ios::out | std::ios::binary);
        out.write(after.data(), static_cast<std::streamsize>(after.size()));
        ASSERT_TRUE(out.good());
    }
    EXPECT_EQ(field(0), "hang");
    EXPECT_EQ(store.InflateCount(), 3u);
    EXPECT_EQ(field(4096), "next");  // unchanged: kept
    EXPECT_EQ(field(0), "hang");     // the new text is the one kept now
    EXPECT_EQ(store.InflateCount(), 3u);
}

void EditDirectory(std::vector<uint8_t>* image, uint32_t slot, uint32_t value) {
    uint32_t dir = lcv::DecodeFixed32(&(*image)[lcv::kHeaderDirectoryOffset]);
    lcv::EncodeFixed32(&(*image)[dir + 4 * slot], value);
}

TEST_F(BlockStoreTest, DamagedDirectoriesLeaveNoBlocksOrRefuseTheBlock) {
    struct Case {
        const char* name;
        void (*damage)(std::vector<uint8_t>*);
        uint32_t blocks;
    } cases[] = {
        {"count larger than the file", [](auto* im) { EditDirectory(im, 0, 0x00FFFFFF); }, 0},
        {"count of 2^32-1", [](auto* im) { EditDirectory(im, 0, 0xFFFFFFFF); }, 0},
        {"directory offset past the end",
         [](auto* im) { lcv::EncodeFixed32(&(*im)[lcv::kHeaderDirectoryOffset], 0x7FFFFFF0); }, 0},
        // Slot k + 1 holds the end of block k: these damage the last block, where delta is.
        {"block end before its start", [](auto* im) { EditDirectory(im, 3, 1); }, 3},
        {"huge block length", [](auto* im) { EditDirectory(im, 3, 0xFFFFFF00); }, 3},
        {"block past the file",
         [](auto* im) {
             uint32_t dir = lcv::DecodeFixed32(&(*im)[lcv::kHeaderDirectoryOffset]);
             uint32_t end1 = lcv::DecodeFixed32(&(*im)[dir + 8]);
             EditDirectory(im, 3, end1 + 4000);
         },
         3},
        {"corrupt zlib bytes",
         [](auto* im) {
             uint32_t data = lcv::DecodeFixed32(&(*im)[lcv::kHeaderDataOffset]);
             uint32_t dir = lcv::DecodeFixed32(&(*im)[lcv::kHeaderDirectoryOffset]);
             uint32_t end1 = lcv::DecodeFixed32(&(*im)[dir + 8]);
             (*im)[data + end1 + 5] ^= 0x55;
         },
         3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fixture_ = CFixtureWriter();
        uint32_t a = fixture_.Append("alpha\n");
        fixture_.PadTo(4096);
        uint32_t b = fixture_.Append("beta\n");
        fixture_.PadTo(2 * 4096);
        uint32_t d = fixture_.Append("delta\n");
        CBlockStore& store = Open(c.damage);
        EXPECT_EQ(store.BlockCount(), c.blocks);
        if (c.blocks == 0) {
            EXPECT_EQ(Field(a), "<null>");
            continue;
        }
        EXPECT_EQ(Field(d), "<null>");
        EXPECT_EQ(store.WindowLength(), 0u);  // a failed replace load leaves the window empty
        EXPECT_EQ(Field(a), "alpha");         // and the store stays usable
        EXPECT_EQ(Field(b), "beta");
    }
}

// A block stored by hand, without the writer: one zlib stream over "hand\n".
TEST(BlockStoreHandMade, ReadsAHandWrittenDirectoryAndBlock) {
    const char text[] = "hand\n";
    uint8_t packed[64];
    uLongf packedSize = sizeof packed;
    ASSERT_EQ(compress(packed, &packedSize, reinterpret_cast<const Bytef*>(text), 5), Z_OK);
    std::string bytes = "pad.";                      // directory at 4
    bytes += std::string("\x01\x00\x00\x00", 4);     // one block
    bytes.push_back(static_cast<char>(packedSize));  // its end offset
    bytes += std::string(3, '\0');
    bytes += std::string(reinterpret_cast<char*>(packed), packedSize);  // data at 12
    CTempDir dir;
    std::string path = dir.WriteFile("h", bytes);
    CDataFile file;
    ASSERT_TRUE(file.OpenRead(path.c_str()));
    CBlockStore store(&file, 4, 12);
    uint32_t length = 0;
    const char* p = store.ReadRecord(0, &length);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(std::string(p, length), "hand");
    EXPECT_EQ(store.ReadByte(5, false), 0);
}

}  // namespace
