#include "db/block_store.h"

#include <libdeflate.h>

#include <cstring>
#include <new>
#include <vector>

#include "db/data_file.h"
#include "db/format.h"

CBlockStore::CBlockStore(CDataFile* file, uint32_t directoryOffset, uint32_t dataBase)
    : file_(file), dataBase_(dataBase) {
    uint8_t raw[4];
    if (file_->ReadAt(directoryOffset, 4, raw) != 4) {
        return;
    }
    uint32_t count = lcv::DecodeFixed32(raw);
    if (count == 0) {
        return;
    }
    // The directory must fit in the file, and every block takes at least one byte, so a
    // count the file cannot hold is damage: refuse it before allocating anything.
    uint64_t size = file_->Size();
    uint64_t entriesEnd = uint64_t{directoryOffset} + 4 + uint64_t{count} * 4;
    if (entriesEnd > size || count > lcv::kMaxTextStream / lcv::kBlockSize ||
        uint64_t{count} > size) {
        return;
    }
    std::unique_ptr<uint32_t[]> entries(new (std::nothrow) uint32_t[count]);
    if (!entries) {
        return;
    }
    std::vector<uint8_t> bytes(size_t{count} * 4);
    if (file_->ReadAt(directoryOffset + 4, count * 4, bytes.data()) !=
        static_cast<int>(count * 4)) {
        return;
    }
    for (uint32_t k = 0; k < count; ++k) {
        entries[k] = lcv::DecodeFixed32(&bytes[size_t{k} * 4]);
    }
    directory_ = std::move(entries);
    blockCount_ = count;
}

bool CBlockStore::ReserveWindow(uint32_t capacity, bool keep) {
    if (capacity <= capacity_) {
        return true;
    }
    uint8_t* grown = keep ? static_cast<uint8_t*>(std::realloc(window_.get(), capacity))
                          : static_cast<uint8_t*>(std::malloc(capacity));
    if (grown == nullptr) {
        return false;
    }
    if (keep) {
        (void)window_.release();  // realloc took the old buffer over
    }
    window_.reset(grown);
    capacity_ = capacity;
    return true;
}

bool CBlockStore::LoadBlock(uint32_t position, bool append) {
    if (position >= windowStart_ && position - windowStart_ < windowLength_) {
        return true;
    }
    uint32_t k = position >> lcv::kBlockShift;
    if (k >= blockCount_ || (append && (position & (lcv::kBlockSize - 1)) != 0)) {
        return false;
    }
    // In append mode the block must follow the window directly, or the window would hold a
    // gap and serve wrong bytes.
    if (append && windowLength_ != 0 && windowStart_ + windowLength_ != position) {
        return false;
    }
    uint32_t start = BlockStart(k);
    uint32_t end = directory_[k];
    if (end < start || end - start > lcv::kMaxCompressedBlock) {
        return false;  // a negative or huge length is a damaged directory
    }
    uint32_t length = end - start;
    uint64_t from = uint64_t{dataBase_} + start;
    if (from + length > file_->Size()) {
        return false;
    }
    uint8_t compressed[lcv::kMaxCompressedBlock];
    if (file_->ReadAt(static_cast<uint32_t>(from), length, compressed) !=
        static_cast<int>(length)) {
        return false;
    }
    uint32_t at = 0;
    if (append && windowLength_ != 0) {
        if (!ReserveWindow(windowLength_ + lcv::kBlockSize, true)) {
            return false;
        }
        at = windowLength_;
    } else {
        windowStart_ = 0;
        windowLength_ = 0;
        if (!ReserveWindow(lcv::kBlockSize, false)) {
            return false;
        }
    }
    uint32_t inflatedLength = 0;
    if (!FillBlock(k, compressed, length, window_.get() + at, &inflatedLength)) {
        if (at == 0) {
            windowLength_ = 0;
        }
        return false;
    }
    if (at == 0) {
        windowStart_ = k << lcv::kBlockShift;
        windowLength_ = inflatedLength;
    } else {
        windowLength_ += inflatedLength;
    }
    return true;
}

void CBlockStore::DecompressorDeleter::operator()(libdeflate_decompressor* d) const {
    libdeflate_free_decompressor(d);
}

bool CBlockStore::FillBlock(uint32_t k, const uint8_t* compressed, uint32_t length, uint8_t* out,
                            uint32_t* inflatedLength) {
    if (const uint8_t* kept = cache_.Find(k, compressed, length, inflatedLength)) {
        std::memcpy(out, kept, *inflatedLength);
        return true;
    }
    if (!decompressor_) {
        decompressor_.reset(libdeflate_alloc_decompressor());
        if (!decompressor_) {
            return false;
        }
    }
    size_t inflated = 0;
    ++inflateCount_;
    if (libdeflate_zlib_decompress(decompressor_.get(), compressed, length, out, lcv::kBlockSize,
                                   &inflated) != LIBDEFLATE_SUCCESS) {
        return false;
    }
    *inflatedLength = static_cast<uint32_t>(inflated);
    cache_.Keep(k, compressed, length, out, *inflatedLength);
    return true;
}

uint8_t CBlockStore::ReadByteSlow(uint32_t position, bool append) {
    if (!LoadBlock(position, append)) {
        return 0;
    }
    uint32_t offset = position - windowStart_;
    if (position >= windowStart_ && offset < windowLength_) {
        return window_.get()[offset];
    }
    return 0;  // past the end of a short last block
}

const char* CBlockStore::ReadRecord(uint32_t position, uint32_t* length) {
    if (ReadByte(position, false) == 0) {
        return nullptr;
    }
    for (uint32_t p = position;; ++p) {
        uint8_t b = ReadByte(p, true);
        if (b == 0) {
            return nullptr;
        }
        if (lcv::IsFieldEnd(b)) {
            *length = p - position;
            return reinterpret_cast<const char*>(window_.get() + (position - windowStart_));
        }
    }
}
