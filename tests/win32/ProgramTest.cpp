// The real quorvane.exe, started from a copy in a folder of its own and driven from outside on the
// virtual display: its main window's size, gradient and button faces read back from the screen at
// 96 and at 144 dots per inch (wine's LogPixels) and after a change of scale while it runs, the
// frames and places of its other windows, the disguise list's colours, and "Exit" ending it.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ProgramDriver.h"
#include "platform/win32/Win32Text.h"
#include "support/TempDir.h"
#include "layouts/GradientBands.h"
#include "layouts/Twips.h"
#include "xpbutton/ButtonFace.h"
#include "xpbutton/Canvas.h"

namespace quorvane {
namespace {

using test::ProgramCopy;
using test::ProgramDriver;

// The screen's DPI for the programs started while it lives (wine reads LogPixels at start).
class ScreenDpi {
public:
    explicit ScreenDpi(DWORD dpi) {
        ::RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &m_key,
                          nullptr);
        ::RegSetValueExW(m_key, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
    }
    ~ScreenDpi() {
        ::RegDeleteValueW(m_key, L"LogPixels");
        ::RegCloseKey(m_key);
    }
    ScreenDpi(const ScreenDpi&) = delete;
    ScreenDpi& operator=(const ScreenDpi&) = delete;

private:
    HKEY m_key = nullptr;
};

std::uint32_t rgb(int r, int g, int b) {
    return (static_cast<std::uint32_t>(r) << 16) | (static_cast<std::uint32_t>(g) << 8) | static_cast<std::uint32_t>(b);
}

// The gradient's band k (1 to 20) has the colour (145 - 2k, 177 - 2k, 166 - 2k).
std::uint32_t bandColour(int k) { return rgb(145 - 2 * k, 177 - 2 * k, 166 - 2 * k); }

// The "Lock Folder" button on screen against the face the core draws at its size: every pixel is the
// face's own or the caption's colour (192, 192, 192; 85, 121, 107 under the pointer, with the hover
// edge); the cut corners are left out.
void expectLockFolderFace(HWND main, int width, int height, bool hover = false) {
    const HWND lock = ProgramDriver::child(main, win32::kXpButtonClassName, L"Lock Folder");
    ASSERT_NE(lock, nullptr);
    int w = 0;
    int h = 0;
    const std::vector<std::uint32_t> screen = ProgramDriver::screenPixels(lock, w, h);
    ASSERT_EQ(w, width);
    ASSERT_EQ(h, height);
    Canvas face(w, h);
    DrawFace(face, rgbOf(::GetSysColor(COLOR_WINDOW)));
    if (hover) DrawHoverEdge(face);
    DrawBorder(face);
    const std::uint32_t captionColour = hover ? rgb(85, 121, 107) : rgb(192, 192, 192);
    int faceDiffers = 0;
    int caption = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if ((x == 0 || x == w - 1) && (y == 0 || y == h - 1)) continue;
            const std::uint32_t seen = screen[static_cast<std::size_t>(y) * w + x];
            if (seen == (face.at(x, y) & 0x00FFFFFF)) continue;
            if (seen == captionColour) {
                ++caption;
                continue;
            }
            ++faceDiffers;
        }
    }
    EXPECT_EQ(faceDiffers, 0);
    EXPECT_GT(caption, 20) << "the caption shows";
}

TEST(Program, At96DpiTheMainWindowHasItsSizeBandsAndFaces) {
    const ProgramCopy program;
    ::SetCursorPos(0, 0);
    ProgramDriver quorvane(program.path());
    const HWND main = quorvane.mainWindow();
    ASSERT_NE(main, nullptr);
    const SIZE size = ProgramDriver::clientSize(main);
    EXPECT_EQ(size.cx, 246);
    EXPECT_EQ(size.cy, 436);

    int w = 0;
    int h = 0;
    const std::vector<std::uint32_t> screen = ProgramDriver::screenPixels(main, w, h);
    // Bands 5 to 20 down a column that nothing else covers; their bottoms at this height.
    const int bottoms[] = {22,  44,  65,  87,  109, 131, 153, 174, 196, 218,
                           240, 262, 283, 305, 327, 349, 371, 392, 414, 436};
    for (int k = 5; k <= 20; ++k) {
        const int top = bottoms[k - 2];
        const int bottom = bottoms[k - 1];
        EXPECT_EQ(screen[static_cast<std::size_t>(top) * w + 238], bandColour(k)) << "band " << k << " top";
        // The frame covers the last band's bottom rows.
        const int last = k < 20 ? bottom - 1 : top + 1;
        EXPECT_EQ(screen[static_cast<std::size_t>(last) * w + 238], bandColour(k)) << "band " << k << " bottom";
    }
    // The frame: three pixels of 85, 121, 107 on each edge.
    EXPECT_EQ(screen[static_cast<std::size_t>(200) * w + 0], rgb(85, 121, 107));
    EXPECT_EQ(screen[static_cast<std::size_t>(200) * w + 2], rgb(85, 121, 107));
    EXPECT_EQ(screen[static_cast<std::size_t>(200) * w + 245], rgb(85, 121, 107));
    expectLockFolderFace(main, 101, 26);
}

