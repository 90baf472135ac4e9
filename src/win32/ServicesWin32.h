#pragma once

#include <memory>

#include "platform/CoreServices.h"
#include "platform/Services.h"

namespace quorvane {

class UserMessagesWin32;
class DialogsWin32;
class ShellIconsWin32;
class KeyInjectorWin32;

// The running program's services, made by the native Windows front end and owned together: this
// system's core services (makeCoreServices) and the front end's own message boxes, dialogs, icons
// and keys.
class ServicesWin32 {
public:
    ServicesWin32();
    ~ServicesWin32();
    ServicesWin32(const ServicesWin32&) = delete;
    ServicesWin32& operator=(const ServicesWin32&) = delete;

    Services services();

private:
    CoreServices m_core;
    std::unique_ptr<UserMessagesWin32> m_messages;
    std::unique_ptr<DialogsWin32> m_dialogs;
    std::unique_ptr<ShellIconsWin32> m_icons;
    std::unique_ptr<KeyInjectorWin32> m_keys;
};

}  // namespace quorvane
