#pragma once

#include <string>

#include "platform/FileSystem.h"
#include "platform/LineReader.h"
#include "platform/posix/PosixIo.h"
#include "platform/TextSlots.h"

namespace quorvane {

// The file services on Linux. DOS attributes live in the "user.DOSATTRIB" extended attribute
// (as Samba, the kernel's SMB server and wine keep them): the record Samba keeps there, with the
// object's creation time, stays through every change, and a value of a form we do not know makes
// the change fail instead of being overwritten. The hidden bit is mirrored in the parent folder's
// ".hidden" list, which Linux file managers honour. A name that list cannot hold (a line feed, or a
// CR at its end) is never written there: the attribute is set all the same, and setAttributes then
// throws InvalidPathText saying that the file managers will list the object. A renamed hidden
// object takes its line along; when the list cannot follow, rename throws after the rename saying
// what is left where. A file system without user extended attributes makes every attribute change
// fail.
// Files are rewritten with posix::replaceFileAtomically; ".hidden" must be a regular file (never a
// link) and the register may be a link to one.
class FileSystemPosix final : public FileSystem {
public:
    // `beforeStep` sees each change on disk before it is made (tests stop or fail it there).
    explicit FileSystemPosix(posix::StepHook beforeStep = {}) : m_beforeStep(std::move(beforeStep)) {}
    ~FileSystemPosix() override;
    FileSystemPosix(const FileSystemPosix&) = delete;
    FileSystemPosix& operator=(const FileSystemPosix&) = delete;

    void rename(const std::string& oldPath, const std::string& newPath) override;
    void setAttributes(const std::string& path, std::uint32_t attributes) override;
    std::uint32_t attributes(const std::string& path) override;
    std::uint64_t fileLength(const std::string& path) override;
    void deleteFile(const std::string& path) override;
    bool normalFileExists(const std::string& path) override;
    bool folderExists(const std::string& path) override;
    void makeFolders(const std::string& path) override;
    std::optional<std::string> readFile(const std::string& path) override;
    bool readFileInBlocks(const std::string& path, const std::function<void(std::string_view)>& consume) override;
    void writeFile(const std::string& path, const std::string& bytes) override;
    void checkWritableFile(const std::string& path) override;
    std::string textFileBytes(const std::string& text) override;
    std::string textOfFileBytes(std::string_view bytes) override;

    void openText(int slot, const std::string& path) override;
    std::string readLine(int slot) override;
    bool atEnd(int slot) override;
    void close(int slot) noexcept override;

private:
    using Slot = TextSlots<int>::Slot;  // the handle is the file descriptor

    // What listing or unlisting an object in its folder's ".hidden" needs: nothing, a new content,
    // or the file's removal once it is empty.
    struct HiddenListUpdate {
        std::string listPath;
        bool needed = false;
        std::optional<std::string> content;  // none: remove the file
        bool unlistable = false;             // hidden, but the name cannot stand in the list
    };

    static LineReader::Read readerOf(const Slot& s);
    HiddenListUpdate hiddenListUpdate(const std::string& path, bool hidden);
    void apply(const HiddenListUpdate& update);
    static PlatformError unlistableError(const std::string& path, const HiddenListUpdate& update);
    void step(std::string_view name);

    posix::StepHook m_beforeStep;
    TextSlots<int> m_slots;
};

}  // namespace quorvane
