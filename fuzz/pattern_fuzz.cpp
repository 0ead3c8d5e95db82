// libFuzzer target: any query of up to 127 bytes, as a pattern (cleaned up first) or as a
// sounds-like search, over a small word trie. The first input byte picks the mode and the
// matcher's two flags; the rest is the query. A search that would outrun libFuzzer's timeout
// (one second in scripts/dev.sh) ends at a time limit well under it, as SEARCH_CANCELLED.

#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "db/data_file.h"
#include "db/database_writer.h"
#include "search/search_index.h"
#include "search/search_status.h"

namespace {

struct Fixture {
    CDataFile file;
    std::unique_ptr<CSearchIndex> index;
};

Fixture* MakeFixture() {
    static const char* kWords[] = {
        "a",     "a.m.",  "aa",      "ab",     "abc",       "abd",     "am",    "at",
        "ate",   "c",     "cat",     "coat",   "cot",       "ct",      "eat",   "ice cream",
        "tea",   "tee",   "u.s.",    "u.s.a.", "usa",       "x",       "xy",    "zebra",
        "smith", "smyth", "schmidt", "knight", "night",     "caesar",  "judge", "edge",
        "rough", "tough", "with",    "witch",  "sugar",     "xavier",  "jose",  "san jacinto",
        "{a,b}", "[x]",   "(y)",     "?*",     "\xE9t\xE9", "caf\xE9", "q"};
    std::vector<std::string> words(std::begin(kWords), std::end(kWords));
    words.push_back(std::string(128, 'z'));
    std::vector<uint8_t> image;
    std::string error;
    if (!CDatabaseWriter::BuildWordList(words, &image, &error)) {
        std::abort();
    }
    char path[] = "/tmp/lexicove-pattern-fuzz-XXXXXX";
    int fd = mkstemp(path);
    if (fd < 0 || write(fd, image.data(), image.size()) != static_cast<ssize_t>(image.size())) {
        std::abort();
    }
    close(fd);
    auto* fixture = new Fixture;
    if (!fixture->file.OpenRead(path)) {
        std::abort();
    }
    unlink(path);  // the open file stays readable
    fixture->index = std::make_unique<CSearchIndex>(&fixture->file, 0, true);
    if (fixture->index->Status() != 0) {
        std::abort();
    }
    fixture->index->SetTimeLimit(std::chrono::milliseconds(200));
    return fixture;
}

bool TakeWord(void* context, const char* word, uint32_t) {
    auto* count = static_cast<int*>(context);
    if (std::strlen(word) > 128) {
        std::abort();
    }
    return ++*count < 1000;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Fixture* fixture = MakeFixture();
    if (size == 0) {
        return 0;
    }
    uint8_t control = data[0];
    std::string query(reinterpret_cast<const char*>(data + 1), size - 1);
    query = query.substr(0, std::min(query.find('\0'), size_t{SEARCH_MAX_QUERY}));
    CSearchIndex& index = *fixture->index;
    index.SetFlags((control & 1) != 0, (control & 2) != 0);

    char buffer[SEARCH_MAX_QUERY + 1];
    std::memcpy(buffer, query.c_str(), query.size() + 1);
    index.NormalizePattern(buffer);
    if (std::strlen(buffer) > query.size()) {
        std::abort();  // clean-up only ever shortens
    }

    CSearchIndex::ClearStop();
    int words = 0;
    int mode = (control & 4) != 0 ? SEARCH_MODE_PHONETIC : SEARCH_MODE_PATTERN;
    int status = index.Search(TakeWord, &words, query.c_str(), mode);
    if (status < SEARCH_OK || status > SEARCH_DATA_ERROR || status == SEARCH_DATA_ERROR) {
        std::abort();  // a sound trie never reads as damaged
    }
    return 0;
}
