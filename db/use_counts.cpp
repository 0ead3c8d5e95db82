#include "db/use_counts.h"

#include "db/data_file.h"
#include "db/format.h"

bool CUseCounts::Load(CDataFile* file, uint32_t offset, uint32_t length) {
    pairs_ = nullptr;
    count_ = 0;
    copy_.clear();
    uint8_t raw[4];
    if (length < 4 || file->ReadAt(offset, 4, raw) != 4) {
        return false;
    }
    uint64_t count = lcv::DecodeFixed32(raw);
    if (4 + count * lcv::kUseCountPairSize != length) {
        return false;
    }
    // Pairs are read in place from the mapped file; only a file read through pread is copied.
    uint64_t mapLength = 0;
    const uint8_t* map = file->MappedView(&mapLength);
    const uint8_t* pairs = nullptr;
    if (map != nullptr && uint64_t{offset} + length <= mapLength) {
        pairs = map + offset + 4;
    } else {
        copy_.resize(length - 4);
        if (!copy_.empty() && file->ReadAt(offset + 4, static_cast<uint32_t>(copy_.size()),
                                           copy_.data()) != static_cast<int>(copy_.size())) {
            copy_.clear();
            return false;
        }
        pairs = copy_.data();
    }
    for (size_t i = 1; i < count; ++i) {
        if (NumberAt(pairs, i) <= NumberAt(pairs, i - 1)) {
            copy_.clear();
            return false;
        }
    }
    pairs_ = copy_.empty() ? pairs : nullptr;
    count_ = count;
    return true;
}

uint32_t CUseCounts::NumberAt(const uint8_t* pairs, size_t i) {
    return lcv::DecodeFixed32(pairs + i * lcv::kUseCountPairSize);
}

uint32_t CUseCounts::Count(uint32_t number) const {
    const uint8_t* pairs = copy_.empty() ? pairs_ : copy_.data();
    size_t low = 0;
    size_t high = count_;
    while (low < high) {
        size_t middle = low + (high - low) / 2;
        if (NumberAt(pairs, middle) < number) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    if (low == count_ || NumberAt(pairs, low) != number) {
        return 0;
    }
    return lcv::DecodeFixed32(pairs + low * lcv::kUseCountPairSize + 4);
}
