#pragma once

#include "platform/UserMessages.h"

namespace quorvane {

// Message boxes over the active window, the desktop's warning sound and Qt's event loop.
class QtUserMessages final : public UserMessages {
public:
    void messageBox(const std::string& text, int style, const std::optional<std::string>& title) override;
    void beep() override;
    void processPendingEvents() override;
};

}  // namespace quorvane
