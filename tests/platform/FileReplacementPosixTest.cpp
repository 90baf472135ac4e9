// One way of replacing a file on Linux, used for the register, ".hidden" and "desktop.ini": what it
// refuses (links, FIFOs, folders, files that may not be written), what it keeps (mode, owner,
// extended attributes), and what a failure or a crash at any of its steps leaves: the old file or
// the new one, whole, and no temporary file after a failure.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <stdexcept>

#include "platform/DosAttributes.h"
#include "platform/Error.h"
#include "platform/posix/FileSystem.h"
#include "platform/posix/IniWriter.h"
#include "platform/posix/PosixIo.h"
#include "protect/Register.h"
#include "support/TempDir.h"

using namespace std::string_literals;

namespace quorvane {
namespace {

using test::exists;
using test::makeDir;
using test::namesIn;
using test::readBytes;
using test::writeBytes;
using Names = std::vector<std::string>;

constexpr uid_t kNobody = 65534;
// Samba's value as its server writes it for a folder: an empty hex text, NUL, then its binary
// record (version 5: the attribute 0x10 and the creation time). Put back byte for byte.
const std::string kSambaRecord =
    "\0\0\x05\0\x05\0\0\0\x11\0\0\0\x10\0\0\0\xac\x25\xaf\x09\xa9\x88\xdd\x01"s;
// The same record once the folder is hidden: the attribute changed, every other byte kept.
const std::string kSambaRecordHidden = *updateDosAttrib(kSambaRecord, attr::Hidden | attr::System, true);

std::string rawAttrib(const std::string& path) {
    char value[256];
    const ssize_t n = ::lgetxattr(path.c_str(), kDosAttribName, value, sizeof value);
    return n < 0 ? "<none>"s : std::string(value, static_cast<std::size_t>(n));
}

void setRawAttrib(const std::string& path, const std::string& value) {
    ASSERT_EQ(::setxattr(path.c_str(), kDosAttribName, value.data(), value.size(), 0), 0);
}

std::string bytesOr(const std::string& path, const std::string& none = "<missing>") {
    return exists(path) && std::filesystem::is_regular_file(path) ? readBytes(path) : none;
}

// Fails the test if a FIFO was opened and waited on, instead of hanging until the test's timeout.
struct Watchdog {
    Watchdog() { ::alarm(20); }
    ~Watchdog() { ::alarm(0); }
};

// The program's three rewritten files, each through the service that writes it.
struct Writer {
    const char* name;
    const char* fileName;
    std::function<void(const std::string& folder, const posix::StepHook& hook)> write;
};

const Writer kRegister{"register", "l0g.ext", [](const std::string& folder, const posix::StepHook& hook) {
                           FileSystemPosix(hook).writeFile(folder + "/l0g.ext", "C:\\new\r\n");
                       }};
const Writer kHiddenList{".hidden", ".hidden", [](const std::string& folder, const posix::StepHook& hook) {
                             FileSystemPosix(hook).setAttributes(folder + "/Secret", attr::Hidden | attr::System);
                         }};
const Writer kDesktopIni{"desktop.ini", "desktop.ini", [](const std::string& folder, const posix::StepHook& hook) {
                             IniWriterPosix(hook).writeString(".ShellClassInfo", "iconindex", "0",
                                                              folder + "/desktop.ini");
                         }};

class FileReplacement : public ::testing::Test {
protected:
    // A folder holding "Secret", the folder whose hiding rewrites ".hidden".
    std::string workFolder(const std::string& name) {
        const std::string folder = tmp / name;
        makeDir(folder + "/Secret");
        return folder;
    }

