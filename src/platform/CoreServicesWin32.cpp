#include "platform/CoreServices.h"
#include "platform/FileManagerIconsWin32.h"
#include "platform/FileSystemWin32.h"
#include "platform/IniWriterWin32.h"
#include "platform/ProgramLauncherWin32.h"
#include "platform/RegistryWin32.h"

namespace quorvane {

CoreServices makeCoreServices() {
    CoreServices services;
    services.fileSystem = std::make_unique<FileSystemWin32>();
    services.iniWriter = std::make_unique<IniWriterWin32>();
    services.registry = std::make_unique<RegistryWin32>();
    services.launcher = std::make_unique<ProgramLauncherWin32>();
    services.fileManagerIcons = std::make_unique<FileManagerIconsWin32>();
    return services;
}

}  // namespace quorvane
