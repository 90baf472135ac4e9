// The real quorvane.exe driven with real input, as a user drives it: the pointer and the keys go
// through the X display (xdotool), the window manager and wine's input queue, so capture, focus and
// activation are the system's. A press holds the pointer for its button; Space and Enter press,
// hold and click; the arrows, Tab and Alt + an access key move the focus and press buttons; the
// list window's double click and Escape; both frameless windows dragged by their surface and the
// banner; System Info from the about window.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ProgramDriver.h"
#include "platform/win32/Win32Text.h"
#include "support/TempDir.h"
#include "xpbutton/ButtonFace.h"
#include "xpbutton/Canvas.h"

namespace quorvane {
namespace {

using test::ProgramCopy;
using test::ProgramDriver;

std::wstring wide(const std::string& text) { return *win32::toWide(text); }

HWND button(HWND window, const wchar_t* caption) { return ProgramDriver::child(window, win32::kXpButtonClassName, caption); }

// The window's picture boxes from left to right, then top to bottom.
std::vector<HWND> pictureBoxes(HWND window) {
    std::vector<HWND> boxes;
    HWND box = nullptr;
    while ((box = ::FindWindowExW(window, box, L"QuorvanePictureBox", nullptr)) != nullptr) boxes.push_back(box);
    std::sort(boxes.begin(), boxes.end(), [](HWND a, HWND b) {
        RECT ra{};
        RECT rb{};
        ::GetWindowRect(a, &ra);
        ::GetWindowRect(b, &rb);
        return ra.left != rb.left ? ra.left < rb.left : ra.top < rb.top;
    });
    return boxes;
}

// The about window's one visible portrait, or null when not exactly one shows.
HWND portraitShown(HWND about) {
    HWND shown = nullptr;
    int count = 0;
    for (const HWND box : pictureBoxes(about)) {
        if (!::IsWindowVisible(box)) continue;
        shown = box;
        ++count;
    }
    return count == 1 ? shown : nullptr;
}

// The window holding the pointer in `window`'s thread (capture), or null.
HWND captureOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndCapture;
}

std::uint32_t rgb(int r, int g, int b) {
    return (static_cast<std::uint32_t>(r) << 16) | (static_cast<std::uint32_t>(g) << 8) | static_cast<std::uint32_t>(b);
}

// The main window's and the about window's buttons draw their captions in these two colours.
const std::uint32_t kCaptionColours[] = {rgb(85, 121, 107), rgb(143, 175, 164)};

enum class Look { Focused, Pressed };

// How many of the button's pixels on screen (the cut corners left out) are neither the look's face
// nor a caption colour; 0 when the button shows that look.
int pixelsOffTheLook(HWND control, Look look) {
    int w = 0;
    int h = 0;
    const std::vector<std::uint32_t> screen = ProgramDriver::screenPixels(control, w, h);
    Canvas face(w, h);
    const Rgb background = rgbOf(::GetSysColor(COLOR_WINDOW));
    if (look == Look::Pressed) {
        DrawPressedFace(face, background);
    } else {
        DrawFace(face, background);
        DrawFocusEdge(face);
    }
    DrawBorder(face);
    int off = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if ((x == 0 || x == w - 1) && (y == 0 || y == h - 1)) continue;
            const std::uint32_t seen = screen[static_cast<std::size_t>(y) * w + x];
            if (seen == (face.at(x, y) & 0x00FFFFFF)) continue;
            if (seen == kCaptionColours[0] || seen == kCaptionColours[1]) continue;
            ++off;
        }
    }
    return off;
}

// Waits up to a second for the button to show the look; the pixels off it then.
int lookSettles(HWND control, Look look) {
    int off = 0;
    for (int waited = 0; waited < 1000; waited += 20) {
        if ((off = pixelsOffTheLook(control, look)) == 0) break;
        ::Sleep(20);
    }
    return off;
}

// The pointer parked in a corner of the screen, away from every window, before a program starts.
void parkPointer() { ProgramDriver::xdotool("mousemove 1270 1010"); }

