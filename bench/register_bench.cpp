// How long the list window takes with a long register: 100,000 lines of about 60 characters.
// (a) "Show Folder" on the main window until the list window is up (the load processes pending
// events after every line); (b) one "Show Folder" in the list window, which rewrites the register.
#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "platform/CoreServices.h"
#include "platform/FileSystem.h"
#include "qt/GuiServices.h"
#include "qt/PathText.h"
#include "qt/Dialogs.h"
#include "qt/KeyInjector.h"
#include "qt/ShellIcons.h"
#include "platform/UserMessages.h"
#include "protect/ListBoxFile.h"
#include "qt/ListWindow.h"
#include "qt/MainWindow.h"
#include "qt/QtListBox.h"

namespace {

using namespace quorvane;

constexpr int kLines = 100000;
constexpr int kChosen = kLines / 2;  // the line made visible
constexpr int kRuns = 5;

// Real event processing; message boxes are passed over (nobody is there to close them).
class BenchMessages final : public UserMessages {
public:
    void messageBox(const std::string&, int, const std::optional<std::string>&) override { ++boxes; }
    void beep() override {}
    void processPendingEvents() override { QCoreApplication::processEvents(); }
    int boxes = 0;
};

std::string linePath(const std::string& dir, int i) {
    std::string path = dir + "/Archive/folder " + std::to_string(100000 + i);
    if (path.size() < 60) path.append(60 - path.size(), 'x');
    return path;
}

// Calls `act` on the list window from its event loop once it is shown.
class WhenShown : public QObject {
public:
    explicit WhenShown(std::function<void(ListWindow&)> act) : m_act(std::move(act)) { qApp->installEventFilter(this); }
    ~WhenShown() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show)
            if (auto* list = qobject_cast<ListWindow*>(watched))
                QTimer::singleShot(0, list, [this, list] {
                    m_act(*list);
                    list->close();
                });
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void(ListWindow&)> m_act;
};

// Processor time of this process (user and system), in ms: less swayed by other work on the machine.
double cpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    QTemporaryDir tmp;
    const std::string dir = toCore(tmp.path());
    CoreServices core = makeCoreServices();
    FileSystem& fs = *core.fileSystem;
    BenchMessages messages;
    QtDialogs dialogs;
    QtShellIcons icons(fs);
    QtKeyInjector keys;
    const Services services{
        .fs = fs,
        .messages = messages,
        .dialogs = dialogs,
        .icons = icons,
        .ini = *core.iniWriter,
        .registry = *core.registry,
        .launcher = *core.launcher,
        .keys = keys,
        .fileManagers = *core.fileManagerIcons,
    };

    std::string content;
    std::size_t totalChars = 0;
    for (int i = 0; i < kLines; ++i) {
        const std::string path = linePath(dir, i);
        totalChars += path.size();
        content += path + "\r\n";
    }
    const std::string chosen = linePath(dir, kChosen);
    QDir().mkpath(fromCore(chosen));
    const std::string registerPath = dir + "/l0g.ext";

    MainWindow window(services, tmp.path());
    std::vector<double> showTimes, loadTimes, rewriteTimes, showCpu, loadCpu, rewriteCpu;
    for (int run = 0; run < kRuns; ++run) {
        {
            QFile file(fromCore(registerPath));
            file.open(QIODevice::WriteOnly | QIODevice::Truncate);
            file.write(content.data(), static_cast<qint64>(content.size()));
        }
        fs.setAttributes(chosen, attr::Hidden | attr::System);

        QElapsedTimer clock;
        double cpuStart = 0;
        WhenShown watcher([&](ListWindow& list) {
            list.repaint();  // laid out and painted once, as the user first sees it
            showTimes.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
            showCpu.push_back(cpuMs() - cpuStart);
            if (list.List1()->count() != kLines) std::fprintf(stderr, "list has %d items\n", list.List1()->count());
            list.List1()->setCurrentRow(kChosen);
            QElapsedTimer rewrite;
            const double rewriteCpuStart = cpuMs();
            rewrite.start();
            list.form().cmd_Click(0);
            rewriteTimes.push_back(static_cast<double>(rewrite.nsecsElapsed()) / 1e6);
            rewriteCpu.push_back(cpuMs() - rewriteCpuStart);
            if (list.List1()->count() != kLines - 1 || fs.attributes(chosen) != attr::Archive)
                std::fprintf(stderr, "Show Folder did not take effect\n");
        });
        cpuStart = cpuMs();
        clock.start();
        window.form().cmd_Click(4);

        // The load alone, into a list box of its own.
        QListWidget bare;
        QtListBox bareBox(&bare);
        QElapsedTimer load;
        const double loadCpuStart = cpuMs();
        load.start();
        LoadListFromFile(fs, messages, bareBox, registerPath);
        loadTimes.push_back(static_cast<double>(load.nsecsElapsed()) / 1e6);
        loadCpu.push_back(cpuMs() - loadCpuStart);
    }
    if (fs.fileLength(registerPath) != content.size() - chosen.size() - 2)
        std::fprintf(stderr, "the register was not rewritten as expected\n");

    std::printf("register: %d lines, %.1f characters per path, %zu bytes; medians of %d runs\n", kLines,
                static_cast<double>(totalChars) / kLines, content.size(), kRuns);
    std::printf("                                            wall clock   processor time\n");
    std::printf("(a) Show Folder -> list window painted:    %8.1f ms   %8.1f ms\n", median(showTimes), median(showCpu));
    std::printf("    LoadListFromFile alone:                %8.1f ms   %8.1f ms\n", median(loadTimes), median(loadCpu));
    std::printf("(b) Show Folder in the list window:        %8.1f ms   %8.1f ms\n", median(rewriteTimes),
                median(rewriteCpu));
    std::fflush(stdout);
    return 0;
}
