#pragma once

#include <map>
#include <optional>
#include <string>

#include "platform/Error.h"
#include "platform/FileSystem.h"

namespace quorvane::test {

// Forwards to a real file system and fails on purpose at a chosen call: the way to get a full
// disk or a denied rename where the machine cannot produce one (tests run as root).
class FaultyFileSystem final : public FileSystem {
public:
    enum class Op {
        Rename, SetAttributes, Attributes, FileLength, DeleteFile, NormalFileExists, ReplaceFile,
        TruncateFile, ReadTail, OpenText, WriteLine, ReadLine, AtEnd, Commit,
    };

    explicit FaultyFileSystem(FileSystem& real) : m_real(real) {}

    // The `nth` call of `op` from now on (1 = the next one) throws `error` instead of running;
    // later calls run again.
    void failOn(Op op, int nth = 1, PlatformError error = PlatformError(errc::DiskFull, "Disk full"));
    // Every call of `op` fails from now on.
    void failAlways(Op op, PlatformError error = PlatformError(errc::PathFileAccessError, "Path/File access error"));
    int calls(Op op) const;

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
    struct Fault {
        int countdown = 0;  // fails when it reaches 0; negative: always
        PlatformError error{0, ""};
    };
    void check(Op op);

    FileSystem& m_real;
    std::map<Op, Fault> m_faults;
    std::map<Op, int> m_calls;
};

}  // namespace quorvane::test
