// The file-open dialog routine: the filter list turned into the picker's file types, and the result.
#include <gtest/gtest.h>

#include <QWidget>
#include <stdexcept>

#include "dialogs/ComDialog.h"
#include "support/FakeDialogs.h"

namespace quorvane {
namespace {

QString nul() { return QString(QChar(u'\0')); }

TEST(PickerNameFilters, Table) {
    struct Case {
        const char* name;
        QString filter;
        QStringList expected;
    };
    const std::vector<Case> cases = {
        {"the icon list",
         QStringLiteral("Icon files,Exe files") + nul() + QStringLiteral("*.ico;*.exe"),
         {QStringLiteral("Icon files,Exe files (*.ico *.exe)")}},
        {"closing double NUL",
         QStringLiteral("Icons") + nul() + QStringLiteral("*.ico") + nul() + nul(),
         {QStringLiteral("Icons (*.ico)")}},
        {"two types, blanks around patterns",
         QStringLiteral("Icons") + nul() + QStringLiteral("*.ico ; *.cur") + nul() + QStringLiteral("All") + nul() +
             QStringLiteral("*.*"),
         {QStringLiteral("Icons (*.ico *.cur)"), QStringLiteral("All (*.*)")}},
        {"a description without patterns is dropped", QStringLiteral("Lonely"), {}},
        {"empty", QString(), {}},
    };
    for (const Case& c : cases) EXPECT_EQ(pickerNameFilters(c.filter), c.expected) << c.name;
}

class ShowOpenDialogTest : public ::testing::Test {
protected:
    QString run() {
        return ShowOpenDialog(dialogs, &owner,
                              QStringLiteral("Icon files,Exe files") + nul() + QStringLiteral("*.ico;*.exe"),
                              QStringLiteral("Select an Icon,.."), kOfnExplorer);
    }
    test::FakeDialogs dialogs;
    QWidget owner;
};

TEST_F(ShowOpenDialogTest, AsksThePickerWithTitleTypesAndOwner) {
    dialogs.files.push_back(QStringLiteral("/icons/a.ico"));
    EXPECT_EQ(run(), QStringLiteral("/icons/a.ico"));
    EXPECT_EQ(dialogs.openCalls, 1);
    EXPECT_EQ(dialogs.lastOwner, &owner);
    EXPECT_EQ(dialogs.lastTitle, QStringLiteral("Select an Icon,.."));
    EXPECT_EQ(dialogs.lastFilters, QStringList{QStringLiteral("Icon files,Exe files (*.ico *.exe)")});
}

TEST_F(ShowOpenDialogTest, ResultTable) {
    const QString p254 = QLatin1Char('/') + QString(253, QLatin1Char('a'));
    const QString p255 = QLatin1Char('/') + QString(254, QLatin1Char('a'));
    // 253 characters, one of them outside the 16-bit range: still within the limit.
    const QString wide253 = QLatin1Char('/') + QString(250, QLatin1Char('b')) + QStringLiteral("\U0001F600.");
    struct Case {
        const char* name;
        QString answer;
        QString expected;
    };
    const std::vector<Case> cases = {
        {"cancel", QString(), QString()},
        {"254 characters come back whole", p254, p254},
        {"255 characters give nothing", p255, QString()},
        {"characters, not UTF-16 units, are counted", wide253, wide253},
        {"cut at the first NUL", QStringLiteral("/a.ico") + nul() + QStringLiteral("junk"), QStringLiteral("/a.ico")},
        {"a name that does not exist is passed on", QStringLiteral("/nowhere/new.ico"),
         QStringLiteral("/nowhere/new.ico")},
    };
    for (const Case& c : cases) {
        dialogs.files.push_back(c.answer);
        EXPECT_EQ(run(), c.expected) << c.name;
    }
}

TEST_F(ShowOpenDialogTest, AFailingPickerGivesTheEmptyString) {
    struct Throwing final : Dialogs {
        QString browseForFolder(QWidget*, const QString&) override { throw std::runtime_error("gone"); }
        QString openFile(QWidget*, const QStringList&, const QString&) override { throw std::runtime_error("gone"); }
    } throwing;
    EXPECT_EQ(ShowOpenDialog(throwing, &owner, QStringLiteral("a") + nul() + QStringLiteral("*.a"), QStringLiteral("t"),
                             kOfnExplorer),
              QString());
}

}  // namespace
}  // namespace quorvane
