// The real quorvane.exe driven from outside as a user drives it, every command of its main window
// and the list window's, with the disk checked after each: the disguise picked in the combo box
// and the folder's name, the register's bytes and the attributes, "desktop.ini" and its marks, the
// about window, the message boxes' texts; and the installed program's register in the user's data.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <string>
#include <utility>
#include <vector>

#include "ProgramDriver.h"
#include "platform/win32/Win32Text.h"
#include "support/TempDir.h"

namespace quorvane {
namespace {

using test::ProgramCopy;
using test::ProgramDriver;

constexpr DWORD kDirectory = FILE_ATTRIBUTE_DIRECTORY;
// The marks the actions are about, and all that wine keeps (it reports archive for every file and
// read-only from the Unix mode): on Windows an ordinary folder again shows archive (32) as well.
constexpr DWORD kMarks = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

std::wstring wide(const std::string& text) { return *win32::toWide(text); }

DWORD marks(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) & kMarks; }

bool exists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The path in the ANSI code page, as the register keeps it.
std::string ansi(const std::wstring& text) {
    std::string bytes(text.size() * 4, '\0');
    BOOL lossy = FALSE;
    const int n = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.c_str(), static_cast<int>(text.size()),
                                        bytes.data(), static_cast<int>(bytes.size()), nullptr, &lossy);
    bytes.resize(static_cast<std::size_t>(n));
    return lossy ? std::string("<not in the code page>") : bytes;
}

// The main window's controls as a user finds them.
struct MainControls {
    explicit MainControls(HWND main)
        : main(main),
          path(::FindWindowExW(main, nullptr, L"Edit", nullptr)),
          disguise(::FindWindowExW(main, nullptr, L"ComboBox", nullptr)) {}
    HWND main;
    HWND path;
    HWND disguise;
};

