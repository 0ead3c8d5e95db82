#include "search/search_index.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <string_view>

#include "db/data_file.h"
#include "db/format.h"
#include "search/phonetic_key.h"
#include "search/search_status.h"

namespace {

// The last position of the word buffer that takes a character: words have at most 128.
constexpr int kLastPos = 127;
// A group holds at most this many alternatives.
constexpr int kMaxAlternatives = 10;

bool IsSpace(uint8_t c) {
    return c == 9 || c == 10 || c == 13 || c == 32;
}

bool IsLowerAlphanumeric(uint8_t c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

// After the last character of a word with nothing below it, true when the rest of the
// pattern may still match nothing there and so let the word end: a group or an alternative
// (either may be empty), or a "*" (the empty run) in front of more. A rest that is empty or
// a lone "*" is reported by the caller at the node itself.
bool MayEndWithNothing(const char* rest) {
    return rest[0] == '{' || rest[0] == '(' || (rest[0] == '*' && rest[1] != '\0');
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Removes n characters at p from its NUL-terminated string.
void Erase(char* p, size_t n) {
    std::memmove(p, p + n, std::strlen(p + n) + 1);
}

}  // namespace

std::atomic<bool> CSearchIndex::stop_{false};

CSearchIndex::CSearchIndex(CDataFile* file, uint32_t sectionOffset, bool plain)
    : CWordIndex(file, sectionOffset, plain) {}

bool CSearchIndex::IsPatternChar(uint8_t c) {
    return c != '\0' && std::strchr("[](){},?*:", c) != nullptr;
}

bool CSearchIndex::IsIgnorable(uint8_t c) const {
    if (ignoreSpaces_ != 0 && IsSpace(c)) {
        return true;
    }
    return ignoreNonAlphanumerics_ != 0 && !IsLowerAlphanumeric(c);
}

bool CSearchIndex::NormalizePattern(char* pattern) const {
    // Each rule is applied at the first place it fits, then the scan starts again.
    bool changed = true;
    while (changed) {
        changed = false;
        for (char* p = pattern; *p != '\0' && !changed; ++p) {
            uint8_t c = static_cast<uint8_t>(*p);
            changed = true;
            if (IsIgnorable(c) && !IsPatternChar(c)) {
                Erase(p, 1);
            } else if (c == '*' && (p[1] == '?' || p[1] == '*')) {
                Erase(p + 1, 1);
            } else if (c == '?' && p[1] == '*') {
                Erase(p, 1);
            } else if ((c == '[' && p[1] == ']') || (c == '(' && p[1] == ')') ||
                       (c == '{' && p[1] == '}')) {
                Erase(p, 2);
            } else {
                changed = false;
            }
        }
    }
    return pattern[0] != '\0';
}

int CSearchIndex::Search(WordCallback callback, void* context, const char* query, int mode) {
    status_ = SEARCH_OK;
    steps_ = 0;
    if (query == nullptr) {
        query = "";
    }
    size_t length = strnlen(query, SEARCH_MAX_QUERY + 1);
    if (length > static_cast<size_t>(SEARCH_MAX_QUERY) ||
        (mode != SEARCH_MODE_PATTERN && mode != SEARCH_MODE_PHONETIC)) {
        status_ = SEARCH_INVALID_QUERY;
        return status_;
    }
    char copy[SEARCH_MAX_QUERY + 1];
    std::memcpy(copy, query, length + 1);
    if (mode == SEARCH_MODE_PATTERN && !NormalizePattern(copy)) {
        status_ = SEARCH_INVALID_QUERY;
        return status_;
    }
    if (count_ == 0) {
        return status_;  // an empty word list: nothing to find
    }
    callback_ = callback;
    context_ = context;
    word_[0] = '\0';
    deadline_ = std::chrono::steady_clock::now() + timeLimit_;
    for (int c = 0; c < 256; ++c) {
        ignorable_[c] = IsIgnorable(static_cast<uint8_t>(c));
    }
    // A mapped file that holds the whole array is read in place; otherwise through windows.
    uint64_t mapLength = 0;
    const uint8_t* map = file_->MappedView(&mapLength);
    mapped_ = map != nullptr && sectionOffset_ + 4 * (uint64_t{count_} + 1) <= mapLength;
    window_ = mapped_ ? map + sectionOffset_ + 4 : nullptr;
    windowFirst_ = 1;
    windowCount_ = mapped_ ? count_ : 0;
    if (mode == SEARCH_MODE_PATTERN) {
        MatchPattern(1, copy, 0, false);
    } else {
        CPhoneticKey key(copy);
        const char* alternate = key.AlternateKey();
        keys_ = &key;
        WalkPhonetic(1, 0, 0, key.PrimaryKey(), *alternate != '\0' ? alternate : nullptr);
        keys_ = nullptr;
    }
    callback_ = StopAtOnce;
    context_ = nullptr;
    window_ = nullptr;
    windowCount_ = 0;
    return status_;
}

bool CSearchIndex::Fail(int status) {
    if (status_ == SEARCH_OK) {
        status_ = status;
    }
    return false;
}

inline bool CSearchIndex::Step() {
    if (StopRequested()) {
        return Fail(SEARCH_CANCELLED);
    }
    if (++steps_ % kStepsPerClockCheck == 0 && std::chrono::steady_clock::now() >= deadline_) {
        return Fail(SEARCH_CANCELLED);
    }
    return true;
}

bool CSearchIndex::MoveWindow(uint32_t index) {
    if (index < 1 || index > count_ || mapped_) {
        return false;  // a mapped window already holds the whole array
    }
    uint32_t want = std::min(count_ + 1 - index, kWindowWords);
    int got = file_->ReadAt(sectionOffset_ + 4 * index, 4 * want, windowBuffer_);
    if (got < 4) {
        return false;
    }
    window_ = windowBuffer_;
    windowFirst_ = index;
    windowCount_ = static_cast<uint32_t>(got) / 4;
    return true;
}

bool CSearchIndex::PassedLiteral(char e, uint8_t c) const {
    // A sibling list ascends, and with only spaces ignorable (all below any literal left in
    // a pattern) no later node can match a literal once c has passed it.
    return ignoreNonAlphanumerics_ == 0 && e != '*' && e != '?' && e != '[' &&
           c > static_cast<uint8_t>(e);
}

inline bool CSearchIndex::MayTake(char e, uint8_t c) const {
    return e == '*' || e == '?' || e == '[' || static_cast<uint8_t>(e) == c || ignorable_[c];
}

inline uint32_t CSearchIndex::MatchNode(uint32_t* index) {
    if (!Step()) {
        return 0;
    }
    for (;;) {
        uint32_t i = (*index)++;
        // Unsigned: an index below the window wraps round to a large offset.
        if (i - windowFirst_ >= windowCount_ && !MoveWindow(i)) {
            Fail(SEARCH_DATA_ERROR);  // a failed read, or a list that runs off the array
            return 0;
        }
        uint32_t w = lcv::DecodeFixed32(window_ + 4 * (i - windowFirst_));
        if (w == 0) {
            Fail(SEARCH_DATA_ERROR);
            return 0;
        }
        if (plain_ || !lcv::IsEntryRef(w)) {
            return w;
        }
    }
}

bool CSearchIndex::ReportWord() {
    if (StopRequested()) {
        return Fail(SEARCH_CANCELLED);
    }
    if (!callback_(context_, word_, 0)) {
        return Fail(SEARCH_TRUNCATED);
    }
    return true;
}

bool CSearchIndex::MatchPattern(uint32_t list, char* pattern, int pos, bool wordEnds) {
    if (!Step()) {
        return false;
    }
    char e = pattern[0];
    if (e == '\0') {
        return wordEnds && pos >= 1 ? ReportWord() : true;
    }
    if (e == '{') {
        return MatchAlternatives(list, pattern, pos, wordEnds);
    }
    if (e == '(') {
        return MatchGroup(list, pattern, pos, wordEnds);
    }
    if (pos > 0 && list == 0) {
        // The word so far has no continuation: only an empty run can still end here.
        return e == '*' && wordEnds ? MatchPattern(0, pattern + 1, pos, true) : true;
    }
    // The empty run of a "*" followed by a plain element is tried node by node in the same
    // pass over the list as the longer runs, which keeps the words in ascending trie order.
    char* rest = pattern + 1;
    bool inPass = e == '*' && *rest != '\0' && *rest != '{' && *rest != '(' && *rest != '*';
    if (inPass) {
        return MatchStarPass(list, pattern, pos);
    }
    if (e == '*') {
        word_[pos] = '\0';
        if (!MatchPattern(list, rest, pos, wordEnds)) {
            return false;
        }
    }
    uint32_t i = list;
    for (;;) {
        uint32_t w = MatchNode(&i);
        if (w == 0) {
            return false;
        }
        uint8_t c = lcv::NodeChar(w);
        word_[pos] = static_cast<char>(c);
        word_[pos + 1] = '\0';
        if (MayTake(e, c) &&
            !MatchAfterNode(c, lcv::NodeTerminal(w), lcv::NodeChild(w), pattern, pos)) {
            return false;
        }
        if (lcv::NodeLast(w) || PassedLiteral(e, c)) {
            return true;
        }
    }
}

bool CSearchIndex::MatchStarPass(uint32_t list, char* pattern, int pos) {
    // Per node: the element after the "*" tried at this node (the run ends before it), then
    // the run taken on over the node into its children. Nothing can be reported for the run
    // itself, since an element follows it; the descent is the step a MatchPattern call with
    // the same "*" would take.
    char* rest = pattern + 1;
    uint32_t i = list;
    for (;;) {
        uint32_t w = MatchNode(&i);
        if (w == 0) {
            return false;
        }
        uint8_t c = lcv::NodeChar(w);
        bool terminal = lcv::NodeTerminal(w);
        uint32_t child = lcv::NodeChild(w);
        word_[pos] = static_cast<char>(c);
        word_[pos + 1] = '\0';
        if (MayTake(*rest, c) && !MatchAfterNode(c, terminal, child, rest, pos)) {
            return false;
        }
        if (child != 0 && pos < kLastPos && !(Step() && MatchStarPass(child, pattern, pos + 1))) {
            return false;
        }
        if (lcv::NodeLast(w)) {
            return true;
        }
    }
}

bool CSearchIndex::MatchAfterNode(uint8_t c, bool terminal, uint32_t child, char* pattern,
                                  int pos) {
    char e = pattern[0];
    if (e == '*') {
        if (terminal && pattern[1] == '\0' && !ReportWord()) {
            return false;
        }
        if (child == 0 && terminal && pos < kLastPos && MayEndWithNothing(pattern + 1)) {
            return MatchPattern(0, pattern + 1, pos + 1, true);
        }
        return child != 0 && pos < kLastPos ? MatchPattern(child, pattern, pos + 1, terminal)
                                            : true;
    }
    if (ignorable_[c]) {
        return child != 0 && pos < kLastPos ? MatchPattern(child, pattern, pos + 1, terminal)
                                            : true;
    }
    if (static_cast<uint8_t>(e) == c || e == '?') {
        return MatchRest(terminal, child, pattern + 1, pos);
    }
    if (e == '[') {
        char* close = std::strchr(pattern + 1, ']');
        if (close == nullptr) {
            return Fail(SEARCH_INVALID_QUERY);
        }
        if (std::memchr(pattern + 1, c, static_cast<size_t>(close - pattern - 1)) != nullptr) {
            return MatchRest(terminal, child, close + 1, pos);
        }
    }
    return true;
}

bool CSearchIndex::MatchRest(bool terminal, uint32_t child, char* rest, int pos) {
    if (terminal && (rest[0] == '\0' || (rest[0] == '*' && rest[1] == '\0')) && !ReportWord()) {
        return false;
    }
    if (pos < kLastPos && (child != 0 ? rest[0] != '\0' : terminal && MayEndWithNothing(rest))) {
        return MatchPattern(child, rest, pos + 1, terminal);
    }
    return true;
}

bool CSearchIndex::MatchGroup(uint32_t list, char* pattern, int pos, bool wordEnds) {
    char* close = std::strchr(pattern, ')');
    if (close == nullptr) {
        return Fail(SEARCH_INVALID_QUERY);
    }
    int count = -1;
    char* letters = pattern + 1;
    auto* colon =
        static_cast<char*>(std::memchr(pattern, ':', static_cast<size_t>(close - pattern)));
    if (colon != nullptr) {
        if (!IsDigit(pattern[1])) {
            return Fail(SEARCH_INVALID_QUERY);
        }
        count = pattern[1] - '0';
        if (IsDigit(pattern[2])) {
            count = count * 10 + (pattern[2] - '0');
        }
        letters = colon + 1;  // anything between the count and the ":" is ignored
    }
    for (char* p = letters; p < close; ++p) {
        if (*p != '?' && IsPatternChar(static_cast<uint8_t>(*p))) {
            return Fail(SEARCH_INVALID_QUERY);
        }
    }
    // Ascending by signed byte value, so that equal letters stand together.
    std::sort(letters, close, [](char a, char b) {
        return static_cast<signed char>(a) < static_cast<signed char>(b);
    });
    *close = '\0';
    bool go = MatchLetterGroup(count, letters, list, close + 1, pos, wordEnds);
    *close = ')';
    return go;
}

bool CSearchIndex::MatchLetterGroup(int count, char* letters, uint32_t list, char* rest, int pos,
                                    bool wordEnds) {
    if (!Step()) {
        return false;
    }
    if (count <= 0 && !MatchPattern(list, rest, pos, wordEnds)) {
        return false;  // the group may end here
    }
    if (count == 0 || (pos > 0 && list == 0)) {
        return true;
    }
    size_t n = std::strlen(letters);
    for (size_t i = 0; i < n; ++i) {
        char letter = letters[i];
        if (i > 0 && letter == letters[i - 1]) {
            continue;  // each distinct letter once per position
        }
        std::memmove(letters + 1, letters, i);
        letters[0] = letter;
        bool go = MatchGroupLetter(count, letters, list, rest, pos, wordEnds);
        std::memmove(letters, letters + 1, i);
        letters[i] = letter;
        if (!go) {
            return false;
        }
    }
    return true;
}

bool CSearchIndex::MatchGroupLetter(int count, char* letters, uint32_t list, char* rest, int pos,
                                    [[maybe_unused]] bool wordEnds) {
    if (!Step()) {
        return false;
    }
    if (list == 0) {
        return true;
    }
    char front = letters[0];
    uint32_t i = list;
    for (;;) {
        uint32_t w = MatchNode(&i);
        if (w == 0) {
            return false;
        }
        uint8_t c = lcv::NodeChar(w);
        bool terminal = lcv::NodeTerminal(w);
        uint32_t child = lcv::NodeChild(w);
        word_[pos] = static_cast<char>(c);
        word_[pos + 1] = '\0';
        bool go = true;
        if (ignorable_[c]) {
            if (child != 0 && pos < kLastPos) {
                go = MatchGroupLetter(count, letters, child, rest, pos + 1, terminal);
            }
        } else if (static_cast<uint8_t>(front) == c || front == '?') {
            bool placed = false;
            if (front == '?') {
                // A character that a letter of this group already stands for is left to that
                // letter, so that a word is not found once through "?" and once through it.
                for (const char* p = letters - 1; *p != '(' && *p != ':'; --p) {
                    placed = placed || static_cast<uint8_t>(*p) == c;
                }
            }
            if (!placed && pos < kLastPos) {
                go = MatchLetterGroup(count < 0 ? -1 : count - 1, letters + 1, child, rest, pos + 1,
                                      terminal);
            }
        }
        if (!go) {
            return false;
        }
        if (lcv::NodeLast(w) || (front != '?' && PassedLiteral(front, c))) {
            return true;
        }
    }
}

bool CSearchIndex::MatchAlternatives(uint32_t list, char* pattern, int pos, bool wordEnds) {
    // Split at the commas of depth 1; brackets and parentheses do not count.
    const char* starts[kMaxAlternatives];
    size_t lengths[kMaxAlternatives];
    int alternatives = 0;
    int depth = 0;
    const char* start = pattern + 1;
    char* close = nullptr;
    for (char* p = pattern; *p != '\0' && close == nullptr; ++p) {
        bool ends = false;
        if (*p == '{') {
            ++depth;
        } else if (*p == '}') {
            ends = --depth == 0;
            close = ends ? p : nullptr;
        } else if (*p == ',' && depth == 1) {
            ends = true;
        }
        if (ends) {
            if (alternatives == kMaxAlternatives) {
                return Fail(SEARCH_INVALID_QUERY);  // more than the group can hold
            }
            starts[alternatives] = start;
            lengths[alternatives++] = static_cast<size_t>(p - start);
            start = p + 1;
        }
    }
    if (close == nullptr) {
        return Fail(SEARCH_INVALID_QUERY);
    }
    const char* rest = close + 1;
    size_t restLength = std::strlen(rest);
    for (int a = 0; a < alternatives; ++a) {
        // Each alternative starts from the word as it was: the one before may have placed
        // characters at pos and beyond.
        word_[pos] = '\0';
        // The group and its other alternatives drop out, so this fits the query's size.
        char buffer[SEARCH_MAX_QUERY + 1];
        if (lengths[a] + restLength > static_cast<size_t>(SEARCH_MAX_QUERY)) {
            return Fail(SEARCH_INVALID_QUERY);
        }
        std::memcpy(buffer, starts[a], lengths[a]);
        std::memcpy(buffer + lengths[a], rest, restLength + 1);
        bool go = buffer[0] == '\0' && wordEnds ? ReportWord()
                                                : MatchPattern(list, buffer, pos, wordEnds);
        if (!go) {
            return false;
        }
    }
    return true;
}

bool CSearchIndex::WalkPhonetic(uint32_t list, int pos, int wordPos, const char* primaryRest,
                                const char* alternateRest) {
    uint32_t i = list;
    for (;;) {
        uint32_t w = MatchNode(&i);  // polls the stop flag
        if (w == 0) {
            return false;
        }
        uint8_t c = lcv::NodeChar(w);
        uint32_t child = lcv::NodeChild(w);
        word_[pos] = static_cast<char>(c);
        word_[pos + 1] = '\0';
        std::string_view text(word_, static_cast<size_t>(pos) + 1);
        if (lcv::NodeTerminal(w) && keys_->MatchWord(text, wordPos, primaryRest, alternateRest) &&
            !ReportWord()) {
            return false;
        }
        if (child != 0 && pos < kLastPos) {
            int nextPos = wordPos;
            const char* primary = primaryRest;
            const char* alternate = alternateRest;
            // Only the first five characters prune; a vowel after the first decides nothing.
            bool descend = pos > 4 || (pos > 0 && CPhoneticKey::IsVowel(static_cast<char>(c))) ||
                           keys_->MatchPrefix(text, nextPos, primary, alternate);
            if (descend && !WalkPhonetic(child, pos + 1, nextPos, primary, alternate)) {
                return false;
            }
        }
        if (lcv::NodeLast(w)) {
            return true;
        }
    }
}