    test::TempDir tmp;
};

// Where one of the three files should be lies something else. Nothing is written anywhere, nothing
// is blocked on, and the refusal says what is in the way; only the register may be a link, to a
// file, which is then written through.
TEST_F(FileReplacement, WhatIsNotAFileOfItsOwnIsRefusedClearly) {
    struct Planted {
        const char* name;
        std::function<void(const std::string& path)> plant;
        // The refusal's text after "Path/File access error: ", given the path; "" when written through.
        std::function<std::string(const std::string& path)> refusal;
        bool linkToFile = false;
    };
    const std::string victim = tmp / "victim";
    const std::string aFolder = tmp / "a folder";
    makeDir(aFolder);
    const Planted planted[] = {
        {"a folder", [](const std::string& p) { makeDir(p); }, [](const std::string& p) { return p + " is a folder"; }},
        {"a FIFO", [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0666), 0); },
         [](const std::string& p) { return p + " is a named pipe (FIFO)"; }},
        {"a link to a file of the user's", [&](const std::string& p) { std::filesystem::create_symlink(victim, p); },
         [](const std::string& p) { return p + " is a symbolic link"; }, true},
        {"a link to nothing", [&](const std::string& p) { std::filesystem::create_symlink(tmp / "none", p); },
         [](const std::string& p) { return p + " is a symbolic link"; }},
        {"a link to a folder", [&](const std::string& p) { std::filesystem::create_symlink(aFolder, p); },
         [](const std::string& p) { return p + " is a symbolic link"; }},
    };
    // The register's refusals differ where it follows a link.
    auto registerRefusal = [&](const Planted& p, const std::string& path) -> std::string {
        if (p.linkToFile) return "";
        if (std::string(p.name) == "a link to nothing") return path + " is a symbolic link to nothing";
        if (std::string(p.name) == "a link to a folder") return aFolder + " is a folder, not a file";
        return p.refusal(path) + ", not a file";
    };
    int n = 0;
    for (const Writer* writer : {&kRegister, &kHiddenList, &kDesktopIni}) {
        for (const Planted& p : planted) {
            SCOPED_TRACE(std::string(writer->name) + " is " + p.name);
            writeBytes(victim, "# the user's own file\n");
            const std::string folder = workFolder("w" + std::to_string(n++));
            const std::string path = folder + "/" + writer->fileName;
            p.plant(path);
            const Names before = namesIn(folder);
            const std::string expected =
                writer == &kRegister ? registerRefusal(p, path) : p.refusal(path) + ", not a file";
            {
                const Watchdog watchdog;
                try {
                    writer->write(folder, {});
                    EXPECT_EQ(expected, "") << "not refused";
                } catch (const PlatformError& e) {
                    EXPECT_EQ(e.number(), errc::PathFileAccessError);
                    EXPECT_EQ(e.description(), "Path/File access error: " + expected);
                }
            }
            EXPECT_EQ(namesIn(folder), before);                  // no temporary file is left
            EXPECT_EQ(rawAttrib(folder + "/Secret"), "<none>");  // the folder was not hidden either
            if (expected.empty()) {
                EXPECT_TRUE(std::filesystem::is_symlink(path));
                EXPECT_EQ(readBytes(victim), "C:\\new\r\n");
            } else {
                EXPECT_EQ(readBytes(victim), "# the user's own file\n");
            }
            if (std::string(p.name).rfind("a link", 0) == 0) {
                EXPECT_TRUE(std::filesystem::is_symlink(path));
            }
            if (std::string(p.name) == "a folder") {
                EXPECT_TRUE(std::filesystem::is_directory(path));
                EXPECT_TRUE(std::filesystem::is_empty(path));
            }
            if (std::string(p.name) == "a FIFO") {
                EXPECT_TRUE(std::filesystem::is_fifo(path));
            }
        }
    }
    EXPECT_EQ(namesIn(aFolder), Names{});
}

// Names the old helpers used, planted as links: nothing is written through them.
TEST_F(FileReplacement, LinksPlantedUnderFixedTemporaryNamesAreNeverUsed) {
    const std::string folder = workFolder("w");
    const std::string victim = tmp / "victim";
    writeBytes(victim, "# the user's own file\n");
    for (const char* name : {"l0g.ext.new", ".hidden.quorvane-tmp", "desktop.ini.quorvane-tmp"})
        std::filesystem::create_symlink(victim, folder + "/" + name);
    for (const Writer* writer : {&kRegister, &kHiddenList, &kDesktopIni}) writer->write(folder, {});
    EXPECT_EQ(readBytes(victim), "# the user's own file\n");
    EXPECT_EQ(readBytes(folder + "/l0g.ext"), "C:\\new\r\n");
    EXPECT_EQ(readBytes(folder + "/.hidden"), "Secret\n");
    EXPECT_EQ(readBytes(folder + "/desktop.ini"), "[.ShellClassInfo]\r\niconindex=0\r\n");
    EXPECT_EQ(namesIn(folder), (Names{".hidden", ".hidden.quorvane-tmp", "Secret", "desktop.ini",
                                      "desktop.ini.quorvane-tmp", "l0g.ext", "l0g.ext.new"}));
}

