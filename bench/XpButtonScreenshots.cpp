// Saves pictures of a button in each of its five looks (normal, focused, hover, pressed, disabled)
// as the window shows it, corners cut, on the windows' base colour: one PNG per look and a strip of
// all five enlarged four times. Argument: the folder to write to (default: current folder).
#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QPainter>
#include <QTest>
#include <QWidget>
#include <cstdio>
#include <functional>
#include <vector>

#include "qt/KeyInjector.h"
#include "qt/TulmXpButton.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());

    quorvane::QtKeyInjector keys;
    QWidget host;
    host.setGeometry(100, 100, 141, 66);
    QPalette palette = host.palette();
    palette.setColor(QPalette::Window, QColor(143, 175, 164));
    host.setPalette(palette);
    host.setAutoFillBackground(true);
    auto* other = new quorvane::TulmXpButton(keys, &host);
    other->setGeometry(0, 60, 10, 6);
    auto* button = new quorvane::TulmXpButton(keys, &host);
    button->setGeometry(20, 20, 101, 26);
    button->setFont(quorvane::StdFont{.name = "Comic Sans MS", .size = 8.25, .weight = 700});
    button->setCaption(QStringLiteral("Lock Folder"));
    button->setForeColor(0x00C0C0C0);  // (192, 192, 192)
    button->setForeHover(0x006B7955);  // (85, 121, 107)
    host.show();
    host.activateWindow();
    if (!QTest::qWaitForWindowActive(&host)) std::fprintf(stderr, "window not active\n");
    QWindow* window = host.windowHandle();
    const QPoint over = button->mapToGlobal(QPoint(50, 13));
    const QPoint away = host.mapToGlobal(QPoint(5, 5));

    struct Look {
        const char* name;
        std::function<void()> enter;
        std::function<void()> leave;
    };
    const std::vector<Look> looks = {
        {"normal", [&] { other->setFocus(); }, [] {}},
        {"focused", [&] { button->setFocus(); }, [&] { other->setFocus(); }},
        {"hover", [&] { QCursor::setPos(over); },
         [&] {
             QCursor::setPos(away);
             if (!QTest::qWaitFor([&] { return !button->Hovering(); })) std::fprintf(stderr, "still hovering\n");
         }},
        {"pressed",
         [&] {
             QCursor::setPos(over);
             QTest::mousePress(window, Qt::LeftButton, {}, window->mapFromGlobal(over));
         },
         [&] {
             QTest::mouseRelease(window, Qt::LeftButton, {}, window->mapFromGlobal(over));
             QCursor::setPos(away);
             if (!QTest::qWaitFor([&] { return !button->Hovering(); })) std::fprintf(stderr, "still hovering\n");
             other->setFocus();
         }},
        {"disabled", [&] { button->setEnabled(false); }, [&] { button->setEnabled(true); }},
    };
    const int scale = 4;
    const QRect area(10, 15, 121, 36);
    QImage strip(area.width() * scale * static_cast<int>(looks.size()), area.height() * scale, QImage::Format_RGB32);
    QPainter stripPainter(&strip);
    int i = 0;
    for (const Look& look : looks) {
        look.enter();
        QTest::qWait(50);
        const QImage shot = host.grab(area).toImage();
        shot.save(out.filePath(QStringLiteral("xpbutton-%1.png").arg(QLatin1String(look.name))));
        stripPainter.drawImage(QRect(i * area.width() * scale, 0, area.width() * scale, area.height() * scale), shot);
        std::printf("%s: %s\n", look.name,
                    qPrintable(out.filePath(QStringLiteral("xpbutton-%1.png").arg(QLatin1String(look.name)))));
        look.leave();
        QTest::qWait(20);
        ++i;
    }
    stripPainter.end();
    strip.save(out.filePath(QStringLiteral("xpbutton-looks-x4.png")));
    return 0;
}
