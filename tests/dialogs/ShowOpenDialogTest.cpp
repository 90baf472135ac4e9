// The dialog routines: the filter list turned into the picker's file types, the results, and
// failures turned into the empty string.
#include <gtest/gtest.h>

#include <stdexcept>

#include "dialogs/ComDialog.h"
#include "support/FakeDialogs.h"

namespace quorvane {
namespace {

std::string nul() { return std::string(1, '\0'); }

TEST(PickerNameFilters, Table) {
    struct Case {
        const char* name;
        std::string filter;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {"the icon list", "Icon files,Exe files" + nul() + "*.ico;*.exe", {"Icon files,Exe files (*.ico *.exe)"}},
        {"closing double NUL", "Icons" + nul() + "*.ico" + nul() + nul(), {"Icons (*.ico)"}},
        {"two types, blanks around patterns",
         "Icons" + nul() + "*.ico ; *.cur" + nul() + "All" + nul() + "*.*",
         {"Icons (*.ico *.cur)", "All (*.*)"}},
        {"a description without patterns is dropped", "Lonely", {}},
        {"empty", "", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(pickerNameFilters(c.filter), c.expected) << c.name;
}

class ShowOpenDialogTest : public ::testing::Test {
protected:
    std::string run() {
        return ShowOpenDialog(dialogs, &owner, "Icon files,Exe files" + nul() + "*.ico;*.exe", "Select an Icon,..",
                              kOfnExplorer);
    }
    test::FakeDialogs dialogs;
    int owner = 0;  // any window handle
};

TEST_F(ShowOpenDialogTest, AsksThePickerWithTitleTypesAndOwner) {
    dialogs.files.push_back("/icons/a.ico");
    EXPECT_EQ(run(), "/icons/a.ico");
    EXPECT_EQ(dialogs.openCalls, 1);
    EXPECT_EQ(dialogs.lastOwner, &owner);
    EXPECT_EQ(dialogs.lastTitle, "Select an Icon,..");
    EXPECT_EQ(dialogs.lastFilters, std::vector<std::string>{"Icon files,Exe files (*.ico *.exe)"});
}

TEST_F(ShowOpenDialogTest, ResultTable) {
    const std::string p254 = "/" + std::string(253, 'a');
    const std::string p255 = "/" + std::string(254, 'a');
    // 253 characters in 256 bytes, one of them outside the 16-bit range: still within the limit.
    const std::string wide253 = "/" + std::string(250, 'b') + "\xF0\x9F\x98\x80.";
    // 254 characters, two bytes each but the first.
    std::string accented254 = "/";
    for (int i = 0; i < 253; ++i) accented254 += "\xC3\xA9";
    struct Case {
        const char* name;
        std::string answer;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"cancel", "", ""},
        {"254 characters come back whole", p254, p254},
        {"255 characters give nothing", p255, ""},
        {"characters, not bytes or UTF-16 units, are counted", wide253, wide253},
        {"254 characters of two bytes come back whole", accented254, accented254},
        {"255 of them give nothing", accented254 + "\xC3\xA9", ""},
        {"cut at the first NUL", "/a.ico" + nul() + "junk", "/a.ico"},
        {"a name that does not exist is passed on", "/nowhere/new.ico", "/nowhere/new.ico"},
    };
    for (const Case& c : cases) {
        dialogs.files.push_back(c.answer);
        EXPECT_EQ(run(), c.expected) << c.name;
    }
}

struct Throwing final : Dialogs {
    std::string browseForFolder(WindowHandle, const std::string&) override { throw std::runtime_error("gone"); }
    std::string openFile(WindowHandle, const std::vector<std::string>&, const std::string&) override {
        throw std::runtime_error("gone");
    }
};

TEST_F(ShowOpenDialogTest, AFailingPickerGivesTheEmptyString) {
    Throwing throwing;
    EXPECT_EQ(ShowOpenDialog(throwing, &owner, "a" + nul() + "*.a", "t", kOfnExplorer), "");
}

TEST(BrowseForFolder, ResultTable) {
    struct Case {
        const char* name;
        std::string answer;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"a folder", "/data/Secret", "/data/Secret"},
        {"a drive root: three characters", "C:\\", "C:\\"},
        {"cancel", "", ""},
        {"cut at the first NUL", "/data" + nul() + nul() + "junk", "/data"},
        {"a buffer of NULs", std::string(260, '\0'), ""},
    };
    test::FakeDialogs dialogs;
    int owner = 0;
    for (const Case& c : cases) {
        dialogs.folders.push_back(c.answer);
        EXPECT_EQ(BrowseForFolder(dialogs, &owner, "Select a folder to edit"), c.expected) << c.name;
        EXPECT_EQ(dialogs.lastOwner, &owner) << c.name;
        EXPECT_EQ(dialogs.lastTitle, "Select a folder to edit") << c.name;
    }
    Throwing throwing;
    EXPECT_EQ(BrowseForFolder(throwing, &owner, "Select a folder to edit"), "");
}

}  // namespace
}  // namespace quorvane
