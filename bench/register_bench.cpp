// A long register in the list window, on the Qt front end: registers of 10 000, 100 000 and
// 1 000 000 lines of 60-character paths. Each run is a fresh process that makes the main window
// with the program's own services, presses "Show Folder" on it and waits until the list window has
// been painted, then makes the middle line's folder visible with the list window's "Show Folder"
// (which rewrites the register) until its message box comes up; its peak memory is the process's
// largest resident size. The same spans as bench/win32/RegisterBench.cpp on the Windows front end,
// timed the same way, inside the process. Medians of the runs:
//   QT_QPA_PLATFORM=offscreen bench/register_bench [runs] [lines...]
// tools/bench-register.sh runs it beside the Windows program's counterpart under wine.
#include <sys/resource.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QItemSelectionModel>
#include <QListView>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <ctime>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "RegisterFigures.h"
#include "platform/CoreServices.h"
#include "platform/FileSystem.h"
#include "qt/ListWindow.h"
#include "qt/MainWindow.h"
#include "qt/PathText.h"
#include "qt/QtServices.h"

namespace {

using namespace quorvane;

constexpr int kDefaultRuns = 3;
const std::vector<int> kDefaultSizes = {10000, 100000, 1000000};

std::string linePath(const std::string& dir, int i) { return bench::registerLine(dir, '/', i); }

// Calls `act` on the list window from its event loop once it is shown, and `answer` when a message
// box comes up, which is then closed with its button (nobody is there to close it).
class WhenShown : public QObject {
public:
    WhenShown(std::function<void(ListWindow&)> act, std::function<void()> answer)
        : m_act(std::move(act)), m_answer(std::move(answer)) {
        qApp->installEventFilter(this);
    }
    ~WhenShown() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            if (auto* list = qobject_cast<ListWindow*>(watched))
                QTimer::singleShot(0, list, [this, list] {
                    m_act(*list);
                    list->close();
                });
            if (auto* box = qobject_cast<QMessageBox*>(watched)) {
                m_answer();
                QTimer::singleShot(0, box, &QMessageBox::accept);
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void(ListWindow&)> m_act;
    std::function<void()> m_answer;
};

// Processor time of this process (user and system), in ms: less swayed by other work on the machine.
double cpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// One run in this process: prints the times to the list shown and of "Show Folder" (on the clock,
// then in processor time) and the peak memory in MB; nothing when it went wrong.
int runOnce(const QString& folder, int lines) {
    QtServices owned;
    const Services services = owned.services();
    FileSystem& fs = services.fs;
    const std::string chosen = linePath(toCore(folder), lines / 2);
    MainWindow window(services, folder);
    double showMs = -1;
    double rewriteMs = -1;
    double showCpu = 0;
    double rewriteCpu = 0;
    double cpuStart = 0;
    QElapsedTimer clock;
    QElapsedTimer rewrite;
    double rewriteStart = 0;
    WhenShown watcher(
        [&](ListWindow& list) {
        list.repaint();  // laid out and painted once, as the user first sees it
        showMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        showCpu = cpuMs() - cpuStart;
        if (list.List1()->model()->rowCount() != lines) return;
        list.List1()->selectionModel()->select(list.List1()->model()->index(lines / 2, 0),
                                               QItemSelectionModel::ClearAndSelect);
        rewriteStart = cpuMs();
        rewrite.start();
        list.form().cmd_Click(0);
        if (list.List1()->model()->rowCount() != lines - 1 || fs.attributes(chosen) != attr::Archive) rewriteMs = -1;
        },
        [&] {
            // The message that follows the rewrite.
            if (!rewrite.isValid() || rewriteMs >= 0) return;
            rewriteMs = static_cast<double>(rewrite.nsecsElapsed()) / 1e6;
            rewriteCpu = cpuMs() - rewriteStart;
        });
    cpuStart = cpuMs();
    clock.start();
    window.form().cmd_Click(4);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    if (showMs < 0 || rewriteMs < 0) return 1;
    std::printf("%.1f %.1f %.1f %.1f %.1f\n", showMs, rewriteMs, showCpu, rewriteCpu,
                static_cast<double>(usage.ru_maxrss) / 1024.0);
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 4 && std::string(argv[1]) == "--run") {
        QApplication app(argc, argv);
        return runOnce(QString::fromLocal8Bit(argv[2]), std::atoi(argv[3]));
    }
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : kDefaultRuns;
    std::vector<int> sizes;
    for (int i = 2; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
    if (sizes.empty()) sizes = kDefaultSizes;

    CoreServices core = makeCoreServices();
    FileSystem& fs = *core.fileSystem;
    bench::RegisterFigures figures("Qt list window", runs);
    for (const int lines : sizes) {
        QTemporaryDir tmp;
        const std::string dir = toCore(tmp.path());
        std::string content;
        content.reserve(static_cast<std::size_t>(lines) * 62);
        for (int i = 0; i < lines; ++i) content += linePath(dir, i) + "\r\n";
        const std::string chosen = linePath(dir, lines / 2);
        QDir().mkpath(fromCore(chosen));
        for (int run = 0; run < runs; ++run) {
            QFile file(fromCore(dir + "/l0g.ext"));
            if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 1;
            file.write(content.data(), static_cast<qint64>(content.size()));
            file.close();
            fs.setAttributes(chosen, attr::Hidden | attr::System);
            QProcess child;
            child.start(QCoreApplication::applicationFilePath(),
                        {QStringLiteral("--run"), tmp.path(), QString::number(lines)});
            child.waitForFinished(-1);
            if (!figures.addRun(child.readAllStandardOutput().toStdString())) {
                std::fprintf(stderr, "run with %d lines failed\n", lines);
                return 1;
            }
        }
        figures.endSize(lines);
    }
    figures.printGrowth();
    return 0;
}
