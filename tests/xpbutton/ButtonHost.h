#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QPalette>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <string>
#include <vector>

#include "qt/KeyInjector.h"
#include "qt/TulmXpButton.h"

namespace quorvane::test {

// A shown, active window holding three buttons in tab order (prev, button, next), a 101 x 26
// `button` among them, with the pointer parked outside. Every event of `button` is logged, with
// its arguments, in `events`. The pointer is moved with QCursor::setPos, which on the offscreen
// platform sends real mouse moves through the window system, so the control's pointer test sees
// the same position as its events.
class ButtonHost : public ::testing::Test {
protected:
    static QColor container() { return QColor(143, 175, 164); }

    ButtonHost() {
        host.setGeometry(200, 200, 400, 120);
        QPalette palette = host.palette();
        palette.setColor(QPalette::Window, container());
        host.setPalette(palette);
        host.setAutoFillBackground(true);
        prev = new TulmXpButton(keys, &host);
        prev->setGeometry(10, 70, 101, 26);
        button = new TulmXpButton(keys, &host);
        button->setGeometry(20, 30, 101, 26);
        next = new TulmXpButton(keys, &host);
        next->setGeometry(150, 30, 101, 26);
        for (TulmXpButton* b : {prev, button, next}) b->setForeColor(0x00000000);
        logEvents();
        host.show();
        host.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&host));
        parkPointer();
        next->setFocus();
        QCoreApplication::processEvents();
        events.clear();
    }

    ~ButtonHost() override {
        for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})  // nothing stays held
            if (QGuiApplication::mouseButtons() & b) release(b);
        parkPointer();
    }

    QWindow* window() { return host.windowHandle(); }

    // The pointer at a point of `button`, or of the container outside it.
    void pointAt(QPoint local) {
        QCursor::setPos(button->mapToGlobal(local));
        QCoreApplication::processEvents();
    }
    void pointOutside() {
        QCursor::setPos(host.mapToGlobal(QPoint(300, 100)));
        QCoreApplication::processEvents();
    }
    void parkPointer() { pointOutside(); }

    QPoint windowPoint() { return window()->mapFromGlobal(QCursor::pos()); }
    void press(Qt::MouseButton b) { QTest::mousePress(window(), b, {}, windowPoint()); }
    void release(Qt::MouseButton b) { QTest::mouseRelease(window(), b, {}, windowPoint()); }
    void click(Qt::MouseButton b) {
        press(b);
        release(b);
    }
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = {}) { QTest::keyClick(window(), k, modifiers); }

    // Waits for the hover timer to find the pointer gone.
    bool waitForHoverEnd() {
        return QTest::qWaitFor([this] { return !button->Hovering(); }, 2000);
    }

    static std::string args(std::int16_t b, std::int16_t s, float x, float y) {
        return "(" + std::to_string(b) + "," + std::to_string(s) + "," + std::to_string(static_cast<int>(x)) + "," +
               std::to_string(static_cast<int>(y)) + ")";
    }

    void logEvents() {
        auto log = [this](std::string e) { events.push_back(std::move(e)); };
        QObject::connect(button, &TulmXpButton::Click, &host, [log] { log("Click"); });
        QObject::connect(
            button, &TulmXpButton::MouseDown, &host,
            [log](std::int16_t& b, std::int16_t& s, float& x, float& y) { log("MouseDown" + args(b, s, x, y)); });
        QObject::connect(
            button, &TulmXpButton::MouseMove, &host,
            [log](std::int16_t& b, std::int16_t& s, float& x, float& y) { log("MouseMove" + args(b, s, x, y)); });
        QObject::connect(
            button, &TulmXpButton::MouseUp, &host,
            [log](std::int16_t& b, std::int16_t& s, float& x, float& y) { log("MouseUp" + args(b, s, x, y)); });
        QObject::connect(button, &TulmXpButton::KeyPress, &host,
                         [log](std::int16_t& k) { log("KeyPress(" + std::to_string(k) + ")"); });
        QObject::connect(button, &TulmXpButton::KeyDown, &host, [log](std::int16_t& k, std::int16_t& s) {
            log("KeyDown(" + std::to_string(k) + "," + std::to_string(s) + ")");
        });
        QObject::connect(button, &TulmXpButton::KeyUp, &host, [log](std::int16_t& k, std::int16_t& s) {
            log("KeyUp(" + std::to_string(k) + "," + std::to_string(s) + ")");
        });
        QObject::connect(button, &TulmXpButton::MouseOver, &host, [log] { log("MouseOver"); });
        QObject::connect(button, &TulmXpButton::MouseOut, &host, [log] { log("MouseOut"); });
    }

    // The colour of one pixel of the button's persistent image.
    QColor px(int x, int y) const {
        const Rgb c = button->canvas().rgbAt(x, y);
        return QColor(c.r, c.g, c.b);
    }

    QtKeyInjector keys;
    QWidget host;
    TulmXpButton* prev = nullptr;
    TulmXpButton* button = nullptr;
    TulmXpButton* next = nullptr;
    std::vector<std::string> events;
};

using Events = std::vector<std::string>;

}  // namespace quorvane::test
