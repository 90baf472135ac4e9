#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Registry.h"

namespace quorvane {

// The registry on a system that has none: it holds only the two machine-wide values that tell
// where the system information program is, filled from the first such program found on the
// search path. Without one, those keys do not exist. Its keys are read-only, like those a normal
// user finds: asking for more than read access is refused.
class RegistryPosix final : public Registry {
public:
    // The system information programs looked for, in order of preference.
    static std::vector<std::string> defaultPrograms();

    // Searches the PATH of the environment as it is when a key is opened.
    RegistryPosix();
    // Searches `searchPath`, a list of folders separated by ':'.
    explicit RegistryPosix(std::string searchPath, std::vector<std::string> programs = defaultPrograms());

    long openKey(RegKey root, const std::string& subKey, std::uint32_t access, RegKey& key) override;
    long queryValue(RegKey key, const std::string& valueName, std::uint32_t& type, unsigned char* data,
                    std::uint32_t& size) override;
    long closeKey(RegKey key) override;

    // The full path of the program the keys describe now, if any.
    std::optional<std::string> findProgram() const;

private:
    struct OpenValue {
        std::string name;
        std::string text;
    };

    std::optional<std::string> m_searchPath;
    std::vector<std::string> m_programs;
    std::map<RegKey, OpenValue> m_open;
    RegKey m_next = 1;
};

}  // namespace quorvane
