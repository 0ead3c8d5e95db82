#pragma once

// CTextBuffer: a growable, NUL-terminated 8-bit string, used by the entry renderer for its
// working text and by the render worker for the page it builds.
//
// Growth: Ensure(n) keeps 3 bytes of slack beyond length + n; when that does not fit, the
// block is replaced by one of length + n + 256 bytes, so a page built from many small pieces
// reallocates only every 256 bytes or so.
//
// Memory: when a block cannot be had, the operation that needed it changes nothing and
// returns false; the text that did not fit is lost, and the buffer stays a valid string.
// Data() is a NUL-terminated string at every moment, also before anything was allocated.
//
// Not thread-safe: one thread at a time (the render worker hands its page to another thread
// only while it modifies nothing).

#include <cstddef>
#include <memory>

class CTextBuffer {
  public:
    // Empty: no block, capacity 0, length 0.
    CTextBuffer();
    // With a reserve: capacity 66 when reserve < 64, else reserve + 3, holding an empty
    // string. If the block cannot be allocated the buffer is as the empty constructor's.
    explicit CTextBuffer(size_t reserve);
    // The same, with a byte ceiling set before the first block (see SetByteCeiling).
    CTextBuffer(size_t reserve, size_t byteCeiling);
    virtual ~CTextBuffer();
    CTextBuffer(const CTextBuffer&) = delete;
    CTextBuffer& operator=(const CTextBuffer&) = delete;

    // Makes room for n more bytes after the text. True when capacity >= length + n + 3
    // already, or when a new block of length + n + 256 bytes replaced the old one; false,
    // with nothing changed, when that block cannot be allocated.
    bool Ensure(size_t n);

    // Appends n bytes (which may lie inside this buffer's own text) and the NUL. False, with
    // the text unchanged, when the buffer cannot grow. A null text counts as empty.
    bool Append(const char* bytes, size_t n);
    bool Append(const char* text);

    // Replaces the text. When the buffer cannot grow the text becomes empty and the result
    // is false.
    bool Assign(const char* text);

    // Converts the ASCII letters A-Z of the text to a-z in place; other bytes stay.
    void ToLower();
    // Fills every byte from the length up to the capacity with 0.
    void ZeroTail();
    // Length 0 and an empty string; the block and the capacity stay.
    void Reset();

    // The text, NUL-terminated and never null: an empty string when no block exists. The
    // writable form lets a caller cut the text into pieces in place (a NUL put in and taken
    // out again); bytes past Capacity() are not the buffer's.
    const char* Data() const { return data_ ? data_.get() : &emptyText_; }
    char* Data() { return data_ ? data_.get() : &emptyText_; }
    size_t Length() const { return length_; }
    size_t Capacity() const { return capacity_; }

    // Blocks larger than this many bytes are refused as if memory had run out. The default
    // is no ceiling; tests set one to reach the out-of-memory path.
    void SetByteCeiling(size_t ceiling) { byteCeiling_ = ceiling; }

  private:
    std::unique_ptr<char[]> Allocate(size_t bytes) const;

    std::unique_ptr<char[]> data_;
    size_t capacity_ = 0;
    size_t length_ = 0;
    size_t byteCeiling_ = static_cast<size_t>(-1);
    char emptyText_ = '\0';  // what Data() shows before there is a block
};
