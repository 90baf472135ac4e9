#pragma once

#include <memory>

#include "platform/CoreServices.h"
#include "platform/Services.h"

namespace quorvane {

// The real services of this platform, owned together.
class PlatformServices {
public:
    PlatformServices();
    ~PlatformServices();
    Services services();

private:
    CoreServices m_core;
    std::unique_ptr<UserMessages> m_messages;
    std::unique_ptr<Dialogs> m_dialogs;
    std::unique_ptr<ShellIcons> m_icons;
    std::unique_ptr<KeyInjector> m_keys;
};

// Gives Qt an icon theme where the desktop sets none (offscreen, bare X sessions), so that file
// and folder icons are found. A theme the desktop has chosen is left alone.
void ensureIconTheme();

}  // namespace quorvane
