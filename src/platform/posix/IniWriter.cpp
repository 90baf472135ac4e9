#include "platform/posix/IniWriter.h"

#include "platform/IniText.h"
#include "platform/Error.h"
#include "platform/posix/PosixIo.h"

namespace quorvane {

void rewriteTextFile(const std::string& file, const std::function<std::string(std::string_view)>& edit,
                     const posix::StepHook& beforeStep) {
    if (file.empty() || file.find('\0') != std::string::npos) throw errorFor(errc::BadFileName, file);
    // A link is never followed: planted in a folder others can write, it would send our lines into
    // any file of the user's.
    const std::optional<std::string> content = posix::readRegularFile(file, posix::Links::Refuse);
    const std::string updated = edit(content.value_or(std::string()));
    if (content ? updated == *content : updated.empty()) return;
    posix::replaceFileAtomically(file, updated, posix::Links::Refuse, beforeStep);
}

void IniWriterPosix::writeString(const std::string& section, const std::string& key,
                                 const std::optional<std::string>& value, const std::string& file) {
    rewriteTextFile(
        file, [&](std::string_view content) { return IniWriteValue(content, section, key, value); }, m_beforeStep);
}

}  // namespace quorvane
