// lexicove-cli random: words drawn as for the word of the day, from the dictionary or from a
// *.dwg word-list file.

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "cli.h"
#include "db/data_file.h"
#include "db/dictionary_database.h"
#include "db/word_index.h"
#include "json_output.h"

namespace {

constexpr int kMaxWords = 100000;

}  // namespace

int RunRandom(const std::vector<std::string>& args) {
    int count = 1;
    bool json = false;
    std::string wordList;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "-n" || arg.rfind("-n=", 0) == 0) {
            std::string value =
                arg == "-n" ? (i + 1 < args.size() ? args[++i] : "") : arg.substr(3);
            if (!ParseCount("-n", value, kMaxWords, &count)) {
                return EXIT_USAGE;
            }
        } else if (arg == "--json") {
            json = true;
        } else if (arg == "--wordlist" || arg.rfind("--wordlist=", 0) == 0) {
            wordList =
                arg == "--wordlist" ? (i + 1 < args.size() ? args[++i] : "") : arg.substr(11);
            if (wordList.empty()) {
                return UsageError("--wordlist needs a FILE");
            }
        } else {
            return UsageError("random does not take " + arg);
        }
    }
    CDictionaryDatabase database;
    if (!OpenDatabase(&database)) {
        return EXIT_NO_DATABASE;
    }
    CLookupIndex* index = database.LookupIndex();
    CDataFile file;
    std::unique_ptr<CLookupIndex> listIndex;
    if (!wordList.empty()) {
        if (!file.OpenRead(wordList.c_str())) {
            std::fprintf(stderr, "lexicove-cli: cannot open the word list %s\n", wordList.c_str());
            return EXIT_NOT_FOUND;
        }
        listIndex = std::make_unique<CLookupIndex>(&file, 0, true);
        if (listIndex->Status() != INDEX_OK) {
            std::fprintf(stderr, "lexicove-cli: %s is not a word list file\n", wordList.c_str());
            return EXIT_NOT_FOUND;
        }
        index = listIndex.get();
    }
    std::vector<std::string> drawn;
    for (int i = 0; i < count; ++i) {
        char word[RANDOM_WORD_BUFFER_SIZE];
        database.RandomWord(word, index);
        drawn.push_back(word);
    }
    if (json) {
        PrintJson({{"words", WordsJson(drawn)}});
        return EXIT_OK;
    }
    for (const std::string& word : drawn) {
        std::printf("%s\n", ToUtf8(word).c_str());
    }
    return EXIT_OK;
}
