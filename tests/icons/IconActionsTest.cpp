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
