#include "tools/mkdb/gloss_splitter.h"

#include <algorithm>

#include "db/format.h"

namespace {

constexpr char kSampleStart[] = "; \"";

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
        std::string chunk = gloss.substr(begin, at == std::string::npos ? at : at - begin);
        bool quoted = chunk.size() >= 2 && chunk.back() == '"' &&
                      std::count(chunk.begin(), chunk.end(), '"') == 2;
        split.samples.push_back(quoted ? chunk.substr(1, chunk.size() - 2) : chunk);
    }
    return split;
}

std::string CGlossSplitter::Join(const SplitGloss& split) {
    std::string gloss = split.definition;
    for (const std::string& sample : split.samples) {
        gloss += "; ";
        gloss += sample.find('"') != std::string::npos ? sample : "\"" + sample + "\"";
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
