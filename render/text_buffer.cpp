#include "render/text_buffer.h"

#include <cstring>
#include <new>

namespace {

constexpr size_t kSmallReserve = 64;
constexpr size_t kSmallCapacity = 66;
constexpr size_t kSlack = 3;     // bytes kept free beyond the text and what is to come
constexpr size_t kGrowth = 256;  // extra bytes taken each time the block is replaced
constexpr size_t kMaxSize = static_cast<size_t>(-1);

}  // namespace

CTextBuffer::CTextBuffer() = default;

CTextBuffer::CTextBuffer(size_t reserve) : CTextBuffer(reserve, kMaxSize) {}

CTextBuffer::CTextBuffer(size_t reserve, size_t byteCeiling) : byteCeiling_(byteCeiling) {
    if (reserve > kMaxSize - kSlack) {
        return;
    }
    size_t capacity = reserve < kSmallReserve ? kSmallCapacity : reserve + kSlack;
    data_ = Allocate(capacity);
    if (data_) {
        data_[0] = '\0';
        capacity_ = capacity;
    }
}

CTextBuffer::~CTextBuffer() = default;

std::unique_ptr<char[]> CTextBuffer::Allocate(size_t bytes) const {
    if (bytes > byteCeiling_) {
        return nullptr;
    }
    return std::unique_ptr<char[]>(new (std::nothrow) char[bytes]);
}

bool CTextBuffer::Ensure(size_t n) {
    if (n > kMaxSize - length_ - kGrowth) {
        return false;  // the size would not even be representable
    }
    size_t needed = length_ + n;
    if (capacity_ >= needed + kSlack) {
        return true;
    }
    std::unique_ptr<char[]> block = Allocate(needed + kGrowth);
    if (!block) {
        return false;
    }
    if (length_ > 0) {
        std::memcpy(block.get(), data_.get(), length_);
    }
    block[length_] = '\0';
    data_ = std::move(block);
    capacity_ = needed + kGrowth;
    return true;
}

bool CTextBuffer::Append(const char* bytes, size_t n) {
    if (bytes == nullptr || n == 0) {
        return true;
    }
    // The bytes may be part of our own text, which Ensure may move to a new block.
    const char* old = data_.get();
    bool inside = old != nullptr && bytes >= old && bytes < old + capacity_;
    size_t offset = inside ? static_cast<size_t>(bytes - old) : 0;
    if (!Ensure(n)) {
        return false;
    }
    const char* source = inside ? data_.get() + offset : bytes;
    std::memmove(data_.get() + length_, source, n);
    length_ += n;
    data_[length_] = '\0';
    return true;
}

bool CTextBuffer::Append(const char* text) {
    return text == nullptr ? true : Append(text, std::strlen(text));
}

bool CTextBuffer::Assign(const char* text) {
    if (text != nullptr && data_ && text >= data_.get() && text < data_.get() + capacity_) {
        // Assigning a part of our own text: move it to the front.
        size_t n = std::strlen(text);
        std::memmove(data_.get(), text, n + 1);
        length_ = n;
        return true;
    }
    Reset();
    return Append(text);
}

void CTextBuffer::ToLower() {
    for (size_t i = 0; i < length_; ++i) {
        char c = data_[i];
        if (c >= 'A' && c <= 'Z') {
            data_[i] = static_cast<char>(c - 'A' + 'a');
        }
    }
}

void CTextBuffer::ZeroTail() {
    if (data_) {
        std::memset(data_.get() + length_, 0, capacity_ - length_);
    }
}

void CTextBuffer::Reset() {
    length_ = 0;
    if (data_) {
        data_[0] = '\0';
    }
}
