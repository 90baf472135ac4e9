// The list of hidden folders, opened from the main window's form and driven through its own form
// while it is shown: its content, "Show Folder", the double click, and what the register holds after.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "protect/ListFile.h"
#include "protect/frmList.h"
#include "protect/frmMain.h"
#include "support/FormFixture.h"

namespace quorvane {
namespace {

using test::exists;
using test::FakeListView;
using test::FaultyFileSystem;
using test::readBytes;
using test::writeBytes;
using Items = std::vector<std::string>;

class ListWindowTest : public test::MainFormTest {
protected:
    std::string reg() const { return tmp / "l0g.ext"; }
    // Files in the folder besides the register and the hidden list: temporary files left behind.
    std::vector<std::string> leftovers() {
        std::vector<std::string> names;
        for (const std::string& name : test::namesIn(tmp.path()))
            if (name != "l0g.ext" && name != ".hidden" && !std::filesystem::is_directory(tmp / name))
                names.push_back(name);
        return names;
    }

    // A folder as hiding leaves it.
    std::string hiddenFolder(const std::string& name) {
        const std::string path = folder(name);
        realFs.setAttributes(path, attr::Hidden | attr::System);
        return path;
    }

    // Presses "Show Folder" on the main window and runs `act` while the list window is shown;
    // the number of windows that opened.
    int showList(const std::function<void(FakeListView&)>& act) {
        frmMain& f = form();
        const int before = view.listsLoaded;
        int shown = 0;
        view.whenListShown = [&](FakeListView& list) {
            ++shown;
            EXPECT_EQ(list.sized, 1);  // loaded: the window took its frame's size
            act(list);
        };
        f.cmd_Click(4);
        view.whenListShown = nullptr;
        EXPECT_EQ(view.listsAlive, 0);  // unloaded once closed
        EXPECT_EQ(view.listsLoaded - before, shown);
        return shown;
    }

    static void select(FakeListView& list, int row) { list.list.selected = row; }
    static void clickShowFolder(FakeListView& list) { list.form().cmd_Click(0); }

