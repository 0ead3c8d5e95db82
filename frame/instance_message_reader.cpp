#include "frame/instance_message_reader.h"

#include <cstring>
#include <iterator>

namespace {

uint32_t ReadU32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

void AppendU32(uint32_t value, std::vector<uint8_t>* out) {
    for (int shift = 0; shift < 32; shift += 8) {
        out->push_back(static_cast<uint8_t>(value >> shift));
    }
}

void AppendMark(std::vector<uint8_t>* out) {
    out->insert(out->end(), std::begin(INSTANCE_MESSAGE_MARK), std::end(INSTANCE_MESSAGE_MARK));
}

bool HasMark(const uint8_t* p) {
    return std::memcmp(p, INSTANCE_MESSAGE_MARK, sizeof INSTANCE_MESSAGE_MARK) == 0;
}

// The whole size of the message whose header starts at p.
size_t MessageSize(const uint8_t* p) {
    return INSTANCE_HEADER_SIZE + size_t{ReadU32(p + 8)} * 2;
}

}  // namespace

std::vector<uint8_t> EncodeInstanceMessage(int32_t code, std::u16string_view text) {
    std::vector<uint8_t> out;
    out.reserve(INSTANCE_HEADER_SIZE + text.size() * 2);
    AppendMark(&out);
    AppendU32(static_cast<uint32_t>(code), &out);
    AppendU32(static_cast<uint32_t>(text.size()), &out);
    for (char16_t unit : text) {
        out.push_back(static_cast<uint8_t>(unit));
        out.push_back(static_cast<uint8_t>(unit >> 8));
    }
    return out;
}

std::vector<uint8_t> EncodeInstanceReply(int32_t result) {
    std::vector<uint8_t> out;
    AppendMark(&out);
    AppendU32(static_cast<uint32_t>(result), &out);
    return out;
}

bool DecodeInstanceReply(const uint8_t* bytes, size_t size, int32_t* result) {
    if (size != INSTANCE_REPLY_SIZE || !HasMark(bytes)) {
        return false;
    }
    *result = static_cast<int32_t>(ReadU32(bytes + 4));
    return true;
}

void CInstanceMessageReader::Append(const uint8_t* bytes, size_t size) {
    if (refused_) {
        return;
    }
    buffer_.insert(buffer_.end(), bytes, bytes + size);
    // Every header that has arrived is judged now, also those behind a message not yet taken,
    // so the buffer never holds more than the messages a well-behaved peer sends.
    while (checked_ + INSTANCE_HEADER_SIZE <= buffer_.size()) {
        const uint8_t* header = buffer_.data() + checked_;
        if (!HasMark(header) || ReadU32(header + 8) > INSTANCE_MAX_TEXT_UNITS) {
            // The whole messages before the bad bytes still count, however the bytes came.
            refused_ = true;
            buffer_.resize(checked_);
            buffer_.shrink_to_fit();
            return;
        }
        checked_ += MessageSize(header);
    }
}

CInstanceMessageReader::Status CInstanceMessageReader::Next(CInstanceMessage* message) {
    const Status waiting = refused_ ? READER_REFUSED : READER_NEED_MORE;
    if (buffer_.size() < INSTANCE_HEADER_SIZE) {
        return waiting;
    }
    const size_t size = MessageSize(buffer_.data());
    if (buffer_.size() < size) {
        return waiting;
    }
    message->code = static_cast<int32_t>(ReadU32(buffer_.data() + 4));
    message->text.resize((size - INSTANCE_HEADER_SIZE) / 2);
    const uint8_t* units = buffer_.data() + INSTANCE_HEADER_SIZE;
    for (size_t i = 0; i < message->text.size(); ++i) {
        message->text[i] = static_cast<char16_t>(units[2 * i] | units[2 * i + 1] << 8);
    }
    buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(size));
    checked_ -= size;
    return READER_MESSAGE;
}
