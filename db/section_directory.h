#pragma once

// CSectionDirectory: the optional sections of a database, found through the directory whose
// offset stands in header bytes 20 to 23. Each section is a tag, an offset and a length. A
// section whose bytes do not lie wholly inside the file after the header is treated as absent,
// and so is every section of a directory that itself runs past the file; unknown tags are
// kept but never asked for. Read once at open; immutable afterwards.

#include <cstddef>
#include <cstdint>
#include <vector>

class CDataFile;

class CSectionDirectory {
  public:
    struct Section {
        uint32_t offset = 0;
        uint32_t length = 0;
    };

    // directoryOffset 0 means the file has no optional sections.
    CSectionDirectory(CDataFile* file, uint32_t directoryOffset);
    virtual ~CSectionDirectory() = default;

    // The first section with the tag; false when there is none or it lies outside the file.
    bool Find(uint32_t tag, Section* section) const;
    size_t Count() const { return entries_.size(); }

  private:
    struct Entry {
        uint32_t tag;
        Section section;
    };
    std::vector<Entry> entries_;
};
