#include "db/dictionary_database.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <ctime>

#include "app/options_record.h"
#include "db/format.h"
#include "render/html_entry_renderer.h"
#include "search/search_status.h"
#include "search/search_word_list_file.h"

namespace {

void LowerAscii(char* text) {
    for (; *text != '\0'; ++text) {
        if (*text >= 'A' && *text <= 'Z') {
            *text = static_cast<char>(*text - 'A' + 'a');
        }
    }
}

bool EndsWith(const char* text, size_t length, const char* tail) {
    size_t n = std::strlen(tail);
    return length >= n && std::memcmp(text + length - n, tail, n) == 0;
}

// ((hour * 10 + minute) * 10 + second) * 10 + millisecond of the local time.
uint32_t LocalTimeMix() {
    using namespace std::chrono;
    auto now = system_clock::now();
    std::time_t t = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&t, &local);
    auto ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    return static_cast<uint32_t>(((local.tm_hour * 10 + local.tm_min) * 10 + local.tm_sec) * 10 +
                                 ms);
}

struct RandomPick {
    int skip;
    int skipped;
    char* out;
};

bool TakeAfterSkip(void* context, const char* word, uint32_t) {
    auto* pick = static_cast<RandomPick*>(context);
    if (pick->skipped < pick->skip) {
        ++pick->skipped;
        return true;
    }
    std::strncpy(pick->out, word, RANDOM_WORD_BUFFER_SIZE - 1);
    pick->out[RANDOM_WORD_BUFFER_SIZE - 1] = '\0';
    return false;
}

}  // namespace

CDictionaryDatabase::~CDictionaryDatabase() {
    Release();
}

void CDictionaryDatabase::Release() {
    suggester_.reset();
    useCounts_ = CUseCounts();
    meaning_ = CMeaningIndex();
    sections_.reset();
    prefixes_.reset();
    lookup_.reset();
    search_.reset();
    blocks_.reset();
    file_.reset();
}

bool CDictionaryDatabase::Open(const char* path) {
    Release();
    file_ = std::make_unique<CDataFile>();
    if (!file_->OpenRead(path)) {
        file_.reset();
        status_ = DATABASE_OPEN_FAILED;
        return false;
    }
    uint8_t header[lcv::kHeaderSize];
    if (file_->ReadAt(0, lcv::kHeaderSize, header) != static_cast<int>(lcv::kHeaderSize) ||
        lcv::DecodeFixed32(header) != lcv::kMagic) {
        status_ = DATABASE_OPEN_FAILED;
        return false;
    }
    uint32_t trie = lcv::DecodeFixed32(header + lcv::kHeaderTrieOffset);
    lookup_ = std::make_unique<CLookupIndex>(file_.get(), trie, false);
    search_ = std::make_unique<CSearchIndex>(file_.get(), trie, false);
    if (search_->Status() != INDEX_OK) {
        status_ = DATABASE_OPEN_FAILED;
        return false;
    }
    prefixes_ = std::make_unique<CPrefixTable>(
        file_.get(), lcv::DecodeFixed32(header + lcv::kHeaderPrefixOffset));
    blocks_ = std::make_unique<CBlockStore>(
        file_.get(), lcv::DecodeFixed32(header + lcv::kHeaderDirectoryOffset),
        lcv::DecodeFixed32(header + lcv::kHeaderDataOffset));
    OpenSections(lcv::DecodeFixed32(header + lcv::kHeaderSectionDirectory));
    suggester_ = std::make_unique<CSpellingSuggester>(file_.get(), trie, &useCounts_);
    status_ = 0;
    return true;
}

void CDictionaryDatabase::OpenSections(uint32_t directoryOffset) {
    sections_ = std::make_unique<CSectionDirectory>(file_.get(), directoryOffset);
    CSectionDirectory::Section section;
    if (sections_->Find(lcv::kTagUseCounts, &section)) {
        useCounts_.Load(file_.get(), section.offset, section.length);
    }
    if (sections_->Find(lcv::kTagMeaning, &section)) {
        meaning_.Load(file_.get(), section.offset, section.length);
    }
}

bool CDictionaryDatabase::WordOf(uint32_t number, char* buffer, size_t size) {
    if (size < lcv::kMaxWordLength + 1 || number == 0) {
        return false;
    }
    // The array words straight from the mapped file when it holds the whole array: the meaning
    // search turns thousands of word numbers into words, and a locked read per node would
    // dominate it.
    uint64_t mapLength = 0;
    const uint8_t* map = file_->MappedView(&mapLength);
    const uint64_t array = uint64_t{lookup_->SectionOffset()};
    const uint32_t count = lookup_->Count();
    if (map == nullptr || array + 4 * (uint64_t{count} + 1) > mapLength) {
        map = nullptr;
    }
    auto read = [&](uint32_t i) -> uint32_t {
        if (map == nullptr) {
            return lookup_->ReadTrieWord(i);
        }
        return i >= 1 && i <= count ? lcv::DecodeFixed32(map + array + 4 * uint64_t{i}) : 0;
    };
    uint32_t list = 1;
    for (uint32_t depth = 0; depth < lcv::kMaxWordLength; ++depth) {
        uint32_t below = 0;
        uint8_t belowChar = 0;
        for (uint32_t i = list;; ++i) {
            uint32_t w = read(i);
            if (w == 0) {
                return false;
            }
            if (lcv::IsEntryRef(w)) {
                continue;
            }
            if (i == number) {
                buffer[depth] = static_cast<char>(lcv::NodeChar(w));
                buffer[depth + 1] = '\0';
                return lcv::NodeTerminal(w) && FindWord(buffer) == number;
            }
            uint32_t child = lcv::NodeChild(w);
            if (child != 0 && child <= number && child > below) {
                below = child;
                belowChar = lcv::NodeChar(w);
            }
            if (lcv::NodeLast(w)) {
                break;
            }
        }
        if (below == 0) {
            return false;
        }
        buffer[depth] = static_cast<char>(belowChar);
        list = below;
    }
    return false;
}

