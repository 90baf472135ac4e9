#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/IniWriter.h"
#include "platform/posix/PosixIo.h"

namespace quorvane {

// Rewrites a small text file the way the profile writer does: the new text is what `edit` makes of
// the old bytes ("" for a missing file), and it replaces the old file in one step
// (posix::replaceFileAtomically), so a reader never sees half a file. The replacement keeps the old
// file's permissions, owner and extended attributes, among them the DOS attributes. A file whose
// text does not change is not touched, and an empty text for a missing file creates nothing. A
// symbolic link, a folder, a FIFO, a read-only file or one this user may not write is refused, and
// nothing is written. Throws PlatformError.
void rewriteTextFile(const std::string& file, const std::function<std::string(std::string_view)>& edit,
                     const posix::StepHook& beforeStep = {});

// The profile writer on Linux: the file's new text comes from IniWriteValue, written by
// rewriteTextFile.
class IniWriterPosix final : public IniWriter {
public:
    // `beforeStep` sees each change on disk before it is made (tests stop or fail it there).
    explicit IniWriterPosix(posix::StepHook beforeStep = {}) : m_beforeStep(std::move(beforeStep)) {}
    void writeString(const std::string& section, const std::string& key, const std::optional<std::string>& value,
                     const std::string& file) override;

private:
    posix::StepHook m_beforeStep;
};

}  // namespace quorvane
