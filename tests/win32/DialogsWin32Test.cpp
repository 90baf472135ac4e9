// The system's common dialogs as the user meets them: found on screen from another thread, their
// texts read, a name typed or a folder chosen, then confirmed or cancelled.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <cwchar>
#include <functional>
#include <optional>
#include <string>
#include <thread>

#include "win32/Dialogs.h"
#include "platform/win32/Win32Text.h"
#include "support/TempDir.h"

namespace quorvane {
namespace {

using test::TempDir;

// The open dialog's controls: the file type box, and the file name box (a combo box in the
// explorer-style layout, an edit box in older ones).
constexpr int kFileTypes = 0x470;
constexpr int kFileNameCombo = 0x47C;
constexpr int kFileNameEdit = 0x480;
using test::writeBytes;

// The first visible dialog of this process, waited for up to five seconds.
HWND waitForDialog() {
    for (int i = 0; i < 500; ++i) {
        HWND dialog = nullptr;
        while ((dialog = ::FindWindowExW(nullptr, dialog, L"#32770", nullptr)) != nullptr) {
            DWORD process = 0;
            ::GetWindowThreadProcessId(dialog, &process);
            if (process == ::GetCurrentProcessId() && ::IsWindowVisible(dialog)) return dialog;
        }
        ::Sleep(10);
    }
    return nullptr;
}

std::wstring windowText(HWND hwnd) {
    wchar_t buffer[512] = {};
    ::GetWindowTextW(hwnd, buffer, 512);
    return buffer;
}

// A descendant of `parent` for which `match` holds, or null.
HWND findChild(HWND parent, const std::function<bool(HWND)>& match) {
    struct Search {
        const std::function<bool(HWND)>* match;
        HWND found;
    } search{&match, nullptr};
    ::EnumChildWindows(
        parent,
        [](HWND child, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            if (!(*s->match)(child)) return TRUE;
            s->found = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool hasClass(HWND hwnd, const wchar_t* name) {
    wchar_t buffer[64] = {};
    ::GetClassNameW(hwnd, buffer, 64);
    return _wcsicmp(buffer, name) == 0;
}

// What the user saw of the open dialog.
struct OpenDialogSeen {
    std::wstring title;
    std::wstring fileType;
};

// Types `name` into the open dialog's file name box and presses Open, or presses Cancel for none.
std::thread answerOpenDialog(const std::optional<std::wstring>& name, OpenDialogSeen& seen) {
    return std::thread([name, &seen] {
        const HWND dialog = waitForDialog();
        if (!dialog) return;
        seen.title = windowText(dialog);
        wchar_t type[128] = {};
        const HWND types = ::GetDlgItem(dialog, kFileTypes);
        if (types) ::SendMessageW(types, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(type));
        seen.fileType = type;
        if (!name) {
            ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
            return;
        }
        // The file name box: an edit control, inside a combo box in the newer layouts.
        HWND edit = ::GetDlgItem(dialog, kFileNameCombo);
        if (!edit) edit = ::GetDlgItem(dialog, kFileNameEdit);
        if (edit && !hasClass(edit, L"Edit")) edit = findChild(edit, [](HWND h) { return hasClass(h, L"Edit"); });
        if (!edit) return;
        ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name->c_str()));
        ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
    });
}

TEST(DialogsWin32, TheOpenDialogHandsBackTheConfirmedPath) {
    const TempDir tmp;
    const std::string icon = tmp / "folder.ico";
    writeBytes(icon, "icon");
    // Full paths of 254 and 255 characters: the dialog's buffer holds 254.
    const std::string longest = tmp.path() + "\\" + std::string(253 - tmp.path().size(), 'a');
    const std::string tooLong = longest + "b";
    writeBytes(longest, "x");
    writeBytes(tooLong, "x");
    ASSERT_EQ(longest.size(), 254u);

    const struct {
        const char* name;
        std::optional<std::string> typed;
        std::string expected;
    } cases[] = {
        {"an existing icon", icon, icon},
        {"a typed name of a missing file", tmp / "missing.ico", tmp / "missing.ico"},
        {"cancel", std::nullopt, ""},
        {"a path of 254 characters", longest, longest},
        {"a path of 255 characters", tooLong, ""},
    };
    DialogsWin32 dialogs;
    for (const auto& c : cases) {
        OpenDialogSeen seen;
        std::optional<std::wstring> typed;
        if (c.typed) typed = *win32::toWide(*c.typed);
        std::thread user = answerOpenDialog(typed, seen);
        const std::string chosen =
            dialogs.openFile(nullptr, {"Icon files,Exe files (*.ico *.exe)"}, "Select an Icon,..");
        user.join();
        EXPECT_EQ(chosen, c.expected) << c.name;
        EXPECT_EQ(seen.title, L"Select an Icon,..") << c.name;
        EXPECT_EQ(seen.fileType, L"Icon files,Exe files") << c.name;
    }
}

TEST(DialogsWin32, PickerFiltersBecomeTheDialogsOwnList) {
    const struct {
        std::vector<std::string> filters;
        std::wstring expected;
    } cases[] = {
        {{"Icon files,Exe files (*.ico *.exe)"}, std::wstring(L"Icon files,Exe files\0*.ico;*.exe\0", 33)},
        {{"Icons (*.ico)", "All (*.*)"}, std::wstring(L"Icons\0*.ico\0All\0*.*\0", 20)},
        {{"*.txt"}, std::wstring(L"*.txt\0*.txt\0", 12)},
        {{}, L""},
    };
    for (const auto& c : cases) EXPECT_EQ(win32::openFileFilter(c.filters), c.expected) << c.expected.size();
}

// The tree item with this text among the top item's children (what the browser shows at first:
// the desktop's contents), or null.
HTREEITEM desktopItem(HWND tree, const std::wstring& text) {
    const auto root = reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    auto item =
        reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(root)));
    for (; item; item = reinterpret_cast<HTREEITEM>(
                     ::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
        wchar_t buffer[MAX_PATH] = {};
        TVITEMW data{};
        data.mask = TVIF_TEXT;
        data.hItem = item;
        data.pszText = buffer;
        data.cchTextMax = MAX_PATH;
        ::SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data));
        if (text == buffer) return item;
    }
    return nullptr;
}

