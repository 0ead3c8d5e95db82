#include "tools/mkdb/wordnet_reader.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string_view>

namespace {

const char* const kFileNames[WN_FILES] = {"noun", "verb", "adj", "adv"};

// Splits on single spaces, as WordNet writes its fields; empty tokens are dropped.
class CTokens {
  public:
    explicit CTokens(std::string_view text) : text_(text) {}
    bool Next(std::string_view* token) {
        while (at_ < text_.size() && text_[at_] == ' ') {
            ++at_;
        }
        if (at_ >= text_.size()) {
            return false;
        }
        size_t end = text_.find(' ', at_);
        end = end == std::string_view::npos ? text_.size() : end;
        *token = text_.substr(at_, end - at_);
        at_ = end;
        return true;
    }

  private:
    std::string_view text_;
    size_t at_ = 0;
};

bool ParseNumber(std::string_view token, int base, size_t digits, uint32_t* value) {
    if (token.empty() || (digits != 0 && token.size() != digits) || token.size() > 8) {
        return false;
    }
    uint32_t v = 0;
    for (char c : token) {
        int d = c >= '0' && c <= '9'   ? c - '0'
                : c >= 'a' && c <= 'f' ? c - 'a' + 10
                : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                       : 99;
        if (d >= base) {
            return false;
        }
        v = v * static_cast<uint32_t>(base) + static_cast<uint32_t>(d);
    }
    *value = v;
    return true;
}

std::string Spaced(std::string_view word) {
    std::string out(word);
    std::replace(out.begin(), out.end(), '_', ' ');
    return out;
}

std::string LowerSpaced(std::string_view word) {
    std::string out = Spaced(word);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return out;
}

// The adjective markers that WordNet appends to a word: (a), (p), (ip).
std::string_view DropMarker(std::string_view word) {
    for (std::string_view marker : {"(a)", "(p)", "(ip)"}) {
        if (word.size() > marker.size() && word.substr(word.size() - marker.size()) == marker) {
            return word.substr(0, word.size() - marker.size());
        }
    }
    return word;
}

bool KnownPointer(std::string_view symbol) {
    static const char* const kSymbols[] = {"!",  "@",  "@i", "~", "~i", "#m", "#s", "#p", "%m",
                                           "%s", "%p", "=",  "+", ";c", "-c", ";r", "-r", ";u",
                                           "-u", "*",  ">",  "^", "$",  "&",  "<",  "\\"};
    for (const char* known : kSymbols) {
        if (symbol == known) {
            return true;
        }
    }
    return false;
}

int FileOfPos(char pos) {
    switch (pos) {
        case 'n':
            return WN_NOUN;
        case 'v':
            return WN_VERB;
        case 'a':
        case 's':
            return WN_ADJ;
        case 'r':
            return WN_ADV;
        default:
            return -1;
    }
}

bool ReadWhole(const std::string& path, std::string* text, std::string* error) {
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
    *text = buffer.str();
    return true;
}

// Calls parse(line, number) for every line that is not part of the license header (lines
// starting with a space); stops at the first false.
template <typename Parse>
bool ForEachLine(const std::string& text, Parse parse) {
    size_t at = 0;
    int number = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        end = end == std::string::npos ? text.size() : end;
        std::string line = text.substr(at, end - at);
        at = end + 1;
        ++number;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty() || line[0] == ' ') {
            continue;
        }
        if (!parse(line, number)) {
            return false;
        }
    }
    return true;
}

std::string Place(const std::string& name, int line) {
    return name + ":" + std::to_string(line);
}

}  // namespace

const char* CWordNetReader::FileName(int file) {
    return kFileNames[file];
}

