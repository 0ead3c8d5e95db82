#include "json_output.h"

#include <cstdio>

#include "cli.h"

void PrintJson(const CliJson& document) {
    // Every string is UTF-8 already; a stray byte would be replaced, never thrown about.
    const std::string text = document.dump(2, ' ', false, CliJson::error_handler_t::replace);
    std::printf("%s\n", text.c_str());
}

CliJson WordsJson(const std::vector<std::string>& words) {
    CliJson array = CliJson::array();
    for (const std::string& word : words) {
        array.push_back(ToUtf8(word));
    }
    return array;
}
