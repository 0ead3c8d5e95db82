#include "app/install_layout.h"

#include <unistd.h>

#include <climits>
#include <filesystem>

#include "app/install_dirs.h"

std::string RunningProgramFolder() {
    char buffer[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof(buffer) - 1);
    if (length <= 0) {
        return std::string();
    }
    std::string path(buffer, static_cast<size_t>(length));
    return path.substr(0, path.rfind('/') + 1);
}

std::string FolderBeside(const std::string& programFolder, const std::string& relative) {
    if (programFolder.empty()) {
        return std::string();
    }
    std::string folder =
        (std::filesystem::path(programFolder) / relative).lexically_normal().string();
    if (folder.empty() || folder.back() != '/') {
        folder += '/';
    }
    return folder;
}

std::string InstalledDataFolder() {
    return FolderBeside(RunningProgramFolder(), LEXICOVE_DATA_FROM_BIN);
}

std::string InstalledLibraryFolder() {
    return FolderBeside(RunningProgramFolder(), LEXICOVE_LIBRARY_FROM_BIN);
}
