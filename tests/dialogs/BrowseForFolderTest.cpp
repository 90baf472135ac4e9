// The real folder picker, driven headless: title, directories only, result or "" on cancel.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QTimer>
#include <functional>

#include "dialogs/ComDialog.h"
#include "qt/PathText.h"
#include "qt/Dialogs.h"
#include "support/TempDir.h"

namespace quorvane {
namespace {

// Runs `act` on the picker once it is up.
void whenPickerOpens(const std::function<void(QFileDialog*)>& act) {
    QTimer::singleShot(0, [act] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        act(dialog);
    });
}

TEST(BrowseForFolder, ReturnsTheChosenFolder) {
    test::TempDir tmp;
    test::makeDir(tmp / "Chosen");
    QtDialogs dialogs;
    QWidget owner;
    owner.show();
    whenPickerOpens([&](QFileDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Select a folder to edit"));
        EXPECT_EQ(dialog->fileMode(), QFileDialog::Directory);
        EXPECT_TRUE(dialog->testOption(QFileDialog::ShowDirsOnly));
        EXPECT_TRUE(dialog->isModal());
        EXPECT_EQ(dialog->parentWidget(), &owner);
        dialog->setDirectory(fromCore(tmp.path()));
        dialog->selectFile(fromCore(tmp / "Chosen"));
        static_cast<QDialog*>(dialog)->accept();  // the picker checks the selection as on OK
    });
    EXPECT_EQ(BrowseForFolder(dialogs, &owner, "Select a folder to edit"), tmp / "Chosen");
}

TEST(BrowseForFolder, CancelGivesTheEmptyString) {
    QtDialogs dialogs;
    QWidget owner;
    owner.show();
    whenPickerOpens([](QFileDialog* dialog) { dialog->reject(); });
    EXPECT_EQ(BrowseForFolder(dialogs, &owner, "Select a folder to edit"), "");
}

}  // namespace
}  // namespace quorvane
