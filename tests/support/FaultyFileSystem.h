#pragma once

#include <map>
#include <optional>
#include <string>

#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/IniWriter.h"

namespace quorvane::test {

// The calls that reach the disk through the services sharing it, counted. Stopped at call N, it
// refuses that call and every later one: the program as it stands when it dies there, with no
// rollback running after. A fresh program state then reads what is on disk.
class Lifeline {
public:
    // Call `call` (1 = the next one) and every later one fail.
    void stopAt(int call) { m_stopAt = m_calls + call; }
    // Calls run again (the next program state).
    void revive() { m_stopAt = 0; }
    bool stopped() const { return m_stopAt > 0 && m_calls >= m_stopAt; }
    int calls() const { return m_calls; }
    // Counts a call; throws when the program has stopped.
    void pass() {
        ++m_calls;
        if (stopped()) throw PlatformError(errc::DeviceIoError, "The program has stopped");
    }

private:
    int m_calls = 0;
    int m_stopAt = 0;  // 0: never
};

// Forwards to a real file system and fails on purpose at a chosen call: the way to get a full
// disk or a denied rename where the machine cannot produce one (tests run as root).
class FaultyFileSystem final : public FileSystem {
public:
    enum class Op {
        Rename, SetAttributes, Attributes, FileLength, DeleteFile, NormalFileExists, FolderExists, MakeFolders,
        ReadFile, WriteFile,
        CheckWritableFile, TextFileBytes, OpenText, ReadLine, AtEnd,
        ReadBlock,  // each block readFileInBlocks hands on (the call itself counts as ReadFile)
    };

    explicit FaultyFileSystem(FileSystem& real) : m_real(real) {}

    // The `nth` call of `op` from now on (1 = the next one) throws `error` instead of running;
    // later calls run again.
    void failOn(Op op, int nth = 1, PlatformError error = PlatformError(errc::DiskFull, "Disk full"));
    // Every call of `op` fails from now on.
    void failAlways(Op op, PlatformError error = PlatformError(errc::PathFileAccessError, "Path/File access error"));
    int calls(Op op) const;

    // The blocks readFileInBlocks hands on are at most this long (0: as the real one reads them), so
    // that a read can fail part way through a short file.
    std::size_t blockSize = 0;

    // Every call counts on this lifeline (shared with an ini writer, say).
    Lifeline lifeline;

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
    std::string textOfFileBytes(std::string_view bytes) override { return m_real.textOfFileBytes(bytes); }
    void openText(int slot, const std::string& path) override;
    std::string readLine(int slot) override;
    bool atEnd(int slot) override;
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

// An INI writer whose writes count on a lifeline and stop with it.
class StoppingIniWriter final : public IniWriter {
public:
    StoppingIniWriter(IniWriter& real, Lifeline& lifeline) : m_real(real), m_lifeline(lifeline) {}
    void writeString(const std::string& section, const std::string& key, const std::optional<std::string>& value,
                     const std::string& file) override {
        m_lifeline.pass();
        m_real.writeString(section, key, value, file);
    }
    bool canStore(const std::string& text) const override { return m_real.canStore(text); }

private:
    IniWriter& m_real;
    Lifeline& m_lifeline;
};

}  // namespace quorvane::test
