#include "tools/mkdb/cmu_dict.h"

#include <fstream>

#include "tools/mkdb/arpabet_converter.h"

namespace {

// The text of a JavaScript string starting at line[*at] (a double quote); *at ends past it.
// The package's strings hold no escapes; a backslash is refused.
bool ReadString(const std::string& line, size_t* at, std::string* text) {
    if (*at >= line.size() || line[*at] != '"') {
        return false;
    }
    size_t end = line.find('"', *at + 1);
    if (end == std::string::npos) {
        return false;
    }
    *text = line.substr(*at + 1, end - *at - 1);
    *at = end + 1;
    return text->find('\\') == std::string::npos;
}

bool ParseEntry(const std::string& line, std::string* word, std::string* phones) {
    size_t at = line.find_first_not_of(' ');
    if (!ReadString(line, &at, word) || line.compare(at, 2, ": ") != 0) {
        return false;
    }
    at += 2;
    if (!ReadString(line, &at, phones)) {
        return false;
    }
    std::string tail = line.substr(at);
    if (tail != "" && tail != ",") {
        return false;
    }
    size_t hash = phones->find('#');
    if (hash != std::string::npos) {
        phones->erase(hash);
    }
    return !word->empty();
}

}  // namespace

bool CCmuDict::Read(const std::string& path, std::string* error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        *error = path + ": cannot be opened";
        return false;
    }
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        size_t first = line.find_first_not_of(' ');
        if (first == std::string::npos || line[first] == '/' || line[first] == '*' ||
            line.compare(first, 7, "export ") == 0 || line.compare(first, 1, "}") == 0) {
            continue;  // the module's frame and comments
        }
        std::string word, phones, encoded, message;
        if (!ParseEntry(line, &word, &phones)) {
            *error = path + ":" + std::to_string(number) + ": not a \"word\": \"PHONES\" entry";
            return false;
        }
        if (!CArpabetConverter::ToIpa(phones, &encoded, &message)) {
            *error = path + ":" + std::to_string(number) + ": " + message;
            return false;
        }
        if (word.back() == ')') {
            continue;  // an alternative pronunciation: "word(2)"
        }
        words_.emplace(word, encoded);
    }
    if (in.bad()) {
        *error = path + ": cannot be read";
        return false;
    }
    return true;
}

const std::string* CCmuDict::Find(const std::string& word) const {
    auto it = words_.find(word);
    return it == words_.end() ? nullptr : &it->second;
}

bool CCmuDict::Pronounce(const std::string& lemma, std::string* encoded) const {
    if (const std::string* whole = Find(lemma)) {
        *encoded = *whole;
        return true;
    }
    encoded->clear();
    size_t at = 0;
    bool any = false;
    while (at <= lemma.size()) {
        size_t end = lemma.find_first_of(" -", at);
        end = end == std::string::npos ? lemma.size() : end;
        std::string part = lemma.substr(at, end - at);
        if (!part.empty()) {
            const std::string* found = Find(part);
            if (found == nullptr) {
                return false;
            }
            *encoded += *found;
            any = true;
        }
        if (end < lemma.size()) {
            *encoded += lemma[end];
        }
        at = end + 1;
    }
    return any;
}
