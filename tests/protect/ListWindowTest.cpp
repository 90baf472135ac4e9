// The list of hidden folders, opened from the main window and driven with real clicks while it is
// shown modally: its content, "Show Folder", the double click, and what the register holds after.
// The forms' rules and failures are tested over fake views in list_form_test.
#include <gtest/gtest.h>

#include <QApplication>
#include <QItemSelectionModel>
#include <QListView>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>

#include "platform/Error.h"
#include "qt/PathText.h"
#include "protect/ListFile.h"
#include "qt/FormLayout.h"
#include "qt/ListWindow.h"
#include "qt/MainWindow.h"
#include "qt/TulmXpButton.h"
#include "support/GuiFixture.h"

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
    explicit WhenShown(std::function<void(ListWindow&)> act) : m_act(std::move(act)) { qApp->installEventFilter(this); }
    ~WhenShown() override { qApp->removeEventFilter(this); }
    int shown = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            if (auto* list = qobject_cast<ListWindow*>(watched)) {
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
    std::function<void(ListWindow&)> m_act;
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
    int showList(const std::function<void(ListWindow&)>& act) {
        WhenShown watcher(act);
        QTest::mouseClick(window().cmd(4), Qt::LeftButton);
        EXPECT_EQ(window().listWindow(), nullptr);  // unloaded once closed
        return watcher.shown;
    }

    static int rows(const ListWindow& list) { return list.List1()->model()->rowCount(); }
    static QStringList texts(const ListWindow& list) {
        QStringList result;
        const QAbstractItemModel* model = list.List1()->model();
        for (int i = 0; i < model->rowCount(); ++i) result.append(model->index(i, 0).data().toString());
        return result;
    }
    static int selectedCount(const ListWindow& list) {
        return static_cast<int>(list.List1()->selectionModel()->selectedIndexes().size());
    }
    static QPoint centreOf(ListWindow& list, int row) {
        QListView* l = list.List1();
        l->scrollTo(l->model()->index(row, 0));
        return l->visualRect(l->model()->index(row, 0)).center();
    }
    static void clickItem(ListWindow& list, int row) {
        QTest::mouseClick(list.List1()->viewport(), Qt::LeftButton, {}, centreOf(list, row));
    }
    // The events of a real double click: press, release, double click, release.
    static void doubleClickItem(ListWindow& list, int row) {
        QListView* l = list.List1();
        const QPoint at = centreOf(list, row);
        QTest::mousePress(l->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(l->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(l->viewport(), Qt::LeftButton, {}, at);
    }
    static void clickShowFolder(ListWindow& list) { QTest::mouseClick(list.cmd(0), Qt::LeftButton); }

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

TEST_F(ListWindowTest, TheWindowIsModalOverTheMainWindow) {
    writeBytes(reg(), "");
    MainWindow& w = window();
    const int opened = showList([&](ListWindow& list) {
        EXPECT_EQ(QApplication::activeModalWidget(), &list);
        EXPECT_EQ(list.parentWidget(), &w);
        EXPECT_EQ(w.listWindow(), &list);
        EXPECT_EQ(list.size(), QSize(491, 186));
        EXPECT_EQ(list.windowTitle(), QStringLiteral("Form1"));
        EXPECT_EQ(list.List1()->selectionMode(), QAbstractItemView::SingleSelection);
        EXPECT_EQ(list.List1()->model(), &list.List1Model());  // rows in the register's order, unsorted
        EXPECT_EQ(list.cmd(0)->Caption(), QStringLiteral("Show Folder"));
        EXPECT_EQ(list.cmd(1)->Caption(), QStringLiteral("Close"));
        EXPECT_EQ(list.formLayout().find(u"Label1")->text, QStringLiteral("Select a folder to make it visible:.."));
        QTest::mouseClick(list.cmd(1), Qt::LeftButton);
        EXPECT_FALSE(list.isVisible());
    });
    EXPECT_EQ(opened, 1);
}

TEST_F(ListWindowTest, EscapeClosesTheWindowWhicheverControlHasTheFocus) {
    const std::string path = hiddenFolder("Kept");
    writeBytes(reg(), path + "\r\n");
    for (int focus = 0; focus < 3; ++focus) {
        SCOPED_TRACE(focus);
        const int opened = showList([&](ListWindow& list) {
            ASSERT_TRUE(QTest::qWaitForWindowActive(&list));
            QWidget* target = focus == 0 ? static_cast<QWidget*>(list.List1()) : list.cmd(focus - 1);
            target->setFocus();
            QTest::keyClick(list.windowHandle(), Qt::Key_Escape);
            EXPECT_FALSE(list.isVisible());
        });
        EXPECT_EQ(opened, 1);
    }
    EXPECT_TRUE(messages.boxes.empty());
    EXPECT_EQ(readBytes(reg()), path + "\r\n");
    EXPECT_EQ(realFs.attributes(path) & (attr::Hidden | attr::System), attr::Hidden | attr::System);
}

TEST_F(ListWindowTest, MakingTheThirdOfThreeVisibleRewritesTheRegister) {
    const std::string a = hiddenFolder("A");
    const std::string b = hiddenFolder("B");
    writeBytes(reg(), a + "\r\n" + b + "\r\n" + a + "\r\n");
    showList([&](ListWindow& list) {
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
        EXPECT_EQ(selectedCount(list), 0);
        EXPECT_TRUE(list.isVisible());  // stays open for more

        clickShowFolder(list);
        expectSelectAFolder();
    });
    EXPECT_EQ(leftovers(), std::vector<std::string>{});
}

TEST_F(ListWindowTest, ADoubleClickDoesWhatTheButtonDoes) {
    const std::string a = hiddenFolder("A");
    const std::string b = hiddenFolder("B");
    writeBytes(reg(), a + "\r\n" + b + "\r\n" + a + "\r\n");
    showList([&](ListWindow& list) {
        doubleClickItem(list, 1);
        expectVisibleMessage(b);
        EXPECT_EQ(readBytes(reg()), a + "\r\n" + a + "\r\n");
        EXPECT_EQ(realFs.attributes(b), 32u);
        EXPECT_EQ(texts(list), (QStringList{fromCore(a), fromCore(a)}));
        EXPECT_EQ(selectedCount(list), 0);
    });
}
TEST_F(ListWindowTest, AnEmptyLineCanBeSelectedButNotRemoved) {
    const std::string a = hiddenFolder("A");
    writeBytes(reg(), a + "\r\n\r\n" + a + "\r\n");
    showList([&](ListWindow& list) {
        ASSERT_EQ(rows(list), 3);
        clickItem(list, 1);
        EXPECT_EQ(selectedCount(list), 1);
        clickShowFolder(list);
        expectSelectAFolder();
        EXPECT_EQ(rows(list), 3);
    });
    EXPECT_EQ(readBytes(reg()), a + "\r\n\r\n" + a + "\r\n");
}

TEST_F(ListWindowTest, LinesThatAreNotUtf8AreKeptAndFoundExactly) {
    const std::string odd = hiddenFolder("caf\xe9");  // a Latin-1 name
    const std::string a = hiddenFolder("A");
    writeBytes(reg(), odd + "\r\n" + a + "\r\n");
    showList([&](ListWindow& list) {
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

// A register of 100 000 lines, its last without a line end: the keys and the mouse reach both ends,
// and "Show Folder" there takes exactly that line out of the register on disk.
TEST_F(ListWindowTest, SelectionAndRemovalAtTheEndsOfALargeList) {
    constexpr int kLines = 100000;
    const std::string first = hiddenFolder("First");
    const std::string last = hiddenFolder("Last");
    std::string middle;
    for (int i = 1; i < kLines - 1; ++i) middle += "C:\\Archive\\folder " + std::to_string(i) + "\r\n";
    writeBytes(reg(), first + "\r\n" + middle + last);
    showList([&](ListWindow& list) {
        ASSERT_EQ(rows(list), kLines);
        EXPECT_EQ(texts(list).back(), fromCore(last));
        QCoreApplication::processEvents();  // laid out, as the user first sees it
        list.List1()->setFocus();
        QTest::keyClick(list.List1(), Qt::Key_End);
        ASSERT_EQ(selectedCount(list), 1);
        EXPECT_EQ(list.List1()->selectionModel()->selectedIndexes().front().row(), kLines - 1);
        clickShowFolder(list);
        expectVisibleMessage(last);
        EXPECT_TRUE(readBytes(reg()) == first + "\r\n" + middle);  // no diff of megabytes
        EXPECT_EQ(realFs.attributes(last), 32u);
        EXPECT_EQ(rows(list), kLines - 1);
        EXPECT_EQ(selectedCount(list), 0);

        clickItem(list, 0);
        clickShowFolder(list);
        expectVisibleMessage(first);
        EXPECT_TRUE(readBytes(reg()) == middle);
        EXPECT_EQ(realFs.attributes(first), 32u);
        ASSERT_EQ(rows(list), kLines - 2);
        EXPECT_EQ(list.List1()->model()->index(0, 0).data().toString(), QStringLiteral("C:\\Archive\\folder 1"));

        // The last line by the mouse, the list scrolled there: an entry whose folder is gone ends
        // in the error report, and the line stays.
        clickItem(list, kLines - 3);
        EXPECT_EQ(selectedCount(list), 1);
        EXPECT_EQ(list.List1()->selectionModel()->selectedIndexes().front().row(), kLines - 3);
    });
}

TEST_F(ListWindowTest, CommandsOnTheMainWindowWaitWhileTheListLoads) {
    const std::string a = hiddenFolder("A");
    writeBytes(reg(), a + "\r\n" + a + "\r\nthird\r\n");
    fs.blockSize = a.size() + 2;  // the register is read a line a block, events processed after each
    MainWindow& w = window();
    int pumps = 0;
    messages.pump = [&] {
        // The user presses "Hide Folder" and "Show Folder" again while the register loads.
        if (++pumps == 2) {
            QTest::mouseClick(w.cmd(3), Qt::LeftButton);
            QTest::mouseClick(w.cmd(4), Qt::LeftButton);
        }
        QCoreApplication::processEvents();
    };
    const int opened = showList([&](ListWindow& list) {
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
    dialogs.folders.push_back(b);
    QTest::mouseClick(w.cmd(0), Qt::LeftButton);
    QTest::mouseClick(w.cmd(3), Qt::LeftButton);
    EXPECT_EQ(messages.boxes.at(0).title, std::optional<std::string>("yeah!"));
    EXPECT_EQ(readBytes(reg()), a + "\r\n" + a + "\r\nthird\r\n" + b + "\r\n");
}

TEST_F(ListWindowTest, ShowFolderOnTheMainWindowDoesNotOpenASecondList) {
    writeBytes(reg(), "one\r\n");
    MainWindow& w = window();
    const int opened = showList([&](ListWindow& list) {
        QTest::mouseClick(w.cmd(4), Qt::LeftButton);
        w.form().cmd_Click(4);
        w.form().ShowList();
        EXPECT_EQ(w.listWindow(), &list);
        EXPECT_EQ(texts(list), QStringList{QStringLiteral("one")});
    });
    EXPECT_EQ(opened, 1);
}

TEST_F(ListWindowTest, HideThenMakeVisibleThroughTheWindows) {
    const std::string secret = folder("Secret");
    MainWindow& w = window();
    dialogs.folders.push_back(secret);
    QTest::mouseClick(w.cmd(0), Qt::LeftButton);
    QTest::mouseClick(w.cmd(3), Qt::LeftButton);
    EXPECT_EQ(realFs.attributes(secret), 6u);
    messages.boxes.clear();

    showList([&](ListWindow& list) {
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
