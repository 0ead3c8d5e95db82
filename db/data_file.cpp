#include "db/data_file.h"

#include <fcntl.h>
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
    map_.reset();
    retired_.clear();
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

bool CDataFile::ReopenLocked() {
    if (map_ != nullptr) {
        retired_.push_back(std::move(map_));  // a search may still walk it
    }
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
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
    auto map = std::make_unique<CFileMap>();
    if (map->Map(fd_, static_cast<uint64_t>(st.st_size))) {
        map_ = std::move(map);
    }
}

int CDataFile::ReadLocked(uint32_t offset, uint32_t length, void* buffer) {
    length = std::min<uint32_t>(length, INT_MAX);
    if (map_ != nullptr) {
        if (offset >= map_->Length()) {
            return 0;
        }
        uint64_t n = std::min<uint64_t>(length, map_->Length() - offset);
        std::memcpy(buffer, map_->Data() + offset, n);
        // A page past the file's end read as zeros: the file was cut short under the map.
        return map_->Damaged() ? -1 : static_cast<int>(n);
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

const uint8_t* CDataFile::MappedView(uint64_t* length) {
    std::lock_guard<std::mutex> guard(lock_);
    if (map_ != nullptr && map_->Damaged()) {
        ReopenLocked();  // the next search walks the file as it is now
    }
    *length = map_ != nullptr ? map_->Length() : 0;
    return map_ != nullptr ? map_->Data() : nullptr;
}

uint32_t CDataFile::Size() {
    std::lock_guard<std::mutex> guard(lock_);
    if (map_ != nullptr) {
        return static_cast<uint32_t>(std::min<uint64_t>(map_->Length(), UINT32_MAX));
    }
    struct stat st;
    if (fd_ < 0 || ::fstat(fd_, &st) != 0) {
        return 0;
    }
    return static_cast<uint32_t>(std::min<uint64_t>(static_cast<uint64_t>(st.st_size), UINT32_MAX));
}
