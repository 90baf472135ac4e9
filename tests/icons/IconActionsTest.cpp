// "Open icon", "Change Icon" and "Set Default Icon" through the real main window, on real folders:
// real clicks and typing, and the icons the boxes show. The form's rules and failures are tested
// over a fake view in icon_form_test.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <QLineEdit>
#include <QPainter>
#include <QTest>
#include <algorithm>
#include <filesystem>
#include <functional>

#include "icons/IcoFiles.h"
#include "platform/posix/IniWriter.h"
#include "qt/PathText.h"
#include "qt/MainWindow.h"
#include "support/GuiFixture.h"
#include "qt/PictureBox.h"

namespace quorvane {
namespace {

using test::exists;
using test::makeDir;
using test::FaultyFileSystem;
using test::readBytes;
using test::StoppingIniWriter;
using test::writeBytes;

const QColor kGreen(0, 160, 0);
const QColor kRed(200, 0, 0);

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

// True when the box shows exactly the 32-pixel picture of `fill` with its black mark at (3, 5).
::testing::AssertionResult showsMarked(const PictureBox* box, QColor fill) {
    const QImage& image = box->image();
    if (image.size() != QSize(32, 32)) return ::testing::AssertionFailure() << "box image is not 32 x 32";
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const QColor expected = (x == 3 && y == 5) ? QColor(Qt::black) : fill;
            if (image.pixelColor(x, y) != expected)
                return ::testing::AssertionFailure()
                       << "pixel " << x << "," << y << " is " << image.pixelColor(x, y).name().toStdString();
        }
    return ::testing::AssertionSuccess();
}

class IconTest : public test::MainWindowTest {
protected:
    IconTest() {
        writeBytes(greenIco, test::icoBytes({test::markedPicture(32, kGreen)}));
        writeBytes(redIco, test::icoBytes({test::markedPicture(32, kRed)}));
    }

    // The main window with the real profile writer (or `writer`), working on `path` as after a browse.
    MainWindow& windowOn(const std::string& path, IniWriter* writer = nullptr) {
        const Services s = services();
        m_window = std::make_unique<MainWindow>(Services{.fs = s.fs,
                                                         .messages = s.messages,
                                                         .dialogs = s.dialogs,
                                                         .icons = s.icons,
                                                         .ini = writer ? *writer : counting,
                                                         .registry = s.registry,
                                                         .launcher = s.launcher,
                                                         .keys = s.keys,
                                                         .fileManagers = s.fileManagers},
                                                fromCore(tmp.path()));
        showWindow();
        dialogs.folders.push_back(path);
        QTest::mouseClick(m_window->cmd(0), Qt::LeftButton);
        return *m_window;
    }

