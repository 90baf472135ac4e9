// Figures of the button control: the median time of a full repaint of a 101 x 26 button with a
// one-line caption, what a hover-timer tick repaints while the pointer rests on the button, and
// the CPU the program uses while a button is hovered. Runs offscreen unless a platform is chosen
// (QT_QPA_PLATFORM=xcb under xvfb-run for a real window system). Argument: hover seconds (10).
#include <sys/resource.h>

#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTest>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "qt/KeyInjector.h"
#include "qt/TulmXpButton.h"

namespace {

class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// A real event loop for `ms`: QTest::qWait would sleep between its rounds and slow the timer down.
void runEventLoop(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int hoverSeconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;

    quorvane::QtKeyInjector keys;
    QWidget host;
    host.setGeometry(100, 100, 240, 80);
    auto* button = new quorvane::TulmXpButton(keys, &host);
    button->setGeometry(20, 20, 101, 26);
    button->setFont(quorvane::StdFont{.name = "Comic Sans MS", .size = 8.25, .weight = 700});
    button->setCaption(QStringLiteral("Lock Folder"));
    host.show();
    host.activateWindow();
    if (!QTest::qWaitForWindowActive(&host)) std::fprintf(stderr, "window not active\n");

    // Full repaint: the ForeColor setter runs exactly one Redraw(0) (face, border, caption, mask).
    std::vector<double> micros;
    for (int i = 0; i < 2000; ++i) {
        const auto start = std::chrono::steady_clock::now();
        button->setForeColor(i % 2 ? 0x00C0C0C0u : 0x006B7955u);
        micros.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    QCoreApplication::processEvents();
    std::sort(micros.begin(), micros.end());
    std::printf("Redraw of 101x26 \"Lock Folder\": median %.1f us (p10 %.1f, p90 %.1f, n=%zu)\n",
                micros[micros.size() / 2], micros[micros.size() / 10], micros[micros.size() * 9 / 10], micros.size());

    // For comparison: the same time with the pointer away from the button (no hover timer).
    QCursor::setPos(host.mapToGlobal(QPoint(200, 70)));
    QTest::qWait(200);
    {
        const double idleStart = cpuSeconds();
        QElapsedTimer idleWall;
        idleWall.start();
        runEventLoop(hoverSeconds * 1000);
        const double idleSeconds = static_cast<double>(idleWall.elapsed()) / 1000.0;
        std::printf("CPU with the pointer away: %.2f %% of one core\n", 100.0 * (cpuSeconds() - idleStart) / idleSeconds);
    }

    // Hover: the pointer comes to rest on the button; then count ticks and repaints.
    QCursor::setPos(button->mapToGlobal(QPoint(50, 13)));
    if (!QTest::qWaitFor([button] { return button->Hovering(); }, 2000))
        std::fprintf(stderr, "the button does not hover\n");
    QTest::qWait(200);
    int ticks = 0;
    QObject::connect(&button->HoverTimer(), &QTimer::timeout, &host, [&ticks] { ++ticks; });
    PaintCounter counter;
    button->installEventFilter(&counter);
    const quorvane::Canvas before = button->canvas();
    const double cpuStart = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    runEventLoop(hoverSeconds * 1000);
    const double cpu = cpuSeconds() - cpuStart;
    const double seconds = static_cast<double>(wall.elapsed()) / 1000.0;
    const bool same =
        std::equal(before.data(), before.data() + before.width() * before.height(), button->canvas().data());
    std::printf("Hover %.1f s (timer runs every %d ms): %d ticks (%.0f/s), %d paints, image %s\n", seconds,
                button->HoverTimer().interval(), ticks, ticks / seconds, counter.paints,
                same ? "unchanged" : "CHANGED");
    std::printf("CPU while hovering: %.2f %% of one core (%.3f s user+sys)\n", 100.0 * cpu / seconds, cpu);
    return 0;
}