// A rewritten file is a new file that keeps what the old one had besides its content.
TEST_F(FileReplacement, ModeOwnerAndExtendedAttributesAreKept) {
    struct Case {
        const Writer* writer;
        std::string before;
        std::string after;
    };
    const Case cases[] = {
        {&kRegister, "old\r\n", "C:\\new\r\n"},
        {&kHiddenList, "x", "x\nSecret\n"},
        {&kDesktopIni, "[.ShellClassInfo]\r\n", "[.ShellClassInfo]\r\niconindex=0\r\n"},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.writer->name);
        const std::string folder = workFolder("w" + std::to_string(n++));
        const std::string path = folder + "/" + c.writer->fileName;
        writeBytes(path, c.before);
        ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
        ASSERT_EQ(::chown(path.c_str(), kNobody, kNobody), 0);
        setRawAttrib(path, "0x6\0"s);
        ASSERT_EQ(::setxattr(path.c_str(), "user.note", "kept", 4, 0), 0);
        struct stat before {};
        ASSERT_EQ(::stat(path.c_str(), &before), 0);

        c.writer->write(folder, {});

        EXPECT_EQ(readBytes(path), c.after);
        struct stat after {};
        ASSERT_EQ(::stat(path.c_str(), &after), 0);
        EXPECT_NE(after.st_ino, before.st_ino);  // replaced in one step, not rewritten in place
        EXPECT_EQ(after.st_mode & 07777, 0640u);
        EXPECT_EQ(after.st_uid, kNobody);
        EXPECT_EQ(after.st_gid, kNobody);
        EXPECT_EQ(rawAttrib(path), "0x6\0"s);
        char note[8] = {};
        EXPECT_EQ(::getxattr(path.c_str(), "user.note", note, sizeof note), 4);
        EXPECT_EQ(std::string(note), "kept");
    }
    // A new file gets the usual mode.
    const std::string folder = workFolder("new");
    kRegister.write(folder, {});
    struct stat made {};
    ASSERT_EQ(::stat((folder + "/l0g.ext").c_str(), &made), 0);
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(made.st_mode & 07777, 0666u & ~mask);
}

// The data reaches the disk before the new file takes the old one's name.
TEST_F(FileReplacement, StepsRunInOrderWithTheDataFlushedBeforeTheRename) {
    const Names replaceExisting = {"create temporary", "keep attributes", "write", "flush", "rename"};
    const Names replaceMissing = {"create temporary", "write", "flush", "rename"};
    struct Case {
        const char* name;
        std::function<void(const std::string& folder, const posix::StepHook& hook)> act;
        Names steps;
    };
    const Case cases[] = {
        {"register made", kRegister.write, replaceMissing},
        {"register replaced", kRegister.write, replaceExisting},
        {"folder hidden, .hidden made",
         kHiddenList.write,
         {"set attribute", "create temporary", "write", "flush", "rename"}},
        {"folder made visible, .hidden emptied",
         [](const std::string& folder, const posix::StepHook& hook) {
             FileSystemPosix(hook).setAttributes(folder + "/Secret", attr::Archive);
         },
         {"set attribute", "delete"}},
        {"desktop.ini made", kDesktopIni.write, replaceMissing},
    };
    const std::string folder = workFolder("w");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Names steps;
        c.act(folder, [&](std::string_view step) { steps.emplace_back(step); });
        EXPECT_EQ(steps, c.steps);
    }
}

