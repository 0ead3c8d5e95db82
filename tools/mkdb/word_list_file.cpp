#include "tools/mkdb/word_list_file.h"

#include <fstream>
#include <sstream>

#include "db/format.h"

bool CWordListFile::Read(const std::string& path, std::vector<std::string>* words,
                         std::string* error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        *error = path + ": cannot be opened";
        return false;
    }
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad()) {
        *error = path + ": cannot be read";
        return false;
    }
    std::string text = buffer.str();
    words->clear();
    size_t at = 0;
    for (int number = 1; at < text.size(); ++number) {
        size_t end = text.find('\n', at);
        end = end == std::string::npos ? text.size() : end;
        std::string line = text.substr(at, end - at);
        at = end + 1;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        std::string place = path + ":" + std::to_string(number) + ": ";
        if (line.find('\0') != std::string::npos || line.find('\r') != std::string::npos) {
            *error = place + "the line holds a NUL or CR byte";
            return false;
        }
        if (line.size() > lcv::kMaxWordLength) {
            *error = place + "the word is longer than 128 bytes";
            return false;
        }
        if (!line.empty()) {
            words->push_back(std::move(line));
        }
    }
    return true;
}
