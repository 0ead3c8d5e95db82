// Linked into every window test program. Qt needs a runtime folder; where XDG_RUNTIME_DIR is
// not set (no one logged in, as in CI) it makes "runtime-<user>" in $TMPDIR and leaves it
// there. So a window test program without one gets a private runtime folder for its run,
// made before main() starts Qt and removed, with anything in it, when the program ends.

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

class CPrivateRuntimeFolder {
  public:
    CPrivateRuntimeFolder() {
        if (std::getenv("XDG_RUNTIME_DIR") != nullptr) {
            return;
        }
        // Under /tmp, short: socket paths inside it must stay within 108 bytes.
        char pattern[] = "/tmp/lexicove-run-XXXXXX";
        if (mkdtemp(pattern) != nullptr) {
            path_ = pattern;
            setenv("XDG_RUNTIME_DIR", pattern, 1);
        }
    }
    ~CPrivateRuntimeFolder() {
        if (!path_.empty()) {
            std::error_code error;
            std::filesystem::remove_all(path_, error);
        }
    }
    CPrivateRuntimeFolder(const CPrivateRuntimeFolder&) = delete;
    CPrivateRuntimeFolder& operator=(const CPrivateRuntimeFolder&) = delete;

  private:
    std::string path_;
};

const CPrivateRuntimeFolder g_runtimeFolder;

}  // namespace
