#include "platform/CoreServices.h"

namespace quorvane {

Services servicesOf(CoreServices& core, UserMessages& messages, Dialogs& dialogs, ShellIcons& icons,
                    KeyInjector& keys) {
    return Services{
        .fs = *core.fileSystem,
        .messages = messages,
        .dialogs = dialogs,
        .icons = icons,
        .ini = *core.iniWriter,
        .registry = *core.registry,
        .launcher = *core.launcher,
        .keys = keys,
        .fileManagers = *core.fileManagerIcons,
    };
}

}  // namespace quorvane
