#pragma once

// CTempWaveFile: a new, uniquely named temporary wave file "TTS_XXXXXX.wav" in the temporary
// folder ($TMPDIR, else /tmp). Create makes the empty file; the file is deleted when the
// object goes, whatever happened to it in between, so no temporary file is left behind.

#include <string>

class CTempWaveFile {
  public:
    CTempWaveFile() = default;
    virtual ~CTempWaveFile();
    CTempWaveFile(const CTempWaveFile&) = delete;
    CTempWaveFile& operator=(const CTempWaveFile&) = delete;

    // Creates the file; false when the temporary folder has no room or cannot be written.
    bool Create();

    // The file's full path; empty before a successful Create.
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
};
