#pragma once

// The messages a second start of the program, `lexicove --lookup`, or the word-picker tool send
// to the running program over its local socket, in the manner of a WM_COPYDATA message: a
// request code and a UTF-16 text. Byte by byte, all integers little-endian:
//
//   offset size
//        0    4  mark "LXQ1" (the bytes 0x4C 0x58 0x51 0x31)
//        4    4  request code, signed 32-bit
//        8    4  text length in UTF-16 units, unsigned, at most INSTANCE_MAX_TEXT_UNITS
//       12  2*n  the text's units
//
// The running program answers each message with a reply: the mark, then the request's result
// as a signed 32-bit integer. A connection may carry several messages, one after another.
//
// CInstanceMessageReader takes the bytes of one connection as they arrive, in pieces of any
// size, and gives back each complete message. A wrong mark (a stranger on the socket) or a
// length over the limit makes it refuse the connection for good, before any of the oversized
// text is kept, so a peer cannot make the program hold more than one message's worth; the
// whole messages that came before the bad bytes are still given back first.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

inline constexpr uint8_t INSTANCE_MESSAGE_MARK[4] = {0x4C, 0x58, 0x51, 0x31};
inline constexpr size_t INSTANCE_HEADER_SIZE = 12;
inline constexpr size_t INSTANCE_REPLY_SIZE = 8;
// 64 KiB of text; a word to look up is far shorter.
inline constexpr uint32_t INSTANCE_MAX_TEXT_UNITS = 32768;

struct CInstanceMessage {
    int32_t code = 0;
    std::u16string text;
};

// The bytes of a message; the text must not be longer than INSTANCE_MAX_TEXT_UNITS.
std::vector<uint8_t> EncodeInstanceMessage(int32_t code, std::u16string_view text);
// The bytes of a reply.
std::vector<uint8_t> EncodeInstanceReply(int32_t result);
// Reads a reply; false when the bytes are not one.
bool DecodeInstanceReply(const uint8_t* bytes, size_t size, int32_t* result);

class CInstanceMessageReader {
  public:
    enum Status {
        READER_NEED_MORE,  // no complete message yet
        READER_MESSAGE,    // *message holds the next one
        READER_REFUSED,    // the rest is not our messages; drop the connection
    };

    // Adds bytes received on the connection. Ignored once bad bytes have been seen.
    void Append(const uint8_t* bytes, size_t size);

    // Takes the next complete message out of what has arrived.
    Status Next(CInstanceMessage* message);

  private:
    std::vector<uint8_t> buffer_;  // the bytes not yet taken, from a message's start
    size_t checked_ = 0;           // where in buffer_ the next header to judge starts
    bool refused_ = false;
};
