// "Open icon", "Change Icon" and "Set Default Icon" through the main window's form, on real folders
// with the platform's own profile writer.
#include <gtest/gtest.h>

#include "platform/Error.h"
#include "platform/FileManagerIcons.h"
#include "platform/FileSystem.h"
#include "platform/IniWriter.h"
#include "platform/PathSeparator.h"
#include "platform/Unavailable.h"
#include "protect/frmMain.h"
#include "support/FormFixture.h"

namespace quorvane {
namespace {

using test::exists;
using test::FakeShellIcons;
using test::FaultyFileSystem;
using test::readBytes;
using test::writeBytes;

// Hands every write on to the real writer and counts it, so that a test can tell that nothing
// was written at all.
class CountingIniWriter final : public IniWriter {
public:
    explicit CountingIniWriter(IniWriter& real) : m_real(real) {}
    void writeString(const std::string& section, const std::string& key, const std::optional<std::string>& value,
                     const std::string& file) override {
        ++writes;
        m_real.writeString(section, key, value, file);
    }
    bool canStore(const std::string& text) const override { return m_real.canStore(text); }
    int writes = 0;

private:
    IniWriter& m_real;
};

// Hands writes on to the real writer; the `failAt`th from now on (1 = the next) throws `error`.
class FailingIniWriter final : public IniWriter {
public:
    explicit FailingIniWriter(IniWriter& real) : m_real(real) {}
    void writeString(const std::string& section, const std::string& key, const std::optional<std::string>& value,
                     const std::string& file) override {
        if (--failAt == 0) throw PlatformError(errc::DeviceIoError, describeError(errc::DeviceIoError) + ": " + file);
        m_real.writeString(section, key, value, file);
    }
    bool canStore(const std::string& text) const override { return m_real.canStore(text); }
    int failAt = 0;

private:
    IniWriter& m_real;
};

// The file managers' records, whose writing fails on demand, as a full disk makes it fail.
class FailingFileManagers final : public FileManagerIcons {
public:
    explicit FailingFileManagers(FileManagerIcons& real) : m_real(real) {}
    void showIcon(const std::string& folder, const FolderIcon& icon) override {
        if (fail) throw errorFor(errc::DiskFull, folder + kSeparator + ".directory");
        m_real.showIcon(folder, icon);
    }
    void showDefault(const std::string& folder) override {
        if (fail) throw errorFor(errc::DiskFull, folder + kSeparator + ".directory");
        m_real.showDefault(folder);
    }
    bool fail = false;

private:
    FileManagerIcons& m_real;
};

class IconTest : public test::MainFormTest {
protected:
    IconTest() {
        writeBytes(greenIco, "green");
        writeBytes(redIco, "red");
    }

    // The form with the counting writer (or `writer`), working on `path` as after a browse.
    frmMain& formOn(const std::string& path, IniWriter* writer = nullptr, FileManagerIcons* managers = nullptr) {
        const Services s = services();
        m_form = std::make_unique<frmMain>(Services{.fs = s.fs,
                                                    .messages = s.messages,
                                                    .dialogs = s.dialogs,
                                                    .icons = s.icons,
                                                    .ini = writer ? *writer : counting,
                                                    .registry = s.registry,
                                                    .launcher = s.launcher,
                                                    .keys = s.keys,
                                                    .fileManagers = managers ? *managers : s.fileManagers},
                                           view, tmp.path());
        m_form->Form_Load();
        dialogs.folders.push_back(path);
        m_form->cmd_Click(0);
        return *m_form;
    }

    void openIcon(frmMain& f, const std::string& answer) {
        dialogs.files.push_back(answer);
        f.cmd_Click(5);
    }
    static std::string iniOf(const std::string& folder) { return folder + kSeparator + "desktop.ini"; }

    void expectIconChangedOnly() {
        ASSERT_EQ(messages.boxes.size(), 1u);
        EXPECT_EQ(messages.boxes[0].text, "Icon Changed");
        EXPECT_EQ(messages.boxes[0].style, 64);
        EXPECT_EQ(messages.boxes[0].title, std::optional<std::string>("Quorvane"));
        messages.boxes.clear();
    }
    void expectErrorReport(int number, const std::string& part = {}) {
        ASSERT_EQ(messages.boxes.size(), 1u);
        const auto& box = messages.boxes[0];
        EXPECT_EQ(box.title, std::optional<std::string>("Quorvane"));
        EXPECT_NE(box.text.find("'" + std::to_string(number) + "'"), std::string::npos) << box.text;
        EXPECT_NE(box.text.find(part), std::string::npos) << box.text;
        messages.boxes.clear();
    }