// The first edit control among the descendants of `parent`, or null.
HWND editIn(HWND parent) {
    HWND found = nullptr;
    ::EnumChildWindows(
        parent,
        [](HWND child, LPARAM data) -> BOOL {
            wchar_t name[16] = {};
            ::GetClassNameW(child, name, 16);
            if (_wcsicmp(name, L"Edit") != 0) return TRUE;
            *reinterpret_cast<HWND*>(data) = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// The open dialog's file name box: an edit control inside the file name combo box (an extended one,
// with a combo box inside) in the explorer-style layout, a plain edit box in older ones.
HWND fileNameBox(HWND dialog) {
    for (int i = 0; i < 500; ++i) {
        if (const HWND combo = ::GetDlgItem(dialog, 0x47C)) {
            if (const HWND edit = editIn(combo)) return edit;
        }
        if (const HWND edit = ::GetDlgItem(dialog, 0x480)) return edit;
        ::Sleep(10);
    }
    return nullptr;
}

// The window that has the keyboard focus in `window`'s thread once it settles on `expected`, or
// the last one seen after two seconds.
HWND focusSettlesOn(HWND window, HWND expected) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    for (int i = 0; i < 200; ++i) {
        if (::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info) && info.hwndFocus == expected) break;
        ::Sleep(10);
    }
    return info.hwndFocus;
}

// The folder typed into the path box and taken up by a command that reads it ("Set Default Icon",
// harmless on a folder without an icon of its own).
void workOn(const MainControls& c, const std::wstring& folder) {
    ProgramDriver::setText(c.path, folder);
    ASSERT_TRUE(ProgramDriver::clickButton(c.main, L"Set Default Icon"));
    ProgramDriver::settle();
}

TEST(ProgramActions, LockAndUnlockWithTheDisguisePickedInTheComboBox) {
    const ProgramCopy program;
    const test::TempDir work;
    const std::wstring folder = wide(work / "Private");
    ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
    ProgramDriver quorvane(program.path());
    ASSERT_NE(quorvane.mainWindow(), nullptr);
    const MainControls c(quorvane.mainWindow());
    ASSERT_NE(c.path, nullptr);
    ASSERT_NE(c.disguise, nullptr);
    EXPECT_EQ(::SendMessageW(c.disguise, CB_GETCOUNT, 0, 0), 8);
    EXPECT_EQ(::SendMessageW(c.disguise, CB_GETCURSEL, 0, 0), CB_ERR) << "no disguise is chosen at first";
    workOn(c, folder);

    // "Printers", the second disguise.
    ::SendMessageW(c.disguise, CB_SETCURSEL, 1, 0);
    ASSERT_TRUE(ProgramDriver::clickButton(c.main, L"Lock Folder"));
    const std::wstring locked = folder + L".{2227A280-3AEA-1069-A2DE-08002B30309D}";
    EXPECT_EQ(quorvane.answerMessageBox(L"Quorvane"), L"Folder: \r\n" + folder + L"\r\nLocked!");
    EXPECT_TRUE(exists(locked));
    EXPECT_FALSE(exists(folder));
    EXPECT_EQ(ProgramDriver::text(c.path), locked);

    ASSERT_TRUE(ProgramDriver::clickButton(c.main, L"Unlock Folder"));
    EXPECT_EQ(quorvane.answerMessageBox(L"Quorvane"), L"Folder: \r\n" + locked + L"\r\nUnlocked!");
    EXPECT_TRUE(exists(folder));
    EXPECT_FALSE(exists(locked));
    EXPECT_EQ(ProgramDriver::text(c.path), folder);

    ASSERT_TRUE(ProgramDriver::clickButton(c.main, L"Exit"));
    EXPECT_EQ(quorvane.waitForExit(), 0);
}

TEST(ProgramActions, HideThenShowFromTheListWindow) {
    const ProgramCopy program;
    const test::TempDir work;
    // A name outside ASCII: the register keeps it in the ANSI code page.
    const std::wstring folder = wide(work / (std::string("F\xC3\xA4") + "cher"));
    ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
    const std::wstring registerFile = program.file("l0g.ext");
    ProgramDriver quorvane(program.path());
    ASSERT_NE(quorvane.mainWindow(), nullptr);
    const MainControls c(quorvane.mainWindow());
    workOn(c, folder);

    ASSERT_TRUE(ProgramDriver::clickButton(c.main, L"Hide Folder"));
    EXPECT_EQ(quorvane.answerMessageBox(L"yeah!"), L"The folder: \r\n" + folder + L"\r\n  it's not visible now");
    // The keyboard goes on from the button pressed, as before the box.
    const HWND hide = ProgramDriver::child(c.main, win32::kXpButtonClassName, L"Hide Folder");
    EXPECT_EQ(focusSettlesOn(c.main, hide), hide);
    EXPECT_EQ(test::fileBytes(registerFile), ansi(folder) + "\r\n");
    EXPECT_EQ(marks(folder), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);

    // The list window: modal over the main window, one item per register line.
    ASSERT_TRUE(ProgramDriver::clickButton(c.main, L"Show Folder"));
    const HWND list = quorvane.waitForWindow(L"Form1");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(::GetWindow(list, GW_OWNER), c.main);
    EXPECT_FALSE(::IsWindowEnabled(c.main)) << "the main window takes no input meanwhile";
    const HWND items = ::FindWindowExW(list, nullptr, L"ListBox", nullptr);
    ASSERT_NE(items, nullptr);
    EXPECT_EQ(::SendMessageW(items, LB_GETCOUNT, 0, 0), 1);
    // The list holds no strings of its own, yet answers for its items as a plain list box does.
    wchar_t item[MAX_PATH] = {};
    EXPECT_EQ(::SendMessageW(items, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(item)),
              static_cast<LRESULT>(folder.size()));
    EXPECT_EQ(std::wstring(item), folder);

    // Nothing selected: the list says so and nothing changes.
    ASSERT_TRUE(ProgramDriver::clickButton(list, L"Show Folder"));
    EXPECT_EQ(quorvane.answerMessageBox(L"huh?"), L"Select a folder!");
    const HWND show = ProgramDriver::child(list, win32::kXpButtonClassName, L"Show Folder");
    EXPECT_EQ(focusSettlesOn(list, show), show);
    EXPECT_EQ(test::fileBytes(registerFile), ansi(folder) + "\r\n");

    ::SendMessageW(items, LB_SETCURSEL, 0, 0);
    ASSERT_TRUE(ProgramDriver::clickButton(list, L"Show Folder"));
    EXPECT_EQ(quorvane.answerMessageBox(L"huh?"), L"The Folder: \r\n" + folder + L"\r\n  it's visible now,..");
    EXPECT_EQ(test::fileBytes(registerFile), "");
    EXPECT_EQ(marks(folder), 0u);
    EXPECT_EQ(::SendMessageW(items, LB_GETCOUNT, 0, 0), 0);

    ASSERT_TRUE(ProgramDriver::clickButton(list, L"Close"));
    EXPECT_TRUE(ProgramDriver::waitUntilGone(list));
    ProgramDriver::settle();
    EXPECT_TRUE(::IsWindowEnabled(c.main));
    // Back in the main window, the focus is on the button that opened the list.
    const HWND showList = ProgramDriver::child(c.main, win32::kXpButtonClassName, L"Show Folder");
    EXPECT_EQ(focusSettlesOn(c.main, showList), showList);

    ASSERT_TRUE(ProgramDriver::clickButton(c.main, L"Exit"));
    EXPECT_EQ(quorvane.waitForExit(), 0);
}

TEST(ProgramActions, OpenIconChangeIconAndSetDefaultIcon) {
    const ProgramCopy program;
    const test::TempDir work;
    const std::wstring folder = wide(work / "Pictures");
    const std::wstring icon = wide(work / "folder.ico");
    ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
    ASSERT_TRUE(::CopyFileW(QUORVANE_ART_DIR L"\\quorvane.ico", icon.c_str(), FALSE));
    const std::wstring desktopIni = folder + L"\\desktop.ini";
    ProgramDriver quorvane(program.path());
    ASSERT_NE(quorvane.mainWindow(), nullptr);
    const MainControls c(quorvane.mainWindow());
    workOn(c, folder);

    // The open dialog: the icon file's name typed in, then "Open".
    ASSERT_TRUE(ProgramDriver::clickButton(c.main, L"Open icon"));
    const HWND open = quorvane.waitForWindow(L"Select an Icon,..");
    ASSERT_NE(open, nullptr);
    const HWND name = fileNameBox(open);
    ASSERT_NE(name, nullptr);
    ProgramDriver::setText(name, icon);
    ::PostMessageW(open, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(ProgramDriver::waitUntilGone(open));
    ProgramDriver::settle();

    ASSERT_TRUE(ProgramDriver::clickButton(c.main, L"Change Icon"));
    EXPECT_EQ(quorvane.answerMessageBox(L"Quorvane"), L"Icon Changed");
    EXPECT_EQ(test::fileBytes(desktopIni), "[.ShellClassInfo]\r\niconfile=" + ansi(icon) + "\r\niconindex=0\r\n");
    EXPECT_EQ(marks(folder), FILE_ATTRIBUTE_SYSTEM);
    EXPECT_EQ(marks(desktopIni), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);

    // Nothing is shown; the file that held only the icon goes, the folder is an ordinary one again.
    ASSERT_TRUE(ProgramDriver::clickButton(c.main, L"Set Default Icon"));
    ProgramDriver::settle();
    EXPECT_FALSE(exists(desktopIni));
    EXPECT_EQ(marks(folder), 0u);
    EXPECT_EQ(::GetFileAttributesW(folder.c_str()) & kDirectory, kDirectory);

    ASSERT_TRUE(ProgramDriver::clickButton(c.main, L"Exit"));
    EXPECT_EQ(quorvane.waitForExit(), 0);
}

// Hide, Change Icon and Set Default Icon pressed in turn: after each the folder is hidden (hidden +
// system) and in the register.
TEST(ProgramActions, AHiddenFolderStaysHiddenAndRecordedWhateverIsDoneToItsIcon) {
    const ProgramCopy program;
    const test::TempDir work;
    const std::wstring folder = wide(work / "Secret");
    const std::wstring icon = wide(work / "folder.ico");
    ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
    ASSERT_TRUE(::CopyFileW(QUORVANE_ART_DIR L"\\quorvane.ico", icon.c_str(), FALSE));
    const std::wstring registerFile = program.file("l0g.ext");
    ProgramDriver quorvane(program.path());
    ASSERT_NE(quorvane.mainWindow(), nullptr);
    const MainControls c(quorvane.mainWindow());
    workOn(c, folder);
    auto expectHidden = [&](const char* after) {
        EXPECT_EQ(marks(folder), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) << after;
        EXPECT_EQ(test::fileBytes(registerFile), ansi(folder) + "\r\n") << after;
    };

    ASSERT_TRUE(ProgramDriver::clickButton(c.main, L"Hide Folder"));
    EXPECT_EQ(quorvane.answerMessageBox(L"yeah!"), L"The folder: \r\n" + folder + L"\r\n  it's not visible now");
    expectHidden("Hide Folder");

    ASSERT_TRUE(ProgramDriver::clickButton(c.main, L"Open icon"));
    const HWND open = quorvane.waitForWindow(L"Select an Icon,..");
    ASSERT_NE(open, nullptr);
    const HWND name = fileNameBox(open);
    ASSERT_NE(name, nullptr);
    ProgramDriver::setText(name, icon);
    ::PostMessageW(open, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(ProgramDriver::waitUntilGone(open));
    ProgramDriver::settle();
    ASSERT_TRUE(ProgramDriver::clickButton(c.main, L"Change Icon"));
    EXPECT_EQ(quorvane.answerMessageBox(L"Quorvane"), L"Icon Changed");
    expectHidden("Change Icon");

    ASSERT_TRUE(ProgramDriver::clickButton(c.main, L"Set Default Icon"));
    ProgramDriver::settle();
    EXPECT_FALSE(exists(folder + L"\\desktop.ini"));
    expectHidden("Set Default Icon");

    ASSERT_TRUE(ProgramDriver::clickButton(c.main, L"Exit"));
    EXPECT_EQ(quorvane.waitForExit(), 0);
}

// A "desktop.ini" made by hand (hidden + system, a key of its own) in a folder, given an icon index
// by "Change Icon" with the folder chosen on the command line: what it was stays.
class ChangeIconOnAnIniOfItsOwn : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
        const HANDLE file = ::CreateFileW(ini.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        ::WriteFile(file, kBefore, sizeof kBefore - 1, &written, nullptr);
        ::CloseHandle(file);
        ASSERT_TRUE(::SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    }
    // Presses "Change Icon" (no icon file chosen: the index alone is written) and closes the program.
    void changeIcon() {
        ProgramDriver quorvane(program.path(), L"\"" + folder + L"\"");
        ASSERT_NE(quorvane.mainWindow(), nullptr);
        ASSERT_TRUE(ProgramDriver::clickButton(quorvane.mainWindow(), L"Change Icon"));
        EXPECT_EQ(quorvane.answerMessageBox(L"Quorvane"), L"Icon Changed");
        ASSERT_TRUE(ProgramDriver::clickButton(quorvane.mainWindow(), L"Exit"));
        EXPECT_EQ(quorvane.waitForExit(), 0);
    }
    // The folder's names: the file and nothing left beside it.
    std::vector<std::string> names() const { return test::namesIn(work / "Pictures"); }

    static constexpr char kBefore[] = "[.ShellClassInfo]\r\nInfoTip=Mine\r\n";
    const ProgramCopy program;
    const test::TempDir work;
    const std::wstring folder = wide(work / "Pictures");
    const std::wstring ini = folder + L"\\desktop.ini";
};

TEST_F(ChangeIconOnAnIniOfItsOwn, KeepsHiddenSystemAndItsOwnKeys) {
    changeIcon();
    EXPECT_EQ(test::fileBytes(ini), "[.ShellClassInfo]\r\nInfoTip=Mine\r\niconindex=0\r\n");
    EXPECT_EQ(marks(ini), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    EXPECT_EQ(names(), std::vector<std::string>{"desktop.ini"});
}

// Its alternate data stream (the zone a download came from) and its creation time stay as well.
TEST_F(ChangeIconOnAnIniOfItsOwn, KeepsItsStreamsAndCreationTime) {
    DWORD flags = 0;
    ASSERT_TRUE(::GetVolumeInformationW(folder.substr(0, 3).c_str(), nullptr, 0, nullptr, nullptr, &flags, nullptr, 0));
    if (!(flags & FILE_NAMED_STREAMS))
        GTEST_SKIP() << "the drive has no alternate data streams (FILE_NAMED_STREAMS): wine makes a file named "
                        "\"desktop.ini:Zone.Identifier\" beside desktop.ini instead";
    const std::wstring stream = ini + L":Zone.Identifier";
    const HANDLE file = ::CreateFileW(stream.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ::WriteFile(file, "[ZoneTransfer]\r\nZoneId=3\r\n", 26, &written, nullptr);
    const FILETIME created{0x12345678u, 0x01d00000u};
    ::CloseHandle(file);
    const HANDLE timed = ::CreateFileW(ini.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                       nullptr);
    ASSERT_NE(timed, INVALID_HANDLE_VALUE);
    ::SetFileTime(timed, &created, nullptr, nullptr);
    ::CloseHandle(timed);
    auto creation = [&] {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        ::GetFileAttributesExW(ini.c_str(), GetFileExInfoStandard, &data);
        return std::make_pair(data.ftCreationTime.dwHighDateTime, data.ftCreationTime.dwLowDateTime);
    };
    ASSERT_EQ(creation(), std::make_pair(created.dwHighDateTime, created.dwLowDateTime));

    changeIcon();
    EXPECT_EQ(test::fileBytes(ini), "[.ShellClassInfo]\r\nInfoTip=Mine\r\niconindex=0\r\n");
    EXPECT_EQ(test::fileBytes(stream), "[ZoneTransfer]\r\nZoneId=3\r\n");
    EXPECT_EQ(creation(), std::make_pair(created.dwHighDateTime, created.dwLowDateTime));
}

// The about window's one visible portrait (picture box), or null when not exactly one shows.
HWND portraitShown(HWND about) {
    HWND shown = nullptr;
    int count = 0;
    HWND box = nullptr;
    while ((box = ::FindWindowExW(about, box, L"QuorvanePictureBox", nullptr)) != nullptr) {
        if (!::IsWindowVisible(box)) continue;
        shown = box;
        ++count;
    }
    return count == 1 ? shown : nullptr;
}

TEST(ProgramActions, TheAboutWindowOpensModelessSwapsPortraitsAndCloses) {
    const ProgramCopy program;
    ProgramDriver quorvane(program.path());
    ASSERT_NE(quorvane.mainWindow(), nullptr);
    ASSERT_TRUE(ProgramDriver::clickButton(quorvane.mainWindow(), L"About,.."));
    const HWND about = quorvane.waitForWindow(L"About ");
    ASSERT_NE(about, nullptr);
    // Owned by none of the program's visible windows (a hidden one keeps it off the taskbar).
    const HWND owner = ::GetWindow(about, GW_OWNER);
    EXPECT_NE(owner, quorvane.mainWindow());
    EXPECT_FALSE(owner && ::IsWindowVisible(owner));
    EXPECT_TRUE(::IsWindowEnabled(quorvane.mainWindow())) << "modeless";
    // One portrait in view at a time: "&Change..." swaps them.
    const HWND drawing = portraitShown(about);
    ASSERT_NE(drawing, nullptr);
    ASSERT_TRUE(ProgramDriver::clickButton(about, L"&Change..."));
    ProgramDriver::settle();
    const HWND photo = portraitShown(about);
    ASSERT_NE(photo, nullptr);
    EXPECT_NE(photo, drawing);
    ASSERT_TRUE(ProgramDriver::clickButton(about, L"&OK"));
    EXPECT_TRUE(ProgramDriver::waitUntilGone(about));

    // Opened again it is the same window, loaded afresh with the drawing in view; "Exit" ends the
    // program with it.
    ASSERT_TRUE(ProgramDriver::clickButton(quorvane.mainWindow(), L"About,.."));
    EXPECT_EQ(quorvane.waitForWindow(L"About "), about);
    EXPECT_EQ(portraitShown(about), drawing);
    ASSERT_TRUE(ProgramDriver::clickButton(quorvane.mainWindow(), L"Exit"));
    EXPECT_EQ(quorvane.waitForExit(), 0);
}

}  // namespace
}  // namespace quorvane