bool CWordNetReader::ParseDataLine(const std::string& line, int file, WordNetSynset* synset,
                                   std::string* error) {
    size_t bar = line.find(" | ");
    if (bar == std::string::npos) {
        *error = "no \" | \" before the gloss";
        return false;
    }
    CTokens tokens(std::string_view(line).substr(0, bar));
    std::string_view t;
    uint32_t value = 0;
    *synset = WordNetSynset{};
    synset->file = file;
    if (!tokens.Next(&t) || !ParseNumber(t, 10, 8, &synset->offset)) {
        *error = "the synset offset is not 8 digits";
        return false;
    }
    if (!tokens.Next(&t) || !ParseNumber(t, 10, 2, &value)) {
        *error = "the lexicographer file number is not 2 digits";
        return false;
    }
    synset->lexFile = static_cast<uint8_t>(value);
    if (!tokens.Next(&t) || t.size() != 1 || FileOfPos(t[0]) != file) {
        *error = "the synset type does not belong in data." + std::string(kFileNames[file]);
        return false;
    }
    synset->type = t[0];
    uint32_t wordCount = 0;
    if (!tokens.Next(&t) || !ParseNumber(t, 16, 2, &wordCount) || wordCount == 0) {
        *error = "the word count is not 2 hexadecimal digits above 0";
        return false;
    }
    for (uint32_t i = 0; i < wordCount; ++i) {
        std::string_view word, lexId;
        if (!tokens.Next(&word) || !tokens.Next(&lexId) || !ParseNumber(lexId, 16, 1, &value)) {
            *error = "word " + std::to_string(i + 1) + " or its lexical id is missing";
            return false;
        }
        synset->words.push_back(Spaced(DropMarker(word)));
        synset->lexIds.push_back(static_cast<uint8_t>(value));
    }
    uint32_t pointerCount = 0;
    if (!tokens.Next(&t) || !ParseNumber(t, 10, 3, &pointerCount)) {
        *error = "the pointer count is not 3 digits";
        return false;
    }
    for (uint32_t i = 0; i < pointerCount; ++i) {
        std::string_view symbol, offset, pos, sourceTarget;
        WordNetPointer pointer;
        uint32_t st = 0;
        if (!tokens.Next(&symbol) || !tokens.Next(&offset) || !tokens.Next(&pos) ||
            !tokens.Next(&sourceTarget) || !KnownPointer(symbol) ||
            !ParseNumber(offset, 10, 8, &pointer.offset) || pos.size() != 1 ||
            FileOfPos(pos[0]) < 0 || !ParseNumber(sourceTarget, 16, 4, &st)) {
            *error = "pointer " + std::to_string(i + 1) + " is malformed";
            return false;
        }
        pointer.symbol = std::string(symbol);
        pointer.file = FileOfPos(pos[0]);
        pointer.source = static_cast<uint8_t>(st >> 8);
        pointer.target = static_cast<uint8_t>(st & 0xFF);
        if (pointer.source > wordCount) {
            *error = "pointer " + std::to_string(i + 1) + " names a source word it does not have";
            return false;
        }
        synset->pointers.push_back(std::move(pointer));
    }
    if (file == WN_VERB) {
        // Generic verb frames: a count, then "+ frame word" triples. Only checked here.
        uint32_t frameCount = 0;
        if (!tokens.Next(&t) || !ParseNumber(t, 10, 2, &frameCount)) {
            *error = "the verb frame count is not 2 digits";
            return false;
        }
        for (uint32_t i = 0; i < frameCount * 3; ++i) {
            if (!tokens.Next(&t)) {
                *error = "verb frame " + std::to_string(i / 3 + 1) + " is incomplete";
                return false;
            }
        }
    }
    if (tokens.Next(&t)) {
        *error = "unexpected \"" + std::string(t) + "\" before the gloss";
        return false;
    }
    std::string gloss = line.substr(bar + 3);
    while (!gloss.empty() && (gloss.back() == ' ' || gloss.back() == '\t')) {
        gloss.pop_back();
    }
    for (char c : gloss) {
        if (c == '\0' || c == '\f') {
            *error = "the gloss holds a NUL or FF byte";
            return false;
        }
    }
    synset->gloss = std::move(gloss);
    return true;
}

bool CWordNetReader::ParseIndexLine(const std::string& line, WordNetLemma* lemma,
                                    std::string* error) {
    CTokens tokens(line);
    std::string_view word, pos, t;
    uint32_t synsetCount = 0, pointerCount = 0, value = 0;
    if (!tokens.Next(&word) || !tokens.Next(&pos) || pos.size() != 1 || FileOfPos(pos[0]) < 0 ||
        !tokens.Next(&t) || !ParseNumber(t, 10, 0, &synsetCount) || synsetCount == 0 ||
        !tokens.Next(&t) || !ParseNumber(t, 10, 0, &pointerCount)) {
        *error = "the lemma, its part of speech or its counts are malformed";
        return false;
    }
    for (uint32_t i = 0; i < pointerCount; ++i) {
        // The index lists the domain pointers without their letter (";" for ";c" and so on).
        if (!tokens.Next(&t) || (!KnownPointer(t) && t != ";" && t != "-")) {
            *error = "pointer symbol " + std::to_string(i + 1) + " is missing or unknown";
            return false;
        }
    }
    if (!tokens.Next(&t) || !ParseNumber(t, 10, 0, &value) || !tokens.Next(&t) ||
        !ParseNumber(t, 10, 0, &value)) {
        *error = "the sense counts are malformed";
        return false;
    }
    lemma->lemma = LowerSpaced(word);
    lemma->offsets.clear();
    for (uint32_t i = 0; i < synsetCount; ++i) {
        if (!tokens.Next(&t) || !ParseNumber(t, 10, 8, &value)) {
            *error = "synset offset " + std::to_string(i + 1) + " is missing or malformed";
            return false;
        }
        lemma->offsets.push_back(value);
    }
    if (tokens.Next(&t)) {
        *error = "more synset offsets than the synset count says";
        return false;
    }
    return true;
}

