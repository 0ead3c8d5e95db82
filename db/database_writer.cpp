#include "db/database_writer.h"

#include <zlib.h>

#include <algorithm>

#include "db/atomic_file.h"
#include "db/format.h"
#include "db/prefix_table.h"
#include "db/trie_layout.h"

namespace {

bool ByBytes(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<uint8_t>(x) < static_cast<uint8_t>(y);
    });
}

void Append32(std::vector<uint8_t>* out, uint32_t v) {
    uint8_t raw[4];
    lcv::EncodeFixed32(raw, v);
    out->insert(out->end(), raw, raw + 4);
}

void Put32(std::vector<uint8_t>* out, size_t at, uint32_t v) {
    lcv::EncodeFixed32(out->data() + at, v);
}

}  // namespace

void CDatabaseWriter::AddWord(std::string word, std::vector<uint32_t> refs) {
    words_.push_back({std::move(word), std::move(refs)});
}

bool CDatabaseWriter::BuildImage(std::vector<uint8_t>* image, std::string* error) {
    if (text_.size() >= lcv::kMaxTextStream) {
        *error = "text stream of " + std::to_string(text_.size()) + " bytes passes 16 MiB";
        return false;
    }
    std::sort(words_.begin(), words_.end(),
              [](const Word& a, const Word& b) { return ByBytes(a.text, b.text); });
    std::vector<CTrieLayout::Entry> entries;
    entries.reserve(words_.size());
    for (size_t i = 0; i < words_.size(); ++i) {
        const Word& w = words_[i];
        if (w.text.empty() || w.text.size() > lcv::kMaxWordLength) {
            *error = "word \"" + w.text + "\" is empty or longer than 128 bytes";
            return false;
        }
        for (char c : w.text) {
            if (c == '\0' || static_cast<uint8_t>(c) >= 0x80) {
                *error = "word \"" + w.text + "\" holds a NUL or a byte of 0x80 and above";
                return false;
            }
        }
        if (i > 0 && words_[i - 1].text == w.text) {
            *error = "word \"" + w.text + "\" is given twice";
            return false;
        }
        for (uint32_t ref : w.refs) {
            if (!lcv::IsEntryRef(ref) || lcv::RefPosition(ref) >= text_.size()) {
                *error = "word \"" + w.text + "\" has an entry reference outside the text stream";
                return false;
            }
        }
        entries.push_back({&w.text, &w.refs});
    }

    image->assign(lcv::kHeaderSize, 0);
    Put32(image, 0, lcv::kMagic);
    Put32(image, lcv::kHeaderTrieOffset, static_cast<uint32_t>(image->size()));
    uint32_t arrayWords = 0;
    std::vector<uint32_t> numbers;
    if (!CTrieLayout::Build(entries, image, &arrayWords, error, &numbers)) {
        return false;
    }

    // Entry s of the prefix table starts the list at the word at floor(s * W / 1024), so the
    // scroll positions spread evenly over the whole word list.
    Put32(image, lcv::kHeaderPrefixOffset, static_cast<uint32_t>(image->size()));
    uint64_t w = words_.size();
    for (uint64_t s = 0; s < lcv::kPrefixSlots; ++s) {
        Append32(image, w == 0 ? 0 : CPrefixTable::PackPrefix(words_[s * w / 1024].text.c_str()));
    }

    // Blocks of 4096 text bytes, each one zlib stream; the directory holds end offsets.
    std::vector<std::vector<uint8_t>> blocks;
    for (size_t at = 0; at < text_.size(); at += lcv::kBlockSize) {
        size_t n = std::min<size_t>(lcv::kBlockSize, text_.size() - at);
        uLongf bound = compressBound(n);
        std::vector<uint8_t> block(bound);
        if (compress2(block.data(), &bound, reinterpret_cast<const Bytef*>(text_.data() + at), n,
                      Z_BEST_COMPRESSION) != Z_OK) {
            *error = "zlib could not compress a block";
            return false;
        }
        block.resize(bound);
        blocks.push_back(std::move(block));
    }
    Put32(image, lcv::kHeaderDirectoryOffset, static_cast<uint32_t>(image->size()));
    Append32(image, static_cast<uint32_t>(blocks.size()));
    uint32_t end = 0;
    for (const auto& block : blocks) {
        end += static_cast<uint32_t>(block.size());
        Append32(image, end);
    }
    Put32(image, lcv::kHeaderDataOffset, static_cast<uint32_t>(image->size()));
    for (const auto& block : blocks) {
        image->insert(image->end(), block.begin(), block.end());
    }

    if (!BuildSections(numbers, image, error)) {
        return false;
    }

    stats_.words = static_cast<uint32_t>(words_.size());
    stats_.trieWords = arrayWords;
    stats_.textBytes = static_cast<uint32_t>(text_.size());
    stats_.blocks = static_cast<uint32_t>(blocks.size());
    stats_.compressedBytes = end;
    stats_.fileBytes = static_cast<uint32_t>(image->size());
    return true;
}

