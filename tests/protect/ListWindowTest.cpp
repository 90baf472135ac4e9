// The list of hidden folders, opened from the main window and driven with real clicks while it is
// shown modally: its content, "Show Folder", the double click, and what the register holds after.
#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>

#include "platform/Error.h"
#include "platform/PathText.h"
#include "protect/ListFile.h"
#include "protect/frmList.h"
#include "protect/frmMain.h"
#include "support/GuiFixture.h"
#include "windows/FormLayout.h"
#include "xpbutton/TulmXpButton.h"

using namespace std::string_literals;

QT_BEGIN_NAMESPACE
// Readable QStrings in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
QT_END_NAMESPACE

namespace quorvane {
namespace {

using test::exists;
using test::FaultyFileSystem;
using test::readBytes;
using test::writeBytes;

// Runs an action on each list window once it is shown, from the window's own event loop, and
// closes the window afterwards if the action left it open (so a failing test never hangs).
class WhenShown : public QObject {
public:
    explicit WhenShown(std::function<void(frmList&)> act) : m_act(std::move(act)) { qApp->installEventFilter(this); }
    ~WhenShown() override { qApp->removeEventFilter(this); }
    int shown = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            if (auto* list = qobject_cast<frmList*>(watched)) {
                ++shown;
                QTimer::singleShot(0, list, [this, list] {
                    m_act(*list);
                    if (list->isVisible()) list->close();
                });
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void(frmList&)> m_act;
};

class ListWindowTest : public test::MainWindowTest {
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
    int showList(const std::function<void(frmList&)>& act) {
        WhenShown watcher(act);
        QTest::mouseClick(window().cmd(4), Qt::LeftButton);
        EXPECT_EQ(window().listWindow(), nullptr);  // unloaded once closed
        return watcher.shown;
    }

