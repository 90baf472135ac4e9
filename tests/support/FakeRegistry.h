#pragma once

#include <algorithm>
#include <cstring>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/Error.h"
#include "platform/ProgramLauncher.h"
#include "platform/Registry.h"

namespace quorvane::test {

// A registry held in memory. A value may report a size of its own (to show a broken value); a key
// may refuse every access beyond reading, as machine-wide keys do for a user without administrator
// rights. Every open, query and close is recorded, so a test sees handles left open.
class FakeRegistry final : public Registry {
public:
    struct Value {
        std::uint32_t type = reg::REG_SZ;
        std::string data;
        std::optional<std::uint32_t> reportedSize;
    };
    struct Key {
        std::map<std::string, Value> values;
        bool readOnly = false;
    };

    static Value text(const std::string& s, bool withNul = true) {
        return {reg::REG_SZ, withNul ? s + std::string(1, '\0') : s, std::nullopt};
    }
    static Value dword(std::uint32_t n) {
        std::string bytes(4, '\0');
        for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((n >> (8 * i)) & 0xFF);
        return {reg::REG_DWORD, bytes, std::nullopt};
    }

    void put(const std::string& key, const std::string& name, Value value) { keys[key].values[name] = value; }

    long openKey(RegKey root, const std::string& subKey, std::uint32_t access, RegKey& key) override {
        accesses.push_back(access);
        key = 0;
        const auto it = keys.find(subKey);
        if (root != reg::HKEY_LOCAL_MACHINE || it == keys.end()) return reg::ERROR_FILE_NOT_FOUND;
        if (it->second.readOnly && (access & ~reg::KEY_READ) != 0) return reg::ERROR_ACCESS_DENIED;
        key = m_next++;
        m_handles[key] = &it->second;
        open.insert(key);
        return reg::ERROR_SUCCESS;
    }

    long queryValue(RegKey key, const std::string& valueName, std::uint32_t& type, unsigned char* data,
                    std::uint32_t& size) override {
        const auto h = m_handles.find(key);
        if (h == m_handles.end() || !open.count(key)) return 6;
        const auto v = h->second->values.find(valueName);
        if (v == h->second->values.end()) return reg::ERROR_FILE_NOT_FOUND;
        const Value& value = v->second;
        type = value.type;
        if (value.data.size() > size) {
            size = static_cast<std::uint32_t>(value.data.size());
            return reg::ERROR_MORE_DATA;
        }
        std::memcpy(data, value.data.data(), value.data.size());
        size = value.reportedSize.value_or(static_cast<std::uint32_t>(value.data.size()));
        return reg::ERROR_SUCCESS;
    }

    long closeKey(RegKey key) override {
        closes.push_back(key);
        return open.erase(key) == 1 ? reg::ERROR_SUCCESS : 6;
    }

    std::map<std::string, Key> keys;
    std::vector<std::uint32_t> accesses;
    std::set<RegKey> open;       // handles not closed yet
    std::vector<RegKey> closes;  // every close asked for, a bad handle included

private:
    std::map<RegKey, Key*> m_handles;
    RegKey m_next = 0x100;
};

// Records the programs it is asked to start; fails with `failure` when one is set.
class RecordingLauncher final : public ProgramLauncher {
public:
    void start(const std::string& path) override {
        started.push_back(path);
        if (failure) throw *failure;
    }
    std::vector<std::string> started;
    std::optional<PlatformError> failure;
};

}  // namespace quorvane::test
