#pragma once

#include <functional>
#include <memory>

#include "platform/CoreServices.h"
#include "platform/Dialogs.h"
#include "platform/KeyInjector.h"
#include "platform/Services.h"
#include "platform/ShellIcons.h"
#include "platform/UserMessages.h"

namespace quorvane {

// The services a front end makes for its own window system: what the user sees and is asked.
struct FrontEndServices {
    std::unique_ptr<UserMessages> messages;
    std::unique_ptr<Dialogs> dialogs;
    std::unique_ptr<ShellIcons> icons;
    std::unique_ptr<KeyInjector> keys;
};

// The real services of the running program, owned together: this system's core services and the
// front end's, which may work through the core's (they are made after them).
class PlatformServices {
public:
    explicit PlatformServices(const std::function<FrontEndServices(CoreServices&)>& makeFrontEnd);
    PlatformServices(const PlatformServices&) = delete;
    PlatformServices& operator=(const PlatformServices&) = delete;
    ~PlatformServices();

    Services services();

private:
    CoreServices m_core;
    FrontEndServices m_frontEnd;
};

}  // namespace quorvane
