#pragma once

#include <cstdint>
#include <string>

namespace quorvane {

// The system registry, in the shape of the platform's own calls: results are 0 on success and a
// platform error code otherwise.
using RegKey = std::uint64_t;

namespace reg {
inline constexpr RegKey HKEY_LOCAL_MACHINE = 0x80000002;
inline constexpr std::uint32_t KEY_QUERY_VALUE = 0x0001;
inline constexpr std::uint32_t KEY_READ = 0x20019;
inline constexpr std::uint32_t REG_SZ = 1;
inline constexpr std::uint32_t REG_DWORD = 4;
inline constexpr long ERROR_SUCCESS = 0;
inline constexpr long ERROR_FILE_NOT_FOUND = 2;
inline constexpr long ERROR_ACCESS_DENIED = 5;
inline constexpr long ERROR_MORE_DATA = 234;
}  // namespace reg

class Registry {
public:
    virtual ~Registry() = default;
    virtual long openKey(RegKey root, const std::string& subKey, std::uint32_t access, RegKey& key) = 0;
    // Reads the value's type and data; `size` gives the buffer's size and returns the bytes written.
    // String data is UTF-8 with its terminating NUL where the stored value has one.
    virtual long queryValue(RegKey key, const std::string& valueName, std::uint32_t& type, unsigned char* data,
                            std::uint32_t& size) = 0;
    virtual long closeKey(RegKey key) = 0;
};

}  // namespace quorvane
