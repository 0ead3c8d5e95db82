// lexicove-cli list: the page of words that the Lookup view shows for a typed text.

#include <cstdio>
#include <string>
#include <vector>

#include "cli.h"
#include "db/dictionary_database.h"
#include "json_output.h"

namespace {

constexpr int kDefaultRows = 20;
constexpr int kMaxRows = 1000000;

}  // namespace

int RunList(const std::vector<std::string>& args) {
    int rows = kDefaultRows;
    bool json = false;
    std::vector<std::string> words;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "-n" || arg.rfind("-n=", 0) == 0) {
            std::string value =
                arg == "-n" ? (i + 1 < args.size() ? args[++i] : "") : arg.substr(3);
            if (!ParseCount("-n", value, kMaxRows, &rows)) {
                return EXIT_USAGE;
            }
        } else if (arg == "--json") {
            json = true;
        } else if (arg == "--") {
            words.insert(words.end(), args.begin() + static_cast<long>(i) + 1, args.end());
            break;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return UsageError("list does not know the option " + arg);
        } else {
            words.push_back(arg);
        }
    }
    // The "Look up:" box lower-cases what is typed, and its text is taken without the white
    // space at either end.
    std::string text = FromUtf8(JoinWords(words));
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    CDictionaryDatabase database;
    if (!OpenDatabase(&database)) {
        return EXIT_NO_DATABASE;
    }
    const std::vector<std::string> page = LookupPage(&database, text, rows);
    if (json) {
        PrintJson({{"prefix", ToUtf8(text)}, {"words", WordsJson(page)}});
        return EXIT_OK;
    }
    for (const std::string& word : page) {
        std::printf("%s\n", ToUtf8(word).c_str());
    }
    return EXIT_OK;
}
