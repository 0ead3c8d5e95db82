// lexicove-cli suggest: the words the user may have meant by a text, best first.

#include <cstdio>
#include <string>
#include <vector>

#include "cli.h"
#include "db/dictionary_database.h"
#include "json_output.h"

std::string DidYouMean(CDictionaryDatabase* database, const std::string& typed) {
    std::vector<Suggestion> found = database->SuggestWords(typed.c_str());
    if (found.empty()) {
        return "";
    }
    std::string line = "Did you mean: ";
    for (size_t i = 0; i < found.size(); ++i) {
        line += (i == 0 ? "" : ", ") + ToUtf8(found[i].word);
    }
    return line + "?";
}

int RunSuggest(const std::vector<std::string>& args) {
    bool json = false;
    std::vector<std::string> words;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--") {
            words.insert(words.end(), args.begin() + static_cast<long>(i) + 1, args.end());
            break;
        }
        if (args[i] == "--json") {
            json = true;
        } else if (args[i].size() > 1 && args[i][0] == '-') {
            return UsageError("suggest does not know the option " + args[i]);
        } else {
            words.push_back(args[i]);
        }
    }
    std::string typed = FromUtf8(JoinWords(words));
    if (typed.empty()) {
        return UsageError("suggest needs a TEXT");
    }
    CDictionaryDatabase database;
    if (!OpenDatabase(&database)) {
        return EXIT_NO_DATABASE;
    }
    std::vector<std::string> found;
    for (const Suggestion& s : database.SuggestWords(typed.c_str())) {
        found.push_back(s.word);
    }
    if (json) {
        PrintJson({{"text", ToUtf8(typed)}, {"words", WordsJson(found)}});
    } else {
        for (const std::string& word : found) {
            std::printf("%s\n", ToUtf8(word).c_str());
        }
    }
    return found.empty() ? EXIT_NOT_FOUND : EXIT_OK;
}
