#pragma once

#include <string>

#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/LineReader.h"
#include "platform/TextSlots.h"

namespace quorvane {

namespace win32 {

// After ReplaceFileW(target, temp, backup) failed: the old file back under its name if the
// replacement had moved it aside to `backup`, and neither `temp` nor `backup` left behind.
void putBackAfterFailedReplacement(const std::wstring& target, const std::wstring& temp,
                                   const std::wstring& backup) noexcept;

// The error that ReplaceFileW's failure `code` gives for `path`, the same as a plain move reports
// in the same situation: ReplaceFileW's own codes for a file held by someone else read as a denied
// access, and a denied access to a read-only file (`targetAttributes` as it is afterwards) as the
// refusal of a read-only file.
PlatformError replacementError(unsigned long code, const std::string& path, unsigned long targetAttributes);

}  // namespace win32

// The file services on Windows: the wide calls, with paths converted from UTF-8 at this boundary.
// Text files hold the ANSI code page; a line that the code page cannot hold exactly is refused
// (InvalidPathText) rather than written with a substitute. Error numbers follow the Linux side's.
// A file is rewritten through a fresh temporary file beside it (made with CREATE_NEW, written and
// flushed while no one else may open it), which ReplaceFileW puts in the place of an existing file,
// keeping that file's security descriptor, attributes, alternate streams and creation time; it is
// moved into place (MoveFileExW) only where nothing is there yet. A failure leaves the old file as
// it was and no temporary file behind.
class FileSystemWin32 final : public FileSystem {
public:
    FileSystemWin32() = default;
    ~FileSystemWin32() override;
    FileSystemWin32(const FileSystemWin32&) = delete;
    FileSystemWin32& operator=(const FileSystemWin32&) = delete;

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
    using Slot = TextSlots<void*>::Slot;  // the handle is the file's

    static LineReader::Read readerOf(const Slot& s);

    TextSlots<void*> m_slots;
};

}  // namespace quorvane
