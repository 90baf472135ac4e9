#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <memory>

#include "platform/FileSystemPosix.h"
#include "platform/IniWriterPosix.h"
#include "platform/GuiServices.h"
#include "platform/QtKeyInjector.h"
#include "platform/QtShellIcons.h"
#include "platform/Unavailable.h"
#include "support/FakeDialogs.h"
#include "support/FaultyFileSystem.h"
#include "support/RecordingMessages.h"
#include "support/TempDir.h"

namespace quorvane {
class frmMain;
}

namespace quorvane::test {

// A main window over the real file system in a temporary folder, which is also the program's
// folder; messages are captured, dialogs answered from queues, failures injected through `fs`.
class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest();
    ~MainWindowTest() override;

    Services services();
    // Makes the window (the load sequence runs); the program folder defaults to the temp folder.
    frmMain& window();
    void makeWindow(const QString& applicationDirectory);

    // A new folder in the temp folder; its path.
    std::string folder(const std::string& name);

    TempDir tmp;
    FileSystemPosix realFs;
    FaultyFileSystem fs{realFs};
    RecordingMessages messages;
    FakeDialogs dialogs;
    QtShellIcons icons{fs};
    IniWriterPosix ini;
    EmptyRegistry registry;
    UnavailableLauncher launcher;
    QtKeyInjector keys;
    std::unique_ptr<frmMain> m_window;
};

}  // namespace quorvane::test
