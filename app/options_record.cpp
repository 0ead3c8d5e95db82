#include "app/options_record.h"

#include <algorithm>
#include <ctime>
#include <vector>

#include "app/settings_store.h"

COptionsRecord::COptionsRecord() {
    SetKeepSpaces(false);
    SetKeepNonAlphanumerics(true);
    SetAddStudyWords(false);
    SetInteger(OPTION_STUDY_WORD_COUNT, STUDY_WORD_COUNT_DEFAULT);
    SetDayStamp(0);
    SetShowRandomWords(true);
    SetInteger(OPTION_RESULT_LIMIT, RESULT_LIMIT_DEFAULT);
}

int32_t COptionsRecord::Integer(size_t offset) const {
    uint32_t v = static_cast<uint32_t>(bytes_[offset]) |
                 static_cast<uint32_t>(bytes_[offset + 1]) << 8 |
                 static_cast<uint32_t>(bytes_[offset + 2]) << 16 |
                 static_cast<uint32_t>(bytes_[offset + 3]) << 24;
    return static_cast<int32_t>(v);
}

void COptionsRecord::SetInteger(size_t offset, int32_t value) {
    uint32_t v = static_cast<uint32_t>(value);
    for (size_t i = 0; i < 4; ++i) {
        bytes_[offset + i] = static_cast<uint8_t>(v >> (8 * i));
    }
}

std::u16string COptionsRecord::Text(size_t offset) const {
    std::u16string text;
    for (size_t i = 0; i < OPTION_TEXT_UNITS; ++i) {
        char16_t unit =
            static_cast<char16_t>(bytes_[offset + 2 * i] | bytes_[offset + 2 * i + 1] << 8);
        if (unit == 0) {
            break;
        }
        text.push_back(unit);
    }
    return text;
}

bool COptionsRecord::SetText(size_t offset, std::u16string_view text) {
    if (text.size() > OPTION_TEXT_MAX_LENGTH || text.find(u'\0') != text.npos) {
        return false;
    }
    // The whole field is rewritten, so nothing of a longer old name lingers after the NUL.
    std::fill_n(bytes_.begin() + offset, 2 * OPTION_TEXT_UNITS, 0);
    for (size_t i = 0; i < text.size(); ++i) {
        bytes_[offset + 2 * i] = static_cast<uint8_t>(text[i] & 0xFF);
        bytes_[offset + 2 * i + 1] = static_cast<uint8_t>(text[i] >> 8);
    }
    return true;
}

int32_t COptionsRecord::StudyWordCount() const {
    int32_t count = Integer(OPTION_STUDY_WORD_COUNT);
    return count >= STUDY_WORD_COUNT_MIN && count <= STUDY_WORD_COUNT_MAX
               ? count
               : STUDY_WORD_COUNT_DEFAULT;
}

bool COptionsRecord::SetStudyWordCount(int32_t count) {
    if (count < STUDY_WORD_COUNT_MIN || count > STUDY_WORD_COUNT_MAX) {
        return false;
    }
    SetInteger(OPTION_STUDY_WORD_COUNT, count);
    return true;
}

int32_t COptionsRecord::ResultLimit() const {
    int32_t limit = Integer(OPTION_RESULT_LIMIT);
    return limit >= RESULT_LIMIT_MIN && limit <= RESULT_LIMIT_MAX ? limit : RESULT_LIMIT_DEFAULT;
}

bool COptionsRecord::SetResultLimit(int32_t limit) {
    if (limit < RESULT_LIMIT_MIN || limit > RESULT_LIMIT_MAX) {
        return false;
    }
    SetInteger(OPTION_RESULT_LIMIT, limit);
    return true;
}

int32_t COptionsRecord::MakeDayStamp(int year, int month, int day) {
    // Worked in 64 bits so that no year overflows; the stamp is kept as a 32-bit word.
    int64_t stamp = ((static_cast<int64_t>(year) - 1975) * 33 + day) * 17 + month;
    return static_cast<int32_t>(static_cast<uint32_t>(stamp));
}

int32_t COptionsRecord::TodayDayStamp() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local) == nullptr) {
        return 0;
    }
    return MakeDayStamp(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

bool COptionsRecord::LoadOptions(const ISettingsStore& store) {
    if (!store.KeyExists(SETTINGS_KEY)) {
        return false;
    }
    std::vector<uint8_t> value;
    if (!store.ReadBinary(SETTINGS_KEY, SETTING_OPTIONS, &value) ||
        value.size() != OPTIONS_RECORD_SIZE) {
        return false;
    }
    std::copy(value.begin(), value.end(), bytes_.begin());
    return true;
}

bool COptionsRecord::SaveOptions(ISettingsStore& store) const {
    return store.WriteBinary(SETTINGS_KEY, SETTING_OPTIONS, bytes_);
}

COptionsRecord& GetOptionsRecord() {
    static COptionsRecord record;
    return record;
}
