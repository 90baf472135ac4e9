#include "platform/CoreServices.h"
#include "platform/FileManagerIconsPosix.h"
#include "platform/FileSystemPosix.h"
#include "platform/IniWriterPosix.h"
#include "platform/ProgramLauncherPosix.h"
#include "platform/RegistryPosix.h"

namespace quorvane {

CoreServices makeCoreServices() {
    CoreServices services;
    services.fileSystem = std::make_unique<FileSystemPosix>();
    services.iniWriter = std::make_unique<IniWriterPosix>();
    services.registry = std::make_unique<RegistryPosix>();
    services.launcher = std::make_unique<ProgramLauncherPosix>();
    services.fileManagerIcons = std::make_unique<FileManagerIconsPosix>();
    return services;
}

}  // namespace quorvane
