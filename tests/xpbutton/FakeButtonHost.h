#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "platform/KeyInjector.h"
#include "xpbutton/XpButtonHost.h"
#include "xpbutton/XpButtonModel.h"

namespace quorvane::test {

// Records the keystrokes a control injects, and what had happened before each.
class RecordingKeyInjector final : public KeyInjector {
public:
    void sendKeys(const std::string& keys) override {
        sent.push_back(keys);
        if (onSend) onSend(keys);
    }
    std::vector<std::string> sent;
    std::function<void(const std::string&)> onSend;
};

// A host window for the button's model without a toolkit: it keeps the pointer's place, the
// timer, the capture and the surface's settings as plain values, logs every event the model raises
// (with its arguments) and every other call. Captions measure `measuredHeight` pixels and are
// recorded instead of drawn.
class FakeButtonHost final : public XpButtonHost {
public:
    struct Caption {
        std::string text;
        TextRect rect;
        std::uint32_t colour;
    };

    bool isMouseOver() const override { return pointerOver && surfaceEnabled; }
    void startHoverTimer() override {
        timerRunning = true;
        calls.push_back("startHoverTimer");
    }
    void stopHoverTimer() override {
        timerRunning = false;
        calls.push_back("stopHoverTimer");
    }
    void captureMouse() override {
        captured = true;
        calls.push_back("captureMouse");
    }
    void canvasResized(Canvas& canvas) override {
        calls.push_back("canvasResized(" + std::to_string(canvas.width()) + "x" + std::to_string(canvas.height()) +
                        ")");
    }
    void invalidate() override {
        ++invalidations;
        calls.push_back("invalidate");
    }
    void refresh() override {
        ++refreshes;
        calls.push_back("refresh");
    }
    void applyRegion(int width, int height) override {
        regionWidth = width;
        regionHeight = height;
    }
    Rgb backColour() const override { return background; }
    void setSurfaceEnabled(bool enabled) override {
        surfaceEnabled = enabled;
        calls.push_back(enabled ? "setSurfaceEnabled(true)" : "setSurfaceEnabled(false)");
    }
    void setSurfaceFont(const StdFont& font) override {
        surfaceFont = font;
        calls.push_back("setSurfaceFont(" + font.name + ")");
    }
    void setAccessKeys(const std::string& keys) override {
        accessKeys = keys;
        calls.push_back("setAccessKeys(" + keys + ")");
    }
    int captionHeight(const std::string&, int) override { return measuredHeight; }
    void drawCaption(Canvas&, const std::string& caption, const TextRect& rect, std::uint32_t colour) override {
        captions.push_back({caption, rect, colour});
    }

    void raiseClick() override { log("Click"); }
    void raiseMouseDown(std::int16_t& b, std::int16_t& s, float& x, float& y) override {
        log("MouseDown" + args(b, s, x, y));
        for (const auto& handler : mouseDownHandlers) handler(b, s, x, y);
    }
    void raiseMouseMove(std::int16_t& b, std::int16_t& s, float& x, float& y) override {
        log("MouseMove" + args(b, s, x, y));
    }
    void raiseMouseUp(std::int16_t& b, std::int16_t& s, float& x, float& y) override {
        log("MouseUp" + args(b, s, x, y));
    }
    void raiseKeyPress(std::int16_t& k) override { log("KeyPress(" + std::to_string(k) + ")"); }
    void raiseKeyDown(std::int16_t& k, std::int16_t& s) override {
        log("KeyDown(" + std::to_string(k) + "," + std::to_string(s) + ")");
    }
    void raiseKeyUp(std::int16_t& k, std::int16_t& s) override {
        log("KeyUp(" + std::to_string(k) + "," + std::to_string(s) + ")");
    }
    void raiseMouseOver() override { log("MouseOver"); }
    void raiseMouseOut() override { log("MouseOut"); }
    void raisePropertyChanged(const std::string& name) override { calls.push_back("PropertyChanged(" + name + ")"); }

    static std::string args(std::int16_t b, std::int16_t s, float x, float y) {
        return "(" + std::to_string(b) + "," + std::to_string(s) + "," + std::to_string(static_cast<int>(x)) + "," +
               std::to_string(static_cast<int>(y)) + ")";
    }

