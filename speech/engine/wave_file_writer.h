#pragma once

// CWaveFileWriter: writes a RIFF WAVE file of 16-bit mono PCM samples as they arrive. Open
// writes the header with zero sizes; Close fills in the sizes.

#include <cstddef>
#include <cstdint>
#include <cstdio>

class CWaveFileWriter {
  public:
    CWaveFileWriter() = default;
    virtual ~CWaveFileWriter();
    CWaveFileWriter(const CWaveFileWriter&) = delete;
    CWaveFileWriter& operator=(const CWaveFileWriter&) = delete;

    // Creates (or empties) the file and writes the header. False when it cannot be written.
    bool Open(const char* path, int sampleRate);
    // Appends samples; false once a write has failed.
    bool Write(const int16_t* samples, size_t count);
    // Completes the header and closes the file; false when any write failed.
    bool Close();

    size_t SampleCount() const { return samples_; }

  private:
    bool WriteHeader();

    FILE* file_ = nullptr;
    int sampleRate_ = 0;
    size_t samples_ = 0;
    bool failed_ = false;
};
