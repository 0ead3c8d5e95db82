#include "tools/mkdb/gloss_splitter.h"

#include <algorithm>
#include <cstring>

#include "db/format.h"

namespace {

constexpr char kSampleStart[] = "; \"";
// What stands between a quotation and its author in a sample: an em dash (Windows-1252).
constexpr char kAttribution[] = " \x97 ";

std::string Trim(const std::string& s) {
    size_t begin = s.find_first_not_of(' ');
    size_t end = s.find_last_not_of(' ');
    return begin == std::string::npos ? "" : s.substr(begin, end - begin + 1);
}

// A WordNet example as it reads: one quoted text loses its quotes; an author after it
// ("..."- Author) follows an em dash, a remark in parentheses ("..." (British)) stays after
// it. Anything else (quotes inside, a trailing ";") is kept as it is.
std::string Sample(const std::string& chunk) {
    if (chunk.size() < 2 || chunk[0] != '"' || std::count(chunk.begin(), chunk.end(), '"') != 2) {
        return chunk;
    }
    size_t close = chunk.find('"', 1);
    std::string words = chunk.substr(1, close - 1);
    std::string tail = Trim(chunk.substr(close + 1));
    if (tail.empty()) {
        return words;
    }
    size_t author = tail.find_first_not_of("- ");
    if (tail[0] == '-' && author != std::string::npos) {
        return words + kAttribution + tail.substr(author);  // "..."--Revelation too
    }
    if (tail.front() == '(' && tail.back() == ')') {
        return words + " " + tail;
    }
    return chunk;
}

std::string Encode(std::string text) {
    std::replace(text.begin(), text.end(), '$', static_cast<char>(lcv::kGlossLiteralDollar));
    return text;
}

std::string Decode(std::string text) {
    std::replace(text.begin(), text.end(), static_cast<char>(lcv::kGlossLiteralDollar), '$');
    return text;
}

}  // namespace

SplitGloss CGlossSplitter::Split(const std::string& gloss) {
    SplitGloss split;
    size_t at = gloss.find(kSampleStart);
    split.definition = gloss.substr(0, at);
    while (at != std::string::npos) {
        size_t begin = at + 2;  // the opening quote
        at = gloss.find(kSampleStart, begin);
        split.samples.push_back(
            Sample(gloss.substr(begin, at == std::string::npos ? at : at - begin)));
    }
    return split;
}

std::string CGlossSplitter::Join(const SplitGloss& split) {
    std::string gloss = split.definition;
    for (const std::string& sample : split.samples) {
        gloss += "; ";
        size_t author = sample.find(kAttribution);
        size_t remark = sample.rfind(" (");
        if (sample.find('"') != std::string::npos) {
            gloss += sample;
        } else if (author != std::string::npos) {
            gloss += "\"" + sample.substr(0, author) + "\"- " +
                     sample.substr(author + std::strlen(kAttribution));
        } else if (remark != std::string::npos && sample.back() == ')') {
            gloss += "\"" + sample.substr(0, remark) + "\"" + sample.substr(remark);
        } else {
            gloss += "\"" + sample + "\"";
        }
    }
    return gloss;
}

std::string CGlossSplitter::Field(const SplitGloss& split) {
    std::string field = Encode(split.definition);
    for (const std::string& sample : split.samples) {
        field += '$';
        field += Encode(sample);
    }
    return field;
}

SplitGloss CGlossSplitter::FromField(const std::string& field) {
    SplitGloss split;
    size_t at = field.find('$');
    split.definition = Decode(field.substr(0, at));
    while (at != std::string::npos) {
        size_t begin = at + 1;
        at = field.find('$', begin);
        split.samples.push_back(
            Decode(field.substr(begin, at == std::string::npos ? at : at - begin)));
    }
    return split;
}
