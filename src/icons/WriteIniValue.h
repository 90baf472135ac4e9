#pragma once

#include <optional>
#include <string>

namespace quorvane {

class IniWriter;

// Writes one key of an INI file through the platform's profile writer. No value removes the key.
// A file that cannot be written is left as it was; nothing is reported.
void WriteIniValue(IniWriter& writer, const std::string& section, const std::string& key,
                   const std::optional<std::string>& value, const std::string& file) noexcept;

}  // namespace quorvane