    bool pointerOver = false;
    bool timerRunning = false;
    bool captured = false;
    bool surfaceEnabled = true;
    int invalidations = 0;
    int refreshes = 0;
    int regionWidth = -1;
    int regionHeight = -1;
    Rgb background{255, 255, 255};
    StdFont surfaceFont;
    std::string accessKeys;
    int measuredHeight = 13;
    std::vector<Caption> captions;
    std::vector<std::string> events;  // the events raised, in order
    std::vector<std::string> calls;   // the other calls, PropertyChanged among them, in order
    // Runs after an event is logged (a container's handler).
    std::function<void(const std::string&)> onEvent;
    // The container's MouseDown handlers, each called with the event's variables.
    std::vector<std::function<void(std::int16_t&, std::int16_t&, float&, float&)>> mouseDownHandlers;

private:
    void log(std::string e) {
        events.push_back(e);
        calls.push_back(e);
        if (onEvent) onEvent(e);
    }
};

// A shown, 101 x 26 button's model in a fake host, driven as a window system would: moves reach it
// while the pointer is over it or a button is held (the press captures the pointer), a press and
// release goes to the model, which decides whether it clicks; the timer ticks when told. `events`
// logs its events.
class ButtonModelTest : public ::testing::Test {
protected:
    ButtonModelTest() {
        model.setForeColor(0x00000000);
        model.onResize(101, 26);
        model.onShow();
        host.events.clear();
        host.calls.clear();
    }

    // The pointer at a point of the button, or outside it. A cut corner pixel is outside.
    void pointAt(int x, int y) {
        const bool corner = (x == 0 || x == width() - 1) && (y == 0 || y == height() - 1);
        host.pointerOver = x >= 0 && y >= 0 && x < width() && y < height() && !corner;
        m_x = x;
        m_y = y;
        if ((host.pointerOver || m_held != 0 || host.captured) && host.surfaceEnabled)
            model.onMouseMove(m_held, 0, static_cast<float>(x), static_cast<float>(y));
    }
    void pointOutside() { pointAt(200, 70); }

    void press(std::int16_t button, std::int16_t shift = 0) {
        if (!host.pointerOver && !host.captured) return;  // the press goes elsewhere
        if (!host.surfaceEnabled) return;
        if (!model.Focused()) model.onGotFocus();  // a press gives the control the focus first
        m_held |= button;
        model.onMouseDown(button, shift, static_cast<float>(m_x), static_cast<float>(m_y));
    }
    void release(std::int16_t button, std::int16_t shift = 0) {
        if ((m_held & button) == 0) return;
        m_held &= static_cast<std::int16_t>(~button);
        model.onMouseUp(button, shift, static_cast<float>(m_x), static_cast<float>(m_y));
        if (m_held == 0) host.captured = false;
        model.onRelease(m_x, m_y, m_held != 0);
    }
    void click(std::int16_t button, std::int16_t shift = 0) {
        press(button, shift);
        release(button, shift);
    }
    // A double click: press, release, the second press comes as the double click, release.
    void doubleClick(std::int16_t button) {
        if (!host.surfaceEnabled) return;
        click(button);
        m_held |= button;
        model.onDblClick();
        release(button);
    }
    // A key pressed on the focused control; `ascii` the character it types (0 for none).
    void keyDown(std::int16_t code, std::int16_t ascii = 0, std::int16_t shift = 0) {
        if (!host.surfaceEnabled) return;
        model.onKeyDown(code, shift);
        if (ascii != 0) model.onKeyPress(ascii);
    }
    void keyUp(std::int16_t code, std::int16_t shift = 0) {
        if (!host.surfaceEnabled) return;
        model.onKeyUp(code, shift);
    }
    void key(std::int16_t code, std::int16_t ascii = 0) {
        keyDown(code, ascii);
        keyUp(code);
    }
    // Alt with the access key, delivered while the surface is enabled.
    void accessKey() {
        if (host.surfaceEnabled && !host.accessKeys.empty()) model.onAccessKeyPress();
    }
    // Ticks of the hover timer while it runs.
    void tick(int count = 1) {
        for (int i = 0; i < count && host.timerRunning; ++i) model.onHoverTimer();
    }

    int width() const { return model.canvas().width(); }
    int height() const { return model.canvas().height(); }
    Rgb px(int x, int y) const { return model.canvas().rgbAt(x, y); }
    const std::vector<std::string>& events() const { return host.events; }

    FakeButtonHost host;
    RecordingKeyInjector keys;
    XpButtonModel model{host, keys};

private:
    int m_x = 200;
    int m_y = 70;
    std::int16_t m_held = 0;
};

using Events = std::vector<std::string>;

}  // namespace quorvane::test
