#pragma once

// CBlockStore: the text stream of the database, stored as zlib blocks of 4096 inflated
// bytes, inflated with libdeflate (whole-buffer, about twice zlib's speed on these blocks;
// the bytes are plain zlib streams either way). It keeps one decompressed window; a field that runs
// across a block boundary is served whole because the next block is appended to the window instead
// of replacing it. The blocks inflated last are kept besides (CBlockCache): a page's records jump
// between a few blocks, and copying a kept block into the window costs a fraction of inflating it
// again. Not thread-safe: the main thread alone uses it.

#include <cstdint>
#include <cstdlib>
#include <memory>

#include "db/block_cache.h"

class CDataFile;
struct libdeflate_decompressor;

class CBlockStore {
  public:
    // Reads the block directory at directoryOffset; block offsets count from dataBase. An
    // unreadable directory, or one whose count the file cannot hold, leaves no blocks.
    CBlockStore(CDataFile* file, uint32_t directoryOffset, uint32_t dataBase);
    virtual ~CBlockStore() = default;
    CBlockStore(const CBlockStore&) = delete;
    CBlockStore& operator=(const CBlockStore&) = delete;

    // The byte at a record position; 0 when its block cannot be loaded or the position lies
    // past the end of the stream.
    uint8_t ReadByte(uint32_t position, bool append) {
        uint32_t offset = position - windowStart_;
        if (position >= windowStart_ && offset < windowLength_) {
            return window_.get()[offset];
        }
        return ReadByteSlow(position, append);
    }

    // The field at a record position: a pointer into the window and its length, without the
    // LF, CR or FF that ends it (readable at pointer[length]). Null when the field cannot be
    // read or meets a 0 byte first. Valid until the next call on this store.
    const char* ReadRecord(uint32_t position, uint32_t* length);

    // Loads the block holding position: in replace mode it becomes the whole window; in
    // append mode it must be the block right after the window and is added to it.
    bool LoadBlock(uint32_t position, bool append);

    uint32_t BlockCount() const { return blockCount_; }
    uint32_t WindowStart() const { return windowStart_; }
    uint32_t WindowLength() const { return windowLength_; }
    // Number of blocks inflated so far, not counting those copied from the kept blocks (for
    // measuring the text stream's locality and the cache).
    uint64_t InflateCount() const { return inflateCount_; }

  private:
    struct FreeDeleter {
        void operator()(uint8_t* p) const { std::free(p); }
    };
    struct DecompressorDeleter {
        void operator()(libdeflate_decompressor* d) const;
    };

    uint8_t ReadByteSlow(uint32_t position, bool append);
    bool ReserveWindow(uint32_t capacity, bool keep);
    // Writes block k, stored as the compressed bytes, to out (room for one block): from the
    // kept blocks when they hold it, else by inflating. False when the bytes do not inflate.
    bool FillBlock(uint32_t k, const uint8_t* compressed, uint32_t length, uint8_t* out,
                   uint32_t* inflatedLength);
    uint32_t BlockStart(uint32_t k) const { return k == 0 ? 0 : directory_[k - 1]; }

    CDataFile* file_;
    uint32_t dataBase_;
    uint32_t blockCount_ = 0;
    std::unique_ptr<uint32_t[]> directory_;
    std::unique_ptr<uint8_t, FreeDeleter> window_;
    uint32_t capacity_ = 0;
    uint32_t windowStart_ = 0;
    uint32_t windowLength_ = 0;
    uint64_t inflateCount_ = 0;
    CBlockCache cache_;
    // Made on the first inflation; null when it cannot be allocated (no block then loads).
    std::unique_ptr<libdeflate_decompressor, DecompressorDeleter> decompressor_;
};
