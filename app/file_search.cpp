#include "app/file_search.h"

#include "app/ascii_text.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <fstream>
#include <memory>
#include <sstream>

namespace {

// Folders of the kernel's pseudo file systems and of run-time state: never disks.
constexpr std::array<const char*, 4> PSEUDO_FOLDERS = {"/proc/", "/sys/", "/dev/", "/run/"};

constexpr std::array<std::string_view, 19> LOCAL_DISK_TYPES = {
    "ext2",  "ext3",  "ext4", "xfs",   "btrfs",   "f2fs", "jfs",     "reiserfs", "zfs", "vfat",
    "msdos", "exfat", "ntfs", "ntfs3", "fuseblk", "hfs",  "hfsplus", "iso9660",  "udf"};

bool IsOctal(char c) {
    return c >= '0' && c <= '7';
}

// A mount table field with its octal escapes (\040 for a space and so on) decoded.
std::string Unescape(const std::string& field) {
    std::string out;
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && IsOctal(field[i + 1]) &&
            IsOctal(field[i + 2]) && IsOctal(field[i + 3])) {
            out.push_back(static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 +
                                            (field[i + 3] - '0')));
            i += 3;
        } else {
            out.push_back(field[i]);
        }
    }
    return out;
}

enum class EntryKind { Other, Folder, File };

// What an entry is, links looked through for files only: a link to a folder is Other.
EntryKind KindOf(int dirFd, const dirent* entry) {
    if (entry->d_type == DT_DIR) {
        return EntryKind::Folder;
    }
    if (entry->d_type == DT_REG) {
        return EntryKind::File;
    }
    if (entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN) {
        return EntryKind::Other;
    }
    struct stat st {};
    if (fstatat(dirFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) {
        return EntryKind::Other;
    }
    if (S_ISDIR(st.st_mode)) {
        return EntryKind::Folder;
    }
    if (S_ISLNK(st.st_mode) && fstatat(dirFd, entry->d_name, &st, 0) != 0) {
        return EntryKind::Other;
    }
    return S_ISREG(st.st_mode) ? EntryKind::File : EntryKind::Other;
}

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

std::optional<std::string> Search(const std::string& directory, const std::string& name, int depth,
                                  const std::set<std::string>& excluded) {
    if (depth < 0) {
        return std::nullopt;
    }
    std::unique_ptr<DIR, DirCloser> dir(opendir(directory.c_str()));
    if (!dir) {
        return std::nullopt;  // unreadable folders are passed over
    }
    while (const dirent* entry = readdir(dir.get())) {
        std::string_view entryName = entry->d_name;
        if (entryName == "." || entryName == "..") {
            continue;
        }
        EntryKind kind = KindOf(dirfd(dir.get()), entry);
        if (kind == EntryKind::Folder) {
            std::string sub = directory + std::string(entryName) + "/";
            if (excluded.count(sub) != 0) {
                continue;
            }
            if (auto found = Search(sub, name, depth - 1, excluded)) {
                return found;
            }
        } else if (kind == EntryKind::File && EqualsIgnoringAsciiCase(entryName, name)) {
            return directory + std::string(entryName);
        }
    }
    return std::nullopt;
}

}  // namespace

bool FileExists(const std::string& path) {
    if (path.empty()) {
        return false;
    }
    // Non-blocking, so that a named pipe cannot hold the caller up.
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat st {};
    bool regular = fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    ::close(fd);
    return regular;
}

std::optional<std::string> FindFileInTree(const std::string& directory, const std::string& name,
                                          int depth, const std::set<std::string>& excluded) {
    if (directory.empty() || name.empty()) {
        return std::nullopt;
    }
    std::string start = directory;
    if (start.back() != '/') {
        start += '/';
    }
    return Search(start, name, depth, excluded);
}

std::optional<std::string> FindFileInTree(const std::string& directory, const std::string& name,
                                          int depth) {
    if (depth < 0) {
        return std::nullopt;
    }
    return FindFileInTree(directory, name, depth, ExcludedFoldersOfThisSystem());
}

bool IsLocalDiskFileSystem(std::string_view type) {
    for (std::string_view local : LOCAL_DISK_TYPES) {
        if (type == local) {
            return true;
        }
    }
    return false;
}

std::set<std::string> ExcludedFolders(std::string_view mountTable) {
    std::set<std::string> excluded(PSEUDO_FOLDERS.begin(), PSEUDO_FOLDERS.end());
    std::istringstream lines{std::string(mountTable)};
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string device, mountPoint, type;
        if (!(fields >> device >> mountPoint >> type)) {
            continue;
        }
        mountPoint = Unescape(mountPoint);
        // The root itself is where the device search starts; it is never skipped.
        if (mountPoint.empty() || mountPoint == "/" || IsLocalDiskFileSystem(type)) {
            continue;
        }
        if (mountPoint.back() != '/') {
            mountPoint += '/';
        }
        excluded.insert(mountPoint);
    }
    return excluded;
}

std::set<std::string> ExcludedFoldersOfThisSystem() {
    std::ifstream in("/proc/self/mounts");
    std::stringstream table;
    table << in.rdbuf();
    return ExcludedFolders(table.str());
}