// The optional sections after the block data, in tag order, then their directory; the
// header points to the directory only when there is a section.
bool CDatabaseWriter::BuildSections(const std::vector<uint32_t>& numbers,
                                    std::vector<uint8_t>* image, std::string* error) {
    WordNumberOf numberOf = [&](const std::string& text) -> uint32_t {
        auto it = std::lower_bound(
            words_.begin(), words_.end(), text,
            [](const Word& w, const std::string& t) { return ByBytes(w.text, t); });
        return it != words_.end() && it->text == text ? numbers[it - words_.begin()] : 0;
    };
    std::map<uint32_t, SectionBuilder> builders = sections_;
    if (!useCounts_.empty()) {
        builders[lcv::kTagUseCounts] = [this](const WordNumberOf& n, std::vector<uint8_t>* out,
                                              std::string* e) { return BuildUseCounts(n, out, e); };
    }
    // Tags in the order of their bytes in the file, so "FREQ" before "MEAN".
    std::vector<std::pair<std::string, uint32_t>> order;
    for (const auto& entry : builders) {
        uint8_t raw[4];
        lcv::EncodeFixed32(raw, entry.first);
        order.emplace_back(std::string(raw, raw + 4), entry.first);
    }
    std::sort(order.begin(), order.end());
    std::vector<uint32_t> directory;
    for (const auto& [name, tag] : order) {
        std::vector<uint8_t> bytes;
        if (!builders[tag](numberOf, &bytes, error)) {
            return false;
        }
        if (image->size() + bytes.size() >= UINT32_MAX) {
            *error = "section " + name + " takes the file past 4 GiB";
            return false;
        }
        directory.insert(directory.end(), {tag, static_cast<uint32_t>(image->size()),
                                           static_cast<uint32_t>(bytes.size())});
        if (tag == lcv::kTagUseCounts) {
            stats_.useCountBytes = static_cast<uint32_t>(bytes.size());
        } else if (tag == lcv::kTagMeaning) {
            stats_.meaningBytes = static_cast<uint32_t>(bytes.size());
        }
        image->insert(image->end(), bytes.begin(), bytes.end());
    }
    if (directory.empty()) {
        return true;
    }
    Put32(image, lcv::kHeaderSectionDirectory, static_cast<uint32_t>(image->size()));
    Append32(image, static_cast<uint32_t>(order.size()));
    for (uint32_t v : directory) {
        Append32(image, v);
    }
    return true;
}

bool CDatabaseWriter::BuildUseCounts(const WordNumberOf& numberOf, std::vector<uint8_t>* out,
                                     std::string* error) const {
    std::vector<std::pair<uint32_t, uint32_t>> pairs;
    for (const auto& [word, count] : useCounts_) {
        uint32_t number = numberOf(word);
        if (number == 0) {
            *error = "use count for \"" + word + "\", which is not a word of the database";
            return false;
        }
        if (count != 0) {
            pairs.emplace_back(number, count);
        }
    }
    std::sort(pairs.begin(), pairs.end());
    Append32(out, static_cast<uint32_t>(pairs.size()));
    for (const auto& [number, count] : pairs) {
        Append32(out, number);
        Append32(out, count);
    }
    return true;
}

bool CDatabaseWriter::Write(const std::string& path, std::string* error) {
    std::vector<uint8_t> image;
    return BuildImage(&image, error) &&
           WriteFileAtomically(path, image.data(), image.size(), error);
}

bool CDatabaseWriter::BuildWordList(std::vector<std::string> words, std::vector<uint8_t>* image,
                                    std::string* error) {
    std::sort(words.begin(), words.end(), ByBytes);
    words.erase(std::unique(words.begin(), words.end()), words.end());
    std::vector<CTrieLayout::Entry> entries;
    for (const std::string& w : words) {
        if (w.empty()) {
            continue;
        }
        if (w.size() > lcv::kMaxWordLength ||
            w.find_first_of(std::string("\0\r\n", 3)) != std::string::npos) {
            *error =
                "word-list entry \"" + w + "\" is longer than 128 bytes or holds NUL, CR or LF";
            return false;
        }
        entries.push_back({&w, nullptr});
    }
    image->clear();
    uint32_t arrayWords = 0;
    return CTrieLayout::Build(entries, image, &arrayWords, error);
}

bool CDatabaseWriter::WriteWordList(std::vector<std::string> words, const std::string& path,
                                    std::string* error) {
    std::vector<uint8_t> image;
    return BuildWordList(std::move(words), &image, error) &&
           WriteFileAtomically(path, image.data(), image.size(), error);
}
