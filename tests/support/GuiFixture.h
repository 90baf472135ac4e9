#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <memory>

#include "platform/posix/FileManagerIcons.h"
#include "platform/posix/FileSystem.h"
#include "qt/QtServices.h"
#include "platform/posix/IniWriter.h"
#include "qt/KeyInjector.h"
#include "qt/ShellIcons.h"
#include "platform/Unavailable.h"
#include "support/FakeDialogs.h"
#include "support/FakeRegistry.h"
#include "support/FaultyFileSystem.h"
#include "support/RecordingMessages.h"
#include "support/TempDir.h"

namespace quorvane {
class MainWindow;
}

namespace quorvane::test {

// A main window over the real file system in a temporary folder, which is also the program's
// folder; messages are captured, dialogs answered from queues, failures injected through `fs`.
class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest();
    ~MainWindowTest() override;

    Services services();
    // The same fakes with other message boxes (real ones, say) in place of the recorded ones.
    Services servicesWith(UserMessages& shownMessages);
    // Makes and shows the window (the load sequence runs); the program folder defaults to the temp folder.
    MainWindow& window();
    void makeWindow(const QString& applicationDirectory);
    // Shows the window made last and waits until it is on screen.
    void showWindow();

    // A new folder in the temp folder; its path.
    std::string folder(const std::string& name);

    TempDir tmp;
    FileSystemPosix realFs;
    FaultyFileSystem fs{realFs};
    RecordingMessages messages;
    FakeDialogs dialogs;
    QtShellIcons icons{fs};
    IniWriterPosix ini;
    FakeRegistry registry;  // empty until a test puts values in
    RecordingLauncher launcher;
    QtKeyInjector keys;
    FileManagerIconsPosix fileManagers;  // the real records, in the temp folder
    std::unique_ptr<MainWindow> m_window;
};

}  // namespace quorvane::test