TEST(Program, At144DpiTheWindowIsOneAndAHalfTimesLargerAndTheFaceStillExact) {
    const ProgramCopy program;
    const ScreenDpi dpi(144);
    ::SetCursorPos(0, 0);
    ProgramDriver quorvane(program.path());
    const HWND main = quorvane.mainWindow();
    ASSERT_NE(main, nullptr);
    const SIZE size = ProgramDriver::clientSize(main);
    EXPECT_EQ(size.cx, 369);
    EXPECT_EQ(size.cy, 654);

    int w = 0;
    int h = 0;
    const std::vector<std::uint32_t> screen = ProgramDriver::screenPixels(main, w, h);
    const std::vector<GradientBand> bands = gradientBands(654, 0x00A4AF8F, 20, 2);
    for (int k = 5; k <= 20; ++k) {
        const GradientBand& band = bands[static_cast<std::size_t>(k - 1)];
        EXPECT_EQ(screen[static_cast<std::size_t>(band.top) * w + 357], bandColour(k)) << "band " << k << " top";
        const int last = k < 20 ? band.bottom - 1 : band.top + 1;
        EXPECT_EQ(screen[static_cast<std::size_t>(last) * w + 357], bandColour(k)) << "band " << k;
    }
    // The face at its own pixel size, 1515 x 390 twips at 144 dpi: no small face stretched.
    expectLockFolderFace(main, 152, 39);
}

// The main window's buttons by caption, in the order of its layout.
const wchar_t* const kMainButtons[] = {L"...",       L"Lock Folder", L"Unlock Folder",    L"Hide Folder", L"Show Folder",
                                       L"Open icon", L"Change Icon", L"Set Default Icon", L"About,..",    L"Exit"};

// Each button's pixels as the screen shows them, with its size.
struct ButtonPixels {
    SIZE size{};
    std::vector<std::uint32_t> pixels;
};
std::vector<ButtonPixels> buttonPixels(HWND main) {
    std::vector<ButtonPixels> all;
    for (const wchar_t* caption : kMainButtons) {
        ButtonPixels b;
        if (const HWND button = ProgramDriver::button(main, caption)) {
            int w = 0;
            int h = 0;
            b.pixels = ProgramDriver::screenPixels(button, w, h);
            b.size = SIZE{w, h};
        }
        all.push_back(std::move(b));
    }
    return all;
}

// The current folder's icon box (Picture1, the left one of the two) and the new icon's (Picture2).
HWND iconBox(HWND main, bool current) {
    HWND boxes[2] = {};
    HWND found = nullptr;
    for (int i = 0; i < 2 && (found = ::FindWindowExW(main, found, L"QuorvanePictureBox", nullptr)); ++i)
        boxes[i] = found;
    if (!boxes[0] || !boxes[1]) return nullptr;
    RECT a{};
    RECT b{};
    ::GetWindowRect(boxes[0], &a);
    ::GetWindowRect(boxes[1], &b);
    const bool firstIsLeft = a.left < b.left;
    return current == firstIsLeft ? boxes[0] : boxes[1];
}

// The smallest square from the top-left corner that holds every pixel of the box that is not its
// background: the size the icon was drawn at.
int drawnExtent(const std::vector<std::uint32_t>& pixels, int w, int h) {
    const COLORREF window = ::GetSysColor(COLOR_WINDOW);
    const std::uint32_t background = rgb(GetRValue(window), GetGValue(window), GetBValue(window));
    int extent = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (pixels[static_cast<std::size_t>(y) * w + x] != background) extent = std::max({extent, x + 1, y + 1});
    return extent;
}