// The main window's controls with windows of their own, in the keyboard's focus order.
struct MainFocusOrder {
    explicit MainFocusOrder(HWND main) {
        const std::vector<HWND> boxes = pictureBoxes(main);
        const HWND path = ::FindWindowExW(main, nullptr, L"Edit", nullptr);
        const HWND disguise = ::FindWindowExW(main, nullptr, L"ComboBox", nullptr);
        order = {button(main, L"..."),
                 button(main, L"Lock Folder"),
                 button(main, L"Unlock Folder"),
                 path,
                 disguise,
                 button(main, L"Hide Folder"),
                 button(main, L"Show Folder"),
                 button(main, L"Open icon"),
                 button(main, L"Change Icon"),
                 button(main, L"Set Default Icon"),
                 button(main, L"About,.."),
                 button(main, L"Exit"),
                 boxes.size() == 2 ? boxes[0] : nullptr,
                 boxes.size() == 2 ? boxes[1] : nullptr};
    }
    std::vector<HWND> order;
};

// A press on a button holds the pointer for it until the release; a release off the button clicks
// nothing, and a press elsewhere never clicks a button, wherever its release happens.
TEST(ProgramInput, APressHoldsThePointerAndOnlyAReleaseOnItsButtonClicks) {
    const ProgramCopy program;
    parkPointer();
    ProgramDriver quorvane(program.path());
    const HWND main = quorvane.mainWindow();
    ASSERT_NE(main, nullptr);
    const HWND about = button(main, L"About,..");
    ASSERT_NE(about, nullptr);
    const std::vector<HWND> boxes = pictureBoxes(main);
    ASSERT_EQ(boxes.size(), 2u);
    const HWND currentIcon = boxes[0];
    const HWND newIcon = boxes[1];

    // Pressed on "About,..", moved onto the "Current Icon" box and released there.
    ProgramDriver::pressAt(about, 50, 13);
    ProgramDriver::settle(150);
    EXPECT_EQ(captureOf(main), about) << "the press holds the pointer for its button";
    ProgramDriver::pointTo(currentIcon, 8, 8);
    ProgramDriver::releaseAt(currentIcon, 8, 8);
    ProgramDriver::settle(150);
    EXPECT_EQ(captureOf(main), nullptr) << "the release lets it go";
    EXPECT_EQ(quorvane.waitForWindow(L"About ", 500), nullptr) << "released off the button";

    // Pressed on the "New Icon" box, moved straight onto "About,.." and released there.
    ProgramDriver::pressAt(newIcon, 8, 8);
    ProgramDriver::pointTo(about, 50, 13);
    ProgramDriver::releaseAt(about, 50, 13);
    EXPECT_EQ(quorvane.waitForWindow(L"About ", 500), nullptr) << "pressed elsewhere";

    // A press and release on it clicks it.
    ProgramDriver::clickAt(about, 50, 13);
    EXPECT_NE(quorvane.waitForWindow(L"About "), nullptr);
}

// Held down and moved off the button and back: the faces the button's model gives (raised with the
// focus off it, pressed back on it), and the release on it clicks once.
TEST(ProgramInput, MovedOffAndBackWhileHeldTheButtonRaisesPressesAndClicksOnce) {
    const ProgramCopy program;
    parkPointer();
    ProgramDriver quorvane(program.path());
    const HWND main = quorvane.mainWindow();
    ASSERT_NE(main, nullptr);
    const HWND about = button(main, L"About,..");
    ASSERT_NE(about, nullptr);
    const HWND exit = button(main, L"Exit");

    ProgramDriver::pointTo(about, 50, 13);
    ProgramDriver::pressAt(about, 50, 13);
    EXPECT_EQ(lookSettles(about, Look::Pressed), 0) << "pressed";
    ProgramDriver::pointTo(exit, 50, 13);
    EXPECT_EQ(lookSettles(about, Look::Focused), 0) << "raised, off the button";
    EXPECT_NE(pixelsOffTheLook(exit, Look::Pressed), 0) << "the button passed over is not pressed";
    ProgramDriver::pointTo(about, 50, 13);
    EXPECT_EQ(lookSettles(about, Look::Pressed), 0) << "pressed again, back on it";
    ProgramDriver::releaseAt(about, 50, 13);
    const HWND aboutWindow = quorvane.waitForWindow(L"About ");
    ASSERT_NE(aboutWindow, nullptr);
    // One about window, whatever the clicks: the program's own windows of that title.
    int count = 0;
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            wchar_t title[32] = {};
            ::GetWindowTextW(window, title, 32);
            if (::IsWindowVisible(window) && std::wstring(title) == L"About ") ++*reinterpret_cast<int*>(data);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    EXPECT_EQ(count, 1);
}