bool CWordNetReader::ParseExceptionLine(const std::string& line, WordNetException* exception,
                                        std::string* error) {
    CTokens tokens(line);
    std::string_view t;
    if (!tokens.Next(&t)) {
        *error = "empty exception line";
        return false;
    }
    exception->form = LowerSpaced(t);
    exception->bases.clear();
    while (tokens.Next(&t)) {
        exception->bases.push_back(LowerSpaced(t));
    }
    if (exception->bases.empty()) {
        *error = "the irregular form \"" + exception->form + "\" has no base form";
        return false;
    }
    return true;
}

bool CWordNetReader::Read(const std::string& folder, WordNetData* data, std::string* error) {
    std::string dir = folder.empty() || folder.back() == '/' ? folder : folder + "/";
    std::string text, message;
    for (int file = 0; file < WN_FILES; ++file) {
        std::string name = std::string("data.") + kFileNames[file];
        if (!ReadWhole(dir + name, &text, error)) {
            return false;
        }
        auto& synsets = data->synsets[file];
        bool ok = ForEachLine(text, [&](const std::string& line, int number) {
            WordNetSynset synset;
            if (!ParseDataLine(line, file, &synset, &message)) {
                *error = dir + Place(name, number) + ": " + message;
                return false;
            }
            synset.where = Place(name, number);
            synsets.push_back(std::move(synset));
            return true;
        });
        if (!ok) {
            return false;
        }

        name = std::string("index.") + kFileNames[file];
        if (!ReadWhole(dir + name, &text, error)) {
            return false;
        }
        ok = ForEachLine(text, [&](const std::string& line, int number) {
            WordNetLemma lemma;
            if (!ParseIndexLine(line, &lemma, &message)) {
                *error = dir + Place(name, number) + ": " + message;
                return false;
            }
            data->lemmas[file].push_back(std::move(lemma));
            return true;
        });
        if (!ok) {
            return false;
        }

        name = std::string(kFileNames[file]) + ".exc";
        if (!ReadWhole(dir + name, &text, error)) {
            return false;
        }
        ok = ForEachLine(text, [&](const std::string& line, int number) {
            WordNetException exception;
            if (!ParseExceptionLine(line, &exception, &message)) {
                *error = dir + Place(name, number) + ": " + message;
                return false;
            }
            data->exceptions[file].push_back(std::move(exception));
            return true;
        });
        if (!ok) {
            return false;
        }
    }

    if (!ReadWhole(dir + "sents.vrb", &text, error)) {
        return false;
    }
    bool ok = ForEachLine(text, [&](const std::string& line, int number) {
        size_t space = line.find(' ');
        uint32_t n = 0;
        std::string frame = space == std::string::npos ? "" : line.substr(space + 1);
        // The frame is used as a format with one string argument: exactly one "%s", no other
        // "%".
        size_t percent = frame.find('%');
        if (space == std::string::npos ||
            !ParseNumber(std::string_view(line).substr(0, space), 10, 0, &n) ||
            percent == std::string::npos || frame.compare(percent, 2, "%s") != 0 ||
            frame.find('%', percent + 1) != std::string::npos) {
            *error = dir + Place("sents.vrb", number) +
                     ": not a sentence number and a frame with one \"%s\"";
            return false;
        }
        data->frames[static_cast<int>(n)] = frame;
        return true;
    });
    if (!ok || !ReadWhole(dir + "sentidx.vrb", &text, error)) {
        return false;
    }
    return ForEachLine(text, [&](const std::string& line, int number) {
        CTokens tokens(line);
        std::string_view key, list, extra;
        tokens.Next(&key);
        std::vector<int> numbers;
        bool good = key.find('%') != std::string_view::npos;
        if (good && tokens.Next(&list)) {
            size_t at = 0;
            while (good && at <= list.size()) {
                size_t comma = std::min(list.find(',', at), list.size());
                uint32_t n = 0;
                good = ParseNumber(list.substr(at, comma - at), 10, 0, &n) &&
                       data->frames.count(static_cast<int>(n)) != 0;
                numbers.push_back(static_cast<int>(n));
                at = comma + 1;
            }
            good = good && !tokens.Next(&extra);
        }
        if (!good) {
            *error = dir + Place("sentidx.vrb", number) +
                     ": not a sense key and a list of known sentence numbers";
            return false;
        }
        data->frameIndex[std::string(key)] = std::move(numbers);
        return true;
    });
}