// The current folder's icon, at 96 and at 144 dots per inch: the box 480 twips square, and the
// shell's icon in it at the system image list's own size, never cut down to 32 pixels.
TEST(Program, TheShellsIconIsDrawnAtTheImageListsOwnSize) {
    const ProgramCopy program;
    for (const int dpi : {96, 144}) {
        SCOPED_TRACE(dpi);
        const ScreenDpi screen(static_cast<DWORD>(dpi));
        ProgramDriver quorvane(program.path());
        const HWND main = quorvane.mainWindow();
        ASSERT_NE(main, nullptr);
        const HWND box = iconBox(main, true);
        ASSERT_NE(box, nullptr);
        int w = 0;
        int h = 0;
        const std::vector<std::uint32_t> pixels = ProgramDriver::screenPixels(box, w, h);
        EXPECT_EQ(w, dpi / 3);
        EXPECT_EQ(h, dpi / 3);
        // A folder's icon reaches its image's right or bottom edge, or nearly: more than 3/4 of it.
        const int extent = drawnExtent(pixels, w, h);
        EXPECT_GT(extent, dpi / 3 * 3 / 4) << "the icon is drawn at " << extent << " pixels at most";
        EXPECT_LE(extent, dpi / 3);
        ASSERT_TRUE(ProgramDriver::clickButton(main, L"Exit"));
        EXPECT_EQ(quorvane.waitForExit(), 0);
    }
}

// The scale changed while the program runs (the window moved to a monitor of 144 dots per inch):
// at once, with nothing else repainting it, every button shows its face and its caption exactly as a
// program started at 144 dots per inch shows them, the window has its size there, the icon boxes
// keep the 480 twips an icon gave them and the folder's icon is drawn again at 48 pixels.
TEST(Program, AfterADpiChangeEveryButtonIsDrawnAtTheNewDpiAtOnce) {
    const ProgramCopy program;
    ::SetCursorPos(0, 0);
    std::vector<ButtonPixels> expected;
    std::vector<std::uint32_t> expectedIcon;
    {
        const ScreenDpi dpi(144);
        ProgramDriver quorvane(program.path());
        ASSERT_NE(quorvane.mainWindow(), nullptr);
        expected = buttonPixels(quorvane.mainWindow());
        int w = 0;
        int h = 0;
        expectedIcon = ProgramDriver::screenPixels(iconBox(quorvane.mainWindow(), true), w, h);
        ASSERT_TRUE(ProgramDriver::clickButton(quorvane.mainWindow(), L"Exit"));
        EXPECT_EQ(quorvane.waitForExit(), 0);
    }
    ProgramDriver quorvane(program.path());
    const HWND main = quorvane.mainWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_EQ(ProgramDriver::clientSize(main).cx, 246);
    RECT frame{};
    ::GetWindowRect(main, &frame);
    quorvane.changeDpi(main, 144, RECT{frame.left, frame.top, frame.left + 369, frame.top + 654});
    EXPECT_EQ(ProgramDriver::clientSize(main).cx, 369);
    EXPECT_EQ(ProgramDriver::clientSize(main).cy, 654);
    ProgramDriver::settle();
    const std::vector<ButtonPixels> seen = buttonPixels(main);
    ASSERT_EQ(seen.size(), expected.size());
    for (std::size_t i = 0; i < seen.size(); ++i) {
        SCOPED_TRACE(win32::fromWide(kMainButtons[i]));
        EXPECT_EQ(seen[i].size.cx, expected[i].size.cx);
        EXPECT_EQ(seen[i].size.cy, expected[i].size.cy);
        std::size_t differ = 0;
        for (std::size_t p = 0; p < std::min(seen[i].pixels.size(), expected[i].pixels.size()); ++p)
            differ += seen[i].pixels[p] != expected[i].pixels[p];
        EXPECT_EQ(differ, 0u) << "pixels differ from the button of a program started at 144 dpi";
    }
    for (const bool current : {true, false}) {
        const HWND box = iconBox(main, current);
        ASSERT_NE(box, nullptr);
        // The current icon's box was sized by its icon; the new icon's keeps its designed 495 twips.
        const int side = current ? 48 : twipsToPixels(495, 144);
        EXPECT_EQ(ProgramDriver::clientSize(box).cx, side) << (current ? "current" : "new") << " icon";
        EXPECT_EQ(ProgramDriver::clientSize(box).cy, side) << (current ? "current" : "new") << " icon";
    }
    // The folder's icon at 48 pixels, as the shell shows it at 144 dpi: not the 32 of the start.
    int w = 0;
    int h = 0;
    EXPECT_EQ(ProgramDriver::screenPixels(iconBox(main, true), w, h), expectedIcon);
    ASSERT_TRUE(ProgramDriver::clickButton(main, L"Exit"));
    EXPECT_EQ(quorvane.waitForExit(), 0);
}

