#pragma once

// CFileMap: a read-only shared memory map of a whole file that survives the file being cut
// short while it is mapped.
//
// A load from a mapped page that lies past the file's new end raises SIGBUS, which would
// end the program. A SIGBUS handler, installed with the first map, looks the faulting
// address up among the live maps; when it belongs to one, it puts a page of zeros in place
// of the lost page, marks that map damaged and returns, so the load completes and reads
// zeros. The owner checks Damaged after each copy (one relaxed load, no system call) and
// then treats the read as failed and maps the file afresh. A SIGBUS outside every map goes
// on to the handler that was installed before, or ends the program as it would have.
//
// Within the last page of a file cut short the system itself gives zeros past the end and
// raises no signal; readers meet those as damaged data.

#include <cstdint>

class CFileMap {
  public:
    CFileMap() = default;
    virtual ~CFileMap();
    CFileMap(const CFileMap&) = delete;
    CFileMap& operator=(const CFileMap&) = delete;

    // Maps length bytes of the open file fd from offset 0. False when the system refuses the
    // map or too many maps are live (the caller then reads through the handle instead).
    bool Map(int fd, uint64_t length);

    const uint8_t* Data() const { return data_; }
    uint64_t Length() const { return length_; }
    // True once a load from this map hit a page past the file's end.
    bool Damaged() const;

  private:
    void Unmap();

    const uint8_t* data_ = nullptr;
    uint64_t length_ = 0;
    int slot_ = -1;  // this map's place in the table the SIGBUS handler searches
};
