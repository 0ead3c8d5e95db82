// lexicove-cli keys: the two sound keys that a phonetic search looks for.

#include <cstdio>
#include <string>
#include <vector>

#include "cli.h"
#include "search/phonetic_key.h"

int RunKeys(const std::vector<std::string>& args) {
    for (const std::string& arg : args) {
        if (arg.size() > 1 && arg[0] == '-') {
            return UsageError("keys does not take " + arg);
        }
    }
    std::string text = FromUtf8(JoinWords(args));
    if (text.empty()) {
        return UsageError("keys needs a TEXT");
    }
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    CPhoneticKey key(text);
    std::printf("primary: %s\nalternate: %s\n", key.PrimaryKey(), key.AlternateKey());
    return EXIT_OK;
}
