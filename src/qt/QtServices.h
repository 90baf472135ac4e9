#pragma once

#include <memory>

#include "platform/CoreServices.h"
#include "platform/Services.h"

namespace quorvane {

class QtUserMessages;
class QtDialogs;
class QtShellIcons;
class QtKeyInjector;

// The running program's services, made by the Qt front end and owned together: this system's core
// services (makeCoreServices) and the front end's own message boxes, dialogs, icons and keys, which
// may work through the core's (they are made after them).
class QtServices {
public:
    QtServices();
    ~QtServices();
    QtServices(const QtServices&) = delete;
    QtServices& operator=(const QtServices&) = delete;

    Services services();

private:
    CoreServices m_core;
    std::unique_ptr<QtUserMessages> m_messages;
    std::unique_ptr<QtDialogs> m_dialogs;
    std::unique_ptr<QtShellIcons> m_icons;
    std::unique_ptr<QtKeyInjector> m_keys;
};

// Gives Qt an icon theme where the desktop sets none (offscreen, bare X sessions), so that file
// and folder icons are found. A theme the desktop has chosen is left alone.
void ensureIconTheme();

}  // namespace quorvane