    CountingIniWriter counting{*core.iniWriter};
    const std::string greenIco = tmp / "green.ico";
    const std::string redIco = tmp / "red.ico";
};

TEST_F(IconTest, OpenChangeAndSetDefault) {
    const std::string target = folder("Target");
    frmMain& f = formOn(target);

    openIcon(f, greenIco);
    EXPECT_EQ(dialogs.lastTitle, "Select an Icon,..");
    EXPECT_EQ(dialogs.lastFilters, std::vector<std::string>{"Icon files,Exe files (*.ico *.exe)"});
    EXPECT_EQ(dialogs.lastOwner, view.hWnd());
    EXPECT_EQ(f.IconFilePath(), std::optional<std::string>(greenIco));
    EXPECT_EQ(view.picture2.picture, FakeShellIcons::pictureOf(greenIco));
    EXPECT_EQ(view.picture2.steps,
              (std::vector<std::string>{"height 480", "width 480", "clear", "draw at 0,0", "refresh"}));
    EXPECT_TRUE(messages.boxes.empty());

    view.picture1.steps.clear();
    f.cmd_Click(6);
    EXPECT_EQ(readBytes(iniOf(target)), "[.ShellClassInfo]\r\niconfile=" + greenIco + "\r\niconindex=0\r\n");
    EXPECT_EQ(attributesOf(target), kept(4u));
    EXPECT_EQ(attributesOf(iniOf(target)), kept(6u));
    expectIconChangedOnly();
    EXPECT_EQ(view.picture1.picture, FakeShellIcons::pictureOf(target));  // redrawn after the change
    EXPECT_EQ(view.picture1.steps.size(), 5u);
    EXPECT_EQ(f.FolderPath(), target);

    // Again with another icon: both keys are rewritten in place, nothing is added.
    openIcon(f, redIco);
    EXPECT_EQ(view.picture2.picture, FakeShellIcons::pictureOf(redIco));
    f.cmd_Click(6);
    EXPECT_EQ(readBytes(iniOf(target)), "[.ShellClassInfo]\r\niconfile=" + redIco + "\r\niconindex=0\r\n");
    EXPECT_EQ(attributesOf(iniOf(target)), kept(6u));
    expectIconChangedOnly();

    view.picture1.steps.clear();
    f.cmd_Click(7);
    EXPECT_FALSE(exists(iniOf(target)));
    EXPECT_EQ(attributesOf(target), kept(32u));
    EXPECT_TRUE(messages.boxes.empty());
    EXPECT_EQ(view.picture1.steps.size(), 5u);
    EXPECT_EQ(view.picture1.picture, FakeShellIcons::pictureOf(target));
}

TEST_F(IconTest, AnExistingDesktopIniKeepsEverythingElse) {
    const std::string target = folder("Target");
    writeBytes(iniOf(target),
               "; kept\r\n"
               "[ViewState]\r\n"
               "Mode=\r\n"
               "\r\n"
               "[.shellclassinfo]\r\n"
               "IconFile=C:\\old.ico\r\n"
               "InfoTip=Mine\r\n"
               "IconIndex=3\r\n"
               "\r\n"
               "[Other]\r\n"
               "iconfile=x\r\n");
    frmMain& f = formOn(target);
    openIcon(f, greenIco);
    f.cmd_Click(6);
    EXPECT_EQ(readBytes(iniOf(target)), profileText("; kept\r\n"
                                                    "[ViewState]\r\n"
                                                    "Mode=\r\n"
                                                    "\r\n"
                                                    "[.shellclassinfo]\r\n"
                                                    "IconFile=" +
                                                    greenIco +
                                                    "\r\n"
                                                    "InfoTip=Mine\r\n"
                                                    "IconIndex=0\r\n"
                                                    "\r\n"
                                                    "[Other]\r\n"
                                                    "iconfile=x\r\n"));
    expectIconChangedOnly();
}

TEST_F(IconTest, NeverOpenedRemovesTheKeyAndCancelledWritesItEmpty) {
    const std::string fresh = folder("Fresh");
    frmMain& f = formOn(fresh);
    ASSERT_FALSE(f.IconFilePath().has_value());
    f.cmd_Click(6);
    EXPECT_EQ(readBytes(iniOf(fresh)), "[.ShellClassInfo]\r\niconindex=0\r\n");
    expectIconChangedOnly();
    EXPECT_EQ(view.picture1.picture, FakeShellIcons::pictureOf(fresh));

    const std::string used = folder("Used");
    writeBytes(iniOf(used), "[.ShellClassInfo]\r\nIconFile=/old.ico\r\nIconIndex=2\r\n[X]\r\ny=1\r\n");
    formOn(used).cmd_Click(6);
    EXPECT_EQ(readBytes(iniOf(used)), "[.ShellClassInfo]\r\nIconIndex=0\r\n[X]\r\ny=1\r\n");
    expectIconChangedOnly();

    // A cancel after a choice: the path becomes "", the preview stays, the key is written empty.
    const std::string cancelled = folder("Cancelled");
    frmMain& f2 = formOn(cancelled);
    openIcon(f2, greenIco);
    const auto preview = view.picture2.steps;
    openIcon(f2, "");
    EXPECT_EQ(f2.IconFilePath(), std::optional<std::string>(""));
    EXPECT_EQ(view.picture2.steps, preview);
    EXPECT_EQ(view.picture2.picture, FakeShellIcons::pictureOf(greenIco));
    f2.cmd_Click(6);
    EXPECT_EQ(readBytes(iniOf(cancelled)), "[.ShellClassInfo]\r\niconfile=\r\niconindex=0\r\n");
    expectIconChangedOnly();
}

TEST_F(IconTest, ATypedMissingFileIsKeptButNotPreviewed) {
    const std::string target = folder("Target");
    frmMain& f = formOn(target);
    openIcon(f, tmp / "typed.ico");
    EXPECT_EQ(f.IconFilePath(), std::optional<std::string>(tmp / "typed.ico"));
    EXPECT_TRUE(view.picture2.steps.empty());
    f.cmd_Click(6);
    EXPECT_EQ(readBytes(iniOf(target)), "[.ShellClassInfo]\r\niconfile=" + tmp / "typed.ico" + "\r\niconindex=0\r\n");
    expectIconChangedOnly();
}

TEST_F(IconTest, SetDefaultReachesTheSameEndFromAnyState) {
    struct State {
        const char* name;
        std::optional<std::uint32_t> folderAttributes;
        const char* ini;  // nullptr: no desktop.ini
        std::optional<std::uint32_t> iniAttributes;
        const char* iniAfter = nullptr;  // nullptr: deleted
        std::uint32_t folderAfter = 32;
    };
    // Whatever "desktop.ini" held besides the icon stays, and so does the System attribute the
    // shell needs to read it; a file that held nothing else goes, and the folder becomes Archive only.
    const std::vector<State> states = {
        {"fresh folder", std::nullopt, nullptr, std::nullopt},
        {"custom icon", 4u, "[.ShellClassInfo]\r\niconfile=/a.ico\r\niconindex=0\r\n", 6u},
        {"hidden folder with a foreign desktop.ini", 6u, "[Other]\r\nx=1\r\n", std::nullopt, "[Other]\r\nx=1\r\n",
         0x26},
        {"read-only folder, read-only file", 1u, "", 1u},
        {"archive folder, no desktop.ini", 32u, nullptr, std::nullopt},
    };
    int n = 0;
    for (const State& s : states) {
        const std::string dir = folder("S" + std::to_string(n++));
        if (s.ini) writeBytes(iniOf(dir), s.ini);
        if (s.iniAttributes) realFs.setAttributes(iniOf(dir), *s.iniAttributes);
        if (s.folderAttributes) realFs.setAttributes(dir, *s.folderAttributes);
        frmMain& f = formOn(dir);
        view.picture1.steps.clear();
        f.cmd_Click(7);
        // A read-only file is not deleted, on Linux as on Windows: that step is skipped, the rest runs.
        const bool readOnlyIni = s.iniAttributes && (*s.iniAttributes & attr::ReadOnly) != 0;
        EXPECT_EQ(exists(iniOf(dir)), s.iniAfter != nullptr || readOnlyIni) << s.name;
        if (s.iniAfter) {
            EXPECT_EQ(readBytes(iniOf(dir)), profileText(s.iniAfter)) << s.name;
        }
        EXPECT_EQ(attributesOf(dir), kept(s.folderAfter)) << s.name;
        EXPECT_TRUE(messages.boxes.empty()) << s.name;
        EXPECT_EQ(view.picture1.steps.size(), 5u) << s.name;
        EXPECT_EQ(view.picture1.picture, FakeShellIcons::pictureOf(dir)) << s.name;
    }
    // The hidden folder stays hidden in the file managers' listing too.
    if (kListsHiddenFolders) {
        EXPECT_EQ(readBytes(tmp / ".hidden"), "S2\n");
    }
}

TEST_F(IconTest, AHiddenFolderStaysHiddenThroughBothButtons) {
    const std::string hidden = folder("Hidden");
    realFs.setAttributes(hidden, attr::Hidden | attr::System);
    frmMain& f = formOn(hidden);
    openIcon(f, greenIco);
    f.cmd_Click(6);
    EXPECT_EQ(attributesOf(hidden), kept(6u));
    expectIconChangedOnly();
    if (kListsHiddenFolders) {
        EXPECT_EQ(readBytes(tmp / ".hidden"), "Hidden\n");
    }
    f.cmd_Click(7);
    EXPECT_FALSE(exists(iniOf(hidden)));
    EXPECT_EQ(attributesOf(hidden), kept(0x26u));
    if (kListsHiddenFolders) {
        EXPECT_EQ(readBytes(tmp / ".hidden"), "Hidden\n");
    }
    // A folder that is not hidden gets exactly System, and then Archive.
    const std::string plain = folder("Plain");
    realFs.setAttributes(plain, attr::ReadOnly | attr::Archive);
    frmMain& g = formOn(plain);
    openIcon(g, greenIco);
    g.cmd_Click(6);
    expectIconChangedOnly();
    EXPECT_EQ(attributesOf(plain), kept(4u));
    g.cmd_Click(7);
    EXPECT_EQ(attributesOf(plain), kept(32u));
    if (kListsHiddenFolders) {
        EXPECT_EQ(readBytes(tmp / ".hidden"), "Hidden\n");
    }
}

TEST_F(IconTest, FolderPathOfThreeCharactersOrFewerOnlyCopiesThePathBox) {
    const std::string target = folder("Target");
    frmMain& f = formOn(target);
    openIcon(f, greenIco);
    for (const std::string short_ : {"", "/", "/ab", "C:\\", "\xC3\xA9\xC3\xA9\xC3\xA9"}) {
        dialogs.folders.push_back(short_);
        f.cmd_Click(0);  // the browse takes any result into FolderPath
        ASSERT_EQ(f.FolderPath(), short_);
        const int attributeCalls = fs.calls(FaultyFileSystem::Op::SetAttributes);
        f.cmd_Click(6);
        EXPECT_EQ(counting.writes, 0) << short_;
        EXPECT_EQ(fs.calls(FaultyFileSystem::Op::SetAttributes), attributeCalls) << short_;
        EXPECT_TRUE(messages.boxes.empty()) << short_;
        EXPECT_EQ(f.FolderPath(), target) << short_;  // the path box, copied
    }
    EXPECT_FALSE(exists(iniOf(target)));
}

TEST_F(IconTest, TypedPathIsUsedAtOnceBySetDefaultButLaterByChangeIcon) {
    const std::string first = folder("First");
    const std::string second = folder("Second");
    frmMain& f = formOn(first);
    openIcon(f, greenIco);

    view.path = second;
    f.cmd_Click(6);
    EXPECT_TRUE(exists(iniOf(first)));
    EXPECT_FALSE(exists(iniOf(second)));
    EXPECT_EQ(f.FolderPath(), second);
    expectIconChangedOnly();
    f.cmd_Click(6);
    EXPECT_TRUE(exists(iniOf(second)));
    expectIconChangedOnly();

    view.path = first;
    f.cmd_Click(7);
    EXPECT_FALSE(exists(iniOf(first)));
    EXPECT_EQ(attributesOf(first), kept(32u));
    EXPECT_TRUE(exists(iniOf(second)));
    EXPECT_EQ(attributesOf(second), kept(4u));
}

TEST_F(IconTest, AFailingAttributeStepEndsInTheErrorReportAndTheProgramGoesOn) {
    const std::string target = folder("Target");
    frmMain& f = formOn(target);
    openIcon(f, greenIco);
    view.path = tmp / "Elsewhere";
    fs.failOn(FaultyFileSystem::Op::SetAttributes);  // step 4: the folder's attributes
    const auto icon = view.picture1.steps;
    f.cmd_Click(6);
    expectErrorReport(errc::DiskFull, describeError(errc::DiskFull));
    EXPECT_EQ(readBytes(iniOf(target)), "[.ShellClassInfo]\r\niconfile=" + greenIco + "\r\niconindex=0\r\n");
    EXPECT_EQ(attributesOf(target), kept(0u));
    EXPECT_EQ(f.FolderPath(), target);  // the action ended before copying the path box
    EXPECT_EQ(view.picture1.steps, icon);

    fs.failOn(FaultyFileSystem::Op::SetAttributes, 2);  // step 5: the file's attributes
    f.cmd_Click(6);
    expectErrorReport(errc::DiskFull);
    EXPECT_EQ(attributesOf(target), kept(4u));
    EXPECT_EQ(attributesOf(iniOf(target)), kept(0u));

    f.cmd_Click(6);  // still running, and now it works
    expectIconChangedOnly();
    EXPECT_EQ(attributesOf(iniOf(target)), kept(6u));
}

TEST_F(IconTest, AWriterThatCannotWriteEndsTheActionWithItsOwnError) {
    const std::string target = folder("Target");
    UnavailableIniWriter failingWriter;
    frmMain& f = formOn(target, &failingWriter);
    openIcon(f, greenIco);
    f.cmd_Click(6);
    expectErrorReport(errc::PathFileAccessError, iniOf(target));
    EXPECT_FALSE(exists(iniOf(target)));
    EXPECT_EQ(attributesOf(target), kept(0u));  // nothing was changed
}

TEST_F(IconTest, SetDefaultSkipsEachFailingStepSilently) {
    const std::string target = folder("Target");
    frmMain& f = formOn(target);
    openIcon(f, greenIco);
    f.cmd_Click(6);
    messages.boxes.clear();

    fs.failOn(FaultyFileSystem::Op::DeleteFile);
    view.picture1.steps.clear();
    f.cmd_Click(7);
    EXPECT_TRUE(exists(iniOf(target)));
    EXPECT_EQ(attributesOf(target), kept(32u));
    EXPECT_EQ(view.picture1.steps.size(), 5u);

    realFs.setAttributes(target, attr::System);
    fs.failOn(FaultyFileSystem::Op::SetAttributes);
    view.picture1.steps.clear();
    f.cmd_Click(7);
    EXPECT_FALSE(exists(iniOf(target)));
    EXPECT_EQ(attributesOf(target), kept(4u));
    EXPECT_EQ(view.picture1.steps.size(), 5u);  // redrawn all the same

    view.picture1.steps.clear();
    view.path = tmp / "Missing";
    f.cmd_Click(7);
    EXPECT_TRUE(view.picture1.steps.empty());
    EXPECT_TRUE(messages.boxes.empty());

    // An empty path box names no folder: nothing is deleted anywhere.
    const int deletes = fs.calls(FaultyFileSystem::Op::DeleteFile);
    view.path = "";
    f.cmd_Click(7);
    EXPECT_EQ(fs.calls(FaultyFileSystem::Op::DeleteFile), deletes);
    EXPECT_TRUE(messages.boxes.empty());
}

TEST_F(IconTest, LineBreaksInThePathsAreRefusedBeforeAnythingIsWritten) {
    const std::string target = folder("Target");
    const std::string existing = "[.ShellClassInfo]\r\niconfile=" + greenIco + "\r\niconindex=0\r\n";
    writeBytes(iniOf(target), existing);
    frmMain& f = formOn(target);
    for (const std::string& bad : {greenIco + "\r\n[Evil]", tmp / "a\nb.ico", tmp / "a\rb.ico"}) {
        openIcon(f, bad);
        ASSERT_EQ(f.IconFilePath(), std::optional<std::string>(bad));
        f.cmd_Click(6);
        expectErrorReport(errc::InvalidPathText, "the icon file path cannot be written into desktop.ini");
        EXPECT_EQ(readBytes(iniOf(target)), existing);
        EXPECT_EQ(attributesOf(target), kept(0u));
    }
    EXPECT_EQ(counting.writes, 0);

    const std::string broken = tmp / "Line\nBreak";
    if (kListsHiddenFolders) test::makeDir(broken);  // Windows names hold no line breaks
    frmMain& f2 = formOn(broken);
    openIcon(f2, greenIco);
    f2.cmd_Click(6);
    expectErrorReport(errc::InvalidPathText, "the folder path cannot be written into desktop.ini: " + tmp.path() +
                                                 kSeparator + "Line[LF]Break");
    EXPECT_FALSE(exists(iniOf(broken)));
    EXPECT_EQ(counting.writes, 0);

    view.path = broken;
    f2.cmd_Click(7);  // the program goes on
    if (kListsHiddenFolders) {
        EXPECT_EQ(attributesOf(broken), kept(32u));
    }
}

TEST_F(IconTest, AFailedWriteEndsChangeIconAndPutsEverythingBack) {
    struct Start {
        const char* name;
        const char* ini;  // nullptr: none
        std::uint32_t iniAttributes;
        std::uint32_t folderAttributes;
    };
    const Start starts[] = {
        {"a plain folder", nullptr, 0, 0},
        {"a hidden folder with its own desktop.ini", "[.ShellClassInfo]\r\nInfoTip=Mine\r\n[X]\r\ny=1\r\n", 6, 6},
        {"an icon already", "[.ShellClassInfo]\r\niconfile=/old.ico\r\niconindex=3\r\n", 6, 4},
    };
    enum class Failing { IconFile, IconIndex, FileManagers };
    const struct {
        const char* name;
        Failing failing;
        int number;
    } failures[] = {
        {"the iconfile key", Failing::IconFile, errc::DeviceIoError},
        {"the iconindex key", Failing::IconIndex, errc::DeviceIoError},
        {".directory", Failing::FileManagers, errc::DiskFull},
    };
    FailingIniWriter writer(*core.iniWriter);
    FailingFileManagers managers(*core.fileManagerIcons);
    int n = 0;
    for (const Start& start : starts) {
        for (const auto& failure : failures) {
            const std::string name = std::string(start.name) + ", " + failure.name;
            const std::string dir = folder("F" + std::to_string(n++));
            if (start.ini) {
                writeBytes(iniOf(dir), start.ini);
                realFs.setAttributes(iniOf(dir), start.iniAttributes);
            }
            realFs.setAttributes(dir, start.folderAttributes);
            const std::string listBefore = exists(tmp / ".hidden") ? readBytes(tmp / ".hidden") : "";
            frmMain& f = formOn(dir, &writer, &managers);
            openIcon(f, greenIco);
            writer.failAt = failure.failing == Failing::IconFile ? 1 : failure.failing == Failing::IconIndex ? 2 : 0;
            managers.fail = failure.failing == Failing::FileManagers;
            f.cmd_Click(6);
            managers.fail = false;
            writer.failAt = 0;
            expectErrorReport(failure.number, describeError(failure.number) + ": " + dir + kSeparator +
                                                  (failure.failing == Failing::FileManagers ? ".directory" : "desktop.ini"));
            if (start.ini) {
                EXPECT_EQ(readBytes(iniOf(dir)), start.ini) << name;
                EXPECT_EQ(attributesOf(iniOf(dir)), kept(start.iniAttributes)) << name;
            } else {
                EXPECT_FALSE(exists(iniOf(dir))) << name;
            }
            EXPECT_EQ(attributesOf(dir), kept(start.folderAttributes)) << name;
            EXPECT_EQ(f.FolderPath(), dir) << name;  // the action ended
            if (kListsHiddenFolders) {
                EXPECT_EQ(exists(tmp / ".hidden") ? readBytes(tmp / ".hidden") : "", listBefore) << name;
                EXPECT_FALSE(exists(dir + "/.directory")) << name;
            }
        }
    }
}

}  // namespace
}  // namespace quorvane
