#include "platform/CoreServices.h"
#include "platform/FileSystemPosix.h"
#include "platform/IniWriterPosix.h"
#include "platform/Unavailable.h"

namespace quorvane {

CoreServices makeCoreServices() {
    CoreServices services;
    services.fileSystem = std::make_unique<FileSystemPosix>();
    services.iniWriter = std::make_unique<IniWriterPosix>();
    services.registry = std::make_unique<EmptyRegistry>();
    services.launcher = std::make_unique<UnavailableLauncher>();
    return services;
}

}  // namespace quorvane
