// The real file picker, driven the way a user would: it is found on the screen, looked at, and a
// name is typed into it.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "dialogs/ComDialog.h"
#include "qt/PathText.h"
#include "qt/Dialogs.h"
#include "support/TempDir.h"

namespace quorvane {
namespace {

// Runs `user` on the picker as soon as it is on the screen.
void whenPickerShows(std::function<void(QFileDialog*)> user) {
    auto* timer = new QTimer(qApp);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, user] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            if (dialog && dialog->isVisible()) {
                timer->stop();
                timer->deleteLater();
                // A picker the test failed to close must not hang the run.
                QTimer::singleShot(5000, dialog, &QFileDialog::reject);
                user(dialog);
                return;
            }
        }
    });
    timer->start();
}

// Types `text` into the name box and presses the accept button, as a user does.
void typeAndAccept(QFileDialog* dialog, const QString& text) {
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    auto* buttons = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    ASSERT_NE(name, nullptr);
    ASSERT_NE(buttons, nullptr);
    QTest::keyClicks(name, text);
    // The completion list would take the click that follows; the user waves it away first.
    if (name->completer() && name->completer()->popup()) name->completer()->popup()->hide();
    QTest::mouseClick(buttons->button(QDialogButtonBox::Open), Qt::LeftButton);
}

// Names the picker lists in the folder it shows, as enabled entries.
QStringList listedNames(QFileDialog* dialog) {
    auto* view = dialog->findChild<QAbstractItemView*>(QStringLiteral("listView"));
    if (!view || !view->model()) return {};
    QStringList names;
    const QModelIndex root = view->rootIndex();
    for (int row = 0; row < view->model()->rowCount(root); ++row) {
        const QModelIndex index = view->model()->index(row, 0, root);
        if (index.flags() & Qt::ItemIsEnabled) names.append(index.data().toString());
    }
    names.sort();
    return names;
}

class QtOpenFileTest : public ::testing::Test {
protected:
    QtOpenFileTest() {
        for (const char* name : {"a.ico", "B.EXE", "c.exe", "notes.txt", "picture.png", "ico"})
            test::writeBytes(tmp / name, "x");
        test::makeDir(tmp / "sub");
    }
    QString open() {
        return fromCore(ShowOpenDialog(dialogs, &owner, std::string("Icon files,Exe files") + '\0' + "*.ico;*.exe",
                                       "Select an Icon,..", kOfnExplorer));
    }
    test::TempDir tmp;
    QtDialogs dialogs;
    QWidget owner;
};

TEST_F(QtOpenFileTest, ShowsTheTitleAndTheOneFileTypeAndTakesATypedMissingName) {
    QString title;
    QString typeLabel;
    int typeCount = 0;
    QStringList listed;
    QWidget* parent = nullptr;
    bool modal = false;
    whenPickerShows([&](QFileDialog* dialog) {
        title = dialog->windowTitle();
        parent = dialog->parentWidget();
        modal = dialog->isModal();
        auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        if (types) {
            typeCount = types->count();
            typeLabel = types->currentText();
        }
        dialog->setDirectory(fromCore(tmp.path()));  // the user goes to the folder
        EXPECT_TRUE(QTest::qWaitFor([&] { return listedNames(dialog).size() >= 4; }, 5000));
        listed = listedNames(dialog);
        typeAndAccept(dialog, QStringLiteral("new.ico"));
    });
    const QString result = open();

    EXPECT_EQ(title, QStringLiteral("Select an Icon,.."));
    EXPECT_EQ(parent, &owner);
    EXPECT_TRUE(modal);
    EXPECT_EQ(typeCount, 1);
    EXPECT_EQ(typeLabel, QStringLiteral("Icon files,Exe files"));
    EXPECT_EQ(listed, (QStringList{QStringLiteral("B.EXE"), QStringLiteral("a.ico"), QStringLiteral("c.exe"),
                                   QStringLiteral("sub")}));
    EXPECT_EQ(result, fromCore(tmp / "new.ico"));
}

TEST_F(QtOpenFileTest, AnExistingFileChosenByNameComesBackAsItsFullPath) {
    whenPickerShows([&](QFileDialog* dialog) {
        dialog->setDirectory(fromCore(tmp.path()));
        EXPECT_TRUE(QTest::qWaitFor([&] { return listedNames(dialog).size() >= 4; }, 5000));
        typeAndAccept(dialog, QStringLiteral("a.ico"));
    });
    EXPECT_EQ(open(), fromCore(tmp / "a.ico"));
}

TEST_F(QtOpenFileTest, CancelGivesTheEmptyString) {
    whenPickerShows([](QFileDialog* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
    EXPECT_EQ(open(), QString());
}

}  // namespace
}  // namespace quorvane
