#include "search/spelling_suggester.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "db/data_file.h"
#include "db/format.h"
#include "db/use_counts.h"
#include "search/phonetic_key.h"

namespace {

// The most entry references read to count a candidate's senses.
constexpr int kMaxRefs = 128;

bool IsSense(uint32_t ref) {
    uint8_t kind = lcv::RefKind(ref);
    return kind >= lcv::ENTRY_NOUN && kind <= lcv::ENTRY_ADVERB;
}

int LengthGap(const Suggestion& s, size_t length) {
    return std::abs(static_cast<int>(s.word.size()) - static_cast<int>(length));
}

}  // namespace

CSpellingSuggester::CSpellingSuggester(CDataFile* file, uint32_t sectionOffset,
                                       const CUseCounts* useCounts)
    : CWordIndex(file, sectionOffset, false), useCounts_(useCounts) {}

uint32_t CSpellingSuggester::Node(uint32_t index) {
    if (index < 1 || index > count_) {
        return 0;
    }
    return array_ != nullptr ? lcv::DecodeFixed32(array_ + 4 * (size_t{index} - 1))
                             : ReadTrieWord(index);
}

std::vector<Suggestion> CSpellingSuggester::Candidates(const char* text) {
    std::vector<Suggestion> found;
    text_.clear();
    for (const char* p = text; *p != '\0'; ++p) {
        char c = *p;
        text_ += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    if (text_.empty() || text_.size() > SUGGEST_MAX_TEXT || status_ != INDEX_OK) {
        return found;
    }
    bound_ = Bound(text_.size());
    for (size_t j = 0; j <= text_.size(); ++j) {
        rows_[0][j] = static_cast<uint8_t>(j);
    }
    // A mapped file that holds the whole array is read in place; otherwise word by word.
    uint64_t mapLength = 0;
    const uint8_t* map = file_->MappedView(&mapLength);
    array_ = map != nullptr && sectionOffset_ + 4 * (uint64_t{count_} + 1) <= mapLength
                 ? map + sectionOffset_ + 4
                 : nullptr;
    CPhoneticKey key(text_);
    key_ = &key;
    Sound sound;
    if (*key.PrimaryKey() != '\0') {
        sound.primary = key.PrimaryKey();
        sound.alternate = *key.AlternateKey() != '\0' ? key.AlternateKey() : nullptr;
    }
    found_ = &found;
    steps_ = 0;
    Walk(1, 0, sound);
    found_ = nullptr;
    key_ = nullptr;
    array_ = nullptr;
    return found;
}

// Each array word is read at most once per walk in a well-formed trie; the step limit keeps a
// damaged one (child indexes that loop) from running on.
void CSpellingSuggester::Walk(uint32_t list, int depth, Sound sound) {
    for (uint32_t i = list;; ++i) {
        if (++steps_ > 2 * uint64_t{count_} + 1024) {
            return;
        }
        uint32_t w = Node(i);
        if (w == 0) {
            return;
        }
        if (lcv::IsEntryRef(w)) {
            continue;
        }
        Visit(i, w, depth, sound);
        if (lcv::NodeLast(w)) {
            return;
        }
    }
}

void CSpellingSuggester::Visit(uint32_t index, uint32_t node, int depth, const Sound& parentSound) {
    char c = static_cast<char>(lcv::NodeChar(node));
    word_[depth] = c;
    word_[depth + 1] = '\0';
    int rowMin = FillRow(depth);
    int distance = rows_[depth + 1][text_.size()];
    Sound sound = parentSound;
    bool sounds = sound.primary != nullptr || sound.alternate != nullptr;
    // Vowels after the first letter give no code, so they cannot end a match here.
    if (sounds && (depth == 0 || !CPhoneticKey::IsVowel(c)) &&
        !key_->MatchPrefix(std::string_view(word_, depth + 1), sound.position, sound.primary,
                           sound.alternate)) {
        sounds = false;
    }
    if (lcv::NodeTerminal(node)) {
        bool same =
            sounds && key_->MatchWord(word_, sound.position, sound.primary, sound.alternate);
        if (distance <= bound_ || same) {
            Suggestion s;
            s.word = word_;
            s.number = index;
            s.distance = distance;
            s.sameSound = same;
            found_->push_back(std::move(s));
        }
    }
    uint32_t child = lcv::NodeChild(node);
    if (child != 0 && depth + 1 < 128 && (rowMin <= bound_ || sounds)) {
        Walk(child, depth + 1, sounds ? sound : Sound{});
    }
}

int CSpellingSuggester::FillRow(int depth) {
    const int m = static_cast<int>(text_.size());
    const int r = depth + 1;
    const char c = word_[depth];
    uint8_t* row = rows_[r];
    const uint8_t* up = rows_[r - 1];
    row[0] = static_cast<uint8_t>(std::min(r, 255));
    int least = row[0];
    for (int j = 1; j <= m; ++j) {
        int v = std::min({up[j] + 1, row[j - 1] + 1, up[j - 1] + (text_[j - 1] == c ? 0 : 1)});
        if (r > 1 && j > 1 && c == text_[j - 2] && word_[depth - 1] == text_[j - 1]) {
            v = std::min(v, rows_[r - 2][j - 2] + 1);
        }
        row[j] = static_cast<uint8_t>(std::min(v, 255));
        least = std::min(least, v);
    }
    return least;
}

std::vector<Suggestion> CSpellingSuggester::Suggest(const char* text, int max) {
    std::vector<Suggestion> found = Candidates(text);
    for (Suggestion& s : found) {
        s.useCount = useCounts_ != nullptr ? useCounts_->Count(s.number) : 0;
        uint32_t refs[kMaxRefs];
        int count = ReadEntryRefs(s.number, refs, kMaxRefs);
        s.senses = static_cast<int>(std::count_if(refs, refs + count, IsSense));
    }
    const size_t length = text_.size();
    const char first = text_.empty() ? '\0' : text_[0];
    auto better = [&](const Suggestion& a, const Suggestion& b) {
        if (a.distance != b.distance) {
            return a.distance < b.distance;
        }
        if (a.sameSound != b.sameSound) {
            return a.sameSound;
        }
        if (a.useCount != b.useCount) {
            return a.useCount > b.useCount;
        }
        bool aFirst = a.word[0] == first, bFirst = b.word[0] == first;
        if (aFirst != bFirst) {
            return aFirst;
        }
        if (a.senses != b.senses) {
            return a.senses > b.senses;
        }
        if (LengthGap(a, length) != LengthGap(b, length)) {
            return LengthGap(a, length) < LengthGap(b, length);
        }
        return a.word < b.word;
    };
    size_t keep = std::min(found.size(), static_cast<size_t>(std::max(max, 0)));
    std::partial_sort(found.begin(), found.begin() + static_cast<long>(keep), found.end(), better);
    found.resize(keep);
    return found;
}
