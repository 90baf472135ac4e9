#include "win32/ServicesWin32.h"

#include "win32/Dialogs.h"
#include "win32/KeyInjector.h"
#include "win32/ShellIcons.h"
#include "win32/UserMessages.h"

namespace quorvane {

ServicesWin32::ServicesWin32()
    : m_core(makeCoreServices()),
      m_messages(std::make_unique<UserMessagesWin32>()),
      m_dialogs(std::make_unique<DialogsWin32>()),
      m_icons(std::make_unique<ShellIconsWin32>()),
      m_keys(std::make_unique<KeyInjectorWin32>()) {}

ServicesWin32::~ServicesWin32() = default;

Services ServicesWin32::services() {
    return servicesOf(m_core, *m_messages, *m_dialogs, *m_icons, *m_keys);
}

}  // namespace quorvane
