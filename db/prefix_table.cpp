#include "db/prefix_table.h"

#include "db/data_file.h"

CPrefixTable::CPrefixTable(CDataFile* file, uint32_t offset) {
    uint8_t raw[4 * lcv::kPrefixSlots];
    if (file->ReadAt(offset, sizeof raw, raw) != static_cast<int>(sizeof raw)) {
        return;  // a short read leaves the table all zero
    }
    for (uint32_t s = 0; s < lcv::kPrefixSlots; ++s) {
        entries_[s] = lcv::DecodeFixed32(raw + 4 * s);
    }
}

uint32_t CPrefixTable::PackPrefix(const char* text) {
    uint32_t key = 0;
    for (int k = 0; k < 4; ++k) {
        uint8_t c = text[0] != '\0' ? static_cast<uint8_t>(*text++) : 0;
        key = (key << 8) | c;
    }
    return key;
}

int CPrefixTable::SlotOf(const char* text) const {
    uint32_t key = PackPrefix(text);
    int lo = 0;
    int hi = lcv::kPrefixSlots - 1;
    while (hi != lo + 1) {
        int mid = (lo + hi) / 2;
        if (entries_[mid] == key) {
            return mid;
        }
        if (entries_[mid] > key) {
            hi = mid;
        } else {
            lo = mid;
        }
    }
    return lo;
}

char* CPrefixTable::PrefixAt(int slot, char* buffer) const {
    if (slot < 0) {
        slot = 0;
    }
    if (slot >= static_cast<int>(lcv::kPrefixSlots)) {
        buffer[0] = '~';
        buffer[1] = '\0';
        return buffer;
    }
    uint32_t entry = entries_[slot];
    int n = 0;
    for (int shift = 24; shift >= 0; shift -= 8) {
        char c = static_cast<char>(entry >> shift);
        if (c == '\0') {
            break;
        }
        buffer[n++] = c;
    }
    buffer[n] = '\0';
    return buffer;
}
