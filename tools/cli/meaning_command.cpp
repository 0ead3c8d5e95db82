// lexicove-cli search --meaning: the reverse dictionary. The words whose senses match a
// description best, best first, one a line, then the status row as every search ends.

#include <cstdio>
#include <string>
#include <vector>

#include "app/options_record.h"
#include "cli.h"
#include "db/dictionary_database.h"
#include "search/search_status.h"

int RunMeaningSearch(const std::vector<std::string>& args) {
    std::string description;
    int limit = GetOptionsRecord().ResultLimit();
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        bool inline_ = arg.find('=') != std::string::npos;
        std::string name = inline_ ? arg.substr(0, arg.find('=')) : arg;
        if (name != "--meaning" && name != "--limit") {
            return UsageError("search --meaning does not take " + arg);
        }
        std::string value = inline_ ? arg.substr(arg.find('=') + 1)
                                    : (i + 1 < args.size() ? args[++i] : std::string());
        if (name == "--limit") {
            if (!ParseCount("--limit", value, RESULT_LIMIT_MAX, &limit)) {
                return EXIT_USAGE;
            }
        } else {
            description = FromUtf8(value);
        }
    }
    CDictionaryDatabase database;
    if (!OpenDatabase(&database)) {
        return EXIT_NO_DATABASE;
    }
    if (!database.MeaningIndex().Available()) {
        std::fprintf(stderr,
                     "lexicove-cli: this database has no meaning index (build it again "
                     "with lexicove-mkdb)\n");
        return EXIT_NOT_FOUND;
    }
    std::vector<CMeaningIndex::Hit> hits;
    int status = database.SearchMeaning(description.c_str(), limit, &hits);
    char word[LOOKUP_BUFFER_SIZE];
    for (const CMeaningIndex::Hit& hit : hits) {
        if (database.WordOf(hit.number, word, sizeof word)) {
            std::printf("%s\n", ToUtf8(word).c_str());
        }
    }
    std::printf("%s\n", SearchStatusRow(status, !hits.empty()));
    if (status == SEARCH_INVALID_QUERY) {
        return EXIT_USAGE;
    }
    return hits.empty() ? EXIT_NOT_FOUND : EXIT_OK;
}
