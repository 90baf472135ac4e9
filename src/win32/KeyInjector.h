#pragma once

#include "platform/KeyInjector.h"

namespace quorvane {

// Keystrokes put into the system's input queue (SendInput), as if typed: they reach the window with
// the keyboard focus once the current message has been handled.
class KeyInjectorWin32 final : public KeyInjector {
public:
    void sendKeys(const std::string& keys) override;
};

}  // namespace quorvane