    void expectVisibleMessage(const std::string& path) {
        ASSERT_EQ(messages.boxes.size(), 1u);
        EXPECT_EQ(messages.boxes[0].text, "The Folder: \r\n" + path + "\r\n  it's visible now,..");
        EXPECT_EQ(messages.boxes[0].style, 64);
        EXPECT_EQ(messages.boxes[0].title, std::optional<std::string>("huh?"));
        messages.boxes.clear();
    }
    void expectSelectAFolder() {
        ASSERT_EQ(messages.boxes.size(), 1u);
        EXPECT_EQ(messages.boxes[0].text, "Select a folder!");
        EXPECT_EQ(messages.boxes[0].style, 64);
        EXPECT_EQ(messages.boxes[0].title, std::optional<std::string>("huh?"));
        messages.boxes.clear();
    }
    void expectHiddenList(const std::optional<std::string>& content) {
        if (!kListsHiddenFolders) return;
        if (content) {
            EXPECT_EQ(readBytes(tmp / ".hidden"), *content);
        } else {
            EXPECT_FALSE(exists(tmp / ".hidden"));
        }
    }
};

TEST_F(ListWindowTest, WithoutARegisterNothingOpens) {
    EXPECT_EQ(showList([](FakeListView&) {}), 0);
    EXPECT_TRUE(messages.boxes.empty());
    EXPECT_FALSE(exists(reg()));
}

TEST_F(ListWindowTest, CloseUnloadsTheWindowOverTheRegister) {
    writeBytes(reg(), "");
    const int opened = showList([&](FakeListView& list) {
        EXPECT_TRUE(list.shown);
        EXPECT_EQ(view.listRegister, reg());
        list.form().cmd_Click(1);
        EXPECT_EQ(list.unloads, 1);
        EXPECT_TRUE(messages.boxes.empty());
    });
    EXPECT_EQ(opened, 1);
}

TEST_F(ListWindowTest, AnEmptyRegisterGivesAnEmptyList) {
    writeBytes(reg(), "");
    EXPECT_EQ(showList([&](FakeListView& list) {
                  EXPECT_EQ(list.list.count(), 0);
                  clickShowFolder(list);
                  expectSelectAFolder();
              }),
              1);
    EXPECT_EQ(readBytes(reg()), "");
}

TEST_F(ListWindowTest, MakingTheThirdOfThreeVisibleRewritesTheRegister) {
    const std::string a = hiddenFolder("A");
    const std::string b = hiddenFolder("B");
    writeBytes(reg(), a + "\r\n" + b + "\r\n" + a + "\r\n");
    showList([&](FakeListView& list) {
        EXPECT_EQ(list.list.items, (Items{a, b, a}));
        clickShowFolder(list);  // nothing selected yet
        expectSelectAFolder();

        select(list, 2);
        clickShowFolder(list);
        expectVisibleMessage(a);
        EXPECT_EQ(readBytes(reg()), a + "\r\n" + b + "\r\n");
        EXPECT_EQ(attributesOf(a), kept(32u));
        EXPECT_EQ(attributesOf(b), kept(6u));
        expectHiddenList("B\n");
        EXPECT_EQ(list.list.items, (Items{a, b}));
        EXPECT_EQ(list.list.selected, -1);
        EXPECT_EQ(list.unloads, 0);  // stays open for more

        clickShowFolder(list);
        expectSelectAFolder();
    });
    EXPECT_EQ(leftovers(), std::vector<std::string>{});
}

TEST_F(ListWindowTest, EachOpeningShowsTheRegisterAsItStands) {
    const std::string a = hiddenFolder("A");
    const std::string b = hiddenFolder("B");
    writeBytes(reg(), a + "\r\n" + b + "\r\n");
    showList([&](FakeListView& list) {
        select(list, 0);
        clickShowFolder(list);
        list.form().cmd_Click(1);
    });
    EXPECT_EQ(readBytes(reg()), b + "\r\n");
    writeBytes(reg(), b + "\r\nadded meanwhile");
    showList([&](FakeListView& list) { EXPECT_EQ(list.list.items, (Items{b, "added meanwhile"})); });
}

TEST_F(ListWindowTest, ADoubleClickDoesWhatTheButtonDoes) {
    const std::string a = hiddenFolder("A");
    const std::string b = hiddenFolder("B");
    writeBytes(reg(), a + "\r\n" + b + "\r\n" + a + "\r\n");
    showList([&](FakeListView& list) {
        select(list, 1);
        list.form().List1_DblClick();
        expectVisibleMessage(b);
        EXPECT_EQ(readBytes(reg()), a + "\r\n" + a + "\r\n");
        EXPECT_EQ(attributesOf(b), kept(32u));
        EXPECT_EQ(list.list.items, (Items{a, a}));
        EXPECT_EQ(list.list.selected, -1);
    });
}

TEST_F(ListWindowTest, AnEmptyLineCanBeSelectedButNotRemoved) {
    const std::string a = hiddenFolder("A");
    writeBytes(reg(), a + "\r\n\r\n" + a + "\r\n");
    showList([&](FakeListView& list) {
        ASSERT_EQ(list.list.count(), 3);
        select(list, 1);
        clickShowFolder(list);
        expectSelectAFolder();
        EXPECT_EQ(list.list.count(), 3);
    });
    EXPECT_EQ(readBytes(reg()), a + "\r\n\r\n" + a + "\r\n");
}

TEST_F(ListWindowTest, AMissingFolderEndsInTheErrorReportAndTheEntryStays) {
    const std::string a = hiddenFolder("A");
    const std::string before = tmp / "Gone" + "\r\n" + a + "\r\n";
    writeBytes(reg(), before);
    showList([&](FakeListView& list) {
        select(list, 0);
        clickShowFolder(list);
        ASSERT_EQ(messages.boxes.size(), 1u);
        EXPECT_EQ(messages.boxes[0].title, std::optional<std::string>("Quorvane"));
        EXPECT_NE(messages.boxes[0].text.find("'53'"), std::string::npos) << messages.boxes[0].text;
        messages.boxes.clear();
        EXPECT_EQ(list.list.count(), 2);
        EXPECT_EQ(readBytes(reg()), before);
        EXPECT_EQ(list.unloads, 0);

        select(list, 1);  // the window goes on working
        clickShowFolder(list);
        expectVisibleMessage(a);
        EXPECT_EQ(readBytes(reg()), tmp / "Gone" + "\r\n");

        select(list, 0);  // a double click on it fails alike
        list.form().List1_DblClick();
        ASSERT_EQ(messages.boxes.size(), 1u);
        EXPECT_NE(messages.boxes[0].text.find("'53'"), std::string::npos) << messages.boxes[0].text;
        messages.boxes.clear();
    });
}

// A failed rewrite keeps the old register whole: the folder is visible, its line stays on disk
// (a later removal takes only its own line) and shows again at the next opening.
TEST_F(ListWindowTest, AFailedRewriteKeepsTheRegisterWhole) {
    using Op = FaultyFileSystem::Op;
    for (const Op op : {Op::TextFileBytes, Op::ReadFile, Op::WriteFile}) {
        SCOPED_TRACE(static_cast<int>(op));
        const std::string a = hiddenFolder("A");
        const std::string b = hiddenFolder("B");
        const std::string before = a + "\r\n" + b + "\r\n";
        writeBytes(reg(), before);
        showList([&](FakeListView& list) {
            fs.failOn(op, 1, PlatformError(errc::DiskFull, "Disk full"));
            select(list, 0);
            clickShowFolder(list);
            expectVisibleMessage(a);
            EXPECT_EQ(attributesOf(a), kept(32u));
            EXPECT_EQ(readBytes(reg()), before);
            EXPECT_EQ(leftovers(), std::vector<std::string>{});

            select(list, 0);
            clickShowFolder(list);
            expectVisibleMessage(b);
            EXPECT_EQ(readBytes(reg()), a + "\r\n");
        });
        showList([&](FakeListView& list) { EXPECT_EQ(list.list.items, Items{a}); });
    }
}

// The list shows what could be read of the register; "Show Folder" takes exactly the chosen line
// out of the register on disk, so the lines the list lacks (a read cut short, a folder hidden by
// another copy of the program while the list is open) stay.
TEST_F(ListWindowTest, ShowFolderRemovesOnlyTheChosenLineFromTheRegisterOnDisk) {
    const std::string a = hiddenFolder("A");
    const std::string b = hiddenFolder("B");
    const std::string c = hiddenFolder("C");
    writeBytes(reg(), a + "\r\n" + b + "\r\n" + c + "\r\nno line end");
    fs.blockSize = a.size() + 2;  // the first block holds the first line
    fs.failOn(FaultyFileSystem::Op::ReadBlock, 2, PlatformError(errc::DeviceIoError, "Device I/O error"));
    showList([&](FakeListView& list) {
        ASSERT_EQ(list.list.items, Items{a});
        writeBytes(reg(), readBytes(reg()) + "\r\n" + tmp / "D" + "\r\n");  // another copy hides D
        select(list, 0);
        clickShowFolder(list);
        expectVisibleMessage(a);
        EXPECT_EQ(readBytes(reg()), b + "\r\n" + c + "\r\nno line end\r\n" + tmp / "D" + "\r\n");
    });
    EXPECT_EQ(attributesOf(b), kept(6u));
    EXPECT_EQ(attributesOf(c), kept(6u));
}

// The program stops at each call in turn once "Show Folder" is pressed (nothing after it runs);
// a fresh start then finds the register as before or as after, and no hidden folder without its
// entry.
TEST_F(ListWindowTest, StoppedAtAnyCallOfShowFolderNoHiddenFolderLosesItsEntry) {
    bool completed = false;
    for (int call = 1; !completed; ++call) {
        SCOPED_TRACE("stopped at call " + std::to_string(call));
        const std::string a = hiddenFolder("A" + std::to_string(call));
        const std::string b = hiddenFolder("B" + std::to_string(call));
        const std::string before = a + "\r\n" + b + "\r\n";
        const std::string after = a + "\r\n";
        writeBytes(reg(), before);
        showList([&](FakeListView& list) {
            select(list, 1);
            fs.lifeline.stopAt(call);
            clickShowFolder(list);
            completed = !fs.lifeline.stopped();
            fs.lifeline.revive();
        });
        messages.boxes.clear();
        FileSystem& freshStart = realFs;  // past the stopped lifeline, as a fresh start sees the disk
        const std::string now = readBytes(reg());
        EXPECT_TRUE(now == before || now == after) << now;
        if (freshStart.attributes(b) & attr::Hidden) {
            EXPECT_EQ(now, before);
        }
        EXPECT_EQ(kept(freshStart.attributes(a)), kept(6u));
        EXPECT_EQ(leftovers(), std::vector<std::string>{});
        ASSERT_LT(call, 20);
    }
}

// "Show Folder" takes one line out and every other line reads exactly as before, whatever line ends
// stand around it; the register on disk is compared byte for byte. A lone CR before the line and an
// LF starting the line after it must not fuse into one CR LF. Both the lists of single items and
// those that hold the register as one block (the windows') are tried.
TEST_F(ListWindowTest, RemovingALineLeavesEveryOtherLineReadingAsBefore) {
    struct Case {
        const char* name;
        std::string before;  // "M" stands for the hidden folder's path
        int row;             // where the list shows it
        std::string after;
    };
    const Case cases[] = {
        {"CR LF lines", "a\r\nM\r\nb\r\n", 1, "a\r\nb\r\n"},
        {"a lone CR before, an LF after", "a\rM\r\n\nb\r\n", 1, "a\r\n\nb\r\n"},
        {"a lone CR before, an LF last", "a\rM\r\n\n", 1, "a\r\n\n"},
        {"an empty line with a lone CR before", "a\r\rM\r\n\nb", 2, "a\r\r\n\nb"},
        {"the first line, an LF after", "M\r\n\nb\r\n", 0, "\nb\r\n"},
        {"lone CRs all round", "a\rM\rb", 1, "a\rb"},
        {"a lone CR before, no line end", "a\rM", 1, "a\r"},
        {"the last line without its line end", "a\r\nM", 1, "a\r\n"},
        {"a lone LF inside a line after", "a\rM\r\nb\nc\r\n", 1, "a\rb\nc\r\n"},
    };
    const std::string m = hiddenFolder("M");
    auto withPath = [&m](std::string bytes) {
        const std::size_t at = bytes.find('M');
        return at == std::string::npos ? bytes : bytes.replace(at, 1, m);
    };
    for (const bool holdsLines : {false, true}) {
        view.listsHoldLines = holdsLines;
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (holdsLines ? ", list over one block" : ", list of items"));
            realFs.setAttributes(m, attr::Hidden | attr::System);
            writeBytes(reg(), withPath(c.before));
            Items before;
            showList([&](FakeListView& list) {
                before = list.list.items;
                EXPECT_EQ(list.list.lines() != nullptr, holdsLines);
                select(list, c.row);
                clickShowFolder(list);
                expectVisibleMessage(m);
                Items rest = before;
                rest.erase(rest.begin() + c.row);
                EXPECT_EQ(list.list.items, rest);
            });
            EXPECT_EQ(readBytes(reg()), withPath(c.after));
            Items after;
            showList([&](FakeListView& list) { after = list.list.items; });
            before.erase(before.begin() + c.row);
            EXPECT_EQ(after, before);
            EXPECT_EQ(attributesOf(m), kept(32u));
        }
    }
}

