// The optional section directory and the use-count section: written by the core's writer,
// read back, and damaged by hand at the byte level.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "db/data_file.h"
#include "db/dictionary_database.h"
#include "db/format.h"
#include "db/use_counts.h"
#include "support/fixture_writer.h"
#include "support/temp_dir.h"

// Turns a file's memory map off, so that its reads take the pread path.
class CDataFileTestPeer {
  public:
    static void DisableMapping(CDataFile& f) { f.allowMap_ = false; }
};

namespace {

void Put32(std::vector<uint8_t>* image, size_t at, uint32_t v) {
    lcv::EncodeFixed32(image->data() + at, v);
}

void Append32(std::vector<uint8_t>* image, uint32_t v) {
    uint8_t raw[4];
    lcv::EncodeFixed32(raw, v);
    image->insert(image->end(), raw, raw + 4);
}

class OptionalSectionsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        uint32_t noun = fixture_.Append("word\nthe gloss\n");
        for (const char* w : {"ant", "bee", "cat", "dog"}) {
            fixture_.AddWord(w, {lcv::MakeRef(lcv::ENTRY_NOUN, noun)});
        }
    }

    // Opens image (written to a file) into db_.
    void Open(const std::vector<uint8_t>& image) {
        ASSERT_TRUE(db_.Open(dir_.WriteFile("wordnet.lcv", image).c_str()));
    }

    // The image without sections, with a hand-made FREQ section and a directory after it.
    std::vector<uint8_t> WithHandMadeDirectory(uint32_t count, uint32_t tag, int64_t offsetShift,
                                               uint32_t lengthExtra,
                                               const std::vector<uint32_t>& pairs) {
        std::vector<uint8_t> image = fixture_.Image();
        uint32_t section = static_cast<uint32_t>(image.size());
        Append32(&image, static_cast<uint32_t>(pairs.size() / 2));
        for (uint32_t v : pairs) {
            Append32(&image, v);
        }
        uint32_t length = static_cast<uint32_t>(image.size()) - section + lengthExtra;
        Put32(&image, lcv::kHeaderSectionDirectory, static_cast<uint32_t>(image.size()));
        Append32(&image, count);
        Append32(&image, tag);
        Append32(&image, static_cast<uint32_t>(section + offsetShift));
        Append32(&image, length);
        return image;
    }

    CTempDir dir_;
    CFixtureWriter fixture_;
    CDictionaryDatabase db_;
};

TEST_F(OptionalSectionsTest, WriterAndReaderAgreeOnUseCounts) {
    fixture_.SetUseCount("bee", 7);
    fixture_.SetUseCount("dog", 300);
    fixture_.SetUseCount("cat", 0);  // not stored
    Open(fixture_.Image());
    ASSERT_TRUE(db_.UseCounts().Available());
    EXPECT_EQ(db_.UseCounts().Size(), 2u);
    EXPECT_EQ(db_.UseCounts().Count(db_.FindWord("bee")), 7u);
    EXPECT_EQ(db_.UseCounts().Count(db_.FindWord("dog")), 300u);
    EXPECT_EQ(db_.UseCounts().Count(db_.FindWord("cat")), 0u);
    EXPECT_EQ(db_.UseCounts().Count(db_.FindWord("ant")), 0u);
    EXPECT_EQ(db_.Sections()->Count(), 1u);
}

TEST_F(OptionalSectionsTest, SectionsComeInTagOrderAndAreDeterministic) {
    std::vector<uint32_t> seen;
    fixture_.AddSection(lcv::MakeTag("ZZZZ"), [](const CDatabaseWriter::WordNumberOf& numberOf,
                                                 std::vector<uint8_t>* out, std::string*) {
        uint8_t raw[4];
        lcv::EncodeFixed32(raw, numberOf("cat"));
        out->assign(raw, raw + 4);
        return true;
    });
    fixture_.SetUseCount("ant", 1);
    std::vector<uint8_t> image = fixture_.Image();
    EXPECT_EQ(image, fixture_.Image());
    Open(image);
    CSectionDirectory::Section freq, zzzz;
    ASSERT_TRUE(db_.Sections()->Find(lcv::kTagUseCounts, &freq));
    ASSERT_TRUE(db_.Sections()->Find(lcv::MakeTag("ZZZZ"), &zzzz));
    EXPECT_LT(freq.offset, zzzz.offset);
    ASSERT_EQ(zzzz.length, 4u);
    EXPECT_EQ(lcv::DecodeFixed32(image.data() + zzzz.offset), db_.FindWord("cat"));
    // The tag reads as its four letters in the file.
    uint32_t directory = lcv::DecodeFixed32(image.data() + lcv::kHeaderSectionDirectory);
    EXPECT_EQ(std::string(image.begin() + directory + 4, image.begin() + directory + 8), "FREQ");
}

