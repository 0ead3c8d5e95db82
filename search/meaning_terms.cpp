#include "search/meaning_terms.h"

#include <algorithm>
#include <array>

#include "search/stemmer_library.h"

namespace {

// Function words and the fillers of a description ("a word for", "someone who").
constexpr std::array<std::string_view, 130> kStopWords = {
    "about",   "above",   "after",     "again",    "against", "all",        "also",   "am",
    "an",      "and",     "any",       "are",      "as",      "at",         "be",     "been",
    "before",  "being",   "below",     "between",  "both",    "but",        "by",     "can",
    "could",   "did",     "do",        "does",     "doing",   "down",       "during", "each",
    "etc",     "every",   "few",       "for",      "from",    "further",    "had",    "has",
    "have",    "having",  "he",        "her",      "here",    "hers",       "him",    "his",
    "how",     "if",      "in",        "into",     "is",      "it",         "its",    "itself",
    "just",    "me",      "more",      "most",     "my",      "no",         "nor",    "not",
    "of",      "off",     "on",        "once",     "one",     "only",       "or",     "other",
    "our",     "out",     "over",      "own",      "same",    "she",        "should", "so",
    "some",    "someone", "something", "somebody", "such",    "than",       "that",   "the",
    "their",   "them",    "then",      "there",    "these",   "they",       "thing",  "this",
    "those",   "through", "to",        "too",      "under",   "until",      "up",     "upon",
    "usually", "very",    "was",       "we",       "were",    "what",       "when",   "where",
    "which",   "while",   "who",       "whom",     "whose",   "why",        "will",   "with",
    "without", "word",    "would",     "you",      "your",    "especially", "often",  "many",
    "much",    "used"};

}  // namespace

CMeaningTerms::CMeaningTerms()
    : library_(CStemmerLibrary::Get()),
      stemmer_(library_ != nullptr ? library_->New("english", nullptr) : nullptr) {}

CMeaningTerms::~CMeaningTerms() {
    if (stemmer_ != nullptr) {
        library_->Delete(stemmer_);
    }
}

bool CMeaningTerms::IsStopWord(std::string_view word) {
    return std::find(kStopWords.begin(), kStopWords.end(), word) != kStopWords.end();
}

std::vector<std::string> CMeaningTerms::Words(std::string_view text) {
    std::vector<std::string> words;
    std::string word;
    auto flush = [&] {
        if (word.size() > 1 && !IsStopWord(word)) {
            words.push_back(word);
        }
        word.clear();
    };
    for (char c : text) {
        if (c >= 'A' && c <= 'Z') {
            word += static_cast<char>(c - 'A' + 'a');
        } else if (c >= 'a' && c <= 'z') {
            word += c;
        } else {
            flush();
        }
    }
    flush();
    return words;
}

std::string CMeaningTerms::Stem(const std::string& word) {
    if (stemmer_ == nullptr) {
        return std::string();
    }
    const sb_symbol* stem = library_->Stem(
        stemmer_, reinterpret_cast<const sb_symbol*>(word.data()), static_cast<int>(word.size()));
    return stem != nullptr ? std::string(reinterpret_cast<const char*>(stem),
                                         static_cast<size_t>(library_->Length(stemmer_)))
                           : std::string();
}

std::vector<std::string> CMeaningTerms::Terms(std::string_view text) {
    std::vector<std::string> terms;
    if (stemmer_ == nullptr) {
        return terms;
    }
    for (const std::string& word : Words(text)) {
        std::string stem = Stem(word);
        if (!stem.empty()) {
            terms.push_back(std::move(stem));
        }
    }
    return terms;
}