// The pointer over a button, as the system places it: the hover timer sees it there and the face
// shows the hover look; away again, the normal look comes back.
TEST(Program, TheFaceFollowsThePointer) {
    const ProgramCopy program;
    ::SetCursorPos(0, 0);
    ProgramDriver quorvane(program.path());
    const HWND main = quorvane.mainWindow();
    ASSERT_NE(main, nullptr);
    const HWND lock = ProgramDriver::child(main, win32::kXpButtonClassName, L"Lock Folder");
    ASSERT_NE(lock, nullptr);
    POINT centre{50, 13};
    ::ClientToScreen(lock, &centre);
    ::SetCursorPos(centre.x, centre.y);
    ProgramDriver::settle(500);
    expectLockFolderFace(main, 101, 26, true);
    ::SetCursorPos(0, 0);
    ProgramDriver::settle(500);
    expectLockFolderFace(main, 101, 26, false);
}

// The about window at the screen's DPI: a fixed dialog frame of the system's (a title bar with the
// close box only, not resizable, no tool window's small caption), the inner area of its stored
// size with its top-left corner at the stored place (5310 x 3405 twips at 2340, 1935), and owned by
// a hidden window of the program rather than by none (which would give it a taskbar button) or by
// the main window (which would take it along when minimised).
class AboutWindowAtDpi : public ::testing::TestWithParam<int> {};

TEST_P(AboutWindowAtDpi, HasADialogFrameItsInnerAreaAtTheStoredPlaceAndAHiddenOwner) {
    const int dpi = GetParam();
    const ProgramCopy program;
    const ScreenDpi screen(static_cast<DWORD>(dpi));
    ::SetCursorPos(0, 0);
    ProgramDriver quorvane(program.path());
    const HWND main = quorvane.mainWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(ProgramDriver::clickButton(main, L"About,.."));
    const HWND about = quorvane.waitForWindow(L"About ");
    ASSERT_NE(about, nullptr);
    ProgramDriver::settle();

    const POINT inner = ProgramDriver::clientOrigin(about);
    EXPECT_EQ(inner.x, twipsToPixels(2340, dpi));
    EXPECT_EQ(inner.y, twipsToPixels(1935, dpi));
    const SIZE size = ProgramDriver::clientSize(about);
    EXPECT_EQ(size.cx, twipsToPixels(5310, dpi));
    EXPECT_EQ(size.cy, twipsToPixels(3405, dpi));
    // On screen as well: the plain background at the inner area's top corners, where nothing else is.
    EXPECT_TRUE(ProgramDriver::waitForPixel(about, 1, 1, rgb(143, 175, 164)));
    int w = 0;
    int h = 0;
    const std::vector<std::uint32_t> pixels = ProgramDriver::screenPixels(about, w, h);
    ASSERT_EQ(w, size.cx);
    EXPECT_EQ(pixels[static_cast<std::size_t>(1) * w + 1], rgb(143, 175, 164));
    EXPECT_EQ(pixels[static_cast<std::size_t>(1) * w + w - 2], rgb(143, 175, 164));

    const auto style = static_cast<DWORD>(::GetWindowLongW(about, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(::GetWindowLongW(about, GWL_EXSTYLE));
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU), static_cast<DWORD>(WS_CAPTION | WS_SYSMENU));
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0u);
    EXPECT_EQ(exStyle & WS_EX_DLGMODALFRAME, static_cast<DWORD>(WS_EX_DLGMODALFRAME));
    EXPECT_EQ(exStyle & (WS_EX_TOOLWINDOW | WS_EX_APPWINDOW), 0u);

    const HWND owner = ::GetWindow(about, GW_OWNER);
    ASSERT_NE(owner, nullptr);
    EXPECT_NE(owner, main);
    EXPECT_FALSE(::IsWindowVisible(owner));
    EXPECT_EQ(::GetAncestor(owner, GA_PARENT), ::GetDesktopWindow()) << "a top-level window";
    DWORD ownerProcess = 0;
    DWORD aboutProcess = 0;
    ::GetWindowThreadProcessId(owner, &ownerProcess);
    ::GetWindowThreadProcessId(about, &aboutProcess);
    EXPECT_EQ(ownerProcess, aboutProcess);

    // The main window minimised leaves it where it is.
    ::ShowWindow(main, SW_MINIMIZE);
    ProgramDriver::settle();
    EXPECT_TRUE(::IsWindowVisible(about));
    EXPECT_FALSE(::IsIconic(about));
    ::ShowWindow(main, SW_RESTORE);
    ProgramDriver::settle();

    // Moved, closed and opened again, it is loaded afresh at the stored place.
    ::SetWindowPos(about, nullptr, 400, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ProgramDriver::settle();
    ASSERT_NE(ProgramDriver::clientOrigin(about).x, inner.x);
    ASSERT_TRUE(ProgramDriver::clickButton(about, L"&OK"));
    ASSERT_TRUE(ProgramDriver::waitUntilGone(about));
    ASSERT_TRUE(ProgramDriver::clickButton(main, L"About,.."));
    ASSERT_EQ(quorvane.waitForWindow(L"About "), about);
    ProgramDriver::settle();
    const POINT again = ProgramDriver::clientOrigin(about);
    EXPECT_EQ(again.x, inner.x);
    EXPECT_EQ(again.y, inner.y);
    ASSERT_TRUE(ProgramDriver::clickButton(main, L"Exit"));
    EXPECT_EQ(quorvane.waitForExit(), 0);
}

