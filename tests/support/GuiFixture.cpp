#include "support/GuiFixture.h"

#include <QCoreApplication>
#include <QTest>

#include "qt/PathText.h"
#include "qt/MainWindow.h"

namespace quorvane::test {

MainWindowTest::MainWindowTest() {
    messages.pump = [] { QCoreApplication::processEvents(); };
}

MainWindowTest::~MainWindowTest() = default;

Services MainWindowTest::services() { return servicesWith(messages); }

Services MainWindowTest::servicesWith(UserMessages& shownMessages) {
    return Services{
        .fs = fs,
        .messages = shownMessages,
        .dialogs = dialogs,
        .icons = icons,
        .ini = ini,
        .registry = registry,
        .launcher = launcher,
        .keys = keys,
        .fileManagers = fileManagers,
    };
}

MainWindow& MainWindowTest::window() {
    if (!m_window) makeWindow(fromCore(tmp.path()));
    return *m_window;
}

void MainWindowTest::makeWindow(const QString& applicationDirectory) {
    m_window = std::make_unique<MainWindow>(services(), applicationDirectory);
    showWindow();
}

void MainWindowTest::showWindow() {
    // Clicks reach the buttons of a shown window only, as they reach a user's.
    m_window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
}

std::string MainWindowTest::folder(const std::string& name) {
    const std::string path = tmp / name;
    makeDir(path);
    return path;
}

}  // namespace quorvane::test
