// Opens any bytes as a database and exercises the readers over it: lookups, walks, slots,
// suggestions and the meaning search with their optional sections, every field and relation
// byte its words refer to, and the rendering of each word's page and of every Word Links page.
// Nothing may crash, read out of bounds or run without end.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "db/dictionary_database.h"
#include "db/format.h"

namespace {

bool Count(void* context, const char*, uint32_t) {
    return ++*static_cast<int*>(context) < 200;
}

// Takes every piece of a page; a note gets number 0.
int AcceptPage(void*, const char*, int, int kind) {
    return kind == RENDER_NOTE ? 0 : 1;
}

std::string TempPath() {
    static std::string path = [] {
        char name[] = "/tmp/lexicove-fuzz-XXXXXX";
        int fd = mkstemp(name);
        if (fd >= 0) {
            close(fd);
        }
        return std::string(name);
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string path = TempPath();
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) {
        return 0;
    }
    std::fwrite(data, 1, size, f);
    std::fclose(f);

    CDictionaryDatabase db;
    if (!db.Open(path.c_str())) {
        return 0;
    }
    for (const char* text : {"a", "books", "Tried", "zebra:3", "~", "ied", "xes"}) {
        char buffer[LOOKUP_BUFFER_SIZE];
        std::strcpy(buffer, text);
        uint32_t n = 0;
        db.LookupWord(buffer, &n);
        uint32_t refs[128];
        int count = db.LookupIndex()->ReadEntryRefs(n, refs, 128);
        for (int k = 0; k < count; ++k) {
            uint32_t length = 0;
            db.BlockStore()->ReadRecord(lcv::RefPosition(refs[k]), &length);
            for (uint32_t p = 0; p < 64; ++p) {
                db.BlockStore()->ReadByte(lcv::RefPosition(refs[k]) + p, true);
            }
        }
        for (int entryIndex = 0; entryIndex <= count; ++entryIndex) {
            db.RenderEntry(AcceptPage, nullptr, buffer, n, entryIndex);
        }
    }
    int seen = 0;
    db.EnumerateWords(Count, &seen, "", true);
    seen = 0;
    db.EnumerateWords(Count, &seen, "~", false);
    seen = 0;
    db.EnumerateFromSlot(Count, &seen, db.PrefixSlot("m"));
    char word[RANDOM_WORD_BUFFER_SIZE];
    db.RandomWord(word, db.LookupIndex());
    // The suggestion walk and the use counts of the optional sections.
    for (const char* text : {"a", "bokks", "recieve", "aeiouaeiouaeiou"}) {
        db.SuggestWords(text);
    }
    std::vector<CMeaningIndex::Hit> hits;
    for (const char* text : {"fear of spiders", "a person who loves books", "zebra"}) {
        db.SearchMeaning(text, 20, &hits);
    }
    return 0;
}