TEST_F(OptionalSectionsTest, FileWithoutSectionsOpensWithTheFeatureOff) {
    std::vector<uint8_t> image = fixture_.Image();
    EXPECT_EQ(lcv::DecodeFixed32(image.data() + lcv::kHeaderSectionDirectory), 0u);
    Open(image);
    EXPECT_EQ(db_.Sections()->Count(), 0u);
    EXPECT_FALSE(db_.UseCounts().Available());
    EXPECT_NE(db_.FindWord("cat"), 0u);
}

TEST_F(OptionalSectionsTest, HandMadeSectionIsRead) {
    Open(WithHandMadeDirectory(1, lcv::kTagUseCounts, 0, 0, {2, 10, 9, 20}));
    EXPECT_EQ(db_.UseCounts().Count(2), 10u);
    EXPECT_EQ(db_.UseCounts().Count(9), 20u);
    EXPECT_EQ(db_.UseCounts().Count(5), 0u);
}

// The counts are read in place from the mapped file, and copied when the file is read through
// pread; a copy of the counts answers on its own after the original is gone.
TEST_F(OptionalSectionsTest, UseCountsReadMappedOrCopied) {
    std::vector<uint8_t> image = WithHandMadeDirectory(1, lcv::kTagUseCounts, 0, 0, {2, 10, 9, 20});
    uint32_t section = static_cast<uint32_t>(fixture_.Image().size());
    std::string path = dir_.WriteFile("counts.lcv", image);
    for (bool mapped : {true, false}) {
        SCOPED_TRACE(mapped ? "mapped" : "pread");
        CDataFile file;
        if (!mapped) {
            CDataFileTestPeer::DisableMapping(file);
        }
        ASSERT_TRUE(file.OpenRead(path.c_str()));
        auto original = std::make_unique<CUseCounts>();
        ASSERT_TRUE(original->Load(&file, section, 4 + 2 * lcv::kUseCountPairSize));
        CUseCounts copy = *original;
        original.reset();
        EXPECT_EQ(copy.Size(), 2u);
        EXPECT_EQ(copy.Count(2), 10u);
        EXPECT_EQ(copy.Count(9), 20u);
        EXPECT_EQ(copy.Count(1), 0u);
        EXPECT_EQ(copy.Count(10), 0u);
    }
}

TEST_F(OptionalSectionsTest, DamagedSectionsLeaveTheFeatureOff) {
    struct Case {
        const char* fault;
        uint32_t count;
        uint32_t tag;
        int64_t offsetShift;
        uint32_t lengthExtra;
        std::vector<uint32_t> pairs;
    } cases[] = {
        {"length runs past the file", 1, lcv::kTagUseCounts, 0, 1000, {2, 10}},
        {"offset past the file", 1, lcv::kTagUseCounts, 1 << 20, 0, {2, 10}},
        {"length does not match the pair count", 1, lcv::kTagUseCounts, 0, 4, {2, 10}},
        {"word numbers out of order", 1, lcv::kTagUseCounts, 0, 0, {9, 10, 2, 20}},
        {"directory count runs past the file", 40, lcv::kTagUseCounts, 0, 0, {2, 10}},
        {"directory count far too large", 0xFFFFFFFF, lcv::kTagUseCounts, 0, 0, {2, 10}},
        {"unknown tag only", 1, lcv::MakeTag("XXXX"), 0, 0, {2, 10}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        CDictionaryDatabase db;
        std::string path = dir_.WriteFile(
            "damaged.lcv",
            WithHandMadeDirectory(c.count, c.tag, c.offsetShift, c.lengthExtra, c.pairs));
        ASSERT_TRUE(db.Open(path.c_str()));
        EXPECT_FALSE(db.UseCounts().Available());
        EXPECT_EQ(db.UseCounts().Count(2), 0u);
        EXPECT_NE(db.FindWord("dog"), 0u);
    }
    // A directory offset past the end of the file.
    std::vector<uint8_t> image = fixture_.Image();
    Put32(&image, lcv::kHeaderSectionDirectory, 0xFFFFFFF0u);
    Open(image);
    EXPECT_EQ(db_.Sections()->Count(), 0u);
}

}  // namespace
