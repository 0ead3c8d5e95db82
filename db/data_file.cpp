#include "db/data_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>

CDataFile::~CDataFile() {
    std::lock_guard<std::mutex> guard(lock_);
    CloseLocked();
}

bool CDataFile::OpenRead(const char* path) {
    return OpenWith(path, false);
}

bool CDataFile::OpenWrite(const char* path) {
    return OpenWith(path, true);
}

bool CDataFile::OpenWith(const char* path, bool write) {
    if (path == nullptr || *path == '\0') {
        return false;
    }
    std::string copy(path);  // path may be our own path_
    std::lock_guard<std::mutex> guard(lock_);
    CloseLocked();
    int flags = write ? (O_WRONLY | O_CREAT | O_TRUNC) : O_RDONLY;
    fd_ = ::open(copy.c_str(), flags | O_CLOEXEC, 0644);
    if (fd_ < 0) {
        return false;
    }
    struct stat st;
    if (!write && (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode))) {
        CloseLocked();  // a folder or a device is no data file
        return false;
    }
    if (!write) {
        MapLocked();
    }
    path_ = std::move(copy);
    return true;
}

void CDataFile::CloseLocked() {
    if (map_ != nullptr) {
        ::munmap(const_cast<uint8_t*>(map_), mapLength_);
        map_ = nullptr;
        mapLength_ = 0;
    }
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

bool CDataFile::ReopenLocked() {
    CloseLocked();
    if (path_.empty()) {
        return false;
    }
    fd_ = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) {
        return false;
    }
    MapLocked();
    return true;
}

void CDataFile::MapLocked() {
    struct stat st;
    if (!allowMap_ || ::fstat(fd_, &st) != 0 || st.st_size <= 0) {
        return;  // reads fall back to pread
    }
    void* p = ::mmap(nullptr, static_cast<size_t>(st.st_size), PROT_READ, MAP_SHARED, fd_, 0);
    if (p != MAP_FAILED) {
        map_ = static_cast<const uint8_t*>(p);
        mapLength_ = static_cast<uint64_t>(st.st_size);
    }
}

int CDataFile::ReadLocked(uint32_t offset, uint32_t length, void* buffer) {
    length = std::min<uint32_t>(length, INT_MAX);
    if (map_ != nullptr) {
        if (offset >= mapLength_) {
            return 0;
        }
        uint64_t n = std::min<uint64_t>(length, mapLength_ - offset);
        std::memcpy(buffer, map_ + offset, n);
        return static_cast<int>(n);
    }
    if (fd_ < 0) {
        return -1;
    }
    // pread positions and reads in one call; a short count means the end of the file.
    uint32_t done = 0;
    while (done < length) {
        ssize_t n = ::pread(fd_, static_cast<uint8_t*>(buffer) + done, length - done,
                            static_cast<off_t>(offset) + done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return -1;
        }
        if (n == 0) {
            break;
        }
        done += static_cast<uint32_t>(n);
    }
    return static_cast<int>(done);
}

int CDataFile::ReadAt(uint32_t offset, uint32_t length, void* buffer) {
    std::lock_guard<std::mutex> guard(lock_);
    if (fd_ < 0 && !ReopenLocked()) {
        return -1;
    }
    int n = ReadLocked(offset, length, buffer);
    if (n < 0) {
        ReopenLocked();  // the next call starts on a fresh handle
    }
    return n;
}

int CDataFile::Write(const void* buffer, uint32_t length) {
    std::lock_guard<std::mutex> guard(lock_);
    if (fd_ < 0) {
        return -1;
    }
    uint32_t done = 0;
    while (done < length) {
        ssize_t n = ::write(fd_, static_cast<const uint8_t*>(buffer) + done, length - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return -1;
        }
        done += static_cast<uint32_t>(n);
    }
    return static_cast<int>(done);
}

uint32_t CDataFile::Size() {
    std::lock_guard<std::mutex> guard(lock_);
    if (map_ != nullptr) {
        return static_cast<uint32_t>(std::min<uint64_t>(mapLength_, UINT32_MAX));
    }
    struct stat st;
    if (fd_ < 0 || ::fstat(fd_, &st) != 0) {
        return 0;
    }
    return static_cast<uint32_t>(std::min<uint64_t>(static_cast<uint64_t>(st.st_size), UINT32_MAX));
}
