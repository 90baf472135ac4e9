#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include "platform/CoreServices.h"
#include "platform/FileSystem.h"
#include "platform/PathSeparator.h"
#include "platform/Services.h"
#include "support/FakeDialogs.h"
#include "support/FakeRegistry.h"
#include "support/FakeViews.h"
#include "support/FaultyFileSystem.h"
#include "support/RecordingMessages.h"
#include "support/TempDir.h"

namespace quorvane {
class frmMain;
}

namespace quorvane::test {

#ifdef QUORVANE_TESTS_UNDER_WINE
inline constexpr bool kUnderWine = true;
#else
inline constexpr bool kUnderWine = false;
#endif

// The main window's form over a fake view and the platform's real file services in a temporary
// folder, which is also the program's folder; messages are captured, dialogs answered from queues,
// icons made up, failures injected through `fs`.
class MainFormTest : public ::testing::Test {
protected:
    MainFormTest();
    ~MainFormTest() override;

    Services services();
    // The form, made and loaded (the load sequence has run); the program folder is the temp folder.
    frmMain& form();
    void makeForm(const std::string& applicationDirectory);
    // The form working on `path`, as after a browse that chose it.
    frmMain& formOn(const std::string& path);

    // A new folder in the temp folder; its path.
    std::string folder(const std::string& name);

    // The Linux file services also list hidden folders in their parent's ".hidden".
    static constexpr bool kListsHiddenFolders = kSeparator == '/';

    // What the platform keeps of an attribute set: everything, but under wine only hidden and
    // system (it reports archive for every file and read-only from the Unix mode).
    static constexpr std::uint32_t kept(std::uint32_t attributes) {
        return kUnderWine ? attributes & (attr::Hidden | attr::System) : attributes;
    }
    // The attributes of `path` as read back, of the bits the platform keeps.
    std::uint32_t attributesOf(const std::string& path) { return kept(realFs.attributes(path)); }
    // A profile as the platform's writer leaves it: as written, but under wine without its blank
    // lines (wine rewrites the whole file; Windows and ours edit it in place).
    static std::string profileText(const std::string& text);

    TempDir tmp;
    CoreServices core = makeCoreServices();
    FileSystem& realFs = *core.fileSystem;
    FaultyFileSystem fs{realFs};
    RecordingMessages messages;
    FakeDialogs dialogs;
    FakeShellIcons icons;
    FakeRegistry registry;  // empty until a test puts values in
    RecordingLauncher launcher;
    RecordingKeys keys;
    FakeMainView view{services()};
    std::unique_ptr<frmMain> m_form;
};

}  // namespace quorvane::test