// Tab and Shift+Tab go round the main window's controls in their order; the arrows on a button move
// the focus too: Left and Right forward, Up and Down back. The buttons are of their class.
TEST(ProgramInput, TheMainWindowsTabOrderAndTheArrows) {
    const ProgramCopy program;
    parkPointer();
    ProgramDriver quorvane(program.path());
    const HWND main = quorvane.mainWindow();
    ASSERT_NE(main, nullptr);
    const std::vector<HWND> order = MainFocusOrder(main).order;
    for (const HWND control : order) ASSERT_NE(control, nullptr);
    wchar_t className[64] = {};
    ::GetClassNameW(order[0], className, 64);
    EXPECT_EQ(std::wstring(className), L"Quorvane.TulmXpButton");

    EXPECT_EQ(ProgramDriver::focusSettlesOn(main, order[0]), order[0]) << "the first control at the start";
    for (std::size_t i = 1; i <= order.size(); ++i) {
        const HWND next = order[i % order.size()];
        ProgramDriver::keys("Tab");
        EXPECT_EQ(ProgramDriver::focusSettlesOn(main, next), next) << "Tab number " << i;
    }
    ProgramDriver::keys("shift+Tab");
    EXPECT_EQ(ProgramDriver::focusSettlesOn(main, order.back()), order.back()) << "Shift+Tab from the first";

    // "...", "Lock Folder", "Unlock Folder" by the arrows.
    ProgramDriver::keys("Tab Tab");
    ASSERT_EQ(ProgramDriver::focusSettlesOn(main, order[1]), order[1]);
    const struct {
        const char* key;
        std::size_t to;
    } arrows[] = {{"Right", 2}, {"Up", 1}, {"Down", 0}, {"Left", 1}};
    for (const auto& arrow : arrows) {
        ProgramDriver::keys(arrow.key);
        EXPECT_EQ(ProgramDriver::focusSettlesOn(main, order[arrow.to]), order[arrow.to]) << arrow.key;
    }
}

// The about window by the keyboard: opened with Space on "About,..", its Tab order, Space and Enter
// held on "&Change..." (one swap each, at the release), Alt + the access keys, and "&System Info..."
// clicked.
TEST(ProgramInput, TheAboutWindowByKeysAndAccessKeys) {
    const ProgramCopy program;
    parkPointer();
    ProgramDriver quorvane(program.path());
    const HWND main = quorvane.mainWindow();
    ASSERT_NE(main, nullptr);
    const HWND aboutButton = button(main, L"About,..");
    ProgramDriver::keys("shift+Tab shift+Tab shift+Tab shift+Tab");
    ASSERT_EQ(ProgramDriver::focusSettlesOn(main, aboutButton), aboutButton);

    // Space held opens nothing; its release does.
    ProgramDriver::keyDown("space");
    EXPECT_EQ(quorvane.waitForWindow(L"About ", 400), nullptr) << "Space held";
    ProgramDriver::keyUp("space");
    const HWND about = quorvane.waitForWindow(L"About ");
    ASSERT_NE(about, nullptr);

    const HWND ok = button(about, L"&OK");
    const HWND sysInfo = button(about, L"&System Info...");
    const HWND change = button(about, L"&Change...");
    const HWND drawing = portraitShown(about);
    ASSERT_NE(drawing, nullptr);
    EXPECT_EQ(ProgramDriver::focusSettlesOn(about, ok), ok) << "\"&OK\" at the start";
    const HWND order[] = {sysInfo, change, drawing, ok, sysInfo, change};
    for (const HWND next : order) {
        ProgramDriver::keys("Tab");
        EXPECT_EQ(ProgramDriver::focusSettlesOn(about, next), next);
    }

    // Held past the keyboard's repeat delay: no click until the release, then one.
    ProgramDriver::keyDown("space");
    ProgramDriver::settle(900);
    EXPECT_EQ(portraitShown(about), drawing) << "Space held";
    ProgramDriver::keyUp("space");
    ProgramDriver::settle(200);
    const HWND photo = portraitShown(about);
    ASSERT_NE(photo, nullptr);
    EXPECT_NE(photo, drawing);
    // The keyboard's click made it the last pressed: Enter held shows the pressed look.
    ProgramDriver::keyDown("Return");
    EXPECT_EQ(lookSettles(change, Look::Pressed), 0) << "Enter held";
    ProgramDriver::settle(700);
    EXPECT_EQ(portraitShown(about), photo) << "Enter held";
    ProgramDriver::keyUp("Return");
    ProgramDriver::settle(200);
    EXPECT_EQ(portraitShown(about), drawing);
    EXPECT_EQ(lookSettles(change, Look::Focused), 0) << "released";

    ProgramDriver::keys("alt+c");
    ProgramDriver::settle(200);
    EXPECT_EQ(portraitShown(about), photo) << "Alt+C";

    // No system information tool is registered in the test's prefix.
    ProgramDriver::clickAt(sysInfo, 40, 12);
    EXPECT_EQ(quorvane.answerMessageBox(L"Quorvane"), L"System Information Is Unavailable At This Time");
    EXPECT_TRUE(::IsWindowVisible(about));

    // Under wine the window manager gives the focus to the main window when the box goes (the about
    // window is not its owner's next in line there): a click on the about window's text brings it back.
    ProgramDriver::clickAt(about, 200, 60);
    ProgramDriver::keys("alt+o");
    EXPECT_TRUE(ProgramDriver::waitUntilGone(about)) << "Alt+O";
}