TEST_F(ListWindowTest, CommandsOnTheMainWindowWaitWhileTheListLoads) {
    const std::string a = hiddenFolder("A");
    writeBytes(reg(), a + "\r\n" + a + "\r\nthird\r\n");
    fs.blockSize = a.size() + 2;  // the register is read a line a block, events processed after each
    frmMain& f = form();
    int pumps = 0;
    messages.pump = [&] {
        // The user presses "Hide Folder" and "Show Folder" again while the register loads.
        if (++pumps == 2) {
            f.cmd_Click(3);
            f.cmd_Click(4);
        }
    };
    const int opened = showList([&](FakeListView& list) { EXPECT_EQ(list.list.items, (Items{a, a, "third"})); });
    EXPECT_EQ(pumps, 3);
    EXPECT_EQ(opened, 1);
    EXPECT_TRUE(messages.boxes.empty());
    EXPECT_EQ(fs.calls(FaultyFileSystem::Op::SetAttributes), 0);
    EXPECT_EQ(readBytes(reg()), a + "\r\n" + a + "\r\nthird\r\n");

    // Afterwards the window takes commands again.
    messages.pump = nullptr;
    const std::string b = folder("B");
    dialogs.folders.push_back(b);
    f.cmd_Click(0);
    f.cmd_Click(3);
    EXPECT_EQ(messages.boxes.at(0).title, std::optional<std::string>("yeah!"));
    EXPECT_EQ(readBytes(reg()), a + "\r\n" + a + "\r\nthird\r\n" + b + "\r\n");
}

TEST_F(ListWindowTest, ShowFolderOnTheMainWindowDoesNotOpenASecondList) {
    writeBytes(reg(), "one\r\n");
    frmMain& f = form();
    const int opened = showList([&](FakeListView& list) {
        f.cmd_Click(4);
        f.ShowList();
        EXPECT_EQ(view.listsLoaded, 1);
        EXPECT_EQ(list.list.items, Items{"one"});
    });
    EXPECT_EQ(opened, 1);
}

TEST_F(ListWindowTest, HideThenMakeVisibleThroughTheWindows) {
    const std::string secret = folder("Secret");
    frmMain& f = formOn(secret);
    f.cmd_Click(3);
    EXPECT_EQ(attributesOf(secret), kept(6u));
    messages.boxes.clear();

    showList([&](FakeListView& list) {
        ASSERT_EQ(list.list.items, Items{secret});
        select(list, 0);
        clickShowFolder(list);
        expectVisibleMessage(secret);
        list.form().cmd_Click(1);
    });
    EXPECT_EQ(attributesOf(secret), kept(32u));
    EXPECT_EQ(readBytes(reg()), "");
    expectHiddenList(std::nullopt);
}

}  // namespace
}  // namespace quorvane