INSTANTIATE_TEST_SUITE_P(Program, AboutWindowAtDpi, ::testing::Values(96, 144));

// The list window opens where the system puts a new window (here where the launcher asked for it,
// as it may), not in the screen's corner, and frameless all the same: the window is its inner area,
// with the gradient and the frame at its edges.
TEST(Program, TheListWindowOpensAtTheSystemsPlaceForNewWindowsWithoutAFrame) {
    const ProgramCopy program;
    program.write("l0g.ext", "C:\\Hidden\r\n");
    ::SetCursorPos(0, 0);
    const POINT place{200, 150};
    ProgramDriver quorvane(program.path(), L"", place);
    const HWND main = quorvane.mainWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(ProgramDriver::clickButton(main, L"Show Folder"));
    const HWND list = quorvane.waitForWindow(L"Form1");
    ASSERT_NE(list, nullptr);
    ProgramDriver::settle();

    RECT frame{};
    ::GetWindowRect(list, &frame);
    EXPECT_EQ(frame.left, place.x);
    EXPECT_EQ(frame.top, place.y);
    const POINT inner = ProgramDriver::clientOrigin(list);
    EXPECT_EQ(inner.x, place.x);
    EXPECT_EQ(inner.y, place.y);
    EXPECT_EQ(frame.right - frame.left, 491);
    EXPECT_EQ(frame.bottom - frame.top, 186);
    const SIZE size = ProgramDriver::clientSize(list);
    EXPECT_EQ(size.cx, 491);
    EXPECT_EQ(size.cy, 186);
    const auto style = static_cast<DWORD>(::GetWindowLongW(list, GWL_STYLE));
    EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME), 0u);
    EXPECT_EQ(style & WS_POPUP, static_cast<DWORD>(WS_POPUP));
    EXPECT_EQ(::GetWindow(list, GW_OWNER), main);

    // The first band and the frame where the window stands on screen.
    EXPECT_TRUE(ProgramDriver::waitForPixel(list, 300, 5, bandColour(1)));
    int w = 0;
    int h = 0;
    const std::vector<std::uint32_t> pixels = ProgramDriver::screenPixels(list, w, h);
    ASSERT_EQ(w, 491);
    EXPECT_EQ(pixels[static_cast<std::size_t>(5) * w + 300], bandColour(1));
    EXPECT_EQ(pixels[static_cast<std::size_t>(100) * w + 0], rgb(85, 121, 107));
    EXPECT_EQ(pixels[static_cast<std::size_t>(100) * w + 490], rgb(85, 121, 107));

    ASSERT_TRUE(ProgramDriver::clickButton(list, L"Close"));
    EXPECT_TRUE(ProgramDriver::waitUntilGone(list));
    ASSERT_TRUE(ProgramDriver::clickButton(main, L"Exit"));
    EXPECT_EQ(quorvane.waitForExit(), 0);
}

// A system colour as the screen's pixels hold it (0x00RRGGBB).
std::uint32_t systemColour(int index) {
    const Rgb c = rgbOf(::GetSysColor(index));
    return rgb(c.r, c.g, c.b);
}

// How many of `pixels` have the colour.
int count(const std::vector<std::uint32_t>& pixels, std::uint32_t colour) {
    return static_cast<int>(std::count(pixels.begin(), pixels.end(), colour));
}

