#include "db/section_directory.h"

#include "db/data_file.h"
#include "db/format.h"

CSectionDirectory::CSectionDirectory(CDataFile* file, uint32_t directoryOffset) {
    if (directoryOffset == 0) {
        return;
    }
    uint64_t fileSize = file->Size();
    uint8_t raw[4];
    if (file->ReadAt(directoryOffset, 4, raw) != 4) {
        return;
    }
    uint32_t count = lcv::DecodeFixed32(raw);
    uint64_t end = uint64_t{directoryOffset} + 4 + uint64_t{count} * lcv::kSectionEntrySize;
    if (count > lcv::kMaxSections || end > fileSize) {
        return;
    }
    std::vector<uint8_t> table(size_t{count} * lcv::kSectionEntrySize);
    if (count == 0 || file->ReadAt(directoryOffset + 4, static_cast<uint32_t>(table.size()),
                                   table.data()) != static_cast<int>(table.size())) {
        return;
    }
    for (uint32_t i = 0; i < count; ++i) {
        const uint8_t* p = table.data() + size_t{i} * lcv::kSectionEntrySize;
        Entry entry{lcv::DecodeFixed32(p), {lcv::DecodeFixed32(p + 4), lcv::DecodeFixed32(p + 8)}};
        if (entry.section.offset < lcv::kHeaderSize ||
            uint64_t{entry.section.offset} + entry.section.length > fileSize) {
            continue;
        }
        entries_.push_back(entry);
    }
}

bool CSectionDirectory::Find(uint32_t tag, Section* section) const {
    for (const Entry& entry : entries_) {
        if (entry.tag == tag) {
            *section = entry.section;
            return true;
        }
    }
    return false;
}