// The list window: its Tab order, dragged by its surface, an item's double click making its folder
// visible again, and Escape closing it.
TEST(ProgramInput, TheListWindowsTabOrderDragDoubleClickAndEscape) {
    const ProgramCopy program;
    const test::TempDir work;
    const std::wstring folder = wide(work / "Hidden");
    ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
    ASSERT_TRUE(::SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    const std::wstring registerFile = program.file("l0g.ext");
    {
        const HANDLE file = ::CreateFileW(registerFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        const std::string line = work / "Hidden\r\n";
        DWORD written = 0;
        ::WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
        ::CloseHandle(file);
    }
    parkPointer();
    ProgramDriver quorvane(program.path());
    const HWND main = quorvane.mainWindow();
    ASSERT_NE(main, nullptr);
    ProgramDriver::clickAt(button(main, L"Show Folder"), 50, 13);
    const HWND list = quorvane.waitForWindow(L"Form1");
    ASSERT_NE(list, nullptr);
    const HWND show = button(list, L"Show Folder");
    const HWND close = button(list, L"Close");
    const HWND items = ::FindWindowExW(list, nullptr, L"ListBox", nullptr);
    ASSERT_NE(items, nullptr);
    EXPECT_EQ(ProgramDriver::focusSettlesOn(list, show), show) << "\"Show Folder\" at the start";
    const HWND order[] = {close, items, show};
    for (const HWND next : order) {
        ProgramDriver::keys("Tab");
        EXPECT_EQ(ProgramDriver::focusSettlesOn(list, next), next);
    }

    RECT before{};
    ::GetWindowRect(list, &before);
    ProgramDriver::dragBy(list, 245, 165, 40, 30);
    const POINT moved{before.left + 40, before.top + 30};
    const POINT now = ProgramDriver::positionSettlesOn(list, moved);
    EXPECT_EQ(now.x, moved.x) << "dragged by its surface";
    EXPECT_EQ(now.y, moved.y);

    ProgramDriver::doubleClickAt(items, 40, 6);
    EXPECT_EQ(quorvane.answerMessageBox(L"huh?"), L"The Folder: \r\n" + folder + L"\r\n  it's visible now,..");
    EXPECT_EQ(test::fileBytes(registerFile), "");
    EXPECT_EQ(::GetFileAttributesW(folder.c_str()) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM), 0u);

    ProgramDriver::keys("Escape");
    EXPECT_TRUE(ProgramDriver::waitUntilGone(list)) << "Escape";
    ProgramDriver::settle();
    EXPECT_TRUE(::IsWindowEnabled(main));
}

// The main window dragged by its surface and by its banner; the pointer ends where the window went.
TEST(ProgramInput, TheMainWindowIsDraggedByItsSurfaceAndItsBanner) {
    const ProgramCopy program;
    parkPointer();
    ProgramDriver quorvane(program.path());
    const HWND main = quorvane.mainWindow();
    ASSERT_NE(main, nullptr);
    const struct {
        const char* by;
        int x;
        int y;
        int dx;
        int dy;
    } drags[] = {{"surface", 238, 200, 30, 20}, {"banner", 60, 40, -20, 25}};
    for (const auto& drag : drags) {
        RECT before{};
        ::GetWindowRect(main, &before);
        ProgramDriver::dragBy(main, drag.x, drag.y, drag.dx, drag.dy);
        const POINT moved{before.left + drag.dx, before.top + drag.dy};
        const POINT now = ProgramDriver::positionSettlesOn(main, moved);
        EXPECT_EQ(now.x, moved.x) << drag.by;
        EXPECT_EQ(now.y, moved.y) << drag.by;
    }
}

}  // namespace
}  // namespace quorvane
