#pragma once

#include "platform/IniWriter.h"

namespace quorvane {

// The profile writer on Linux: the file's new text comes from IniWriteValue and replaces the old
// file in one step (a temporary file beside it, renamed over it), so a reader never sees half a
// file. The replacement keeps the old file's permissions, owner and extended attributes, among
// them the DOS attributes. A file whose text does not change is not touched, and removing a key
// from a missing file creates nothing. A symbolic link is followed and stays a link.
class IniWriterPosix final : public IniWriter {
public:
    void writeString(const std::string& section, const std::string& key, const std::optional<std::string>& value,
                     const std::string& file) override;
};

}  // namespace quorvane