    void openIcon(MainWindow& w, const std::string& answer) {
        dialogs.files.push_back(answer);
        QTest::mouseClick(w.cmd(5), Qt::LeftButton);
    }
    void typePath(MainWindow& w, const std::string& text) {
        QTest::keyClick(w.Text1(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(w.Text1(), Qt::Key_Delete);
        QTest::keyClicks(w.Text1(), fromCore(text));
    }
    static std::string iniOf(const std::string& folder) { return folder + "/desktop.ini"; }

    // What a 32-pixel box shows for `path` as the icon lookup reports it now.
    QImage boxShowing(const std::string& path) {
        QImage expected(32, 32, QImage::Format_ARGB32_Premultiplied);
        expected.fill(m_window->Picture1()->backColor());
        QPainter(&expected).drawImage(0, 0, *icons.image(fromCore(path), 32));
        return expected;
    }

    void expectIconChangedOnly() {
        ASSERT_EQ(messages.boxes.size(), 1u);
        EXPECT_EQ(messages.boxes[0].text, "Icon Changed");
        EXPECT_EQ(messages.boxes[0].style, 64);
        EXPECT_EQ(messages.boxes[0].title, std::optional<std::string>("Quorvane"));
        messages.boxes.clear();
    }

    IniWriterPosix realWriter;
    CountingIniWriter counting{realWriter};
    const std::string greenIco = tmp / "green.ico";
    const std::string redIco = tmp / "red.ico";
};

TEST_F(IconTest, OpenChangeAndSetDefaultThroughTheWindow) {
    const std::string target = folder("Target");
    MainWindow& w = windowOn(target);
    const QImage plainFolder = boxShowing(target);

    openIcon(w, greenIco);
    EXPECT_EQ(dialogs.lastTitle, "Select an Icon,..");
    EXPECT_EQ(dialogs.lastFilters, std::vector<std::string>{"Icon files,Exe files (*.ico *.exe)"});
    EXPECT_EQ(dialogs.lastOwner, static_cast<QWidget*>(&w));
    EXPECT_EQ(w.form().IconFilePath(), std::optional<std::string>(greenIco));
    EXPECT_TRUE(showsMarked(w.Picture2(), kGreen));
    EXPECT_TRUE(messages.boxes.empty());

    QTest::mouseClick(w.cmd(6), Qt::LeftButton);
    EXPECT_EQ(readBytes(iniOf(target)), "[.ShellClassInfo]\r\niconfile=" + greenIco + "\r\niconindex=0\r\n");
    EXPECT_EQ(fs.attributes(target), 4u);
    EXPECT_EQ(fs.attributes(iniOf(target)), 6u);
    expectIconChangedOnly();
    EXPECT_TRUE(showsMarked(w.Picture1(), kGreen));
    EXPECT_EQ(w.form().FolderPath(), target);

    // Again with another icon: both keys are rewritten in place, nothing is added.
    openIcon(w, redIco);
    EXPECT_TRUE(showsMarked(w.Picture2(), kRed));
    QTest::mouseClick(w.cmd(6), Qt::LeftButton);
    EXPECT_EQ(readBytes(iniOf(target)), "[.ShellClassInfo]\r\niconfile=" + redIco + "\r\niconindex=0\r\n");
    EXPECT_EQ(fs.attributes(iniOf(target)), 6u);
    expectIconChangedOnly();
    EXPECT_TRUE(showsMarked(w.Picture1(), kRed));

    QTest::mouseClick(w.cmd(7), Qt::LeftButton);
    EXPECT_FALSE(exists(iniOf(target)));
    EXPECT_EQ(fs.attributes(target), 32u);
    EXPECT_TRUE(messages.boxes.empty());
    EXPECT_EQ(w.Picture1()->image(), plainFolder);
    EXPECT_FALSE(showsMarked(w.Picture1(), kRed));
}

TEST_F(IconTest, NeverOpenedRemovesTheKeyAndCancelledWritesItEmpty) {
    const std::string fresh = folder("Fresh");
    MainWindow& w = windowOn(fresh);
    ASSERT_FALSE(w.form().IconFilePath().has_value());
    QTest::mouseClick(w.cmd(6), Qt::LeftButton);
    EXPECT_EQ(readBytes(iniOf(fresh)), "[.ShellClassInfo]\r\niconindex=0\r\n");
    expectIconChangedOnly();
    EXPECT_EQ(w.Picture1()->image(), boxShowing(fresh));  // no custom icon: the folder's own

    const std::string used = folder("Used");
    writeBytes(iniOf(used), "[.ShellClassInfo]\r\nIconFile=/old.ico\r\nIconIndex=2\r\n[X]\r\ny=1\r\n");
    QTest::mouseClick(windowOn(used).cmd(6), Qt::LeftButton);
    EXPECT_EQ(readBytes(iniOf(used)), "[.ShellClassInfo]\r\nIconIndex=0\r\n[X]\r\ny=1\r\n");
    expectIconChangedOnly();

    // A cancel after a choice: the path becomes "", the preview stays, the key is written empty.
    const std::string cancelled = folder("Cancelled");
    MainWindow& w2 = windowOn(cancelled);
    openIcon(w2, greenIco);
    openIcon(w2, "");
    EXPECT_EQ(w2.form().IconFilePath(), std::optional<std::string>(""));
    EXPECT_TRUE(showsMarked(w2.Picture2(), kGreen));
    QTest::mouseClick(w2.cmd(6), Qt::LeftButton);
    EXPECT_EQ(readBytes(iniOf(cancelled)), "[.ShellClassInfo]\r\niconfile=\r\niconindex=0\r\n");
    expectIconChangedOnly();
}

TEST_F(IconTest, ATypedMissingFileIsKeptButNotPreviewed) {
    const std::string target = folder("Target");
    MainWindow& w = windowOn(target);
    const QImage designed = w.Picture2()->image();
    const QSize designedSize = w.Picture2()->size();
    openIcon(w, tmp / "typed.ico");
    EXPECT_EQ(w.form().IconFilePath(), std::optional<std::string>(tmp / "typed.ico"));
    EXPECT_EQ(w.Picture2()->image(), designed);
    EXPECT_EQ(w.Picture2()->size(), designedSize);
    QTest::mouseClick(w.cmd(6), Qt::LeftButton);
    EXPECT_EQ(readBytes(iniOf(target)), "[.ShellClassInfo]\r\niconfile=" + tmp / "typed.ico" + "\r\niconindex=0\r\n");
    expectIconChangedOnly();
}

// Whatever "desktop.ini" held besides the icon stays, and so does the System attribute the shell
// needs to read it; a file that held nothing else goes, and the folder becomes Archive only.
TEST_F(IconTest, SetDefaultReachesTheSameEndFromAnyState) {
    struct State {
        const char* name;
        std::optional<std::uint32_t> folderAttributes;
        const char* ini;  // nullptr: no desktop.ini
        std::optional<std::uint32_t> iniAttributes;
        const char* iniAfter = nullptr;  // nullptr: deleted
        std::uint32_t folderAfter = 32;
    };
    const std::vector<State> states = {
        {"fresh folder", std::nullopt, nullptr, std::nullopt},
        {"custom icon", 4u, "[.ShellClassInfo]\r\niconfile=/a.ico\r\niconindex=0\r\n", 6u},
        {"hidden folder with a foreign desktop.ini", 6u, "[Other]\r\nx=1\r\n", std::nullopt, "[Other]\r\nx=1\r\n",
         0x26},
        {"read-only folder, read-only file", 1u, "", 1u, ""},
        {"archive folder, no desktop.ini", 32u, nullptr, std::nullopt},
    };
    int n = 0;
    for (const State& s : states) {
        const std::string dir = folder("S" + std::to_string(n++));
        if (s.ini) writeBytes(iniOf(dir), s.ini);
        if (s.iniAttributes) fs.setAttributes(iniOf(dir), *s.iniAttributes);
        if (s.folderAttributes) fs.setAttributes(dir, *s.folderAttributes);
        MainWindow& w = windowOn(dir);
        QTest::mouseClick(w.cmd(7), Qt::LeftButton);
        EXPECT_EQ(exists(iniOf(dir)), s.iniAfter != nullptr) << s.name;
        if (s.iniAfter) {
            EXPECT_EQ(readBytes(iniOf(dir)), s.iniAfter) << s.name;
        }
        EXPECT_EQ(fs.attributes(dir), s.folderAfter) << s.name;
        EXPECT_TRUE(messages.boxes.empty()) << s.name;
        EXPECT_EQ(w.Picture1()->image(), boxShowing(dir)) << s.name;
    }
    // The hidden folder stays hidden in the file managers' listing too.
    EXPECT_EQ(readBytes(tmp / ".hidden"), "S2\n");
}

// A folder's own settings in "desktop.ini" come through a custom icon and its reset byte for byte.
TEST_F(IconTest, ChangeIconAndSetDefaultLeaveTheFolderAsItWas) {
    const std::string target = folder("Target");
    const std::string own = "[.ShellClassInfo]\r\nInfoTip=Mine\r\n[ViewState]\r\nMode=\r\n";
    writeBytes(iniOf(target), own);
    fs.setAttributes(iniOf(target), attr::Hidden | attr::System);
    fs.setAttributes(target, attr::System);
    MainWindow& w = windowOn(target);
    openIcon(w, greenIco);
    QTest::mouseClick(w.cmd(6), Qt::LeftButton);
    expectIconChangedOnly();
    EXPECT_EQ(readBytes(iniOf(target)), "[.ShellClassInfo]\r\nInfoTip=Mine\r\niconfile=" + greenIco +
                                            "\r\niconindex=0\r\n[ViewState]\r\nMode=\r\n");

    QTest::mouseClick(w.cmd(7), Qt::LeftButton);
    EXPECT_EQ(readBytes(iniOf(target)), own);
    EXPECT_EQ(fs.attributes(iniOf(target)), 6u);
    EXPECT_EQ(fs.attributes(target), 0x24u);
    EXPECT_EQ(w.Picture1()->image(), boxShowing(target));
    EXPECT_TRUE(messages.boxes.empty());
}

// What KDE's file managers read: ".directory" follows both buttons, keeping its own settings.
TEST_F(IconTest, TheFolderDotDirectoryFollowsChangeIconAndSetDefault) {
    struct Case {
        const char* name;
        const char* before;  // nullptr: none
        std::string iconFile;
        std::string changed;
        const char* reset;  // nullptr: removed
    };
    writeBytes(tmp / "tool.exe", "MZ");
    const std::vector<Case> cases = {
        {"none before", nullptr, greenIco, "[Desktop Entry]\nIcon=" + greenIco + "\n", nullptr},
        {"settings of its own", "[Desktop Entry]\nIcon=folder-red\nName=Mine\n\n[Dolphin]\nViewMode=1\n", greenIco,
         "[Desktop Entry]\nIcon=" + greenIco + "\nName=Mine\n\n[Dolphin]\nViewMode=1\n",
         "[Desktop Entry]\nName=Mine\n\n[Dolphin]\nViewMode=1\n"},
        {"a program file: the theme's program icon", nullptr, tmp / "tool.exe",
         "[Desktop Entry]\nIcon=application-x-executable\n", nullptr},
        {"a missing icon file: the default icon", "[Desktop Entry]\nIcon=folder-red\n", tmp / "missing.ico", "",
         nullptr},
    };
    int n = 0;
    for (const Case& c : cases) {
        const std::string dir = folder("D" + std::to_string(n++));
        const std::string dotDirectory = dir + "/.directory";
        if (c.before) writeBytes(dotDirectory, c.before);
        MainWindow& w = windowOn(dir);
        openIcon(w, c.iconFile);
        QTest::mouseClick(w.cmd(6), Qt::LeftButton);
        expectIconChangedOnly();
        EXPECT_EQ(exists(dotDirectory) ? readBytes(dotDirectory) : "", c.changed) << c.name;
        QTest::mouseClick(w.cmd(7), Qt::LeftButton);
        EXPECT_EQ(exists(dotDirectory), c.reset != nullptr) << c.name;
        if (c.reset) {
            EXPECT_EQ(readBytes(dotDirectory), c.reset) << c.name;
        }
    }
}

TEST_F(IconTest, SetDefaultSkipsEachFailingStepSilently) {
    const std::string target = folder("Target");
    MainWindow& w = windowOn(target);
    openIcon(w, greenIco);
    QTest::mouseClick(w.cmd(6), Qt::LeftButton);
    messages.boxes.clear();

    fs.failOn(FaultyFileSystem::Op::DeleteFile);
    QTest::mouseClick(w.cmd(7), Qt::LeftButton);
    EXPECT_TRUE(exists(iniOf(target)));
    EXPECT_EQ(fs.attributes(target), 32u);
    EXPECT_EQ(w.Picture1()->image(), boxShowing(target));

    fs.setAttributes(target, attr::System);
    fs.failOn(FaultyFileSystem::Op::SetAttributes);
    QTest::mouseClick(w.cmd(7), Qt::LeftButton);
    EXPECT_FALSE(exists(iniOf(target)));
    EXPECT_EQ(fs.attributes(target), 4u);
    EXPECT_EQ(w.Picture1()->image(), boxShowing(target));  // redrawn all the same: the default icon now

    const QImage before = w.Picture1()->image();
    typePath(w, tmp / "Missing");
    QTest::mouseClick(w.cmd(7), Qt::LeftButton);
    EXPECT_EQ(w.Picture1()->image(), before);
    EXPECT_TRUE(messages.boxes.empty());

    // An empty path box names no folder: nothing is deleted anywhere.
    const int deletes = fs.calls(FaultyFileSystem::Op::DeleteFile);
    typePath(w, "");
    QTest::mouseClick(w.cmd(7), Qt::LeftButton);
    EXPECT_EQ(fs.calls(FaultyFileSystem::Op::DeleteFile), deletes);
    EXPECT_TRUE(messages.boxes.empty());
}

TEST_F(IconTest, AProgramFileIsPreviewedAsTheShellWouldShowIt) {
    const std::string target = folder("Target");
    writeBytes(tmp / "tool.exe", "MZ");
    MainWindow& w = windowOn(target);
    openIcon(w, tmp / "tool.exe");
    EXPECT_EQ(w.Picture2()->size(), QSize(32, 32));
    EXPECT_EQ(w.Picture2()->image(), boxShowing(tmp / "tool.exe"));
    QTest::mouseClick(w.cmd(6), Qt::LeftButton);
    EXPECT_EQ(w.Picture1()->image(), boxShowing(tmp / "tool.exe"));
}

TEST_F(IconTest, ChangeIconOnAHiddenFolderKeepsItHidden) {
    const std::string hidden = folder("Hidden");
    fs.setAttributes(hidden, attr::Hidden | attr::System);
    MainWindow& w = windowOn(hidden);
    openIcon(w, greenIco);
    QTest::mouseClick(w.cmd(6), Qt::LeftButton);
    EXPECT_EQ(fs.attributes(hidden), 6u);
    EXPECT_EQ(readBytes(tmp / ".hidden"), "Hidden\n");
    EXPECT_TRUE(showsMarked(w.Picture1(), kGreen));
}

// Hide, Change Icon, Set Default Icon, each pressed in the window: after each the folder is hidden
// (its attribute and its line in its parent's .hidden) and in the register.
TEST_F(IconTest, AHiddenFolderStaysHiddenAndRecordedWhateverIsDoneToItsIcon) {
    const std::string target = folder("Target");
    MainWindow& w = windowOn(target);
    auto expectHidden = [&](const char* after, std::uint32_t attributes) {
        EXPECT_EQ(fs.attributes(target), attributes) << after;
        EXPECT_EQ(readBytes(tmp / ".hidden"), "Target\n") << after;
        EXPECT_EQ(readBytes(tmp / "l0g.ext"), target + "\r\n") << after;
    };
    QTest::mouseClick(w.cmd(3), Qt::LeftButton);
    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_EQ(messages.boxes[0].title, std::optional<std::string>("yeah!"));
    messages.boxes.clear();
    expectHidden("Hide Folder", 6);
    openIcon(w, greenIco);
    QTest::mouseClick(w.cmd(6), Qt::LeftButton);
    expectIconChangedOnly();
    expectHidden("Change Icon", 6);
    EXPECT_EQ(readBytes(target + "/.hidden"), "desktop.ini\n");
    QTest::mouseClick(w.cmd(7), Qt::LeftButton);
    EXPECT_TRUE(messages.boxes.empty());
    expectHidden("Set Default Icon", 0x26);
    EXPECT_FALSE(exists(iniOf(target)));
    QTest::mouseClick(w.cmd(6), Qt::LeftButton);
    expectIconChangedOnly();
    expectHidden("Change Icon again", 6);
}

TEST_F(IconTest, TypedPathIsUsedAtOnceBySetDefaultButLaterByChangeIcon) {
    const std::string first = folder("First");
    const std::string second = folder("Second");
    MainWindow& w = windowOn(first);
    openIcon(w, greenIco);

    typePath(w, second);
    QTest::mouseClick(w.cmd(6), Qt::LeftButton);
    EXPECT_TRUE(exists(iniOf(first)));
    EXPECT_FALSE(exists(iniOf(second)));
    EXPECT_EQ(w.form().FolderPath(), second);
    expectIconChangedOnly();
    QTest::mouseClick(w.cmd(6), Qt::LeftButton);
    EXPECT_TRUE(exists(iniOf(second)));
    expectIconChangedOnly();

    typePath(w, first);
    QTest::mouseClick(w.cmd(7), Qt::LeftButton);
    EXPECT_FALSE(exists(iniOf(first)));
    EXPECT_EQ(fs.attributes(first), 32u);
    EXPECT_TRUE(exists(iniOf(second)));
    EXPECT_EQ(fs.attributes(second), 4u);
}

// A desktop.ini that is no file of its own, or one that may not be written, is refused before
// anything changes: no "Icon Changed", the folder keeps its attributes, nothing is written, nothing
// is waited on, and the error says what is in the way.
TEST_F(IconTest, ADesktopIniThatIsNoFileOrMayNotBeWrittenIsRefusedBeforeAnythingChanges) {
    const std::string victim = tmp / "victim";
    struct Case {
        const char* name;
        std::function<void(const std::string& ini)> plant;
        std::function<std::string(const std::string& ini)> error;  // the report's text
    };
    const Case cases[] = {
        {"a folder", [](const std::string& ini) { test::makeDir(ini); },
         [](const std::string& ini) {
             return "Run-time error '75':\r\n\r\nPath/File access error: " + ini + " is a folder, not a file";
         }},
        {"a FIFO", [](const std::string& ini) { ASSERT_EQ(::mkfifo(ini.c_str(), 0666), 0); },
         [](const std::string& ini) {
             return "Run-time error '75':\r\n\r\nPath/File access error: " + ini +
                    " is a named pipe (FIFO), not a file";
         }},
        {"a link to a file of the user's",
         [&](const std::string& ini) { std::filesystem::create_symlink(victim, ini); },
         [](const std::string& ini) {
             return "Run-time error '75':\r\n\r\nPath/File access error: " + ini + " is a symbolic link, not a file";
         }},
        {"a read-only file",
         [&](const std::string& ini) {
             writeBytes(ini, "[.ShellClassInfo]\r\n");
             realFs.setAttributes(ini, attr::ReadOnly);
         },
         [](const std::string& ini) {
             return "Run-time error '70':\r\n\r\nPermission denied: " + ini + " is read-only";
         }},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeBytes(victim, "# the user's own file\n");
        const std::string target = folder("T" + std::to_string(n++));
        c.plant(iniOf(target));
        MainWindow& w = windowOn(target);
        openIcon(w, greenIco);
        ::alarm(20);  // a FIFO waited on ends the test here rather than at its timeout
        QTest::mouseClick(w.cmd(6), Qt::LeftButton);
        ::alarm(0);
        ASSERT_EQ(messages.boxes.size(), 1u);
        EXPECT_EQ(messages.boxes[0].text, c.error(iniOf(target)));
        messages.boxes.clear();
        EXPECT_EQ(counting.writes, 0);
        EXPECT_EQ(realFs.attributes(target), 0u);
        EXPECT_EQ(readBytes(victim), "# the user's own file\n");
        EXPECT_FALSE(exists(target + "/.hidden"));
        EXPECT_EQ(w.form().FolderPath(), target);  // the action ended before copying the path box
    }
}

// The program stops at each call in turn of "Change Icon" and of "Set Default Icon" (nothing
// after it runs); a fresh start finds every file whole, as one of the states the steps pass
// through, and the register untouched.
TEST_F(IconTest, StoppedAtAnyCallTheIconActionsLeaveEveryFileWhole) {
    using States = std::vector<std::string>;  // "<missing>" for no file
    const std::string old = "[.ShellClassInfo]\r\niconfile=/old.ico\r\n";
    const std::string v1 = "[.ShellClassInfo]\r\niconfile=" + greenIco + "\r\n";
    const std::string v2 = "[.ShellClassInfo]\r\niconfile=" + greenIco + "\r\niconindex=0\r\n";
    struct Case {
        const char* name;
        int button;
        std::uint32_t folderBefore;
        bool iniHidden;                   // desktop.ini hidden + system before, as "Change Icon" leaves it
        States ini, folderList, iniList;  // the states desktop.ini, the parent's and the folder's .hidden may be in
        std::uint32_t folderAfter;
    };
    const Case cases[] = {
        {"Change Icon on a hidden folder",
         6,
         6,
         false,
         {old, v1, v2},
         {"T\n"},  // hidden throughout
         {"<missing>", "desktop.ini\n"},
         6},
        {"Set Default Icon after Change Icon",
         7,
         4,
         true,
         {v2, "<missing>"},
         {"<missing>"},
         {"desktop.ini\n", "<missing>"},
         32},
    };
    auto bytesOr = [](const std::string& path) { return exists(path) ? readBytes(path) : "<missing>"; };
    auto oneOf = [](const States& states, const std::string& now) {
        return std::find(states.begin(), states.end(), now) != states.end();
    };
    writeBytes(tmp / "l0g.ext", tmp / "T" + "\r\n");
    for (const Case& c : cases) {
        bool completed = false;
        for (int call = 1; !completed; ++call) {
            SCOPED_TRACE(std::string(c.name) + ", stopped at call " + std::to_string(call));
            std::filesystem::remove_all(tmp / "T");
            std::filesystem::remove(tmp / ".hidden");
            const std::string target = folder("T");
            writeBytes(iniOf(target), c.button == 6 ? old : v2);
            if (c.iniHidden) realFs.setAttributes(iniOf(target), attr::Hidden | attr::System);
            realFs.setAttributes(target, c.folderBefore);
            StoppingIniWriter writer(realWriter, fs.lifeline);
            MainWindow& w = windowOn(target, &writer);
            openIcon(w, greenIco);
            fs.lifeline.stopAt(call);
            QTest::mouseClick(w.cmd(c.button), Qt::LeftButton);
            completed = !fs.lifeline.stopped();
            fs.lifeline.revive();
            messages.boxes.clear();

            FileSystemPosix freshStart;
            EXPECT_TRUE(oneOf(c.ini, bytesOr(iniOf(target)))) << bytesOr(iniOf(target));
            EXPECT_TRUE(oneOf(c.folderList, bytesOr(tmp / ".hidden"))) << bytesOr(tmp / ".hidden");
            EXPECT_TRUE(oneOf(c.iniList, bytesOr(target + "/.hidden"))) << bytesOr(target + "/.hidden");
            EXPECT_EQ(readBytes(tmp / "l0g.ext"), tmp / "T" + "\r\n");
            if (completed) {
                EXPECT_EQ(bytesOr(iniOf(target)), c.ini.back());
                EXPECT_EQ(freshStart.attributes(target), c.folderAfter);
            }
            ASSERT_LT(call, 30);
        }
    }
}

// Hostile names and bytes through the real services, pressed in the window: every file involved is
// compared byte for byte afterwards, and no line appears that was not meant.
TEST_F(IconTest, HostileNamesAndBytesWriteNoLineTheyWereNotMeantTo) {
    using namespace std::string_literals;
    auto utf16 = [](const std::string& ascii) {
        std::string out = "\xFF\xFE";
        for (const char c : ascii) out += std::string{c, '\0'};
        return out;
    };
    auto rawAttrib = [](const std::string& path) {
        char value[64];
        const ssize_t n = ::getxattr(path.c_str(), "user.DOSATTRIB", value, sizeof value);
        return n < 0 ? "<none>"s : std::string(value, static_cast<std::size_t>(n));
    };
    auto bytesOr = [](const std::string& path) { return exists(path) ? readBytes(path) : "<missing>"; };
    const std::string overlong = "/a\xC0\x8A[Other]\xC0\x8Dx=1.ico";
    const std::string surrogate = "/a\xED\xA0\x80.ico";
    const std::string ownUtf16 = utf16("[.ShellClassInfo]\r\nInfoTip=Mine\r\n");
    const std::string ownAnsi = "[.ShellClassInfo]\r\nInfoTip=Mine\r\n";
    struct Case {
        const char* name;
        std::function<std::string()> prepare;   // makes the folder, gives its path
        std::function<void(MainWindow&)> press;  // what the user does
        std::vector<std::pair<std::string, std::string>> files;  // name in tmp, bytes after ("<missing>")
        const char* message;                                     // part of the one message shown; "" none
    };
    const std::vector<Case> cases = {
        {"an overlong line feed in the icon path, UTF-16 desktop.ini",
         [&] {
             const std::string dir = folder("A");
             writeBytes(iniOf(dir), ownUtf16);
             return dir;
         },
         [&](MainWindow& w) {
             openIcon(w, overlong);
             QTest::mouseClick(w.cmd(6), Qt::LeftButton);
         },
         {{"A/desktop.ini", ownUtf16}, {"A/.directory", "<missing>"}, {"A/.hidden", "<missing>"}},
         "not valid UTF-8"},
        {"a surrogate in the icon path, UTF-16 desktop.ini",
         [&] {
             const std::string dir = folder("B");
             writeBytes(iniOf(dir), ownUtf16);
             return dir;
         },
         [&](MainWindow& w) {
             openIcon(w, surrogate);
             QTest::mouseClick(w.cmd(6), Qt::LeftButton);
         },
         {{"B/desktop.ini", ownUtf16}, {"B/.hidden", "<missing>"}},
         "not valid UTF-8"},
        {"the same path into an ANSI desktop.ini: its bytes on their one line",
         [&] {
             const std::string dir = folder("C");
             writeBytes(iniOf(dir), ownAnsi);
             return dir;
         },
         [&](MainWindow& w) {
             openIcon(w, overlong);
             QTest::mouseClick(w.cmd(6), Qt::LeftButton);
         },
         {{"C/desktop.ini", ownAnsi + "iconfile=" + overlong + "\r\niconindex=0\r\n"}, {"C/.hidden", "desktop.ini\n"}},
         "Icon Changed"},
        {"a read-only desktop.ini is not deleted by Set Default Icon",
         [&] {
             const std::string dir = folder("D");
             writeBytes(iniOf(dir), "[.ShellClassInfo]\r\niconfile=/a.ico\r\niconindex=0\r\n");
             realFs.setAttributes(iniOf(dir), attr::ReadOnly | attr::Hidden | attr::System);
             realFs.setAttributes(dir, attr::System);
             return dir;
         },
         [&](MainWindow& w) { QTest::mouseClick(w.cmd(7), Qt::LeftButton); },
         {{"D/desktop.ini", "[.ShellClassInfo]\r\niconfile=/a.ico\r\niconindex=0\r\n"}, {"D/.hidden", "desktop.ini\n"}},
         ""},
        {"a stale temporary file of a killed writer goes with the next write",
         [&] {
             const std::string dir = folder("E");
             writeBytes(dir + "/.desktop.ini.quorvane-0123456789abcdef", "[.ShellClassInfo]\r\nicon");
             return dir;
         },
         [&](MainWindow& w) {
             openIcon(w, greenIco);
             QTest::mouseClick(w.cmd(6), Qt::LeftButton);
         },
         {{"E/.desktop.ini.quorvane-0123456789abcdef", "<missing>"},
          {"E/desktop.ini", "[.ShellClassInfo]\r\niconfile=" + greenIco + "\r\niconindex=0\r\n"}},
         "Icon Changed"},
        {"a folder named a LF b, hidden by another program, through Set Default Icon",
         [&] {
             const std::string dir = folder("a\nb");
             EXPECT_EQ(::setxattr(dir.c_str(), "user.DOSATTRIB", "0x6", 3, 0), 0);
             return dir;
         },
         [&](MainWindow& w) { QTest::mouseClick(w.cmd(7), Qt::LeftButton); },
         {{".hidden", "<missing>"}},
         ""},
        {"a folder named a LF b is not hidden",
         [&] { return folder("a\nb2"); },
         [&](MainWindow& w) { QTest::mouseClick(w.cmd(3), Qt::LeftButton); },
         {{".hidden", "<missing>"}, {"l0g.ext", "<missing>"}},
         "a line break cannot be kept in the register"},
    };
    makeDir(tmp / "a");
    makeDir(tmp / "b");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string dir = c.prepare();
        MainWindow& w = windowOn(dir);
        c.press(w);
        if (*c.message) {
            ASSERT_EQ(messages.boxes.size(), 1u);
            EXPECT_NE(messages.boxes[0].text.find(c.message), std::string::npos) << messages.boxes[0].text;
        } else {
            EXPECT_TRUE(messages.boxes.empty());
        }
        messages.boxes.clear();
        for (const auto& [name, bytes] : c.files) EXPECT_EQ(bytesOr(tmp / name), bytes) << name;
        EXPECT_EQ(rawAttrib(tmp / "a"), "<none>");
        EXPECT_EQ(rawAttrib(tmp / "b"), "<none>");
    }
    EXPECT_EQ(fs.attributes(tmp / "a\nb"), 0x26u);  // still hidden, though the file managers list it
    EXPECT_EQ(fs.attributes(tmp / "A"), 0u);
    EXPECT_EQ(rawAttrib(tmp / "A"), "<none>");  // not even touched
    EXPECT_EQ(fs.attributes(tmp / "D"), 0x20u);
}

}  // namespace
}  // namespace quorvane
