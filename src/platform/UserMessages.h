#pragma once

#include <optional>
#include <string>

namespace quorvane {

// Message box styles the actions use.
namespace mb {
inline constexpr int OkOnly = 0;
inline constexpr int Critical = 16;
inline constexpr int Information = 64;
}  // namespace mb

inline constexpr const char* kAppTitle = "Quorvane";

// Messages to the user, the warning sound and the event pump.
class UserMessages {
public:
    virtual ~UserMessages() = default;
    // Modal; returns when the user has closed it. Without a title it carries the application title.
    virtual void messageBox(const std::string& text, int style, const std::optional<std::string>& title) = 0;
    virtual void beep() = 0;
    // Queued window events are handled before it returns.
    virtual void processPendingEvents() = 0;
};

}  // namespace quorvane
