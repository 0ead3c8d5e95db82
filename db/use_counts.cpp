#include "db/use_counts.h"

#include <algorithm>

#include "db/data_file.h"
#include "db/format.h"

bool CUseCounts::Load(CDataFile* file, uint32_t offset, uint32_t length) {
    pairs_.clear();
    uint8_t raw[4];
    if (length < 4 || file->ReadAt(offset, 4, raw) != 4) {
        return false;
    }
    uint64_t count = lcv::DecodeFixed32(raw);
    if (4 + count * lcv::kUseCountPairSize != length) {
        return false;
    }
    std::vector<uint8_t> bytes(length - 4);
    if (!bytes.empty() && file->ReadAt(offset + 4, static_cast<uint32_t>(bytes.size()),
                                       bytes.data()) != static_cast<int>(bytes.size())) {
        return false;
    }
    std::vector<Pair> pairs(count);
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* p = bytes.data() + i * lcv::kUseCountPairSize;
        pairs[i] = {lcv::DecodeFixed32(p), lcv::DecodeFixed32(p + 4)};
        if (i > 0 && pairs[i].number <= pairs[i - 1].number) {
            return false;
        }
    }
    pairs_ = std::move(pairs);
    return true;
}

uint32_t CUseCounts::Count(uint32_t number) const {
    auto it = std::lower_bound(pairs_.begin(), pairs_.end(), number,
                               [](const Pair& p, uint32_t n) { return p.number < n; });
    return it != pairs_.end() && it->number == number ? it->count : 0;
}
