#pragma once

#include <memory>

#include "platform/KeyInjector.h"

namespace quorvane {

// Queues the keystrokes and, when Qt's event loop comes to them, sends each key's press and then
// its release to the widget that has the focus at that moment, as a keyboard would: after a Tab has
// moved the focus, its release reaches the widget that took it.
class QtKeyInjector final : public KeyInjector {
public:
    QtKeyInjector();
    ~QtKeyInjector() override;
    void sendKeys(const std::string& keys) override;

    class Relay;

private:
    std::unique_ptr<Relay> m_relay;
};

}  // namespace quorvane
