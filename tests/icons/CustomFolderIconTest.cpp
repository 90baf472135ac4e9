// The icons Linux shows for icon files and for folders with a "desktop.ini", as the shell would.
#include <gtest/gtest.h>

#include <QIcon>
#include <QPainter>

#include "icons/IcoFiles.h"
#include "platform/posix/FileSystem.h"
#include "qt/PathText.h"
#include "qt/ShellIcons.h"
#include "support/TempDir.h"

namespace quorvane {
namespace {

using test::icoBytes;
using test::markedPicture;
using test::writeBytes;

QImage premultiplied(const QImage& image) { return image.convertToFormat(QImage::Format_ARGB32_Premultiplied); }

class CustomFolderIcon : public ::testing::Test {
protected:
    CustomFolderIcon() {
        writeBytes(tmp / "green.ico", icoBytes({markedPicture(32, QColor(0, 160, 0))}));
        defaultFolder = *icons.image(fromCore(folder("Plain")), 32);
    }
    std::string folder(const std::string& name) {
        test::makeDir(tmp / name);
        return tmp / name;
    }
    QImage iconOf(const std::string& path, int size = 32) {
        const auto icon = icons.image(fromCore(path), size);
        return icon ? *icon : QImage();
    }

    test::TempDir tmp;
    FileSystemPosix fs;
    QtShellIcons icons{fs};
    QImage defaultFolder;
};

TEST_F(CustomFolderIcon, IcoFileShowsItsImageNearestTheSize) {
    const QImage red16 = markedPicture(16, QColor(200, 0, 0));
    const QImage green32 = markedPicture(32, QColor(0, 160, 0));
    const QImage blue48 = markedPicture(48, QColor(0, 0, 200));
    writeBytes(tmp / "three.ico", icoBytes({blue48, red16, green32}));
    EXPECT_EQ(iconOf(tmp / "three.ico", 32), premultiplied(green32));
    EXPECT_EQ(iconOf(tmp / "three.ico", 16), premultiplied(red16));

    // No image of the size: the next larger one, brought down to the size.
    writeBytes(tmp / "big.ico", icoBytes({red16, blue48}));
    const QImage fromBig = iconOf(tmp / "big.ico", 32);
    ASSERT_EQ(fromBig.size(), QSize(32, 32));
    EXPECT_EQ(fromBig.pixelColor(20, 20), QColor(0, 0, 200));
    // Only smaller ones: the largest, brought up to the size.
    writeBytes(tmp / "small.ico", icoBytes({red16}));
    const QImage fromSmall = iconOf(tmp / "small.ico", 32);
    ASSERT_EQ(fromSmall.size(), QSize(32, 32));
    EXPECT_EQ(fromSmall.pixelColor(20, 20), QColor(200, 0, 0));

    // An ".ico" that holds no picture gets the file manager's icon for it, never nothing.
    writeBytes(tmp / "broken.ico", "not an icon");
    const QImage broken = iconOf(tmp / "broken.ico");
    EXPECT_EQ(broken.size(), QSize(32, 32));
    EXPECT_NE(broken, premultiplied(green32));
}

TEST_F(CustomFolderIcon, ExeFilesShowTheGenericProgramIcon) {
    writeBytes(tmp / "tool.EXE", "MZ");
    QImage expected(32, 32, QImage::Format_ARGB32_Premultiplied);
    expected.fill(Qt::transparent);
    const QIcon program = QIcon::fromTheme(QStringLiteral("application-x-executable"));
    ASSERT_FALSE(program.isNull());
    QPainter(&expected).drawPixmap(0, 0, program.pixmap(QSize(32, 32), 1.0));
    EXPECT_EQ(iconOf(tmp / "tool.EXE"), expected);
}

TEST_F(CustomFolderIcon, WhenTheFolderShowsItsDesktopIniIcon) {
    const QImage green = premultiplied(markedPicture(32, QColor(0, 160, 0)));
    const std::string ico = tmp / "green.ico";
    struct Case {
        const char* name;
        std::uint32_t attributes;
        const char* ini;  // nullptr: no desktop.ini
        bool custom;
    };
    const std::string plainIni = "[.ShellClassInfo]\r\niconfile=" + ico + "\r\niconindex=0\r\n";
    const std::vector<Case> cases = {
        {"system folder with the key", attr::System, plainIni.c_str(), true},
        {"hidden system folder", attr::Hidden | attr::System, plainIni.c_str(), true},
        {"no system attribute", attr::Archive, plainIni.c_str(), false},
        {"read-only only", attr::ReadOnly, plainIni.c_str(), false},
        {"no desktop.ini", attr::System, nullptr, false},
        {"key removed", attr::System, "[.ShellClassInfo]\r\niconindex=0\r\n", false},
        {"empty value", attr::System, "[.ShellClassInfo]\r\niconfile=\r\niconindex=0\r\n", false},
        {"icon file missing", attr::System, "[.ShellClassInfo]\r\niconfile=/nowhere/x.ico\r\n", false},
        {"key in another section", attr::System, "[Other]\r\niconfile=../green.ico\r\n", false},
        {"other case, blanks, quotes, relative to the folder", attr::System,
         "; by hand\n[.SHELLCLASSINFO]\nIconFile = \"../green.ico\"\n", true},
    };
    int n = 0;
    for (const Case& c : cases) {
        const std::string dir = folder("F" + std::to_string(n++));
        if (c.ini) writeBytes(dir + "/desktop.ini", c.ini);
        fs.setAttributes(dir, c.attributes);
        const QImage icon = iconOf(dir);
        if (c.custom) {
            EXPECT_EQ(icon, green) << c.name;
        } else {
            EXPECT_EQ(icon, defaultFolder) << c.name;
        }
    }
    // The unreadable icon file and the program file named by a folder.
    writeBytes(tmp / "broken.ico", "not an icon");
    const std::string broken = folder("Broken");
    writeBytes(broken + "/desktop.ini", "[.ShellClassInfo]\r\niconfile=" + tmp / "broken.ico" + "\r\n");
    fs.setAttributes(broken, attr::System);
    EXPECT_EQ(iconOf(broken), defaultFolder);

    writeBytes(tmp / "tool.exe", "MZ");
    const std::string program = folder("Program");
    writeBytes(program + "/desktop.ini", "[.ShellClassInfo]\r\niconfile=" + tmp / "tool.exe" + "\r\n");
    fs.setAttributes(program, attr::System);
    EXPECT_EQ(iconOf(program), iconOf(tmp / "tool.exe"));
    EXPECT_NE(iconOf(program), defaultFolder);
}

}  // namespace
}  // namespace quorvane
