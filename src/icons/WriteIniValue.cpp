#include "icons/WriteIniValue.h"

#include <exception>

#include "platform/IniWriter.h"

namespace quorvane {

void WriteIniValue(IniWriter& writer, const std::string& section, const std::string& key,
                   const std::optional<std::string>& value, const std::string& file) noexcept {
    try {
        writer.writeString(section, key, value, file);
    } catch (const std::exception&) {
        // The writer's result is not looked at: a failed write simply leaves the file as it was.
    } catch (...) {
    }
}

}  // namespace quorvane
