#pragma once

#include <optional>
#include <string>

#include "platform/IniText.h"

namespace quorvane {

// Writes one key of an INI-format file, as the platform's profile writer does: section and key
// matched without regard to case, an existing key replaced in place, a missing key added at the
// end of its section, a missing section at the end of the file, every other line kept byte for
// byte, CR LF line ends. No value at all (as opposed to "") removes the key.
class IniWriter {
public:
    virtual ~IniWriter() = default;
    // Throws PlatformError when the file cannot be read or written.
    virtual void writeString(const std::string& section, const std::string& key,
                             const std::optional<std::string>& value, const std::string& file) = 0;

    // True when `text` can be written as it stands: no line breaks or NULs, and only characters
    // the file's encoding holds. Callers that must not write half of their keys ask first.
    virtual bool canStore(const std::string& text) const { return IniStorable(text); }
};

}  // namespace quorvane