// A word made only of the description's own terms ("doctor" for "a doctor who treats
// children") is what the user already knows, not the word looked for: it is passed over.

bool CDictionaryDatabase::EnumerateFromSlot(WordCallback callback, void* context, int slot) {
    char prefix[5];
    prefixes_->PrefixAt(slot, prefix);
    return EnumerateWords(callback, context, prefix, true);
}

bool CDictionaryDatabase::LookupWord(char* buffer, uint32_t* number) {
    LowerAscii(buffer);
    *number = FindWord(buffer);
    if (*number != 0) {
        return FollowRedirect(buffer, number);
    }
    return TryFallbacks(buffer, number);
}

bool CDictionaryDatabase::FollowRedirect(char* buffer, uint32_t* number) {
    uint32_t refs[2];
    int count = lookup_->ReadEntryRefs(*number, refs, 2);
    if (count != 1 || lcv::RefKind(refs[0]) != lcv::ENTRY_REDIRECT) {
        return true;
    }
    uint32_t length = 0;
    const char* field = blocks_->ReadRecord(lcv::RefPosition(refs[0]), &length);
    if (field == nullptr || length + 1 > LOOKUP_BUFFER_SIZE) {
        return false;  // *number keeps the redirecting word's number
    }
    std::memcpy(buffer, field, length);
    buffer[length] = '\0';
    LowerAscii(buffer);
    *number = FindWord(buffer);
    return *number != 0;
}

bool CDictionaryDatabase::TryFallbacks(char* buffer, uint32_t* number) {
    struct Fallback {
        size_t minLength;  // the text must be longer than this
        const char* tail;  // it must end so
        size_t drop;       // bytes dropped from the end
        const char* add;   // then appended
    };
    static const Fallback kFallbacks[] = {
        {2, "s", 1, ""},  {3, "es", 2, ""}, {4, "ies", 3, ""}, {4, "ies", 3, "y"},
        {3, "ed", 1, ""}, {3, "ed", 2, ""}, {4, "ied", 3, ""}, {4, "ied", 3, "y"},
    };
    size_t length = std::strlen(buffer);
    for (const Fallback& f : kFallbacks) {
        if (length <= f.minLength || !EndsWith(buffer, length, f.tail)) {
            continue;
        }
        char saved[4];
        std::memcpy(saved, buffer + length - f.drop, f.drop + 1);
        std::strcpy(buffer + length - f.drop, f.add);  // "y" fits where 3 bytes were dropped
        *number = FindWord(buffer);
        if (*number != 0) {
            return true;
        }
        std::memcpy(buffer + length - f.drop, saved, f.drop + 1);
    }
    *number = 0;
    return false;
}

bool CDictionaryDatabase::RandomWord(char* buffer, CLookupIndex* index) {
    std::strcpy(buffer, "welcome");
    randomSeed_ += timeSource_ != nullptr ? timeSource_() : LocalTimeMix();
    randomState_ = randomSeed_;
    // The classic runtime generator: a linear congruence, 15 bits per draw.
    auto next = [this] {
        randomState_ = randomState_ * 214013u + 2531011u;
        return static_cast<int>((randomState_ >> 16) & 0x7FFF);
    };
    RandomPick pick{next() % 150, 0, buffer};
    char prefix[5];
    prefixes_->PrefixAt(next() & 1023, prefix);
    index->Enumerate(TakeAfterSkip, &pick, prefix, true);
    return true;
}

bool CDictionaryDatabase::RenderEntry(RenderSink sink, void* context, const char* headword,
                                      uint32_t number, int entryIndex) {
    uint32_t refs[RENDER_MAX_ENTRY_REFS];
    int count = lookup_->ReadEntryRefs(number, refs, RENDER_MAX_ENTRY_REFS);
    if (count <= 0) {
        return false;
    }
    CHtmlEntryRenderer renderer(sink, context, blocks_.get());
    return renderer.Render(headword, refs, count, entryIndex);
}

int CDictionaryDatabase::SearchWords(WordCallback callback, void* context, const char* query,
                                     int mode, const char* path, const char* pattern) {
    if (mode == SEARCH_MODE_MEANING) {
        // A word-list file has no senses to match a description against.
        return path != nullptr && *path != '\0' ? SEARCH_INVALID_QUERY
                                                : ReportMeaning(callback, context, query, pattern);
    }
    if (path != nullptr && *path != '\0') {
        return SearchWordListFile(callback, context, query, mode, path);
    }
    return search_->Search(callback, context, query, mode);
}
