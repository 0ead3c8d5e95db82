#include "app/program_folder.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace {

// The variable's value, or empty when it is unset or empty.
std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

std::string HomeFolder() {
    std::string home = Env("HOME");
    if (!home.empty()) {
        return home;
    }
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
        found != nullptr && found->pw_dir != nullptr) {
        return found->pw_dir;
    }
    return "/";
}

// Creates each missing folder along path, like mkdir -p.
void MakeFolders(const std::string& path) {
    for (size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        std::string part = path.substr(0, slash);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            return;
        }
    }
}

}  // namespace

std::string ResolveProgramFolder() {
    std::string folder = Env("LEXICOVE_HOME");
    if (folder.empty()) {
        // A relative XDG_DATA_HOME is invalid and ignored, as XDG tools do.
        std::string data = Env("XDG_DATA_HOME");
        if (data.empty() || data.front() != '/') {
            data = HomeFolder() + "/.local/share";
        }
        folder = data + "/Lexicove";
    }
    std::error_code ec;
    std::filesystem::path absolute = std::filesystem::absolute(folder, ec);
    if (!ec) {
        folder = absolute.lexically_normal().string();
    }
    if (folder.empty() || folder.back() != '/') {
        folder += '/';
    }
    MakeFolders(folder);
    return folder;
}

const std::string& GetProgramFolder() {
    static const std::string folder = ResolveProgramFolder();
    return folder;
}
