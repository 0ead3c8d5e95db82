#include "db/block_cache.h"

#include <cstring>
#include <new>

const uint8_t* CBlockCache::Find(uint32_t k, const uint8_t* compressed, uint32_t length,
                                 uint32_t* inflatedLength) {
    for (Slot& slot : slots_) {
        if (slot.lastUse != 0 && slot.block == k && slot.compressedLength == length &&
            std::memcmp(slot.bytes.get() + lcv::kBlockSize, compressed, length) == 0) {
            slot.lastUse = ++clock_;
            *inflatedLength = slot.inflatedLength;
            return slot.bytes.get();
        }
    }
    return nullptr;
}

CBlockCache::Slot& CBlockCache::Victim(uint32_t k) {
    Slot* victim = &slots_[0];
    for (Slot& slot : slots_) {
        if (slot.lastUse != 0 && slot.block == k) {
            return slot;  // an older copy of the same block, from bytes the file no longer holds
        }
        if (slot.lastUse < victim->lastUse) {
            victim = &slot;
        }
    }
    return *victim;
}

void CBlockCache::Keep(uint32_t k, const uint8_t* compressed, uint32_t length,
                       const uint8_t* inflated, uint32_t inflatedLength) {
    if (length > lcv::kMaxCompressedBlock || inflatedLength > lcv::kBlockSize) {
        return;
    }
    Slot& slot = Victim(k);
    const uint32_t needed = lcv::kBlockSize + length;
    if (slot.capacity < needed) {
        std::unique_ptr<uint8_t[]> grown(new (std::nothrow) uint8_t[needed]);
        if (!grown) {
            return;
        }
        slot.bytes = std::move(grown);
        slot.capacity = needed;
    }
    std::memcpy(slot.bytes.get(), inflated, inflatedLength);
    std::memcpy(slot.bytes.get() + lcv::kBlockSize, compressed, length);
    slot.block = k;
    slot.compressedLength = length;
    slot.inflatedLength = inflatedLength;
    slot.lastUse = ++clock_;
}
