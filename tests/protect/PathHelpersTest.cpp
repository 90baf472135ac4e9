#include "protect/PathHelpers.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/CoreServices.h"
#include "support/TempDir.h"

namespace quorvane {
namespace {

// The examples are written in Windows form; the Linux form is the same text with "/".
std::string linuxForm(std::string s) {
    std::replace(s.begin(), s.end(), '\\', '/');
    return s;
}

struct Case {
    const char* path;
    const char* expected;
};

template <typename F>
void walk(const char* what, const std::vector<Case>& cases, F f) {
    for (const Case& c : cases) {
        EXPECT_EQ(f(c.path, '\\'), c.expected) << what << "(" << c.path << ")";
        EXPECT_EQ(f(linuxForm(c.path), '/'), linuxForm(c.expected)) << what << "(" << linuxForm(c.path) << ")";
    }
}

TEST(PathHelpers, NoExtPath) {
    walk("NoExtPath",
         {
             {"C:\\Data\\Secret.{21EC2020-3AEA-1069-A2DD-08002B30309D}", "Secret"},
             {"C:\\Data\\Secret.{645FF040-5081-101B-9F08-00AA002F954E}", "Secret"},
             {"C:\\a\\x.y.z", "x.y"},
             {"C:\\Data\\Secret", "Secret"},
             {"C:\\Data\\My.Files", "My"},
             {"C:\\my.dir\\Secret", ""},
             {"C:\\a\\.x", ""},
             {"C:\\Data\\", ""},
             {"C:\\", ""},
             {"Secret.txt", ""},
             {"", ""},
         },
         [](const std::string& p, char sep) { return NoExtPath(p, sep); });
}

TEST(PathHelpers, GetFilePath) {
    walk("GetFilePath",
         {
             {"C:\\Data\\Secret", "C:\\Data"},
             {"C:\\Data\\Secret\\", "C:\\Data\\Secret"},
             {"C:\\Secret", "C:"},
             {"C:\\", "C:"},
             {"C:", ""},
             {"", ""},
             {"\\\\server\\share\\x", "\\\\server\\share"},
             {"C:\\Data\\Secret.{645FF040-5081-101B-9F08-00AA002F954E}", "C:\\Data"},
         },
         [](const std::string& p, char sep) { return GetFilePath(p, sep); });
}

TEST(PathHelpers, GetFilePathHasNoLengthLimit) {
    const std::string parent = "C:\\" + std::string(40000, 'a');
    EXPECT_EQ(GetFilePath(parent + "\\b", '\\'), parent);
}

TEST(PathHelpers, Slash) {
    walk("Slash",
         {
             {"C:\\Tools", "C:\\Tools\\"},
             {"C:\\", "C:\\"},
             {"", "\\"},
             {"C:\\Tools\\\\", "C:\\Tools\\\\"},
         },
         [](const std::string& p, char sep) { return Slash(p, sep); });
}

TEST(PathHelpers, UnlockNameRebuiltFromBothHalves) {
    walk("undisguised name",
         {
             {"C:\\Data\\Secret.{645FF040-5081-101B-9F08-00AA002F954E}", "C:\\Data\\Secret"},
             {"C:\\Data\\Secret", "C:\\Data\\Secret"},  // no dot: the path itself
             {"C:\\my.dir\\Secret", "C:\\my.dir\\"},    // dot only in a parent: ends with the separator
         },
         [](const std::string& p, char sep) { return GetFilePath(p, sep) + sep + NoExtPath(p, sep); });
}

TEST(PathHelpers, ExistOnRealFiles) {
    test::TempDir tmp;
    CoreServices services = makeCoreServices();
    FileSystem& fs = *services.fileSystem;
    test::writeBytes(tmp / "empty", "");
    test::makeDir(tmp / "dir");
    EXPECT_TRUE(Exist(fs, tmp / "empty"));
    EXPECT_FALSE(Exist(fs, tmp / "missing"));
    EXPECT_FALSE(Exist(fs, ""));
    EXPECT_FALSE(Exist(fs, tmp / "dir"));
    EXPECT_FALSE(Exist(fs, tmp.path() + std::string(1, '\0') + "x"));  // a name the file system rejects
}

}  // namespace
}  // namespace quorvane