// A failure at any step of a replacement leaves the file as it was and no temporary file.
TEST_F(FileReplacement, AFailureAtAnyStepLeavesTheOldFileAndNoTemporaryFile) {
    for (const Writer* writer : {&kRegister, &kDesktopIni}) {
        for (const char* failing : {"create temporary", "keep attributes", "write", "flush", "rename"}) {
            SCOPED_TRACE(std::string(writer->name) + ", failing at " + failing);
            const std::string folder = workFolder(std::string("w ") + writer->name + " " + failing);
            const std::string path = folder + "/" + writer->fileName;
            writeBytes(path, "[old]\r\nx=1\r\n");
            const Names before = namesIn(folder);
            try {
                writer->write(folder, [&](std::string_view step) {
                    if (step == failing) throw PlatformError(errc::DeviceIoError, "Device I/O error");
                });
                ADD_FAILURE() << "no error";
            } catch (const PlatformError& e) {
                EXPECT_EQ(e.number(), errc::DeviceIoError);
            }
            EXPECT_EQ(readBytes(path), "[old]\r\nx=1\r\n");
            EXPECT_EQ(namesIn(folder), before);
        }
    }
}

// A real full disk: a small tmpfs, mounted where the test may.
TEST_F(FileReplacement, AFullDiskLeavesTheOldFileAndNoTemporaryFile) {
    makeDir(tmp / "small");
    if (::mount("none", (tmp / "small").c_str(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "cannot mount tmpfs here";
    struct Unmount {
        std::string path;
        ~Unmount() { ::umount(path.c_str()); }
    } unmount{tmp / "small"};
    const std::string reg = tmp / "small/l0g.ext";
    const std::string before(20000, 'a');
    writeBytes(reg, before);
    try {
        FileSystemPosix().writeFile(reg, std::string(60000, 'b'));
        ADD_FAILURE() << "the disk took it";
    } catch (const PlatformError& e) {
        EXPECT_EQ(e.number(), errc::DiskFull);
        EXPECT_EQ(e.description(), "Disk full: " + reg);
    }
    EXPECT_EQ(readBytes(reg), before);
    EXPECT_EQ(namesIn(tmp / "small"), Names{"l0g.ext"});
}

// The program dies before one of the steps, each in turn, in a child process (no clean-up runs):
// what is on disk afterwards is the old state or the new one, whole.
class CrashAtEveryStep : public FileReplacement {
protected:
    // Runs `action` in a child that dies before its change number `step` reaches the disk; true
    // when the action finished first.
    static bool finishesBefore(int step, const std::function<void(const posix::StepHook&)>& action) {
        std::fflush(nullptr);
        const pid_t child = ::fork();
        if (child == 0) {
            int seen = 0;
            try {
                action([&](std::string_view) {
                    if (++seen == step) ::_exit(0);
                });
            } catch (...) {
                ::_exit(2);
            }
            ::_exit(1);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) != 2) << "the action failed at step " << step;
        return WIFEXITED(status) && WEXITSTATUS(status) == 1;
    }
};

TEST_F(CrashAtEveryStep, HidingLeavesTheRegisterWholeAndNoHiddenFolderWithoutItsEntry) {
    bool finished = false;
    for (int step = 1; !finished; ++step) {
        SCOPED_TRACE("died before step " + std::to_string(step));
        const std::string folder = workFolder("w" + std::to_string(step));
        const std::string secret = folder + "/Secret";
        const std::string reg = folder + "/l0g.ext";
        writeBytes(reg, "a\r\nb");
        writeBytes(folder + "/.hidden", "x");
        setRawAttrib(secret, kSambaRecord);
        finished = finishesBefore(step, [&](const posix::StepHook& hook) {
            FileSystemPosix fs(hook);
            hideAndRecord(fs, secret, reg);
        });
        const std::string after = "a\r\nb\r\n" + secret + "\r\n";
        const std::string registerNow = readBytes(reg);
        EXPECT_TRUE(registerNow == "a\r\nb" || registerNow == after) << registerNow;
        const std::string listNow = readBytes(folder + "/.hidden");
        EXPECT_TRUE(listNow == "x" || listNow == "x\nSecret\n") << listNow;
        const std::string attribNow = rawAttrib(secret);
        EXPECT_TRUE(attribNow == kSambaRecord || attribNow == kSambaRecordHidden) << attribNow;
        if (attribNow != kSambaRecord || listNow != "x") {
            EXPECT_EQ(registerNow, after);  // hidden in any way: recorded
        }
        if (finished) {
            EXPECT_EQ(registerNow, after);
            EXPECT_EQ(listNow, "x\nSecret\n");
            EXPECT_EQ(attribNow, kSambaRecordHidden);
        }
        ASSERT_LT(step, 30);
    }
}

TEST_F(CrashAtEveryStep, MakingVisibleLeavesTheRegisterWholeAndNoHiddenFolderWithoutItsEntry) {
    bool finished = false;
    for (int step = 1; !finished; ++step) {
        SCOPED_TRACE("died before step " + std::to_string(step));
        const std::string folder = workFolder("w" + std::to_string(step));
        const std::string secret = folder + "/Secret";
        const std::string reg = folder + "/l0g.ext";
        const std::string before = "A\r\n" + secret + "\r\nB";
        writeBytes(reg, before);
        writeBytes(folder + "/.hidden", "x\nSecret\n");
        setRawAttrib(secret, "0x6\0"s);
        // What the list window's "Show Folder" does on the disk, item 1 chosen.
        finished = finishesBefore(step, [&](const posix::StepHook& hook) {
            FileSystemPosix fs(hook);
            fs.setAttributes(secret, attr::Archive);
            if (!removeFromRegister(fs, reg, secret, 1)) throw std::runtime_error("not removed");
        });
        const std::string registerNow = readBytes(reg);
        EXPECT_TRUE(registerNow == before || registerNow == "A\r\nB") << registerNow;
        const std::string listNow = bytesOr(folder + "/.hidden");
        EXPECT_TRUE(listNow == "x\nSecret\n" || listNow == "x\n") << listNow;
        if (rawAttrib(secret) == "0x6\0"s || listNow == "x\nSecret\n") {
            EXPECT_EQ(registerNow, before);
        }
        ASSERT_LT(step, 30);
    }
}

TEST_F(CrashAtEveryStep, DesktopIniIsTheOldOrTheNewWhole) {
    const std::string before = "[.ShellClassInfo]\r\niconfile=/old.ico\r\n; mine\r\n";
    const std::string after = "[.ShellClassInfo]\r\niconfile=/new.ico\r\n; mine\r\n";
    bool finished = false;
    for (int step = 1; !finished; ++step) {
        SCOPED_TRACE("died before step " + std::to_string(step));
        const std::string ini = tmp / "desktop.ini";
        writeBytes(ini, before);
        finished = finishesBefore(step, [&](const posix::StepHook& hook) {
            IniWriterPosix(hook).writeString(".ShellClassInfo", "iconfile", "/new.ico", ini);
        });
        const std::string now = readBytes(ini);
        EXPECT_TRUE(now == before || now == after) << now;
        if (finished) {
            EXPECT_EQ(now, after);
        }
        ASSERT_LT(step, 30);
    }
}

// A writer that died leaves its temporary file; the next replacement of the same file removes it,
// but never the temporary file of a writer still at work (it holds it locked) or another file's.
TEST_F(CrashAtEveryStep, TheNextReplacementRemovesWhatADeadWriterLeft) {
    for (const Writer* writer : {&kRegister, &kHiddenList, &kDesktopIni}) {
        bool finished = false;
        bool leftOne = false;
        for (int step = 1; !finished; ++step) {
            SCOPED_TRACE(std::string(writer->name) + ", died before step " + std::to_string(step));
            const std::string folder = workFolder(std::string("w") + writer->fileName + std::to_string(step));
            finished = finishesBefore(step, [&](const posix::StepHook& hook) { writer->write(folder, hook); });
            const Names left = namesIn(folder);
            leftOne = leftOne || left.size() > (exists(folder + "/" + writer->fileName) ? 2u : 1u);
            // Another program's file of a similar name, and the temporary file of a live writer.
            const std::string stem = folder + "/." + writer->fileName + ".quorvane-";
            writeBytes(stem + "0123456789abcdeX", "not ours");
            writeBytes(folder + "/.other.quorvane-0123456789abcdef", "another file's");
            writeBytes(stem + "fedcba9876543210", "being written");
            const int live = ::open((stem + "fedcba9876543210").c_str(), O_RDONLY | O_CLOEXEC);
            ASSERT_GE(live, 0);
            ASSERT_EQ(::flock(live, LOCK_EX), 0);
            writer->write(folder, {});
            ::close(live);
            Names expected{".other.quorvane-0123456789abcdef", std::string(".") + writer->fileName + ".quorvane-0123456789abcdeX",
                           std::string(".") + writer->fileName + ".quorvane-fedcba9876543210", "Secret", writer->fileName};
            std::sort(expected.begin(), expected.end());
            Names now = namesIn(folder);
            std::sort(now.begin(), now.end());
            EXPECT_EQ(now, expected);
            ASSERT_LT(step, 30);
        }
        EXPECT_TRUE(leftOne) << writer->name << ": no crash left a temporary file to remove";
    }
}

// A failed change of attributes puts back exactly what was there: the stored value's bytes (or
// its absence) and ".hidden" byte for byte; when even that fails, the error says what is left.
TEST_F(FileReplacement, AFailedAttributeChangePutsBackExactlyWhatWasThere) {
    struct Case {
        const char* name;
        std::optional<std::string> stored;  // the folder's value before; none: no value
        std::optional<std::string> list;    // ".hidden" before; none: no file
        std::uint32_t value;
        const char* failing;  // the step that fails
    };
    const Case cases[] = {
        {"no value before, .hidden made", std::nullopt, std::nullopt, 6, "create temporary"},
        {"Samba's record before, a last line without its line end", kSambaRecord, "x", 6, "write"},
        {"listed by the user, made visible", "0x6\0"s, "Secret\nx", 32, "rename"},
        {"listed by the user, made visible, .hidden emptied", "0x2\0"s, "Secret\n", 0, "delete"},
        {"wine's value, hidden again", "0x6"s, "a\r\n#c", 2, "flush"},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string folder = workFolder("w" + std::to_string(n++));
        const std::string secret = folder + "/Secret";
        if (c.stored) setRawAttrib(secret, *c.stored);
        if (c.list) writeBytes(folder + "/.hidden", *c.list);
        const Names before = namesIn(folder);
        try {
            FileSystemPosix([&](std::string_view step) {
                if (step == c.failing) throw PlatformError(errc::DiskFull, "Disk full");
            }).setAttributes(secret, c.value);
            ADD_FAILURE() << "no error";
        } catch (const PlatformError& e) {
            EXPECT_EQ(e.description(), "Disk full");
        }
        EXPECT_EQ(rawAttrib(secret), c.stored.value_or("<none>"));
        EXPECT_EQ(bytesOr(folder + "/.hidden"), c.list.value_or("<missing>"));
        EXPECT_EQ(namesIn(folder), before);
    }

    // The value cannot be put back either: the error says what is left, and where.
    const std::string folder = workFolder("both");
    try {
        FileSystemPosix([](std::string_view step) {
            if (step == "rename" || step == "restore attribute") throw PlatformError(errc::DiskFull, "Disk full");
        }).setAttributes(folder + "/Secret", 6);
        ADD_FAILURE() << "no error";
    } catch (const PlatformError& e) {
        EXPECT_EQ(e.number(), errc::DiskFull);
        EXPECT_EQ(e.description(), "Disk full\r\nThe attributes of " + folder + "/Secret stay 0x6, although " + folder +
                                       "/.hidden was left as it was.");
    }
    EXPECT_EQ(rawAttrib(folder + "/Secret"), "0x6\0"s);
    EXPECT_FALSE(exists(folder + "/.hidden"));
}

// A file with the read-only attribute is not rewritten, even by root.
TEST_F(FileReplacement, AReadOnlyFileIsRefused) {
    int n = 0;
    for (const Writer* writer : {&kRegister, &kHiddenList, &kDesktopIni}) {
        SCOPED_TRACE(writer->name);
        const std::string folder = workFolder("w" + std::to_string(n++));
        const std::string path = folder + "/" + writer->fileName;
        writeBytes(path, "kept\n");
        FileSystemPosix().setAttributes(path, attr::ReadOnly);
        try {
            writer->write(folder, {});
            ADD_FAILURE() << "no error";
        } catch (const PlatformError& e) {
            EXPECT_EQ(e.number(), errc::PermissionDenied);
            EXPECT_EQ(e.description(), "Permission denied: " + path + " is read-only");
        }
        EXPECT_EQ(readBytes(path), "kept\n");
        EXPECT_EQ(rawAttrib(folder + "/Secret"), "<none>");
    }
}

// As a normal user (the tests run as root, whom permissions do not stop), with the probe program
// under setpriv: what the user may not write is refused, and nothing is written.
TEST_F(FileReplacement, WhatANormalUserMayNotWriteIsRefused) {
    if (::access("/usr/bin/setpriv", X_OK) != 0) GTEST_SKIP() << "no setpriv";
    // The probe, where the user can run it.
    const std::string probe = tmp / "files_probe";
    std::filesystem::copy_file(QUORVANE_FILES_PROBE, probe);
    ASSERT_EQ(::chmod(tmp.path().c_str(), 0755), 0);
    ASSERT_EQ(::chmod(probe.c_str(), 0755), 0);
    auto run = [&](const std::string& arguments) {
        const std::string command =
            "/usr/bin/setpriv --reuid=65534 --regid=65534 --clear-groups " + probe + " " + arguments + " 2>&1";
        std::string output;
        if (FILE* pipe = ::popen(command.c_str(), "r")) {
            char buffer[512];
            while (std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
            ::pclose(pipe);
        }
        return output;
    };
    auto own = [](const std::string& path, mode_t mode, uid_t owner) {
        ASSERT_EQ(::chown(path.c_str(), owner, owner), 0);
        ASSERT_EQ(::chmod(path.c_str(), mode), 0);
    };
    auto quoted = [](const std::string& text) { return "'" + text + "'"; };

    // The user's own folder: it may make files there, but a read-only register of its own and
    // someone else's desktop.ini are not to be replaced.
    const std::string mine = tmp / "mine";
    makeDir(mine);
    own(mine, 0755, kNobody);
    writeBytes(mine + "/l0g.ext", "C:\\old\r\n");
    own(mine + "/l0g.ext", 0444, kNobody);
    writeBytes(mine + "/desktop.ini", "[.ShellClassInfo]\r\n");
    own(mine + "/desktop.ini", 0644, 0);
    // A folder of someone else's, holding the user's register.
    const std::string shared = tmp / "shared";
    makeDir(shared + "/Secret");
    own(shared + "/Secret", 0755, kNobody);
    writeBytes(shared + "/l0g.ext", "C:\\old\r\n");
    own(shared + "/l0g.ext", 0644, kNobody);
    writeBytes(shared + "/.hidden", "x");
    own(shared + "/.hidden", 0644, kNobody);
    setRawAttrib(shared + "/Secret", kSambaRecord);

    struct Case {
        const char* name;
        std::string arguments;
        std::string output;
    };
    const Case cases[] = {
        {"a read-only register of the user's own", "write " + quoted(mine + "/l0g.ext") + " x",
         "error 70: Permission denied: " + mine + "/l0g.ext may not be written by this user\n"},
        {"someone else's desktop.ini in the user's folder", "ini " + quoted(mine + "/desktop.ini") + " iconindex 0",
         "error 70: Permission denied: " + mine + "/desktop.ini may not be written by this user\n"},
        {"the user's register in someone else's folder", "write " + quoted(shared + "/l0g.ext") + " x",
         "error 70: Permission denied: " + shared + " is a folder where this user may not make files\n"},
        {"hiding a folder of the user's listed in someone else's folder",
         "attributes " + quoted(shared + "/Secret") + " 6",
         "error 70: Permission denied: " + shared + " is a folder where this user may not make files\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(run(c.arguments), c.output) << c.name;
    EXPECT_EQ(readBytes(mine + "/l0g.ext"), "C:\\old\r\n");
    EXPECT_EQ(readBytes(mine + "/desktop.ini"), "[.ShellClassInfo]\r\n");
    EXPECT_EQ(readBytes(shared + "/l0g.ext"), "C:\\old\r\n");
    EXPECT_EQ(readBytes(shared + "/.hidden"), "x");
    EXPECT_EQ(rawAttrib(shared + "/Secret"), kSambaRecord);  // the value put back, byte for byte
    EXPECT_EQ(namesIn(mine), (Names{"desktop.ini", "l0g.ext"}));
    EXPECT_EQ(namesIn(shared), (Names{".hidden", "Secret", "l0g.ext"}));
    EXPECT_EQ(run("write " + quoted(mine + "/new") + " made"), "ok\n");  // the probe itself works
}

}  // namespace
}  // namespace quorvane
