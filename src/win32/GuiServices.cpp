#include "win32/GuiServices.h"

#include "win32/Dialogs.h"
#include "win32/KeyInjector.h"
#include "win32/ShellIcons.h"
#include "win32/UserMessages.h"

namespace quorvane {

FrontEndServices win32FrontEndServices(CoreServices&) {
    return FrontEndServices{
        .messages = std::make_unique<UserMessagesWin32>(),
        .dialogs = std::make_unique<DialogsWin32>(),
        .icons = std::make_unique<ShellIconsWin32>(),
        .keys = std::make_unique<KeyInjectorWin32>(),
    };
}

}  // namespace quorvane
