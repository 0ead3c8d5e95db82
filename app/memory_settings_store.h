#pragma once

// CMemorySettingsStore: settings kept in memory for the length of the run, for the tests and
// the terminal tool. Key paths and value names are compared exactly. Not thread-safe: the
// settings are used on the main thread only.
//
// SetFailWrites(true) makes every write and deletion fail as an unwritable store would, so
// that callers' failure paths can be exercised.

#include <map>
#include <string>
#include <variant>

#include "app/settings_store.h"

class CMemorySettingsStore : public ISettingsStore {
  public:
    bool ReadBinary(std::string_view key, std::string_view name,
                    std::vector<uint8_t>* value) const override;
    bool ReadInteger(std::string_view key, std::string_view name, int32_t* value) const override;
    bool ReadString(std::string_view key, std::string_view name,
                    std::u16string* value) const override;

    bool WriteBinary(std::string_view key, std::string_view name,
                     std::span<const uint8_t> value) override;
    bool WriteInteger(std::string_view key, std::string_view name, int32_t value) override;
    bool WriteString(std::string_view key, std::string_view name,
                     std::u16string_view value) override;

    bool DeleteValue(std::string_view key, std::string_view name) override;
    bool KeyExists(std::string_view key) const override;

    void SetFailWrites(bool fail) { failWrites_ = fail; }

  private:
    using Value = std::variant<std::vector<uint8_t>, int32_t, std::u16string>;
    using Key = std::map<std::string, Value, std::less<>>;

    const Value* Find(std::string_view key, std::string_view name) const;
    bool Put(std::string_view key, std::string_view name, Value value);

    std::map<std::string, Key, std::less<>> keys_;
    bool failWrites_ = false;
};
