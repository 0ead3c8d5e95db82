#pragma once

// CDataFile: one open file with a lock around each positioned read and each write. It carries
// the database, the *.dwg word-list files and the list text files.
//
// A file opened for reading is served from a read-only memory map when the system allows it
// (one positioned read per trie node would cost a system call each); otherwise from pread.
// Either way ReadAt keeps one contract: short reads at the end of the file, -1 on failure,
// and after a failure the file is reopened so that the next call starts afresh. A file cut
// short while it is mapped is such a failure (CFileMap): the read that meets the lost part
// gives -1 and the reopen maps the file as it is now.

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "db/file_map.h"

class CDataFile {
  public:
    CDataFile() = default;
    virtual ~CDataFile();
    CDataFile(const CDataFile&) = delete;
    CDataFile& operator=(const CDataFile&) = delete;

    // Opens an existing file for shared reading. False for a null or empty path or when the
    // file cannot be opened; on success the path is kept for reopening.
    bool OpenRead(const char* path);
    // Creates the file or truncates an existing one for writing.
    bool OpenWrite(const char* path);

    // Reads up to length bytes at the absolute offset into buffer, under the lock. Returns the
    // number of bytes read (fewer at the end of the file) or -1 when the file cannot be read.
    int ReadAt(uint32_t offset, uint32_t length, void* buffer);
    // Writes at the current file position, under the lock. Returns the bytes written or -1.
    int Write(const void* buffer, uint32_t length);
    // The file's current size in bytes (0 when nothing is open).
    uint32_t Size();

    const std::string& Path() const { return path_; }
    bool IsMapped() const { return map_ != nullptr; }
    // The mapped file, for a reader that takes very many small pieces (a search's trie walk):
    // its first byte, with *length set, or null when the file is read through pread. The view
    // holds until the file closes, even when the file is reopened meanwhile; pages lost to a
    // file cut short read as zeros.
    const uint8_t* MappedView(uint64_t* length);

  private:
    friend class CDataFileTestPeer;

    bool OpenWith(const char* path, bool write);
    void CloseLocked();
    bool ReopenLocked();
    void MapLocked();
    int ReadLocked(uint32_t offset, uint32_t length, void* buffer);

    int fd_ = -1;
    std::mutex lock_;
    std::string path_;  // the path last opened successfully; empty before that
    std::unique_ptr<CFileMap> map_;
    // Maps given up by a reopen; a search may still be reading one in place.
    std::vector<std::unique_ptr<CFileMap>> retired_;
    bool allowMap_ = true;  // tests turn mapping off to exercise the pread path
};
