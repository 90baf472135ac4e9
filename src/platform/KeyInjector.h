#pragma once

#include <string>

namespace quorvane {

// Sends keystrokes to whatever has the keyboard focus, as if typed. `keys` is in keystroke-string
// notation: a key name in braces ("{Tab}") or a single character, each optionally led by
// "+" (Shift), "^" (Ctrl) or "%" (Alt); "+{Tab}" is Shift+Tab.
// Returns at once, without waiting: the keys are handled after the event being handled now.
class KeyInjector {
public:
    virtual ~KeyInjector() = default;
    virtual void sendKeys(const std::string& keys) = 0;
};

}  // namespace quorvane
