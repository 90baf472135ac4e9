// Start-up: from starting the program to its main window's first paint. (a) A fresh process per
// run, doing what the program does (application object, icon theme, font substitutes, the main
// window's layout and load sequence, show, first paint): the wait a user sees, process start and
// library loading included. (b) In one process: the main window alone, built, shown and first
// painted, again and again. Medians of the runs, with the processor time they took beside the time
// on the clock (steadier on a busy machine); run on the offscreen platform:
//   QT_QPA_PLATFORM=offscreen bench/startup_bench [runs]
#include <sys/resource.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "qt/QtServices.h"
#include "platform/UserMessages.h"
#include "qt/MainWindow.h"
#include "qt/FontSubstitutes.h"

namespace {

using namespace quorvane;

constexpr int kDefaultRuns = 21;

// Waits until `window` has handled its first paint event.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(QWidget& window) { window.installEventFilter(this); }
    void wait() const {
        while (!m_painted) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) m_painted = true;  // handled before processEvents returns
        return false;
    }

private:
    bool m_painted = false;
};

QString applicationDirectory() { return QDir::toNativeSeparators(QCoreApplication::applicationDirPath()); }

// Processor time, in milliseconds, of this process's thread or of its children that have ended.
double threadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}
double childrenCpuMs() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// One start as the program makes it; says "painted" on stdout once the main window is painted.
int startOnce(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(kAppTitle));
    ensureIconTheme();
    installFontSubstitutes();
    QtServices owned;
    MainWindow window(owned.services(), applicationDirectory());
    FirstPaint painted(window);
    window.show();
    painted.wait();
    std::puts("painted");
    std::fflush(stdout);
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc > 1 && std::string(argv[1]) == "--once") return startOnce(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : kDefaultRuns;

    QApplication app(argc, argv);
    std::vector<double> process, processCpu;
    for (int i = 0; i < runs; ++i) {
        const double cpuBefore = childrenCpuMs();
        QProcess child;
        QElapsedTimer timer;
        timer.start();
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--once")});
        if (!child.waitForReadyRead(30000)) {
            std::fprintf(stderr, "the program did not paint its window: %s\n",
                         child.readAllStandardError().toStdString().c_str());
            return 1;
        }
        process.push_back(timer.nsecsElapsed() / 1e6);
        child.waitForFinished(30000);
        processCpu.push_back(childrenCpuMs() - cpuBefore);  // its exit included
    }

    ensureIconTheme();
    installFontSubstitutes();
    QtServices owned;
    std::vector<double> window, windowCpu;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        const double cpuBefore = threadCpuMs();
        auto w = std::make_unique<MainWindow>(owned.services(), applicationDirectory());
        FirstPaint painted(*w);
        w->show();
        painted.wait();
        window.push_back(timer.nsecsElapsed() / 1e6);
        windowCpu.push_back(threadCpuMs() - cpuBefore);
        w.reset();
        QCoreApplication::processEvents();
    }

    std::printf("start-up, %d runs, medians:                             clock       processor\n", runs);
    std::printf("  (a) process start to first paint of the main window  %8.2f ms  %8.2f ms\n", median(process),
                median(processCpu));
    std::printf("  (b) main window built, shown and first painted        %8.2f ms  %8.2f ms\n", median(window),
                median(windowCpu));
    return 0;
}
