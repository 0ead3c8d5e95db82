#include "tools/mkdb/sense_counts.h"

#include <fstream>
#include <sstream>

namespace {

bool LemmaOfSenseKey(const std::string& key, std::string* lemma) {
    size_t percent = key.find('%');
    if (percent == 0 || percent == std::string::npos) {
        return false;
    }
    lemma->assign(key, 0, percent);
    for (char& c : *lemma) {
        if (c == '_') {
            c = ' ';
        } else if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return true;
}

}  // namespace

bool CSenseCounts::Read(const std::string& path, std::string* error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        *error = path + ": cannot be read";
        return false;
    }
    counts_.clear();
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (line.empty()) {
            continue;
        }
        std::istringstream fields(line);
        std::string key, lemma;
        long long sense = 0, count = -1;
        if (!(fields >> key >> sense >> count) || count < 0 || count > UINT32_MAX ||
            !LemmaOfSenseKey(key, &lemma)) {
            *error = path + ":" + std::to_string(number) +
                     ": not a line of sense key, sense number and tag count";
            return false;
        }
        uint64_t sum = uint64_t{counts_[lemma]} + static_cast<uint64_t>(count);
        counts_[lemma] = sum > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(sum);
    }
    return true;
}
