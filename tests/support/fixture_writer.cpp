#include "fixture_writer.h"

#include <gtest/gtest.h>

uint32_t CFixtureWriter::Append(const std::string& bytes) {
    uint32_t at = Size();
    text_ += bytes;
    return at;
}

void CFixtureWriter::PadTo(uint32_t position, char filler) {
    if (text_.size() < position) {
        text_.append(position - text_.size(), filler);
    }
}

void CFixtureWriter::AddWord(const std::string& word, std::vector<uint32_t> refs) {
    words_.emplace_back(word, std::move(refs));
}

void CFixtureWriter::Fill(CDatabaseWriter* writer) const {
    writer->SetTextStream(text_);
    for (const auto& [word, refs] : words_) {
        writer->AddWord(word, refs);
    }
    for (const auto& [word, count] : useCounts_) {
        writer->SetUseCount(word, count);
    }
    for (const auto& [tag, builder] : sections_) {
        writer->AddSection(tag, builder);
    }
}

std::vector<uint8_t> CFixtureWriter::Image() {
    CDatabaseWriter writer;
    Fill(&writer);
    std::vector<uint8_t> image;
    std::string error;
    EXPECT_TRUE(writer.BuildImage(&image, &error)) << error;
    return image;
}

void CFixtureWriter::Write(const std::string& path) {
    CDatabaseWriter writer;
    Fill(&writer);
    std::string error;
    ASSERT_TRUE(writer.Write(path, &error)) << error;
}
