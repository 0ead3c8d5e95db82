#include "db/trie_layout.h"

#include <algorithm>
#include <deque>

#include "db/format.h"

namespace {

struct Node {
    uint8_t c = 0;
    const std::vector<uint32_t>* refs = nullptr;
    bool terminal = false;
    uint32_t firstChild = 0;  // index into the node pool of the first child; 0 = none
    uint32_t childCount = 0;
    uint32_t index = 0;  // array index once placed
    size_t entry = 0;    // the entry that ends here, when terminal
};

// Children of a node are consecutive in the pool: the tree is built level by level from the
// sorted words, so no per-node containers are needed.
void BuildTree(const std::vector<CTrieLayout::Entry>& entries, std::vector<Node>* pool) {
    pool->push_back(Node{});  // the root, which holds the root sibling list
    struct Range {
        uint32_t node;
        size_t begin, end;  // words sharing this node's prefix
    };
    std::deque<Range> pending{{0, 0, entries.size()}};
    size_t depth = 0;
    while (!pending.empty()) {
        size_t levelSize = pending.size();
        for (size_t r = 0; r < levelSize; ++r) {
            Range range = pending.front();
            pending.pop_front();
            size_t i = range.begin;
            // Skip the word that ends at this node (it sorts first among its range).
            while (i < range.end && entries[i].text->size() == depth) {
                ++i;
            }
            uint32_t first = static_cast<uint32_t>(pool->size());
            while (i < range.end) {
                uint8_t c = static_cast<uint8_t>((*entries[i].text)[depth]);
                size_t j = i;
                Node node;
                node.c = c;
                while (j < range.end && static_cast<uint8_t>((*entries[j].text)[depth]) == c) {
                    if (entries[j].text->size() == depth + 1) {
                        node.terminal = true;
                        node.refs = entries[j].refs;
                        node.entry = j;
                    }
                    ++j;
                }
                uint32_t id = static_cast<uint32_t>(pool->size());
                pool->push_back(node);
                pending.push_back({id, i, j});
                i = j;
            }
            (*pool)[range.node].firstChild = pool->size() > first ? first : 0;
            (*pool)[range.node].childCount = static_cast<uint32_t>(pool->size()) - first;
        }
        ++depth;
    }
}

// Gives the list of count nodes starting at pool id first its array indexes from *next, each
// node followed by its entry references, then places the nodes' child lists after it in
// order, depth first. A list's subtree thus lies right after it, so a walk of the whole trie
// reads the array almost in sequence.
void PlaceList(std::vector<Node>* pool, uint32_t first, uint32_t count, uint32_t* next) {
    for (uint32_t id = first; id < first + count; ++id) {
        Node& node = (*pool)[id];
        node.index = (*next)++;
        if (node.refs != nullptr) {
            *next += static_cast<uint32_t>(node.refs->size());
        }
    }
    for (uint32_t id = first; id < first + count; ++id) {
        const Node& node = (*pool)[id];
        if (node.childCount != 0) {
            PlaceList(pool, node.firstChild, node.childCount, next);
        }
    }
}

}  // namespace

bool CTrieLayout::Build(const std::vector<Entry>& entries, std::vector<uint8_t>* out,
                        uint32_t* arrayWords, std::string* error, std::vector<uint32_t>* numbers) {
    std::vector<Node> pool;
    BuildTree(entries, &pool);
    uint32_t next = 1;
    if (pool[0].childCount != 0) {
        PlaceList(&pool, pool[0].firstChild, pool[0].childCount, &next);
    }
    uint32_t count = next - 1;
    std::vector<uint32_t> array(count, 0);
    for (size_t id = 1; id < pool.size(); ++id) {
        const Node& node = pool[id];
        uint32_t child = node.firstChild != 0 ? pool[node.firstChild].index : 0;
        if (child > lcv::kMaxChildIndex) {
            *error = "trie child index passes the 2^22 limit";
            return false;
        }
        array[node.index - 1] = lcv::MakeNode(node.c, node.terminal, false, child);
        if (node.refs != nullptr) {
            std::copy(node.refs->begin(), node.refs->end(), array.begin() + node.index);
        }
    }
    // Mark each list's last node: walk every parent's child run.
    for (const Node& parent : pool) {
        if (parent.childCount != 0) {
            uint32_t lastId = parent.firstChild + parent.childCount - 1;
            array[pool[lastId].index - 1] |= lcv::kNodeLastSibling;
        }
    }
    if (numbers != nullptr) {
        numbers->assign(entries.size(), 0);
        for (const Node& node : pool) {
            if (node.terminal) {
                (*numbers)[node.entry] = node.index;
            }
        }
    }
    size_t at = out->size();
    out->resize(at + 4 * (size_t{count} + 2));
    uint8_t* p = out->data() + at;
    lcv::EncodeFixed32(p, count);
    for (uint32_t k = 0; k < count; ++k) {
        lcv::EncodeFixed32(p + 4 * (k + 1), array[k]);
    }
    lcv::EncodeFixed32(p + 4 * (size_t{count} + 1), lcv::kTrieTrailer);
    *arrayWords = count;
    return true;
}
