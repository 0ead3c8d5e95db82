#include "db/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <vector>

namespace {

// Links followed before the chain counts as a loop, as the system counts them.
constexpr int kMaxLinks = 40;

// Sets *file to the file a write to path lands on: path itself, or the end of the chain of
// symbolic links that path starts (a relative link counts from the folder of the link). A
// link to nowhere ends the chain at the file it names. False for a chain that loops.
bool FollowLinks(const std::string& path, std::string* file) {
    *file = path;
    for (int hops = 0; hops < kMaxLinks; ++hops) {
        struct stat st;
        if (::lstat(file->c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            return true;
        }
        std::vector<char> target(PATH_MAX);
        ssize_t n = ::readlink(file->c_str(), target.data(), target.size());
        if (n <= 0 || static_cast<size_t>(n) >= target.size()) {
            return true;  // unreadable: the link itself is the file
        }
        std::string link(target.data(), static_cast<size_t>(n));
        size_t slash = file->rfind('/');
        if (link[0] != '/' && slash != std::string::npos) {
            link = file->substr(0, slash + 1) + link;
        }
        *file = link;
    }
    errno = ELOOP;
    return false;
}

bool WriteAll(int fd, const char* p, size_t size) {
    while (size > 0) {
        ssize_t n = ::write(fd, p, size);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        p += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

bool WriteFileAtomically(const std::string& path, const void* data, size_t size,
                         std::string* error) {
    std::string file;
    if (!FollowLinks(path, &file)) {
        *error = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    struct stat old;
    bool exists = ::stat(file.c_str(), &old) == 0;
    std::string pattern = file + ".tmp.XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = ::mkstemp(name.data());
    if (fd < 0) {
        *error = "cannot create a temporary file beside " + file + ": " + std::strerror(errno);
        return false;
    }
    if (exists && (old.st_uid != ::geteuid() || old.st_gid != ::getegid())) {
        (void)!::fchown(fd, old.st_uid, old.st_gid);  // kept where we may; else ours
    }
    bool ok = WriteAll(fd, static_cast<const char*>(data), size) && ::fsync(fd) == 0;
    int saved = errno;
    mode_t mode = exists ? (old.st_mode & 07777) : 0644;
    ok = (::fchmod(fd, mode) == 0) && ok;
    ok = (::close(fd) == 0) && ok;
    if (ok && ::rename(name.data(), file.c_str()) == 0) {
        return true;
    }
    saved = errno != 0 ? errno : saved;
    ::unlink(name.data());
    *error = "cannot write " + file + ": " + std::strerror(saved);
    return false;
}