// A folder on the user's desktop, where the browser shows it at once; removed at the end.
class DesktopFolder {
public:
    DesktopFolder() {
        wchar_t* desktop = nullptr;
        ::SHGetKnownFolderPath(FOLDERID_Desktop, 0, nullptr, &desktop);
        m_name = L"quorvane-browse-" + std::to_wstring(::GetCurrentProcessId());
        m_path = std::wstring(desktop) + L"\\" + m_name;
        ::CoTaskMemFree(desktop);
        ::CreateDirectoryW(m_path.c_str(), nullptr);
    }
    ~DesktopFolder() { ::RemoveDirectoryW(m_path.c_str()); }
    const std::wstring& name() const { return m_name; }
    std::string path() const { return win32::fromWide(m_path); }

private:
    std::wstring m_name;
    std::wstring m_path;
};

TEST(DialogsWin32, TheFolderBrowserHandsBackTheChosenFileSystemFolder) {
    const DesktopFolder folder;
    const struct {
        const char* name;
        std::optional<std::wstring> item;  // the item the user clicks, then OK; none: Cancel
        std::string expected;
        bool okEnabled;
    } cases[] = {
        {"a folder", folder.name(), folder.path(), true},
        {"cancel", std::nullopt, "", true},
        {"no file-system folder: OK stays disabled", L"My Computer", "", false},
    };
    DialogsWin32 dialogs;
    for (const auto& c : cases) {
        std::wstring instruction;
        bool okEnabled = true;
        std::thread user([&] {
            const HWND dialog = waitForDialog();
            if (!dialog) return;
            const HWND label = findChild(dialog, [](HWND h) { return windowText(h) == L"Select a folder to edit"; });
            if (label) instruction = windowText(label);
            // The tree is filled after the dialog shows: choose once it has its items.
            const HWND tree = findChild(dialog, [](HWND h) { return hasClass(h, L"SysTreeView32"); });
            HTREEITEM item = nullptr;
            for (int i = 0; i < 200 && tree && c.item && !(item = desktopItem(tree, *c.item)); ++i) ::Sleep(10);
            if (item) ::SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
            okEnabled = ::IsWindowEnabled(::GetDlgItem(dialog, IDOK)) != FALSE;
            const int button = item && okEnabled ? IDOK : IDCANCEL;
            ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                           reinterpret_cast<LPARAM>(::GetDlgItem(dialog, button)));
        });
        const std::string chosen = dialogs.browseForFolder(nullptr, "Select a folder to edit");
        user.join();
        EXPECT_EQ(chosen, c.expected) << c.name;
        EXPECT_EQ(instruction, L"Select a folder to edit") << c.name;
        EXPECT_EQ(okEnabled, c.okEnabled) << c.name;
    }
}

}  // namespace
}  // namespace quorvane
