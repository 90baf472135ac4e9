#pragma once

#include <functional>

namespace quorvane {

class PlatformError;
class UserMessages;

// The top-level error report: a message box with the error's number and description, titled with
// the application title. The program goes on with what the failed action left behind.
void reportError(UserMessages& messages, const PlatformError& error);

// Runs the action of one event; a failure that leaves it goes to the error report, so that nothing
// escapes the event handler.
void runReported(UserMessages& messages, const std::function<void()>& action);

}  // namespace quorvane
