#include "platform/CoreServices.h"
#include "platform/posix/FileManagerIcons.h"
#include "platform/posix/FileSystem.h"
#include "platform/posix/IniWriter.h"
#include "platform/posix/ProgramLauncher.h"
#include "platform/posix/Registry.h"

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
