#pragma once

#include "platform/Registry.h"

namespace quorvane {

// The system registry through the wide calls. String data (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ)
// comes back as UTF-8: the stored UTF-16 units converted one for one, so a terminating NUL the
// value holds stays its last byte and one it lacks is not added. Sizes, in and out, count bytes
// of that UTF-8 data; a buffer too small gets nothing, ERROR_MORE_DATA and the size it needs.
// Other types come back as stored.
class RegistryWin32 final : public Registry {
public:
    long openKey(RegKey root, const std::string& subKey, std::uint32_t access, RegKey& key) override;
    long queryValue(RegKey key, const std::string& valueName, std::uint32_t& type, unsigned char* data,
                    std::uint32_t& size) override;
    long closeKey(RegKey key) override;
};

}  // namespace quorvane
