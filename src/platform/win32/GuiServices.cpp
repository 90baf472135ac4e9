#include "platform/win32/GuiServices.h"

#include "platform/win32/Dialogs.h"
#include "platform/win32/KeyInjector.h"
#include "platform/win32/ShellIcons.h"
#include "platform/win32/UserMessages.h"

namespace quorvane {

PlatformServices::PlatformServices()
    : m_core(makeCoreServices()),
      m_messages(std::make_unique<UserMessagesWin32>()),
      m_dialogs(std::make_unique<DialogsWin32>()),
      m_icons(std::make_unique<ShellIconsWin32>()),
      m_keys(std::make_unique<KeyInjectorWin32>()) {}

PlatformServices::~PlatformServices() = default;

Services PlatformServices::services() {
    return Services{
        .fs = *m_core.fileSystem,
        .messages = *m_messages,
        .dialogs = *m_dialogs,
        .icons = *m_icons,
        .ini = *m_core.iniWriter,
        .registry = *m_core.registry,
        .launcher = *m_core.launcher,
        .keys = *m_keys,
        .fileManagers = *m_core.fileManagerIcons,
    };
}

}  // namespace quorvane
