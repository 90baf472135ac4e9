#pragma once

#include <string>

#include "platform/FileSystem.h"
#include "platform/LineReader.h"
#include "platform/TextSlots.h"

namespace quorvane {

// The file services on Linux. DOS attributes live in the "user.DOSATTRIB" extended attribute
// (as Samba, the kernel's SMB server and wine keep them): the record Samba keeps there, with the
// object's creation time, stays through every change, and a value of a form we do not know makes
// the change fail instead of being overwritten. The hidden bit is mirrored in the parent folder's
// ".hidden" list, which Linux file managers honour. A file system without user extended attributes
// makes every attribute change fail.
class FileSystemPosix final : public FileSystem {
public:
    FileSystemPosix() = default;
    ~FileSystemPosix() override;
    FileSystemPosix(const FileSystemPosix&) = delete;
    FileSystemPosix& operator=(const FileSystemPosix&) = delete;

    void rename(const std::string& oldPath, const std::string& newPath) override;
    void setAttributes(const std::string& path, std::uint32_t attributes) override;
    std::uint32_t attributes(const std::string& path) override;
    std::uint64_t fileLength(const std::string& path) override;
    void deleteFile(const std::string& path) override;
    bool normalFileExists(const std::string& path) override;
    void replaceFile(const std::string& source, const std::string& target) override;
    void truncateFile(const std::string& path, std::uint64_t length) override;
    std::string readTail(const std::string& path, std::size_t count) override;

    void openText(int slot, const std::string& path, TextMode mode) override;
    void writeLine(int slot, const std::string& text) override;
    std::string readLine(int slot) override;
    bool atEnd(int slot) override;
    void commit(int slot) override;
    void close(int slot) noexcept override;

private:
    using Slot = TextSlots<int>::Slot;  // the handle is the file descriptor

    void flushPending(Slot& s);
    static LineReader::Read readerOf(const Slot& s);
    void updateHiddenList(const std::string& path, bool hidden);

    TextSlots<int> m_slots;
};

}  // namespace quorvane