    static QStringList texts(const frmList& list) {
        QStringList result;
        for (int i = 0; i < list.List1()->count(); ++i) result.append(list.List1()->item(i)->text());
        return result;
    }
    static void clickItem(frmList& list, int row) {
        QListWidget* l = list.List1();
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(row)).center());
    }
    // The events of a real double click: press, release, double click, release.
    static void doubleClickItem(frmList& list, int row) {
        QListWidget* l = list.List1();
        const QPoint at = l->visualItemRect(l->item(row)).center();
        QTest::mousePress(l->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(l->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(l->viewport(), Qt::LeftButton, {}, at);
    }
    static void clickShowFolder(frmList& list) { QTest::mouseClick(list.cmd(0), Qt::LeftButton); }

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
};

TEST_F(ListWindowTest, WithoutARegisterNothingOpens) {
    EXPECT_EQ(showList([](frmList&) {}), 0);
    EXPECT_TRUE(messages.boxes.empty());
    EXPECT_FALSE(exists(reg()));
}

TEST_F(ListWindowTest, TheWindowIsModalOverTheMainWindow) {
    writeBytes(reg(), "");
    frmMain& w = window();
    const int opened = showList([&](frmList& list) {
        EXPECT_EQ(QApplication::activeModalWidget(), &list);
        EXPECT_EQ(list.parentWidget(), &w);
        EXPECT_EQ(w.listWindow(), &list);
        EXPECT_EQ(list.size(), QSize(491, 186));
        EXPECT_EQ(list.windowTitle(), QStringLiteral("Form1"));
        EXPECT_EQ(list.List1()->selectionMode(), QAbstractItemView::SingleSelection);
        EXPECT_FALSE(list.List1()->isSortingEnabled());
        EXPECT_EQ(list.cmd(0)->Caption(), QStringLiteral("Show Folder"));
        EXPECT_EQ(list.cmd(1)->Caption(), QStringLiteral("Close"));
        EXPECT_EQ(list.formLayout().find(u"Label1")->text, QStringLiteral("Select a folder to make it visible:.."));
        QTest::mouseClick(list.cmd(1), Qt::LeftButton);
        EXPECT_FALSE(list.isVisible());
    });
    EXPECT_EQ(opened, 1);
}

TEST_F(ListWindowTest, AnEmptyRegisterGivesAnEmptyList) {
    writeBytes(reg(), "");
    EXPECT_EQ(showList([&](frmList& list) {
                  EXPECT_EQ(list.List1()->count(), 0);
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
    showList([&](frmList& list) {
        EXPECT_EQ(texts(list), (QStringList{fromCore(a), fromCore(b), fromCore(a)}));
        clickShowFolder(list);  // nothing selected yet
        expectSelectAFolder();

        clickItem(list, 2);
        clickShowFolder(list);
        expectVisibleMessage(a);
        EXPECT_EQ(readBytes(reg()), a + "\r\n" + b + "\r\n");
        EXPECT_EQ(realFs.attributes(a), 32u);
        EXPECT_EQ(realFs.attributes(b), 6u);
        EXPECT_EQ(readBytes(tmp / ".hidden"), "B\n");
        EXPECT_EQ(texts(list), (QStringList{fromCore(a), fromCore(b)}));
        EXPECT_TRUE(list.List1()->selectedItems().isEmpty());
        EXPECT_TRUE(list.isVisible());  // stays open for more

        clickShowFolder(list);
        expectSelectAFolder();
    });
    EXPECT_EQ(leftovers(), std::vector<std::string>{});
}

TEST_F(ListWindowTest, EachOpeningShowsTheRegisterAsItStands) {
    const std::string a = hiddenFolder("A");
    const std::string b = hiddenFolder("B");
    writeBytes(reg(), a + "\r\n" + b + "\r\n");
    showList([&](frmList& list) {
        clickItem(list, 0);
        clickShowFolder(list);
        QTest::mouseClick(list.cmd(1), Qt::LeftButton);
    });
    EXPECT_EQ(readBytes(reg()), b + "\r\n");
    writeBytes(reg(), b + "\r\nadded meanwhile");
    showList([&](frmList& list) {
        EXPECT_EQ(texts(list), (QStringList{fromCore(b), QStringLiteral("added meanwhile")}));
    });
}

TEST_F(ListWindowTest, ADoubleClickDoesWhatTheButtonDoes) {
    const std::string a = hiddenFolder("A");
    const std::string b = hiddenFolder("B");
    writeBytes(reg(), a + "\r\n" + b + "\r\n" + a + "\r\n");
    showList([&](frmList& list) {
        doubleClickItem(list, 1);
        expectVisibleMessage(b);
        EXPECT_EQ(readBytes(reg()), a + "\r\n" + a + "\r\n");
        EXPECT_EQ(realFs.attributes(b), 32u);
        EXPECT_EQ(texts(list), (QStringList{fromCore(a), fromCore(a)}));
        EXPECT_TRUE(list.List1()->selectedItems().isEmpty());
    });
}

TEST_F(ListWindowTest, AnEmptyLineCanBeSelectedButNotRemoved) {
    const std::string a = hiddenFolder("A");
    writeBytes(reg(), a + "\r\n\r\n" + a + "\r\n");
    showList([&](frmList& list) {
        ASSERT_EQ(list.List1()->count(), 3);
        clickItem(list, 1);
        EXPECT_EQ(list.List1()->selectedItems().size(), 1);
        clickShowFolder(list);
        expectSelectAFolder();
        EXPECT_EQ(list.List1()->count(), 3);
    });
    EXPECT_EQ(readBytes(reg()), a + "\r\n\r\n" + a + "\r\n");
}

TEST_F(ListWindowTest, AMissingFolderEndsInTheErrorReportAndTheEntryStays) {
    const std::string a = hiddenFolder("A");
    const std::string before = tmp / "Gone" + "\r\n" + a + "\r\n";
    writeBytes(reg(), before);
    showList([&](frmList& list) {
        clickItem(list, 0);
        clickShowFolder(list);
        ASSERT_EQ(messages.boxes.size(), 1u);
        EXPECT_EQ(messages.boxes[0].title, std::optional<std::string>("Quorvane"));
        EXPECT_NE(messages.boxes[0].text.find("'53'"), std::string::npos) << messages.boxes[0].text;
        messages.boxes.clear();
        EXPECT_EQ(list.List1()->count(), 2);
        EXPECT_EQ(readBytes(reg()), before);
        EXPECT_TRUE(list.isVisible());

        clickItem(list, 1);  // the window goes on working
        clickShowFolder(list);
        expectVisibleMessage(a);
        EXPECT_EQ(readBytes(reg()), tmp / "Gone" + "\r\n");
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
        showList([&](frmList& list) {
            fs.failOn(op, 1, PlatformError(errc::DiskFull, "Disk full"));
            clickItem(list, 0);
            clickShowFolder(list);
            expectVisibleMessage(a);
            EXPECT_EQ(realFs.attributes(a), 32u);
            EXPECT_EQ(readBytes(reg()), before);
            EXPECT_EQ(leftovers(), std::vector<std::string>{});

            clickItem(list, 0);
            clickShowFolder(list);
            expectVisibleMessage(b);
            EXPECT_EQ(readBytes(reg()), a + "\r\n");
        });
        showList([&](frmList& list) { EXPECT_EQ(texts(list), QStringList{fromCore(a)}); });
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
    fs.failOn(FaultyFileSystem::Op::ReadLine, 2, PlatformError(errc::DeviceIoError, "Device I/O error"));
    showList([&](frmList& list) {
        ASSERT_EQ(texts(list), QStringList{fromCore(a)});
        writeBytes(reg(), readBytes(reg()) + "\r\n" + tmp / "D" + "\r\n");  // another copy hides D
        clickItem(list, 0);
        clickShowFolder(list);
        expectVisibleMessage(a);
        EXPECT_EQ(readBytes(reg()), b + "\r\n" + c + "\r\nno line end\r\n" + tmp / "D" + "\r\n");
    });
    EXPECT_EQ(realFs.attributes(b), 6u);
    EXPECT_EQ(realFs.attributes(c), 6u);
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
        showList([&](frmList& list) {
            clickItem(list, 1);
            fs.lifeline.stopAt(call);
            clickShowFolder(list);
            completed = !fs.lifeline.stopped();
            fs.lifeline.revive();
        });
        messages.boxes.clear();
        FileSystemPosix freshStart;
        const std::string now = readBytes(reg());
        EXPECT_TRUE(now == before || now == after) << now;
        if (freshStart.attributes(b) & attr::Hidden) {
            EXPECT_EQ(now, before);
        }
        EXPECT_EQ(freshStart.attributes(a), 6u);
        EXPECT_EQ(leftovers(), std::vector<std::string>{});
        ASSERT_LT(call, 20);
    }
}

TEST_F(ListWindowTest, LinesThatAreNotUtf8AreKeptAndFoundExactly) {
    const std::string odd = hiddenFolder("caf\xe9");  // a Latin-1 name
    const std::string a = hiddenFolder("A");
    writeBytes(reg(), odd + "\r\n" + a + "\r\n");
    showList([&](frmList& list) {
        clickItem(list, 1);
        clickShowFolder(list);
        expectVisibleMessage(a);
        EXPECT_EQ(readBytes(reg()), odd + "\r\n");
        clickItem(list, 0);
        clickShowFolder(list);
        expectVisibleMessage(odd);
        EXPECT_EQ(realFs.attributes(odd), 32u);
    });
}

TEST_F(ListWindowTest, CommandsOnTheMainWindowWaitWhileTheListLoads) {
    const std::string a = hiddenFolder("A");
    writeBytes(reg(), a + "\r\n" + a + "\r\nthird\r\n");
    frmMain& w = window();
    int pumps = 0;
    messages.pump = [&] {
        // The user presses "Hide Folder" and "Show Folder" again while the register loads.
        if (++pumps == 2) {
            QTest::mouseClick(w.cmd(3), Qt::LeftButton);
            QTest::mouseClick(w.cmd(4), Qt::LeftButton);
        }
        QCoreApplication::processEvents();
    };
    const int opened = showList([&](frmList& list) {
        EXPECT_EQ(texts(list), (QStringList{fromCore(a), fromCore(a), QStringLiteral("third")}));
    });
    EXPECT_EQ(pumps, 3);
    EXPECT_EQ(opened, 1);
    EXPECT_TRUE(messages.boxes.empty());
    EXPECT_EQ(fs.calls(FaultyFileSystem::Op::SetAttributes), 0);
    EXPECT_EQ(readBytes(reg()), a + "\r\n" + a + "\r\nthird\r\n");

    // Afterwards the window takes commands again.
    messages.pump = [] { QCoreApplication::processEvents(); };
    const std::string b = folder("B");
    dialogs.folders.push_back(fromCore(b));
    QTest::mouseClick(w.cmd(0), Qt::LeftButton);
    QTest::mouseClick(w.cmd(3), Qt::LeftButton);
    EXPECT_EQ(messages.boxes.at(0).title, std::optional<std::string>("yeah!"));
    EXPECT_EQ(readBytes(reg()), a + "\r\n" + a + "\r\nthird\r\n" + b + "\r\n");
}

TEST_F(ListWindowTest, ShowFolderOnTheMainWindowDoesNotOpenASecondList) {
    writeBytes(reg(), "one\r\n");
    frmMain& w = window();
    const int opened = showList([&](frmList& list) {
        QTest::mouseClick(w.cmd(4), Qt::LeftButton);
        w.cmd_Click(4);
        w.ShowList();
        EXPECT_EQ(w.listWindow(), &list);
        EXPECT_EQ(texts(list), QStringList{QStringLiteral("one")});
    });
    EXPECT_EQ(opened, 1);
}

TEST_F(ListWindowTest, HideThenMakeVisibleThroughTheWindows) {
    const std::string secret = folder("Secret");
    frmMain& w = window();
    dialogs.folders.push_back(fromCore(secret));
    QTest::mouseClick(w.cmd(0), Qt::LeftButton);
    QTest::mouseClick(w.cmd(3), Qt::LeftButton);
    EXPECT_EQ(realFs.attributes(secret), 6u);
    messages.boxes.clear();

    showList([&](frmList& list) {
        ASSERT_EQ(texts(list), QStringList{fromCore(secret)});
        clickItem(list, 0);
        clickShowFolder(list);
        expectVisibleMessage(secret);
        QTest::mouseClick(list.cmd(1), Qt::LeftButton);
    });
    EXPECT_EQ(realFs.attributes(secret), 32u);
    EXPECT_EQ(readBytes(reg()), "");
    EXPECT_FALSE(exists(tmp / ".hidden"));
}

}  // namespace
}  // namespace quorvane
