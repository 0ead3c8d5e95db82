#include "db/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace {

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
    std::string pattern = path + ".tmp.XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = ::mkstemp(name.data());
    if (fd < 0) {
        *error = "cannot create a temporary file beside " + path + ": " + std::strerror(errno);
        return false;
    }
    bool ok = WriteAll(fd, static_cast<const char*>(data), size) && ::fsync(fd) == 0;
    int saved = errno;
    ok = (::fchmod(fd, 0644) == 0) && ok;
    ok = (::close(fd) == 0) && ok;
    if (ok && ::rename(name.data(), path.c_str()) == 0) {
        return true;
    }
    saved = errno != 0 ? errno : saved;
    ::unlink(name.data());
    *error = "cannot write " + path + ": " + std::strerror(saved);
    return false;
}