// The disguise list in its colours (background 224, 224, 224, text 192, 0, 0) with the visual
// styles on, as the program's manifest asks for them: in its field and in its drop-down list, where
// only the chosen entry shows in the system's highlight.
TEST(Program, TheDisguiseListKeepsItsColoursInItsFieldAndItsDropDownList) {
    const ProgramCopy program;
    ::SetCursorPos(0, 0);
    ProgramDriver quorvane(program.path());
    const HWND main = quorvane.mainWindow();
    ASSERT_NE(main, nullptr);
    const HWND combo = ::FindWindowExW(main, nullptr, L"ComboBox", nullptr);
    ASSERT_NE(combo, nullptr);
    ::SendMessageW(combo, CB_SETCURSEL, 2, 0);  // "Audio File"
    ::InvalidateRect(combo, nullptr, TRUE);
    ProgramDriver::settle();
    // The focus elsewhere: the field of a focused combo box shows its entry highlighted.
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    ASSERT_TRUE(::GetGUIThreadInfo(::GetWindowThreadProcessId(main, nullptr), &gui));
    ASSERT_NE(gui.hwndFocus, combo);

    const std::uint32_t back = rgb(224, 224, 224);
    const std::uint32_t text = rgb(192, 0, 0);
    const std::uint32_t white = rgb(255, 255, 255);
    EXPECT_TRUE(ProgramDriver::waitForPixel(combo, 5, 5, back));
    int w = 0;
    int h = 0;
    const std::vector<std::uint32_t> box = ProgramDriver::screenPixels(combo, w, h);
    // The field: inside the edge, left of the arrow.
    std::vector<std::uint32_t> field;
    for (int y = 4; y < h - 4; ++y)
        for (int x = 4; x < w - ::GetSystemMetrics(SM_CXVSCROLL) - 4; ++x)
            field.push_back(box[static_cast<std::size_t>(y) * w + x]);
    ASSERT_FALSE(field.empty());
    EXPECT_GT(count(field, back), static_cast<int>(field.size()) / 2) << "the field's background";
    EXPECT_GT(count(field, text), 10) << "the entry's text";
    EXPECT_EQ(count(field, systemColour(COLOR_HIGHLIGHT)), 0);

    const HWND list = ProgramDriver::dropDown(combo);
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(ProgramDriver::waitForPixel(list, ProgramDriver::clientSize(list).cx - 3, 1, back));
    const std::vector<std::uint32_t> entries = ProgramDriver::screenPixels(list, w, h);
    const auto rowHeight = static_cast<int>(::SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0));
    ASSERT_GT(rowHeight, 0);
    ASSERT_GE(h, 8 * rowHeight);
    for (int row = 0; row < 8; ++row) {
        const auto first = entries.begin() + static_cast<std::ptrdiff_t>(row) * rowHeight * w;
        const std::vector<std::uint32_t> entry(first, first + static_cast<std::ptrdiff_t>(rowHeight) * w);
        if (row == 2) {
            EXPECT_GT(count(entry, systemColour(COLOR_HIGHLIGHT)), static_cast<int>(entry.size()) / 2);
            continue;
        }
        EXPECT_GT(count(entry, back), static_cast<int>(entry.size()) / 2) << "entry " << row;
        EXPECT_GT(count(entry, text), 10) << "entry " << row;
        EXPECT_EQ(count(entry, white), 0) << "entry " << row;
    }
    ::SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
    ASSERT_TRUE(ProgramDriver::clickButton(main, L"Exit"));
    EXPECT_EQ(quorvane.waitForExit(), 0);
}

TEST(Program, ExitEndsTheProgram) {
    const ProgramCopy program;
    ProgramDriver quorvane(program.path());
    ASSERT_NE(quorvane.mainWindow(), nullptr);
    const HWND exit = ProgramDriver::child(quorvane.mainWindow(), win32::kXpButtonClassName, L"Exit");
    ASSERT_NE(exit, nullptr);
    ProgramDriver::click(exit);
    EXPECT_EQ(quorvane.waitForExit(), 0);
}

// As Explorer's "Quorvane" command for folders starts it (quorvane.exe "%1"): the window opens with
// the folder chosen; with something that is no folder, as without one and a message box naming it.
TEST(Program, StartedWithAFolderItOpensWithTheFolderChosen) {
    const ProgramCopy copy;
    const test::TempDir work;
    const std::wstring folder = *win32::toWide(work / "My Folder");
    ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
    {
        ProgramDriver program(copy.path(), L"\"" + folder + L"\"");
        ASSERT_NE(program.mainWindow(), nullptr);
        EXPECT_EQ(ProgramDriver::text(::FindWindowExW(program.mainWindow(), nullptr, L"Edit", nullptr)), folder);
    }
    const std::wstring missing = *win32::toWide(work / "Missing");
    ProgramDriver program(copy.path(), L"\"" + missing + L"\"");
    EXPECT_EQ(program.answerMessageBox(L"Quorvane"), L"Run-time error '76':\r\n\r\nPath not found: " + missing);
    ASSERT_NE(program.mainWindow(), nullptr);
    const std::wstring programFolder = copy.path().substr(0, copy.path().find_last_of(L'\\'));
    EXPECT_EQ(ProgramDriver::text(::FindWindowExW(program.mainWindow(), nullptr, L"Edit", nullptr)), programFolder);
}

