#include "speech/engine/wave_file_writer.h"

#include <array>
#include <cstring>

namespace {

constexpr uint32_t kHeaderSize = 44;
constexpr uint16_t kChannels = 1;
constexpr uint16_t kBitsPerSample = 16;
constexpr uint16_t kBytesPerSample = kBitsPerSample / 8;

void Put16(uint8_t* out, uint16_t value) {
    out[0] = static_cast<uint8_t>(value);
    out[1] = static_cast<uint8_t>(value >> 8);
}

void Put32(uint8_t* out, uint32_t value) {
    Put16(out, static_cast<uint16_t>(value));
    Put16(out + 2, static_cast<uint16_t>(value >> 16));
}

}  // namespace

CWaveFileWriter::~CWaveFileWriter() {
    Close();
}

bool CWaveFileWriter::Open(const char* path, int sampleRate) {
    Close();
    file_ = std::fopen(path, "wb");
    sampleRate_ = sampleRate;
    samples_ = 0;
    failed_ = file_ == nullptr;
    return !failed_ && WriteHeader();
}

bool CWaveFileWriter::WriteHeader() {
    const auto dataBytes = static_cast<uint32_t>(samples_ * kBytesPerSample);
    const auto rate = static_cast<uint32_t>(sampleRate_);
    std::array<uint8_t, kHeaderSize> header{};
    std::memcpy(&header[0], "RIFF", 4);
    std::memcpy(&header[8], "WAVEfmt ", 8);
    std::memcpy(&header[36], "data", 4);
    Put32(&header[4], kHeaderSize - 8 + dataBytes);
    Put32(&header[16], 16);  // size of the format chunk
    Put16(&header[20], 1);   // PCM
    Put16(&header[22], kChannels);
    Put32(&header[24], rate);
    Put32(&header[28], rate * kChannels * kBytesPerSample);
    Put16(&header[32], kChannels * kBytesPerSample);
    Put16(&header[34], kBitsPerSample);
    Put32(&header[40], dataBytes);
    failed_ = failed_ || std::fseek(file_, 0, SEEK_SET) != 0 ||
              std::fwrite(header.data(), 1, header.size(), file_) != header.size();
    return !failed_;
}

bool CWaveFileWriter::Write(const int16_t* samples, size_t count) {
    if (file_ == nullptr || failed_) {
        return false;
    }
    // Little-endian 16-bit samples, whatever the machine's byte order.
    for (size_t i = 0; i < count && !failed_; ++i) {
        uint8_t bytes[kBytesPerSample];
        Put16(bytes, static_cast<uint16_t>(samples[i]));
        failed_ = std::fwrite(bytes, 1, sizeof(bytes), file_) != sizeof(bytes);
    }
    samples_ += count;
    // Each piece reaches the file as it is synthesised, for a player that reads along.
    failed_ = failed_ || std::fflush(file_) != 0;
    return !failed_;
}

bool CWaveFileWriter::Close() {
    if (file_ == nullptr) {
        return false;
    }
    WriteHeader();
    failed_ = std::fclose(file_) != 0 || failed_;
    file_ = nullptr;
    return !failed_;
}
