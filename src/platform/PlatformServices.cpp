#include "platform/PlatformServices.h"

namespace quorvane {

PlatformServices::PlatformServices(const std::function<FrontEndServices(CoreServices&)>& makeFrontEnd)
    : m_core(makeCoreServices()), m_frontEnd(makeFrontEnd(m_core)) {}

PlatformServices::~PlatformServices() = default;

Services PlatformServices::services() {
    return Services{
        .fs = *m_core.fileSystem,
        .messages = *m_frontEnd.messages,
        .dialogs = *m_frontEnd.dialogs,
        .icons = *m_frontEnd.icons,
        .ini = *m_core.iniWriter,
        .registry = *m_core.registry,
        .launcher = *m_core.launcher,
        .keys = *m_frontEnd.keys,
        .fileManagers = *m_core.fileManagerIcons,
    };
}

}  // namespace quorvane
