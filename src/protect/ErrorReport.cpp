#include "protect/ErrorReport.h"

#include <exception>
#include <string>

#include "platform/Error.h"
#include "platform/UserMessages.h"

namespace quorvane {

namespace {
constexpr int kInternalError = 51;
}  // namespace

void reportError(UserMessages& messages, const PlatformError& error) {
    messages.messageBox(errorReportText(error), mb::Critical, std::string(kAppTitle));
}

void runReported(UserMessages& messages, const std::function<void()>& action) {
    try {
        action();
    } catch (const PlatformError& error) {
        reportError(messages, error);
    } catch (const std::exception& error) {
        reportError(messages, PlatformError(kInternalError, std::string("Internal error: ") + error.what()));
    }
}

}  // namespace quorvane
