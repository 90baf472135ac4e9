#pragma once

#include "platform/KeyInjector.h"

namespace quorvane {

// Posts a key press and release for each keystroke to the widget that has the focus when it is
// called; Qt delivers them from its event queue, so a Tab moves the focus once the caller returns.
class QtKeyInjector final : public KeyInjector {
public:
    void sendKeys(const std::string& keys) override;
};

}  // namespace quorvane
