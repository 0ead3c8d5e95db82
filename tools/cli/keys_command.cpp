// lexicove-cli keys: the two sound keys that a phonetic search looks for.

#include <cstdio>
#include <string>
#include <vector>

#include "cli.h"
#include "json_output.h"
#include "search/phonetic_key.h"

int RunKeys(const std::vector<std::string>& args) {
    bool json = false;
    std::vector<std::string> words;
    for (const std::string& arg : args) {
        if (arg == "--json") {
            json = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return UsageError("keys does not take " + arg);
        } else {
            words.push_back(arg);
        }
    }
    std::string text = FromUtf8(JoinWords(words));
    if (text.empty()) {
        return UsageError("keys needs a TEXT");
    }
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    CPhoneticKey key(text);
    if (json) {
        PrintJson({{"text", ToUtf8(text)},
                   {"primary", key.PrimaryKey()},
                   {"alternate", key.AlternateKey()}});
        return EXIT_OK;
    }
    std::printf("primary: %s\nalternate: %s\n", key.PrimaryKey(), key.AlternateKey());
    return EXIT_OK;
}
