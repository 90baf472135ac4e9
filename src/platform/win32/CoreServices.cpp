#include "platform/CoreServices.h"
#include "platform/win32/FileManagerIcons.h"
#include "platform/win32/FileSystem.h"
#include "platform/win32/IniWriter.h"
#include "platform/win32/ProgramLauncher.h"
#include "platform/win32/Registry.h"

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