// The picture boxes of the main window from left to right: Picture1 (the current icon), Picture2.
std::vector<HWND> pictureBoxes(HWND main) {
    std::vector<HWND> boxes;
    for (HWND box = nullptr; (box = ::FindWindowExW(main, box, L"QuorvanePictureBox", nullptr)) != nullptr;)
        boxes.push_back(box);
    std::sort(boxes.begin(), boxes.end(), [](HWND a, HWND b) {
        RECT ra{}, rb{};
        ::GetWindowRect(a, &ra);
        ::GetWindowRect(b, &rb);
        return ra.left < rb.left;
    });
    return boxes;
}

// The folder's icon comes after the window's first paint: it shows in Picture1, which takes the
// icon's size (480 twips, 32 pixels, from its designed 33), both when the program starts on its own
// folder and when it starts with another; Picture2 keeps its size and its plain background.
TEST(Program, TheCurrentFoldersIconShowsInPicture1AfterTheStart) {
    const ProgramCopy copy;
    const test::TempDir work;
    const std::wstring folder = *win32::toWide(work / "Chosen");
    ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
    for (const std::wstring& arguments : {std::wstring(), L"\"" + folder + L"\""}) {
        SCOPED_TRACE(arguments);
        ProgramDriver program(copy.path(), arguments);
        ASSERT_NE(program.mainWindow(), nullptr);
        const std::vector<HWND> boxes = pictureBoxes(program.mainWindow());
        ASSERT_EQ(boxes.size(), 2u);
        SIZE size = ProgramDriver::clientSize(boxes[0]);
        for (int waited = 0; size.cx != 32 && waited < 10000; waited += 100) {
            ProgramDriver::settle(100);
            size = ProgramDriver::clientSize(boxes[0]);
        }
        EXPECT_EQ(size.cx, 32);
        EXPECT_EQ(size.cy, 32);
        ProgramDriver::settle(300);
        int width = 0, height = 0;
        const std::vector<std::uint32_t> icon = ProgramDriver::screenPixels(boxes[0], width, height);
        ASSERT_EQ(width * height, 32 * 32);
        // The icon's pixels differ from the box's background in its corner.
        EXPECT_GT(std::count_if(icon.begin(), icon.end(), [&](std::uint32_t p) { return p != icon.front(); }), 100);
        const SIZE other = ProgramDriver::clientSize(boxes[1]);
        EXPECT_EQ(other.cx, 33);
        EXPECT_EQ(other.cy, 33);
        const std::vector<std::uint32_t> empty = ProgramDriver::screenPixels(boxes[1], width, height);
        EXPECT_EQ(std::count(empty.begin(), empty.end(), empty.front()), static_cast<long>(empty.size()));
        EXPECT_TRUE(ProgramDriver::clickButton(program.mainWindow(), L"Exit"));
        EXPECT_EQ(program.waitForExit(), 0);
    }
}

// Runs `command` and waits for it; its exit code, or -1.
int run(std::wstring command) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    ::WaitForSingleObject(process.hProcess, 120000);
    DWORD code = 0;
    ::GetExitCodeProcess(process.hProcess, &code);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

std::wstring knownFolder(REFKNOWNFOLDERID id) {
    wchar_t* path = nullptr;
    ::SHGetKnownFolderPath(id, 0, nullptr, &path);
    std::wstring folder = path ? path : L"";
    ::CoTaskMemFree(path);
    return folder;
}

bool fileExists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring uninstallDisplayName() {
    wchar_t name[256] = {};
    DWORD size = sizeof name;
    const std::wstring key = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quorvane";
    if (::RegGetValueW(HKEY_LOCAL_MACHINE, key.c_str(), L"DisplayName", RRF_RT_REG_SZ, nullptr, name, &size) != 0)
        return L"";
    return name;
}

