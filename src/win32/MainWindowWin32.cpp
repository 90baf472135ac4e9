#include "win32/MainWindowWin32.h"

#include "platform/FolderTree.h"
#include "platform/ShellIcons.h"
#include "protect/ErrorReport.h"
#include "protect/ShellIcon.h"
#include "platform/win32/Win32Text.h"
#include "win32/AboutWindowWin32.h"
#include "win32/ListWindowWin32.h"

namespace quorvane::win32 {

namespace {

constexpr int kCommands = 10;

// The list window tells the main window when it goes, so that it never points at a gone window.
class TrackedList final : public ListView {
public:
    TrackedList(std::unique_ptr<ListWindowWin32> list, ListWindowWin32*& tracker)
        : m_list(std::move(list)), m_tracker(tracker) {
        m_tracker = m_list.get();
    }
    ~TrackedList() override { m_tracker = nullptr; }

    void sizeToShape() override { m_list->sizeToShape(); }
    ListBoxView& listBox() override { return m_list->listBox(); }
    void showModal() override { m_list->showModal(); }
    void unload() override { m_list->unload(); }

private:
    std::unique_ptr<ListWindowWin32> m_list;
    ListWindowWin32*& m_tracker;
};

}  // namespace

// The shell's icons as the form asks for them, except that the icon the load sequence draws is
// looked up and drawn once the window has first been painted: the shell's image lists take longer
// to start than the window takes to show, and nothing else on the window waits for them.
class MainWindowWin32::LoadIcons final : public ShellIcons {
public:
    explicit LoadIcons(ShellIcons& icons) : m_icons(icons) {}

    std::optional<IconImage> iconFor(const std::string& path, int size) override {
        if (m_putOff) {
            m_request = Request{path, size};
            return std::nullopt;  // the box is left as it is until then
        }
        m_request.reset();  // an icon drawn since takes the place of the load's
        return m_icons.iconFor(path, size);
    }
    void putOff(bool putOff) { m_putOff = putOff; }
    // The load's icon drawn into `box` now, unless another was drawn since.
    void drawPutOff(PictureBoxView& box) {
        if (!m_request) return;
        const Request request = *m_request;
        m_request.reset();
        DrawShellIcon(m_icons, request.path, box, static_cast<std::int16_t>(request.size));
    }

private:
    struct Request {
        std::string path;
        int size;
    };
    ShellIcons& m_icons;
    bool m_putOff = false;
    std::optional<Request> m_request;
};

namespace {

Services withIcons(const Services& s, ShellIcons& icons) {
    return Services{s.fs, s.messages, s.dialogs, icons, s.ini, s.registry, s.launcher, s.keys, s.fileManagers};
}

}  // namespace

MainWindowWin32::MainWindowWin32(Services services, std::string applicationDirectory)
    : FormWindow(FormDescription::embedded("frmMain"), services.keys),
      m_services(services),
      m_icons(std::make_unique<LoadIcons>(services.icons)),
      m_form(withIcons(services, *m_icons), *this, std::move(applicationDirectory)) {}

MainWindowWin32::~MainWindowWin32() {
    if (m_taskbarIcon) ::DestroyIcon(m_taskbarIcon);
}

bool MainWindowWin32::load() {
    if (!make()) return false;
    for (int i = 0; i < kCommands; ++i) {
        if (XpButtonWin32* button = this->button("cmd", i))
            button->onClick = [this, i] { m_form.cmd_Click(static_cast<std::int16_t>(i)); };
    }
    m_icons->putOff(true);
    struct Resume {
        LoadIcons& icons;
        ~Resume() { icons.putOff(false); }
    } resume{*m_icons};
    m_form.Form_Load();
    return true;
}

void MainWindowWin32::onFirstPainted() {
    runReported(m_services.messages, [this] { m_icons->drawPutOff(currentIcon()); });
    // The taskbar's icon: the system turns it into the desktop's own format, which would hold the
    // first paint back.
    m_iconShown = true;
    onDpiFollowed();
}

void MainWindowWin32::onDpiFollowed() {
    if (!m_iconShown) return;  // the first paint brings it
    // Not shared: the shared copy keeps the size it was first loaded at.
    const auto icon = static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                      ::GetSystemMetricsForDpi(SM_CXICON, dpi()),
                                                      ::GetSystemMetricsForDpi(SM_CYICON, dpi()), 0));
    if (!icon) return;
    ::SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    if (m_taskbarIcon) ::DestroyIcon(m_taskbarIcon);
    m_taskbarIcon = icon;
}

void MainWindowWin32::sizeToShape() { sizeToFrameShape(); }

void MainWindowWin32::addDisguise(const std::string& caption) {
    ::SendMessageW(control("cmb1"), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(toWide(caption).value_or(L"").c_str()));
}

int MainWindowWin32::disguiseIndex() {
    const LRESULT index = ::SendMessageW(control("cmb1"), CB_GETCURSEL, 0, 0);
    return index == CB_ERR ? -1 : static_cast<int>(index);
}

void MainWindowWin32::setDisguiseIndex(int index) {
    ::SendMessageW(control("cmb1"), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::string MainWindowWin32::pathText() {
    const HWND text = control("Text1");
    std::wstring wide(static_cast<std::size_t>(::GetWindowTextLengthW(text)) + 1, L'\0');
    wide.resize(static_cast<std::size_t>(::GetWindowTextW(text, wide.data(), static_cast<int>(wide.size()))));
    return fromWide(wide);
}

void MainWindowWin32::setPathText(const std::string& text) {
    // A path that is no UTF-8 still shows, each byte as the code page reads it.
    const std::wstring wide = toWide(text).value_or(toWide(fromAnsi(text)).value_or(L""));
    ::SetWindowTextW(control("Text1"), wide.c_str());
}

PictureBoxView& MainWindowWin32::currentIcon() { return *pictureBox("Picture1"); }

PictureBoxView& MainWindowWin32::newIcon() { return *pictureBox("Picture2"); }

std::unique_ptr<ListView> MainWindowWin32::loadList(const std::string& registerFilePath) {
    return std::make_unique<TrackedList>(std::make_unique<ListWindowWin32>(m_services, registerFilePath, hwnd()),
                                         m_list);
}

void MainWindowWin32::showAbout() {
    if (!m_about) m_about = std::make_unique<AboutWindowWin32>(m_services);
    m_about->showInFront();
}

void MainWindowWin32::endProgram() {
    // The program ends at once, every window with it; no window's handlers run.
    if (m_about && m_about->hwnd()) ::ShowWindow(m_about->hwnd(), SW_HIDE);
    ::ShowWindow(hwnd(), SW_HIDE);
    ::PostQuitMessage(0);
}

// The core finds it for the command line as well; one answer for both.
std::string applicationDirectory() { return programDirectory(); }

}  // namespace quorvane::win32
