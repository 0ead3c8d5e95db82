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
        std::string word, phones, message;
        if (!ParseEntry(line, &word, &phones)) {
            *error = path + ":" + std::to_string(number) + ": not a \"word\": \"PHONES\" entry";
            return false;
        }
        if (word.back() == ')') {
            word.erase(word.rfind('('));  // an alternative pronunciation: "word(2)"
        }
        if (!Add(word, phones, &message)) {
            *error = path + ":" + std::to_string(number) + ": " + message;
            return false;
        }
    }
    if (in.bad()) {
        *error = path + ": cannot be read";
        return false;
    }
    return true;
}

bool CCmuDict::Add(const std::string& word, const std::string& phones, std::string* error) {
    Pronunciation p;
    if (!CArpabetConverter::ToIpa(phones, &p.encoded, error)) {
        return false;
    }
    for (char c : phones) {
        if (c >= '0' && c <= '9') {
            p.stresses += c;
        } else {
            p.sounds += c;
        }
    }
    words_[word].push_back(std::move(p));
    return true;
}

const std::string* CCmuDict::Find(const std::string& word) const {
    auto it = words_.find(word);
    return it == words_.end() ? nullptr : &it->second.front().encoded;
}

std::vector<std::string> CCmuDict::Distinct(const std::string& word) const {
    std::vector<std::string> out;
    auto it = words_.find(word);
    if (it == words_.end()) {
        return out;
    }
    std::vector<const std::string*> sounds;
    for (const Pronunciation& p : it->second) {
        bool seen = false;
        for (const std::string* s : sounds) {
            seen |= *s == p.sounds;
        }
        if (!seen && out.size() < kMaxPronunciations) {
            sounds.push_back(&p.sounds);
            out.push_back(p.encoded);
        }
    }
    return out;
}

const std::string* CCmuDict::Stresses(const std::string& word) const {
    auto it = words_.find(word);
    return it == words_.end() ? nullptr : &it->second.front().stresses;
}
