#include "db/word_index.h"

#include "db/data_file.h"
#include "db/format.h"

namespace {

constexpr uint32_t kSiblingReadWords = 128;  // one read covers most sibling lists
constexpr uint32_t kMaxDepth = 127;          // walks never place a character past index 127

}  // namespace

CWordIndex::CWordIndex(CDataFile* file, uint32_t sectionOffset, bool plain)
    : file_(file), sectionOffset_(sectionOffset), plain_(plain) {
    uint8_t raw[4];
    if (file_->ReadAt(sectionOffset_, 4, raw) != 4) {
        status_ = INDEX_DATA_ERROR;
        return;
    }
    uint32_t n = lcv::DecodeFixed32(raw);
    uint64_t trailerAt = uint64_t{sectionOffset_} + 4 * (uint64_t{n} + 1);
    if (trailerAt + 4 > file_->Size() ||
        file_->ReadAt(static_cast<uint32_t>(trailerAt), 4, raw) != 4 ||
        lcv::DecodeFixed32(raw) != lcv::kTrieTrailer) {
        status_ = INDEX_DATA_ERROR;
        return;
    }
    count_ = n;
}

uint32_t CWordIndex::ReadTrieWord(uint32_t index) {
    if (index < 1 || index > count_) {
        return 0;
    }
    uint8_t raw[4];
    if (file_->ReadAt(sectionOffset_ + 4 * index, 4, raw) != 4) {
        status_ = INDEX_DATA_ERROR;
        return 0;
    }
    return lcv::DecodeFixed32(raw);
}

uint32_t CWordIndex::NextNode(uint32_t* index, int step) {
    uint32_t w;
    do {
        w = ReadTrieWord(*index);
        *index += static_cast<uint32_t>(step);
    } while (w != 0 && !plain_ && lcv::IsEntryRef(w));
    return w;
}

uint32_t CWordIndex::FindSibling(uint32_t* index, uint8_t c) {
    uint32_t i = *index;
    if (i == 0) {
        return 0;
    }
    uint8_t raw[4 * kSiblingReadWords];
    while (i <= count_) {
        // Reads may run into the trailer; a well-formed list ends at a last sibling first.
        uint32_t want = count_ + 1 - i;
        want = want < kSiblingReadWords ? want : kSiblingReadWords;
        int got = file_->ReadAt(sectionOffset_ + 4 * i, 4 * want, raw);
        if (got < 4) {
            return 0;
        }
        uint32_t words = static_cast<uint32_t>(got) / 4;
        for (uint32_t j = 0; j < words; ++j, ++i) {
            uint32_t w = lcv::DecodeFixed32(raw + 4 * j);
            if (!plain_ && lcv::IsEntryRef(w)) {
                continue;
            }
            if (lcv::NodeLast(w) || lcv::NodeChar(w) >= c) {
                *index = i;
                return w;
            }
        }
    }
    return 0;
}

uint32_t CWordIndex::Find(const char* text) {
    uint32_t i = 1;
    if (text == nullptr || *text == '\0') {
        return 0;
    }
    for (const char* p = text; *p != '\0'; ++p) {
        uint8_t c = static_cast<uint8_t>(*p);
        uint32_t w = FindSibling(&i, c);
        if (w == 0 || lcv::NodeChar(w) != c) {
            return 0;
        }
        if (p[1] == '\0' || p[1] == ':') {
            return lcv::NodeTerminal(w) ? i : 0;
        }
        if (lcv::NodeChild(w) == 0) {
            return 0;
        }
        i = lcv::NodeChild(w);
    }
    return 0;
}

bool CWordIndex::Enumerate(WordCallback callback, void* context, const char* prefix, bool forward) {
    callback_ = callback;
    context_ = context;
    walk_[0] = '\0';
    // A well-formed trie is walked reading each node once; a damaged one whose child links
    // loop back would otherwise take exponential time.
    walkBudget_ = 2 * uint64_t{count_} + 1024;
    if (prefix == nullptr) {
        prefix = "";
    }
    if (*prefix == '\0') {
        // Every word forward, none backward.
        return forward ? WalkForward(1, 0) : true;
    }
    return forward ? SeekForward(1, prefix, 0) : SeekBackward(1, prefix, 0);
}

uint32_t CWordIndex::WalkNode(uint32_t* index, int step) {
    if (walkBudget_ == 0) {
        status_ = INDEX_DATA_ERROR;
        return 0;
    }
    --walkBudget_;
    return NextNode(index, step);
}

bool CWordIndex::Report(uint32_t depth, uint32_t number) {
    walk_[depth + 1] = '\0';
    return callback_(context_, walk_, number);
}

