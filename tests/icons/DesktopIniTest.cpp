// The one rule of a folder's own icon, which the icon actions and the Qt shell-icon painter share:
// which key of "desktop.ini" names the icon file, and what an icon file shows by its name.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "icons/DesktopIni.h"

namespace quorvane {
namespace {

TEST(DesktopIniTest, TheIconFileIsNamedUnderShellClassInfo) {
    const struct Case {
        const char* name;
        std::string content;
        std::optional<std::string> iconFile;
    } cases[] = {
        {"as \"Change Icon\" writes it", "[.ShellClassInfo]\r\niconfile=C:\\Icons\\a.ico\r\niconindex=0\r\n",
         "C:\\Icons\\a.ico"},
        {"names in any case, blanks and quotes", "[.shellclassinfo]\r\n IconFile = \"b.ico\" \r\n", "b.ico"},
        {"another section's key", "[Other]\r\niconfile=c.ico\r\n", std::nullopt},
        {"an empty name", "[.ShellClassInfo]\r\niconfile=\r\n", std::nullopt},
        {"no file at all", "", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(iconFileNamedIn(c.content), c.iconFile) << c.name;
}

TEST(DesktopIniTest, AnIconFileShowsWhatItsExtensionSays) {
    const struct Case {
        const char* path;
        IconFileKind kind;
    } cases[] = {
        {"/home/ann/tool.exe", IconFileKind::Program}, {"C:\\Tools\\TOOL.EXE", IconFileKind::Program},
        {"/home/ann/folder.ico", IconFileKind::Icon},  {"pic.Ico", IconFileKind::Icon},
        {"/home/ann/picture.png", IconFileKind::Other}, {"exe", IconFileKind::Other},
        {"/home/ann/tool.exe.bak", IconFileKind::Other}, {"", IconFileKind::Other},
    };
    for (const Case& c : cases) EXPECT_EQ(iconFileKindOf(c.path), c.kind) << c.path;
}

}  // namespace
}  // namespace quorvane
