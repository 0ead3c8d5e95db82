#include "app/memory_settings_store.h"

namespace {

// Copies the value out when it holds the kind T.
template <typename T, typename V>
bool Take(const V* stored, T* value) {
    const T* typed = stored != nullptr ? std::get_if<T>(stored) : nullptr;
    if (typed == nullptr) {
        return false;
    }
    *value = *typed;
    return true;
}

}  // namespace

const CMemorySettingsStore::Value* CMemorySettingsStore::Find(std::string_view key,
                                                              std::string_view name) const {
    auto k = keys_.find(key);
    if (k == keys_.end()) {
        return nullptr;
    }
    auto v = k->second.find(name);
    return v == k->second.end() ? nullptr : &v->second;
}

bool CMemorySettingsStore::Put(std::string_view key, std::string_view name, Value value) {
    if (failWrites_) {
        return false;
    }
    auto k = keys_.find(key);
    if (k == keys_.end()) {
        k = keys_.emplace(std::string(key), Key()).first;
    }
    k->second.insert_or_assign(std::string(name), std::move(value));
    return true;
}

bool CMemorySettingsStore::ReadBinary(std::string_view key, std::string_view name,
                                      std::vector<uint8_t>* value) const {
    return Take(Find(key, name), value);
}

bool CMemorySettingsStore::ReadInteger(std::string_view key, std::string_view name,
                                       int32_t* value) const {
    return Take(Find(key, name), value);
}

bool CMemorySettingsStore::ReadString(std::string_view key, std::string_view name,
                                      std::u16string* value) const {
    return Take(Find(key, name), value);
}

bool CMemorySettingsStore::WriteBinary(std::string_view key, std::string_view name,
                                       std::span<const uint8_t> value) {
    return Put(key, name, std::vector<uint8_t>(value.begin(), value.end()));
}

bool CMemorySettingsStore::WriteInteger(std::string_view key, std::string_view name,
                                        int32_t value) {
    return Put(key, name, value);
}

bool CMemorySettingsStore::WriteString(std::string_view key, std::string_view name,
                                       std::u16string_view value) {
    return Put(key, name, std::u16string(value));
}

bool CMemorySettingsStore::DeleteValue(std::string_view key, std::string_view name) {
    if (failWrites_) {
        return false;
    }
    auto k = keys_.find(key);
    if (k == keys_.end()) {
        return false;
    }
    auto v = k->second.find(name);
    if (v == k->second.end()) {
        return false;
    }
    k->second.erase(v);
    return true;
}

bool CMemorySettingsStore::KeyExists(std::string_view key) const {
    return keys_.find(key) != keys_.end();
}