bool CWordIndex::WalkForward(uint32_t start, uint32_t depth) {
    uint32_t i = start;
    for (;;) {
        uint32_t w = WalkNode(&i, +1);
        if (w == 0) {
            return false;
        }
        uint32_t at = i - 1;  // NextNode leaves i just past the node
        walk_[depth] = static_cast<char>(lcv::NodeChar(w));
        if (lcv::NodeTerminal(w) && !Report(depth, at)) {
            return false;
        }
        // A damaged trie may nest deeper than any word; never place past the buffer.
        if (lcv::NodeChild(w) != 0 && depth < kMaxDepth &&
            !WalkForward(lcv::NodeChild(w), depth + 1)) {
            return false;
        }
        if (lcv::NodeLast(w)) {
            return true;
        }
    }
}

bool CWordIndex::WalkBackward(uint32_t start, uint32_t depth) {
    uint32_t i = start;
    if (FindSibling(&i, 0x80) == 0) {
        return false;
    }
    for (;;) {
        uint32_t w = WalkNode(&i, -1);
        if (w == 0) {
            return false;
        }
        uint32_t at = i + 1;  // NextNode leaves i just before the node
        walk_[depth] = static_cast<char>(lcv::NodeChar(w));
        if (lcv::NodeChild(w) != 0 && depth < kMaxDepth &&
            !WalkBackward(lcv::NodeChild(w), depth + 1)) {
            return false;
        }
        if (lcv::NodeTerminal(w) && !Report(depth, at)) {
            return false;
        }
        if (i < start) {
            return true;
        }
    }
}

bool CWordIndex::SeekForward(uint32_t start, const char* prefix, uint32_t depth) {
    uint8_t t = static_cast<uint8_t>(prefix[0]);
    uint32_t i = start;
    uint32_t w = FindSibling(&i, t);
    if (w == 0) {
        return false;
    }
    walk_[depth] = static_cast<char>(lcv::NodeChar(w));
    if (lcv::NodeChar(w) == t && prefix[1] != '\0') {
        if (lcv::NodeChild(w) != 0 && depth < kMaxDepth &&
            !SeekForward(lcv::NodeChild(w), prefix + 1, depth + 1)) {
            return false;
        }
        if (lcv::NodeLast(w)) {
            return true;
        }
        return WalkForward(i + 1, depth);
    }
    if (lcv::NodeChar(w) < t) {
        return true;  // the list holds nothing at or above t
    }
    return WalkForward(i, depth);
}

bool CWordIndex::SeekBackward(uint32_t start, const char* prefix, uint32_t depth) {
    uint8_t t = static_cast<uint8_t>(prefix[0]);
    uint32_t i = start;
    uint32_t w = FindSibling(&i, t);
    if (w == 0) {
        return false;
    }
    if (lcv::NodeChar(w) != 0 && lcv::NodeChar(w) == t) {
        walk_[depth] = static_cast<char>(t);
        bool more = prefix[1] != '\0';
        if (lcv::NodeChild(w) != 0 && more && depth < kMaxDepth &&
            !SeekBackward(lcv::NodeChild(w), prefix + 1, depth + 1)) {
            return false;
        }
        // The word of this node is a proper prefix of p: it sorts just below its subtree.
        if (lcv::NodeTerminal(w) && more && !Report(depth, i)) {
            return false;
        }
    }
    for (;;) {
        w = WalkNode(&i, -1);
        if (w == 0) {
            return false;
        }
        uint32_t at = i + 1;
        if (lcv::NodeChar(w) < t) {
            walk_[depth] = static_cast<char>(lcv::NodeChar(w));
            if (lcv::NodeChild(w) != 0 && depth < kMaxDepth &&
                !WalkBackward(lcv::NodeChild(w), depth + 1)) {
                return false;
            }
            if (lcv::NodeTerminal(w) && !Report(depth, at)) {
                return false;
            }
        }
        if (i < start) {
            return true;
        }
    }
}

int CWordIndex::ReadEntryRefs(uint32_t n, uint32_t* out, int max) {
    if (plain_ || max <= 0) {
        return 0;
    }
    uint32_t w = ReadTrieWord(n);
    uint32_t j = n + 1;
    if (!lcv::IsEntryRef(w)) {
        w = ReadTrieWord(n + 1);
        j = n + 2;
    }
    int stored = 0;
    while (lcv::IsEntryRef(w) && stored < max) {
        out[stored++] = w;
        w = ReadTrieWord(j++);
    }
    return stored;
}
