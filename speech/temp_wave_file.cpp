#include "speech/temp_wave_file.h"

#include <unistd.h>
#include <cstdlib>

namespace {

constexpr char kPattern[] = "TTS_XXXXXX.wav";
constexpr int kSuffixLength = 4;  // ".wav"

std::string TempFolder() {
    const char* folder = std::getenv("TMPDIR");
    std::string path = folder != nullptr && folder[0] != '\0' ? folder : "/tmp";
    if (path.back() != '/') {
        path += '/';
    }
    return path;
}

}  // namespace

CTempWaveFile::~CTempWaveFile() {
    if (!path_.empty()) {
        unlink(path_.c_str());
    }
}

bool CTempWaveFile::Create() {
    std::string path = TempFolder() + kPattern;
    const int fd = mkstemps(path.data(), kSuffixLength);
    if (fd < 0) {
        return false;
    }
    close(fd);
    path_ = std::move(path);
    return true;
}
