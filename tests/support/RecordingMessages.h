#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/UserMessages.h"

namespace quorvane::test {

// Captures message boxes and beeps instead of showing them; the event pump is handed to a
// function of the test's choice (the GUI tests pass Qt's).
class RecordingMessages final : public UserMessages {
public:
    struct Box {
        std::string text;
        int style;
        std::optional<std::string> title;
    };

    void messageBox(const std::string& text, int style, const std::optional<std::string>& title) override {
        boxes.push_back({text, style, title});
        if (onMessage) onMessage(boxes.back());
    }
    void beep() override { ++beeps; }
    void processPendingEvents() override {
        ++pumps;
        if (pump) pump();
    }

    std::vector<Box> boxes;
    int beeps = 0;
    long pumps = 0;
    std::function<void()> pump;
    std::function<void(const Box&)> onMessage;
};

}  // namespace quorvane::test
