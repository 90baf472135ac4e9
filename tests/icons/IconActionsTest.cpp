// "Open icon", "Change Icon" and "Set Default Icon" through the real main window, on real folders:
// real clicks and typing, and the icons the boxes show. The form's rules and failures are tested
// over a fake view in icon_form_test.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPainter>
#include <QTest>

#include "icons/IcoFiles.h"
#include "platform/IniWriterPosix.h"
#include "platform/PathText.h"
#include "protect/MainWindow.h"
#include "support/GuiFixture.h"
#include "windows/PictureBox.h"

namespace quorvane {
namespace {

using test::exists;
using test::FaultyFileSystem;
using test::readBytes;
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
                                                         .keys = s.keys},
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

TEST_F(IconTest, SetDefaultReachesTheSameEndFromAnyState) {
    struct State {
        const char* name;
        std::optional<std::uint32_t> folderAttributes;
        const char* ini;  // nullptr: no desktop.ini
        std::optional<std::uint32_t> iniAttributes;
    };
    const std::vector<State> states = {
        {"fresh folder", std::nullopt, nullptr, std::nullopt},
        {"custom icon", 4u, "[.ShellClassInfo]\r\niconfile=/a.ico\r\niconindex=0\r\n", 6u},
        {"hidden folder with a foreign desktop.ini", 6u, "[Other]\r\nx=1\r\n", std::nullopt},
        {"read-only folder, read-only file", 1u, "", 1u},
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
        EXPECT_FALSE(exists(iniOf(dir))) << s.name;
        EXPECT_EQ(fs.attributes(dir), 32u) << s.name;
        EXPECT_TRUE(messages.boxes.empty()) << s.name;
        EXPECT_EQ(w.Picture1()->image(), boxShowing(dir)) << s.name;
    }
    // The hidden folder became visible again in the file manager's listing too.
    EXPECT_FALSE(exists(tmp / ".hidden") && readBytes(tmp / ".hidden").find("S2") != std::string::npos);
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

TEST_F(IconTest, ChangeIconOnAHiddenFolderLeavesItSystemOnly) {
    const std::string hidden = folder("Hidden");
    fs.setAttributes(hidden, attr::Hidden | attr::System);
    MainWindow& w = windowOn(hidden);
    openIcon(w, greenIco);
    QTest::mouseClick(w.cmd(6), Qt::LeftButton);
    EXPECT_EQ(fs.attributes(hidden), 4u);
    EXPECT_TRUE(showsMarked(w.Picture1(), kGreen));
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

}  // namespace
}  // namespace quorvane