// "reg query KEY" run as a user would, through cmd: its exit status, and what it printed in `shown`.
int regQuery(const std::wstring& key, std::string& shown) {
    const test::TempDir folder;
    const std::string out = folder / "reg.txt";
    const int status = run(L"cmd.exe /c reg query \"" + key + L"\" >\"" + *win32::toWide(out) + L"\" 2>&1");
    shown = test::fileBytes(*win32::toWide(out));
    return status;
}

// The installer made by tools/package-windows.sh (which tools/test-windows.sh runs first): silent, then
// the program where a user finds it, started from there, keeping its register in the user's data
// folder; silent removal leaves nothing behind.
TEST(Program, TheInstallerInstallsSilentlyWithAStartMenuEntryAndAnUninstaller) {
    ASSERT_TRUE(fileExists(QUORVANE_INSTALLER)) << "tools/package-windows.sh makes the installer";
    const std::wstring folder = knownFolder(FOLDERID_ProgramFiles) + L"\\Quorvane";
    const std::wstring program = folder + L"\\quorvane.exe";
    ASSERT_EQ(run(L"\"" QUORVANE_INSTALLER L"\" /S"), 0);
    EXPECT_TRUE(fileExists(program));
    EXPECT_EQ(uninstallDisplayName(), L"Quorvane");
    EXPECT_TRUE(fileExists(folder + L"\\quorvane.com"));  // the console companion, beside it
    // Explorer's menu for folders, as "reg query" shows it.
    const std::wstring folderCommand = L"\"" + program + L"\" \"%1\"";
    std::string shown;
    EXPECT_EQ(regQuery(L"HKCR\\Directory\\shell\\Quorvane\\command", shown), 0);
    EXPECT_NE(shown.find("REG_SZ    " + win32::fromWide(folderCommand)), std::string::npos) << shown;
    EXPECT_EQ(regQuery(L"HKCR\\Directory\\shell\\Quorvane", shown), 0);
    EXPECT_NE(shown.find("REG_SZ    Quorvane"), std::string::npos) << shown;
    const std::wstring shortcut = L"\\Quorvane\\Quorvane.lnk";
    EXPECT_TRUE(fileExists(knownFolder(FOLDERID_CommonPrograms) + shortcut) ||
                fileExists(knownFolder(FOLDERID_Programs) + shortcut));
    {
        // The installed program keeps its register in the user's data folder, made on the first hide.
        const std::wstring data = knownFolder(FOLDERID_RoamingAppData) + L"\\Quorvane";
        const std::wstring registerFile = data + L"\\l0g.ext";
        ::DeleteFileW(registerFile.c_str());
        ::RemoveDirectoryW(data.c_str());
        const test::TempDir work;
        const std::wstring hidden = *win32::toWide(work / "Hidden");
        ASSERT_TRUE(::CreateDirectoryW(hidden.c_str(), nullptr));

        ProgramDriver installed(program);
        ASSERT_NE(installed.mainWindow(), nullptr);
        // The folder typed into the path box, taken up by "Set Default Icon", then hidden.
        ProgramDriver::setText(::FindWindowExW(installed.mainWindow(), nullptr, L"Edit", nullptr), hidden);
        ASSERT_TRUE(ProgramDriver::clickButton(installed.mainWindow(), L"Set Default Icon"));
        ProgramDriver::settle();
        ASSERT_TRUE(ProgramDriver::clickButton(installed.mainWindow(), L"Hide Folder"));
        EXPECT_EQ(installed.answerMessageBox(L"yeah!"), L"The folder: \r\n" + hidden + L"\r\n  it's not visible now");
        EXPECT_EQ(test::fileBytes(registerFile), *win32::toAnsi(work / "Hidden") + "\r\n");
        EXPECT_FALSE(fileExists(folder + L"\\l0g.ext"));

        ProgramDriver::click(ProgramDriver::child(installed.mainWindow(), win32::kXpButtonClassName, L"Exit"));
        EXPECT_EQ(installed.waitForExit(), 0);
        ::DeleteFileW(registerFile.c_str());
        ::RemoveDirectoryW(data.c_str());
    }
    // The uninstaller runs in place (_?=) so that it can be waited for.
    EXPECT_EQ(run(L"\"" + folder + L"\\Uninstall.exe\" /S _?=" + folder), 0);
    EXPECT_FALSE(fileExists(program));
    EXPECT_EQ(uninstallDisplayName(), L"");
    EXPECT_EQ(regQuery(L"HKCR\\Directory\\shell\\Quorvane", shown), 1) << shown;  // gone with it
    ::DeleteFileW((folder + L"\\Uninstall.exe").c_str());
    ::RemoveDirectoryW(folder.c_str());
}

}  // namespace
}  // namespace quorvane
