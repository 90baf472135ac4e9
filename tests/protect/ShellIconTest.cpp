// DrawShellIcon on a real picture box: box size, clearing, placement, persistence in pixels; and the
// icons Linux shows. Its steps alone are tested in draw_shell_icon_test.
#include <gtest/gtest.h>

#include <QFileIconProvider>
#include <QIcon>
#include <QPainter>

#include "platform/Error.h"
#include "platform/posix/FileSystem.h"
#include "qt/PathText.h"
#include "qt/IconImage.h"
#include "qt/ShellIcons.h"
#include "protect/Disguise.h"
#include "protect/ShellIcon.h"
#include "support/TempDir.h"
#include "qt/PictureBox.h"
#include "qt/QtPictureBox.h"

namespace quorvane {
namespace {

// Icons of our own making, so the test knows every pixel.
class FixedIcons final : public ShellIcons {
public:
    std::optional<IconImage> iconFor(const std::string& path, int size) override {
        lastSize = size;
        if (path == "missing") return std::nullopt;
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        if (path == "full") image.fill(Qt::red);
        if (path == "dot") image.setPixelColor(5, 7, Qt::blue);
        return fromQImage(image);
    }
    int lastSize = 0;
};

class DrawShellIconTest : public ::testing::Test {
protected:
    DrawShellIconTest() {
        widget.resize(33, 33);  // the designed 495 twips
        widget.setBackColor(Qt::white);
    }
    FixedIcons icons;
    PictureBox widget;
    QtPictureBox box{&widget};
};

TEST_F(DrawShellIconTest, UnknownPathLeavesTheBoxUntouched) {
    DrawShellIcon(icons, "full", box, 32);
    const QImage before = widget.image();
    DrawShellIcon(icons, "missing", box, 32);
    EXPECT_EQ(widget.image(), before);
    EXPECT_EQ(widget.size(), QSize(32, 32));
}

TEST_F(DrawShellIconTest, FirstDrawResizesAndEachDrawReplacesTheOldIcon) {
    DrawShellIcon(icons, "missing", box, 32);
    EXPECT_EQ(widget.size(), QSize(33, 33));
    DrawShellIcon(icons, "full", box, 32);
    EXPECT_EQ(widget.size(), QSize(32, 32));
    EXPECT_EQ(widget.image().pixelColor(31, 31), QColor(Qt::red));

    DrawShellIcon(icons, "dot", box, 32);
    const QImage& image = widget.image();
    ASSERT_EQ(image.size(), QSize(32, 32));
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const QColor expected = (x == 5 && y == 7) ? QColor(Qt::blue) : QColor(Qt::white);
            ASSERT_EQ(image.pixelColor(x, y), expected) << x << "," << y;  // nothing of the red remains
        }
}

TEST_F(DrawShellIconTest, SizeSixteenTakesTheSmallIcons) {
    DrawShellIcon(icons, "full", box, 16);
    EXPECT_EQ(icons.lastSize, 16);
    EXPECT_EQ(widget.size(), QSize(16, 16));
    DrawShellIcon(icons, "full", box, 48);
    EXPECT_EQ(icons.lastSize, 32);  // any other size: the large icons
}

TEST_F(DrawShellIconTest, SizeBeyondSixteenBitsOverflowsBeforeTheBoxChanges) {
    DrawShellIcon(icons, "dot", box, 32);
    const QImage before = widget.image();
    try {
        DrawShellIcon(icons, "full", box, 2185);
        FAIL() << "no overflow";
    } catch (const PlatformError& e) {
        EXPECT_EQ(e.number(), errc::Overflow);
    }
    EXPECT_EQ(widget.image(), before);
    EXPECT_EQ(widget.size(), QSize(32, 32));
}

TEST(QtIconImage, PicturesCrossTheCoreUnchanged) {
    QImage image(3, 2, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    image.setPixel(0, 0, 0x80400000u);  // red at half coverage, premultiplied
    image.setPixel(2, 1, 0xFF00FF00u);
    const IconImage icon = fromQImage(image);
    EXPECT_EQ(icon.width, 3);
    EXPECT_EQ(icon.height, 2);
    EXPECT_EQ(icon.pixels, (std::vector<std::uint32_t>{0x80400000u, 0, 0, 0, 0, 0xFF00FF00u}));
    EXPECT_EQ(toQImage(icon), image);
    // Another format is brought to the premultiplied one first.
    QImage straight(1, 1, QImage::Format_ARGB32);
    straight.setPixel(0, 0, 0x80800000u);
    EXPECT_EQ(fromQImage(straight).pixels, std::vector<std::uint32_t>{0x80400000u});
}

TEST(LinuxShellIcons, DisguisedFolderShowsTheObjectItImitates) {
    test::TempDir tmp;
    FileSystemPosix fs;
    QtShellIcons icons(fs);
    const auto folderIcon = icons.image(fromCore(tmp.path()), 32);
    ASSERT_TRUE(folderIcon);
    for (std::size_t i = 0; i < DisguiseSuffixes.size(); ++i) {
        const std::string disguised = tmp / ("Secret" + std::string(DisguiseSuffixes[i]));
        test::makeDir(disguised);
        const auto icon = icons.image(fromCore(disguised), 32);
        ASSERT_TRUE(icon) << i;
        const QIcon themed = QIcon::fromTheme(QtShellIcons::disguiseIconName(i));
        EXPECT_FALSE(themed.isNull()) << "theme lacks " << QtShellIcons::disguiseIconName(i).toStdString();
        QImage expected(32, 32, QImage::Format_ARGB32_Premultiplied);
        expected.fill(Qt::transparent);
        QPainter(&expected).drawPixmap(0, 0, themed.pixmap(QSize(32, 32), 1.0));
        EXPECT_EQ(*icon, expected) << i;
        EXPECT_NE(*icon, *folderIcon) << i;
        EXPECT_EQ(icons.iconFor(disguised, 32), fromQImage(expected)) << i;  // the core's form of the same
    }
    // A file of such a name is no disguise; a missing path has no icon.
    test::writeBytes(tmp / ("file" + std::string(DisguiseSuffixes[0])), "");
    EXPECT_FALSE(icons.image(fromCore(tmp / "missing"), 32));
    EXPECT_FALSE(icons.iconFor(tmp / "missing", 32));
    EXPECT_FALSE(icons.image(QString(), 32));
    EXPECT_FALSE(icons.iconFor("", 32));
}

}  // namespace
}  // namespace quorvane
